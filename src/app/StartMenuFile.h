#pragma once
// A file given to the program when it starts ("orvane FILE", or a file opened from the desktop):
// what kind of file it is, whether it can be opened, and how the start menu's sequences take it
// in place of what they would ask for. A plan's route data file names the plan of the plan
// sequence, a GPS file is read by the GPS record sequence instead of the file its dialogs ask
// for, a mountain-name file becomes the plan start dialog's mountain-name file.
#include "gps/GpsImportRun.h"
#include "platform/Dialogs.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv {

inline constexpr const char* kGivenFileTitle = "ファイルを開く";
inline constexpr const char* kGivenFileMissingMessage = "ファイルが見つかりません。";
inline constexpr const char* kGivenFileUnreadableMessage = "ファイルを読み込めません。";
inline constexpr const char* kGivenFileUnknownMessage =
    "この種類のファイルは開けません。\r\n"
    "開けるのはルートデータファイル（.RTD）、GPSファイル（.TRK .WPT .GPX .TXT）、"
    "山名ファイル（.ndb .Ymd）です。";
inline constexpr const char* kGivenPlanNameMessage =
    "ルートデータファイルの名前は管理ファイル名に使えないため、開けません。";

enum class GivenFileKind { Plan, PcxTrack, PcxWaypoints, WaypointPlus, Gpx, MountainNames };

struct GivenFile {
    GivenFileKind kind = GivenFileKind::Plan;
    std::filesystem::path path;

    bool isGps() const { return kind != GivenFileKind::Plan && kind != GivenFileKind::MountainNames; }
    // The plan a route data file names: its file name without the extension.
    std::string planName() const { return path.stem().string(); }
};

// The file as the start menu takes it, or the message (titled kGivenFileTitle, with an error
// icon) saying why it cannot be opened. The kind follows the extension, in either case; the
// file must exist and be readable, and a route data file's name must be a plan name.
struct GivenFileCheck {
    std::optional<GivenFile> file;
    std::string message;
};
GivenFileCheck checkGivenFile(const std::filesystem::path& path);

// The file beside `path` with the same name and the extension `upper` (".RVD") or its
// lower-case form; nothing when there is neither.
std::optional<std::filesystem::path> fileBeside(const std::filesystem::path& path, const std::string& upper);

// How the GPS import reads a given GPS file: the format, as if chosen in the format dialog, and
// the answers to its file dialogs (filter, path). A PCX track file brings the waypoint file of
// the same name beside it, a waypoint file the track file beside it (without one the dialog
// asks for the track).
struct GivenGpsImport {
    GpsFormatChoice choice;
    std::vector<std::pair<std::string, std::string>> answers;
};
GivenGpsImport givenGpsImport(const GivenFile& file);

// Dialogs that answer file questions with the given files, each once, by the dialog's filter,
// and pass every other question on.
class GivenFileDialogs final : public Dialogs {
public:
    GivenFileDialogs(Dialogs& dialogs, std::vector<std::pair<std::string, std::string>> answers)
        : dialogs_(dialogs), answers_(std::move(answers)) {}

    Answer message(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override {
        return dialogs_.message(text, title, buttons, icon);
    }
    Answer messageWithDetails(const std::string& text, const std::string& details, const std::string& title,
                              Buttons buttons, Icon icon) override {
        return dialogs_.messageWithDetails(text, details, title, buttons, icon);
    }
    std::string input(const std::string& prompt, const std::string& title, const std::string& defaultText) override {
        return dialogs_.input(prompt, title, defaultText);
    }
    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& initialPath, size_t selectedFilter = 0) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& defaultExtension, const std::string& initialPath) override {
        return dialogs_.saveFile(title, filter, defaultExtension, initialPath);
    }
    std::optional<SavedAs> saveFileAs(const std::string& title, const std::string& filter,
                                      const std::string& initialPath) override {
        return dialogs_.saveFileAs(title, filter, initialPath);
    }
    std::optional<Colour> pickColour(Colour initial, const std::string& title) override {
        return dialogs_.pickColour(initial, title);
    }
    std::optional<TextStyle> pickFont(const TextStyle& initial) override { return dialogs_.pickFont(initial); }
    std::string pickFolder(const std::string& title, const std::string& initialFolder) override {
        return dialogs_.pickFolder(title, initialFolder);
    }
    void showHelp(const std::string& helpFile) override { dialogs_.showHelp(helpFile); }

private:
    Dialogs& dialogs_;
    std::vector<std::pair<std::string, std::string>> answers_;
};

}  // namespace orv

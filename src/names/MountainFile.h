#pragma once
// Mountain-name files (".ndb", ".Ymd"): one mountain a line, "name latitude longitude elevation
// reading A", items separated by one or more blanks; a "MeshSize=-1" header line and ";" comment
// lines are skipped. Reading fills the mountain table with the records inside Japan.
#include "core/Result.h"
#include "core/TextFile.h"
#include "state/MountainRecord.h"
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Largest mountain-name file that is read; registration does not make one larger.
inline constexpr std::uintmax_t kMaxMountainFileBytes = kMaxTextFileBytes;

// Lines read from a mountain-name file at most; the rest of a longer file is not read.
inline constexpr size_t kMountainFileMaxLines = 10000;

// A record line longer than this (in bytes as stored) is not a mountain record: real lines are
// well under a hundred bytes.
inline constexpr size_t kMountainLineMaxBytes = 4096;

inline constexpr const char* kMountainFileErrorText =
    "この山名ファイルは使用できません。\r\n正しい山名ファイルを指定して下さい";
inline constexpr const char* kMountainFileErrorTitle = "ファイルエラー";

inline constexpr const char* kMountainFileDialogTitle = "山名ファイルを開く";
// Both extensions; the file dialog matches them in either letter case.
inline constexpr const char* kMountainFileFilter = "山名ファイル (*.ndb)|*.ndb|山名ファイル (*.ymd)|*.ymd|";

// How the file's bytes were read. Files are CP932; a file that is valid UTF-8 as a whole (and
// so almost certainly not CP932) is read as UTF-8, so a file saved by a modern editor works.
enum class MountainFileEncoding { Cp932, Utf8 };

struct MountainFileData {
    std::vector<MountainRecord> records;  // the records inside Japan, in file order, at most
                                          // kMaxMountains
    MountainFileEncoding encoding = MountainFileEncoding::Cp932;
};

// Splits one record line: name, latitude, longitude, elevation, reading and at least one more
// item, separated by one or more blanks (leading blanks are skipped). Items after the reading
// are not read; kind becomes "A". Nothing when the line has fewer items.
std::optional<MountainRecord> splitMountainRecord(std::string_view line);

// True for the header line in one of its three spellings.
bool isMountainFileHeader(std::string_view line);

// Reads a mountain-name file without touching any state: the records strictly inside
// `bounds`, from the first kMountainFileMaxLines lines. Problems (line = 1-based line of the
// fault, 0 when it is not one line): NotFound (missing, or not a regular file), CannotRead
// (an I/O failure, or larger than any text file Orvane reads), WrongEncoding (neither CP932
// nor UTF-8), NotText (control characters: a binary file), LineTooLong (a line longer than
// kMountainLineMaxBytes), BadRecord (a line that cannot be split into the record's items, an
// empty line too).
Result<MountainFileData> readMountainFile(const std::filesystem::path& path, const JapanBounds& bounds);

// The same for a file's bytes (the problems of its contents only).
Result<MountainFileData> parseMountainFile(std::string_view bytes, const JapanBounds& bounds);

// Puts the records into entries 1..count of the mountain table (the rest emptied) and sets
// mountainCount and mountainFileLoaded = 1: what the plan start does with a file it read.
void putMountainTable(AppState& state, std::vector<MountainRecord> records);

// The message box for an unusable mountain-name file.
void reportMountainFileError(Dialogs& dialogs);

// Where a mountain-name file dialog starts without a file of the user's to show: the folder of
// the last mountain-name file chosen or made, else the data folder.
std::string mountainFileDialogStart(const AppState& state);

// The "参照" button of the plan start dialog: the file-open dialog for a mountain-name file,
// starting at the current one (the program's sample is not: then mountainFileDialogStart). The
// chosen path becomes mountainFilePath (true) and its folder is remembered; cancelling keeps
// the previous path (false).
bool chooseMountainFile(AppState& state, Dialogs& dialogs);

}  // namespace orv

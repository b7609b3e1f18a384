#pragma once
// "標高データの作成" as a workflow over the Dialogs interface: the window's choices checked, the
// question before replacing files, the build with its progress and cancel, and the summary or
// the problem shown in a message box. The window (terrain/ui/DemCreationDialog) is thin over
// this.
//
// Its buttons follow the one dispatch rule of every window (platform/CommandQueue.h). While a
// build runs every button but cancel is disabled, so they do nothing; cancel is taken at once.
#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
#include "platform/ToolId.h"
#include "terrain/DemBuild.h"
#include "terrain/DemCreationTools.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv::terrain {

// Window texts.
inline constexpr const char* kDemGmlOpenTitle = "FG-GMLファイルを開く";
inline constexpr const char* kDemGmlFilter = "FG-GML DEM(*.xml;*.zip)|*.xml;*.XML;*.zip;*.ZIP";
inline constexpr const char* kDemTileFolderTitle = "標高タイルのフォルダを選択してください";
inline constexpr const char* kDemCacheFolderTitle = "標高タイルを保存するフォルダを選択してください";
inline constexpr const char* kDemOutFolderTitle = "標高データを書き出すフォルダを選択してください";
inline constexpr const char* kDemCentreRefused = "中心メッシュは6桁の2次メッシュコードで入力してください。";
inline constexpr const char* kDemNoGmlFiles = "FG-GMLのファイル（XMLまたはZIP）を選んでください。";
inline constexpr const char* kDemNoTileFolder = "標高タイルのフォルダを選んでください。";
inline constexpr const char* kDemNoOutFolder = "書き出すフォルダを選んでください。";
inline constexpr const char* kDemBadTileSetting = "標高タイルのURLには {z} {x} {y} を含めてください。";

// What the window shows while the build runs. Every member may be empty.
struct DemBuildView {
    std::function<void(int percent, const std::string& text)> progress;
    // Lets the window repaint and take the cancel button; false once cancel was pressed.
    std::function<bool()> keepResponsive;
};

enum class DemBuildOutcome { Written, NothingWritten, Cancelled, Refused };

// Runs a build for a request the window made: asks before replacing files, shows the summary
// (or the problem). Written: at least one mesh file was written.
DemBuildOutcome runDemBuild(Dialogs& dialogs, const DemBuildRequest& request, const DemBuildView& view);

// The window's state and commands.
class DemCreation {
public:
    // centre: the destination's mesh, or empty. tileSetting: the tile URL setting (empty: the
    // survey's servers); a download is refused while it names no usable template.
    DemCreation(Dialogs& dialogs, std::string centre, std::string tileSetting = {});

    std::string centre;
    DemSourceKind kind = DemSourceKind::Gml;
    std::vector<std::string> gmlFiles;
    std::string tileFolder;
    std::string tileSetting;
    std::string cacheFolder;
    std::string outFolder;

    // Runs a command by its tool id, the build with `view`: true when it ran. An unknown id is
    // reported (reportUnknownTool).
    bool dispatch(std::string_view toolId, const DemBuildView& view = {});

    // The commands' handlers (DemCreationTools.h), run by dispatch.
    void addGmlFile();
    void clearGmlFiles();
    void chooseTileFolder();
    void chooseCacheFolder();
    void chooseOutFolder();
    void build();
    void cancelBuild();

    bool running() const { return running_; }
    // The outcome of the last build; Written means outFolder can serve as a data folder.
    std::optional<DemBuildOutcome> lastOutcome() const { return outcome_; }

    // Called after every change the window shows.
    std::function<void()> changed;

private:
    struct Command {
        ToolId id;
        DemBuildView view;
    };
    void run(const DemBuildView& view);
    void notify() {
        if (changed) changed();
    }

    Dialogs& dialogs_;
    bool running_ = false;
    bool cancelRequested_ = false;
    std::optional<DemBuildOutcome> outcome_;
    DemBuildView view_;  // the view of the build being run
    CommandQueue<Command> commands_;
};

}  // namespace orv::terrain

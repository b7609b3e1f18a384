#include "sheets/MapImageTools.h"

#include <string>

namespace orv {

namespace {

using namespace mapImageTool;

struct Entry {
    ToolId id;
    const char* caption;
    const char* subBand = "";
};

void addBand(MenuModel& menus, const char* band, const char* caption, const char* category,
             std::initializer_list<Entry> entries) {
    menus.addBand(band, caption);
    for (const Entry& entry : entries) {
        MenuCommand command;
        command.toolId = entry.id.str();
        command.caption = entry.caption;
        command.category = category;
        command.subBand = entry.subBand;
        menus.addCommand(band, std::move(command));
    }
}

}  // namespace

void addMapImageCommands(MenuModel& menus) {
    addBand(menus, kMapImageMenuBand, "地図画像処理ﾒﾆｭｰ", "ファイルﾒﾆｭｰ",
            {{kMakeRoute, "ルート作成"}, {kCancel, "中断"}, {kFileList, "読み込みファイルリスト", kMapImageFileListBand}});
    addBand(menus, kMapImageEditBand, "データ編集ﾒﾆｭｰ", "編集ﾒﾆｭｰ",
            {{kSelectSheet, "地形図選択"},
             {kDeletePoint, "ポイント削除"},
             {kReinputPoint, "ポイント再入力"},
             {kStopRoute, "ルート作成中止"},
             {kEndRoute, "ルート作成終了"},
             {kFileList, "読み込みファイルリスト", kMapImageFileListBand}});
    // While tracing: the point commands and the two ends.
    addBand(menus, kMapImageTracingBand, "", "編集ﾒﾆｭｰ",
            {{kDeletePoint, "ポイント削除"},
             {kReinputPoint, "ポイント再入力"},
             {kSelectSheet, "地形図選択"},
             {kEndRoute, "ルート作成終了"},
             {kStopRoute, "ルート作成中止"}});
    menus.addBand(kMapImageFileListBand);
    for (int slot = 1; slot <= 9; ++slot) {
        MenuCommand command;
        command.toolId = kSheetFiles[static_cast<size_t>(slot - 1)].str();
        command.caption = std::to_string(slot) + ".";
        command.category = "ファイルﾒﾆｭｰ";
        menus.addCommand(kMapImageFileListBand, std::move(command));
    }
}

}  // namespace orv

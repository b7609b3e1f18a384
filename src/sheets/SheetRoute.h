#pragma once
// A route measured with a ruler on the printed 1:25000 sheets of the plan's block
// ("地形図寸法からﾙｰﾄ作成"): the sheet dimensions dialog ORV_MAPINFO "地形図データ設定" takes the
// four frame sides of each sheet; the measurement panel "ルート作成：地形図寸法" over the route
// map takes, for each point, the millimetres from a frame corner, turns them into a position,
// lists the points and shows them on an enlarged picture of the sheet (the route map's drawing
// picture); "終了" makes the route through the usual one-way/round-trip question.
#include "core/TextStyle.h"
#include "geo/SheetPosition.h"
#include "platform/ToolId.h"
#include "route/RouteMap.h"

#include <QImage>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

inline constexpr const char* kSheetPanelCaption = "ルート作成：地形図寸法";
inline constexpr const char* kSheetHelpFile = "ORVANE9.hlp";
inline constexpr const char* kSheetGuide = "ルート作成のため地形図に該当するﾒｯｼｭｺｰﾄﾞをクリックして下さい";
inline constexpr const char* kNoSheetInfoText = "地形図情報が設定されていません。設定して下さい。";
inline constexpr const char* kNoSheetInfoTitle = "地形図情報設定";
inline constexpr const char* kSheetInputTitle = "入力確認";
inline constexpr const char* kNoSheetSelectedText =
    "地形図が選択されていません。地形図に該当するﾒｯｼｭｺｰﾄﾞをクリックして下さい";
inline constexpr const char* kSheetEmptyBoxText = "データは必ず全部入力して下さい";
inline constexpr const char* kSheetNotPositiveText = "データは 0 以上を入力して下さい";
inline constexpr const char* kSheetOutOfRangeText = "データが範囲以上になっています。再入力して下さい";
inline constexpr const char* kSheetOutOfRangeTitle = "入力範囲オーバー";
inline constexpr const char* kSheetPointsFullText = "ルートの点は1000点までです。「終了」でルートを作成して下さい。";

// The sheet picture: the sheet's square and the scale of its points (a secondary mesh of
// 450″ × 300″ shown 400 × 400 pixels).
inline constexpr int kSheetPictureSide = 500;

// ORV_MAPINFO: one row per mesh slot with the four frame sides as typed.
struct SheetDimensionRow {
    std::string meshCode;
    std::string information;  // code, two blanks, south latitude " 00.0000" : west longitude
    std::array<std::string, 4> sides;  // "上辺", "下辺", "左辺", "右辺"
};

class SheetDimensions {
public:
    explicit SheetDimensions(AppState& state);
    std::array<SheetDimensionRow, 9> rows;
    // "終了": the sides are stored (a leading number; none reads as 0) and a sheet with four
    // sides greater than zero is registered. "ｷｬﾝｾﾙ" stores nothing.
    void finish();
    // Where the destination mountain stands on the dialog's 240 × 240 block diagram, with its
    // name, written with its top-left at (x + 10, y − 2) in the mountain-name style; nothing
    // without a destination. (MtPosDraw)
    struct Mark {
        int x = 0, y = 0;
        std::string name;
        TextStyle style;
    };
    std::optional<Mark> destinationMark() const;

private:
    AppState& state_;
};

class SheetRoute {
public:
    explicit SheetRoute(RouteMap& map);

    // The route map's commands of this method: "地形図寸法からﾙｰﾄ作成", "再入力", "削除".
    void run(ToolId toolId);

    bool visible = false;
    // Sheet buttons: mesh code and whether the sheet is registered (black) or not (grey).
    std::array<std::string, 9> sheetCaptions{};
    std::array<bool, 9> sheetRegistered{};
    std::string latitudeMm, longitudeMm, elevation;
    bool elevationVisible = false;
    SheetCorner corner = SheetCorner::BottomLeft;
    std::vector<std::string> listRows;
    int selectedRow = -1;
    int pointBox = 0;  // the number of the selected point (selectedSheetPoint)
    bool reinput = false;
    int focusRequests = 0;

    // "地形図情報  設定": the dialog over its model; true when it closed with "終了".
    std::function<bool(SheetDimensions&)> dimensionsWindow;
    void editDimensions();
    void showSheet(int slot);
    void setCorner(SheetCorner c);
    bool addPoint();  // "計算"
    void selectPoint(int row);
    // The right button released over the list: the pop-up's heading is captioned and the band
    // "MPEditMenu" opened, when a point is selected.
    void listPopup();
    void finish();  // "終了"
    void cancel();  // "キャンセル"
    void help();

    std::function<void()> changed;

    // The row of the list for point i (fixed columns, a tab and the sheet's code).
    static std::string listRow(int i, const RawPoint& point);

private:
    void begin();
    void recolourButtons();
    void reinputPoint();
    void deletePoint();
    void refreshList();
    void drawSheet();
    void drawPoints(DrawingSurface& picture, ArcSeconds west, ArcSeconds north);
    void close();
    bool refuse(const char* text, const char* title);
    int count() const;
    void notify() const;

    RouteMap& map_;
    AppState& state_;
    QImage level1_;
    std::array<int, 2> savedScroll_{};
    int shownSheet_ = 0;  // the sheet the picture shows (0: none drawn yet)
    bool markerVisible_ = false;
};

}  // namespace orv

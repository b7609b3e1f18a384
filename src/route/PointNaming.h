#pragma once
// Names on route points in route edit mode (ORV_PNAMESET): "山名登録" gives the current point a
// mountain of the mountain table inside the current level's area, "地名・名称登録" a free place
// name (on a round trip also the mirrored point). The dialog window shows this and forwards its
// buttons here; the dialog closes after each button.
#include "map/MapContext.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orv {

inline constexpr const char* kMountainNamingCaption = "山名設定";
inline constexpr const char* kPlaceNamingCaption = "地名・名称設定";
inline constexpr const char* kMountainNamingPrompt = "リストから指定位置に登録する山名を選択して下さい。";
inline constexpr const char* kPlaceNamingPrompt = "指定位置に登録する地名・名称を入力して下さい。";
inline constexpr const char* kRegisterButton = "登録";
inline constexpr const char* kCancelButton = "ｷｬﾝｾﾙ";
inline constexpr const char* kDeleteButton = "削除";
inline constexpr const char* kNamingTitle = "名称登録";
// The route file separates its fields with half-width blanks and commas.
inline constexpr const char* kNameSeparatorRefusal =
    "名称に半角スペースや「,」（半角カンマ）は使えません。全角文字に置き換えて下さい。";
// Tab stops of the mountain list in dialog units.
inline constexpr std::array<int, 3> kMountainListTabStops{50, 150, 150};
// The titles over the mountain list's columns, at the same tab stops.
inline constexpr const char* kMountainListTitles = "番号\t山名\t標高";

enum class PointNameKind { Mountain, Place };

class PointNaming {
public:
    // The dialog for route point `pointNumber`.
    PointNaming(MapContext& ctx, PointNameKind kind, int pointNumber);

    PointNameKind kind() const { return kind_; }
    std::string caption() const;
    std::string prompt() const;

    // What the dialog shows.
    bool textVisible = false;
    bool listEnabled = false;
    bool registerEnabled = false;
    bool deleteVisible = false;
    bool deleteEnabled = false;
    std::string text;
    // Mountain mode: "number \t name \t elevation" per mountain inside the area.
    std::vector<std::string> rows;

    // Picking a row of the mountain list.
    void pick(size_t row);
    // The name box gets the focus (place-name mode).
    void focusText();
    // "登録", "削除", "ｷｬﾝｾﾙ": each closes the dialog, except "登録" of a text that would not read
    // back from the route file, which is refused with a message.
    bool registerName();
    void deleteName();
    void cancel();

    bool closed() const { return closed_; }
    bool cancelled() const { return cancelled_; }

    // After the dialog closed: mark kind 7 after a mountain-mode dialog that was not cancelled,
    // and the route layers redrawn.
    void finish();

private:
    RoutePoint& point();
    void setPlaceName(int number);

    MapContext& ctx_;
    PointNameKind kind_;
    int pointNumber_;
    std::vector<int> records_;  // the mountain record of each row
    std::optional<size_t> picked_;
    bool closed_ = false;
    bool cancelled_ = false;
};

}  // namespace orv

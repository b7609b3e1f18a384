#pragma once
// ORV_MGEDIT "地図画像(BMP/JPG）からルート作成": a route traced with the mouse on scanned images
// of the plan's nine sheets. For each sheet the user opens its image once and clicks the two
// corners of the map frame in it; clicks inside the frame then become route points by linear
// scaling between the frame corners and the sheet's corner coordinates. Images and frames are
// kept for the run (mapImageReferences). Without elevation data every point gets a typed
// elevation at the end. The points go into the raw route; the route map builds the route from
// them when the window closes with a route (or deletes it after a cancel).
//
// This is the window's logic; the window (ui/MapImageWindow) shows the image, scrolls it as
// this model says and forwards clicks, keys and commands.
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "state/AppState.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

inline constexpr const char* kMapImageCaption = "地図画像(BMP/JPG）からルート作成";
inline constexpr const char* kMapImageHelpFile = "ORVANE13.hlp";
inline constexpr const char* kMapImageFilter = "BMP地図画像(*.BMP)|*.BMP|JPG地図画像(*.JPG)|*.JPG|";
// The dialog starts with the JPG entry: scans mostly come as JPG.
inline constexpr size_t kMapImageFirstFilter = 1;
inline constexpr const char* kImageMissingTitle = "ファイル読み込みエラー";
inline constexpr const char* kImageMissingText =
    "指定されたﾌｫﾙﾀﾞｰには該当するファイルが見つかりません。\r\n再入力して下さい。";
inline constexpr const char* kCornersTitle = "情報設定";
inline constexpr const char* kCornersText =
    "必要な情報が登録されていません。\r\n\r\n画像の余白を除いた左上・右下の位置をマウスで指示して下さい。";
inline constexpr const char* kFirstCornerGuide = "調整を行います。左上の位置で左クリックして下さい。";
inline constexpr const char* kSecondCornerGuide = "右下の位置で左クリックして下さい。";
inline constexpr const char* kCornersInLineText =
    "左上と右下の位置が縦または横に並んでいます。\r\n右下の位置をもう一度クリックして下さい。";
inline constexpr const char* kImageLoadingText = "地図画像読み込み中....";
inline constexpr const char* kImageUnreadableText = "地図画像を読み込めませんでした。";
inline constexpr const char* kImageTracingGuide = "マウスの左クリックで作成　右クリックで終了";
inline constexpr const char* kElevationEntryTitle = "標高値入力メッセージ";
inline constexpr const char* kElevationEntryText = "数値地図を使用していませんので標高値を入力して下さい。";
inline constexpr const char* kCloseQuestion = "作成中のルートを中止しますか？";

// Images larger than this on either side are refused before their pixels are read.
inline constexpr int kMaxMapImageSide = 20000;

// The image's top-left corner stands this far above the point the marker shows.
inline constexpr int kImageMarkerLift = 27;

// What loading an image into the window gave.
enum class ImageLoad { Loaded, Missing, Unreadable, TooLarge };
struct ImageSize {
    int width = 0;
    int height = 0;
};
// Loads the file into the window's image; the size of the loaded image.
using ImageLoader = std::function<ImageLoad(const std::string& path, ImageSize& size)>;

// Where the window stands after it closed.
enum class MapImageOutcome { Open, RouteWanted, Cancelled };

// One scroll bar: its value and maximum (minimum 0), small change 10, large change half the
// viewport.
struct ImageScroll {
    int value = 0;
    int maximum = 0;
    int largeStep = 1;
};

// A line of the repaint in image pixels, and a name written beside a reference point.
struct ImagePolyline {
    std::vector<std::array<int, 2>> points;
    bool reference = false;
};
struct ImageLabel {
    int x = 0, y = 0;
    std::string text;
    int style = 1;          // text style 1 (place names) or 2 (labels)
    bool withDot = false;   // a dot of the style's colour at the point
    int dotX = 0, dotY = 0;
};

// Image pixel of a position on the image of a referenced slot, and the reverse (rounded to
// whole arc-seconds, halves to even).
std::array<int, 2> imagePixelOf(const MapImageReference& ref, const MeshCornerTable& sheet,
                                ArcSeconds latitude, ArcSeconds longitude);
std::array<DmsText, 2> imagePositionOf(const MapImageReference& ref, const MeshCornerTable& sheet,
                                       int x, int y);

class MapImageRoute {
public:
    MapImageRoute(AppState& state, Dialogs& dialogs, ImageLoader loader);

    MenuModel& menus() { return menus_; }

    // The window becoming active: caption, menus, sheet panel.
    void activate();
    void dispatch(const std::string& toolId);

    // The sheet panel "地形図選択" and its nine buttons (mesh codes; the shown sheet in blue).
    bool sheetPanelVisible = false;
    void showSheetPanel();
    void openSheetImage(int slot);

    // The viewport the image is shown in, in pixels; the window tells it at every resize.
    void setViewport(int width, int height);
    ImageScroll horizontal, vertical;
    // The user moved a scroll bar.
    void scrollTo(int h, int v);

    // Mouse on the image, in image pixels. Right clicks open a pop-up band, returned by name.
    enum class Button { Left, Right };
    std::optional<std::string> release(Button button, int x, int y);
    void move(int x, int y);

    // The point box with its up/down control, Up/Down/PageUp/PageDown, and Enter in the
    // elevation box.
    void stepTo(int number);
    enum class Key { Up, Down, PageUp, PageDown };
    bool takesKeys() const { return takesKeys_; }
    void key(Key key);
    void enterElevation(const std::string& text);

    // Closing by the window frame: a cancel, asked first when points exist. False when the
    // user keeps the window open.
    bool closeByFrame();

    // What the window shows.
    std::string caption;
    std::array<std::string, 2> statusPanels{};
    int currentSheet = 0;
    int pointBox = 0;
    int stepperMaximum = 0;
    std::string latitudeLabel = "緯度：";
    std::string longitudeLabel = "経度：";
    bool elevationVisible = false;
    std::string elevationText;
    int elevationFocusRequests = 0;
    bool markerVisible = false;
    std::array<int, 2> marker{};  // the marker picture's top-left corner, image pixels
    ImageSize image;
    bool imageLoaded = false;
    MapImageOutcome outcome = MapImageOutcome::Open;

    // The repaint: lines and names over the image of the shown sheet.
    std::vector<ImagePolyline> lines() const;
    std::vector<ImageLabel> labels() const;

    // Field states, readable for tests.
    bool mouseActive = false;
    bool cornerStep = false;
    bool secondCorner = false;
    bool tracing = false;
    int currentPoint = 0;
    bool reinputPending = false;
    int savedCount = 0;

    std::function<void()> changed;

private:
    void startTracing();
    void endTracing();
    void cancel();
    void deletePoint();
    void reinputPoint();
    void askForCorners(int slot);
    void takeCorner(int x, int y);
    void addPoint(int x, int y);
    void startElevationEntry();
    void showPointReadout(int number);
    void centreOn(int number);
    void scrollToEnds(bool maximum);
    void afterFailedOpen();
    void captionSheetMenu();
    void close(MapImageOutcome how);
    int pointCount() const;
    void notify() const;

    AppState& state_;
    Dialogs& dialogs_;
    ImageLoader loader_;
    MenuModel menus_;
    ImageSize viewport_{1, 1};
    std::array<int, 2> firstCorner_{};
    bool takesKeys_ = false;
};

}  // namespace orv

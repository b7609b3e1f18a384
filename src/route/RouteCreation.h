#pragma once
// Route creation and point editing on the route map: clicking a route with the mouse (with a
// rubber band), continuing from a point of the reference route, tracing the whole reference
// route, the common end of every creation (one way or round trip, interpolation and
// measurement), deleting the route, and the edit mode in which single route points are
// stepped through, shown with a marker and deleted.
//
// The two point panels (the route-point panel of the edit mode and the start-position panel
// of the reference start) are held here as plain models; the window shows them.
#include "map/MapContext.h"

#include <array>
#include <cstdint>
#include <string>

namespace orv {

inline constexpr const char* kRoutePointHelpFile = "ORVANE7.hlp";
inline constexpr const char* kReferenceStartHelpFile = "ORVANE8.hlp";
inline constexpr const char* kMouseRouteGuide =
    "任意の位置でマウスを左クリックして下さい。 右クリックで終了。";
inline constexpr const char* kInterpolatingText = "データ補完中";
inline constexpr const char* kOneWayQuestion = "作成したルートは片道として処理しますか";
inline constexpr const char* kOneWayTitle = "片道・往復処理の決定";
// Asked after a clicked route was refused as too long: its points are still there.
inline constexpr const char* kTooLongAgainQuestion =
    "クリックした点はそのまま残っています。\r\n"
    "片道として処理しますか？\r\n"
    "（はい：片道　いいえ：往復　キャンセル：ルートの作成を続ける）";
// Told when a round trip is asked for a route that already comes back over itself: it is not
// mirrored again.
inline constexpr const char* kAlreadyRoundTripTrace =
    "このルートは既に往復ルートです。そのままトレースします。";
inline constexpr const char* kAlreadyRoundTrip = "このルートは既に往復ルートです。そのまま処理します。";
inline constexpr const char* kCreationTitle = "ルート作成";
inline constexpr const char* kEditTitle = "ルート編集";
inline constexpr const char* kRawPointsFull =
    "ルートの点は1000点までです。右クリックでルートを終了して下さい。";
inline constexpr const char* kReferenceTooLongToTrace =
    "参照ルートの点が1000点を超えているため、トレースできません。";
inline constexpr const char* kReferenceStartTooFar =
    "ルートの点は1000点までです。1000番以前のポイントから作成して下さい。";
inline constexpr const char* kLastPointKept =
    "ルートの最後の1点は削除できません。ルート全体は「作成ﾙｰﾄ削除」で削除して下さい。";

// Offset of the point marker picture: its top-left corner stands 34 pixels above the point.
inline constexpr int kPointMarkerLift = 34;

// A panel with a point number box, its up/down control (1..maximum) and six read-out labels.
struct PointPanel {
    bool visible = false;
    int value = 1;
    int maximum = 1;
    std::array<std::string, 6> labels{};
};

// The keys that step the point number while the window takes them.
enum class StepKey { Up, Down, PageUp, PageDown };

// How a creation was made: the common end differs a little between the methods.
enum class CreationMethod {
    Mouse,     // clicked on the map, possibly continuing a reference route
    Trace,     // the whole reference route
    MapImage,  // traced on scanned map images
    Sheet,     // measured on a printed sheet
};

// Where the drawing of a mouse route stands. (creationArmed, creating)
enum class RouteDrawing {
    Idle,     // no mouse route is under way
    Armed,    // the next left click starts a mouse route
    Drawing,  // a mouse route is being drawn: the rubber band follows the mouse
};

class RouteCreation {
public:
    explicit RouteCreation(MapContext& ctx);

    MapContext& context() { return ctx_; }

    // Window fields, all reset when the window is created.
    RouteDrawing drawing = RouteDrawing::Idle;
    int16_t nextRawNumber = 1;  // index of the next raw point
    std::array<float, 2> lastFixedPixel{};
    std::array<float, 2> bandEndPixel{};
    int16_t currentPointNumber = 1;
    bool editing = false;  // route edit mode (editMode)
    // Choosing the reference point a mouse route continues from. (refStartMode)
    bool choosingReferenceStart = false;
    bool takesSteppingKeys = false;  // the window takes Up/Down/PageUp/PageDown before its controls

    PointPanel routePointPanel;      // "ルートポイント処理"
    PointPanel referenceStartPanel;  // "作成開始位置"

    void reset();

    // Commands.
    void beginMouseRoute();
    void beginReferenceStart();
    void startFromReferencePoint();
    void traceReferenceRoute();
    void deleteRoute();
    // "ルート編集": single route points are stepped through in the route-point panel, shown
    // with a marker and deleted. (RootEditON)
    void enterEditMode();
    // "ルート編集終了". (RootEditOff)
    void leaveEditMode();
    void deleteRoutePoint();

    // The common end of every creation. False when the route could not be made: a message
    // has been shown and no part of it is left, except for a clicked route, whose points stay
    // and which is offered one way, round trip or drawing on.
    bool finishCreation(CreationMethod method);

    // What the mouse modes do with the map events, in picture pixels.
    // Mouse creation: the first click, every further click, the rubber band, the right click
    // that ends the route.
    void startMouseRoute(int x, int y);
    void addClickedPoint(int x, int y);
    void moveRubberBand(int x, int y);
    void endMouseRoute(int x, int y);
    // The position under the cursor in the first status panel.
    void showCursorReadout(int x, int y);
    // A route point (edit mode) or reference point (reference start) within reach of the mouse
    // becomes the panel's point; false when none is.
    bool hoverRoutePoint(int x, int y);
    bool hoverReferencePoint(int x, int y);
    // Names the point the route would continue from in the reference point band's first entry.
    void captionReferencePointBand();

    // The number box of the shown panel: stepping keys, and a value set through the box or its
    // up/down control (kept within 1..maximum).
    void stepKey(StepKey key);
    void setPanelNumber(int number);
    // Fills the labels of the shown panel and moves the point marker to its point.
    void showPointReadout();

    // The panel the number box and stepping keys belong to: edit mode first.
    PointPanel* activePanel();

private:
    void addRawPoint(int index, int x, int y);
    bool rawTableFull() const;
    // The rubber band stops; a creation that was drawn waits for its end again.
    void stopRubberBand();
    void abandonCreation();
    // A refused mouse route: the clicked points stay, drawn again, and the rubber band goes on
    // from the last one.
    void resumeMouseRoute();
    void redraw();
    int hoveredPoint(const RouteTable& table, int count, int x, int y) const;

    MapContext& ctx_;
};

}  // namespace orv

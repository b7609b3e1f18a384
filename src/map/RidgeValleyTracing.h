#pragma once
// Tracing ridge and valley lines on the route map ("谷・尾根筋図" → "作図"): the settings
// dialog chooses the styles and the kind of the first line, then every left click on the
// drawing picture stores a point (a blue segment joins it to the previous one, a rubber band
// follows the mouse), and a right click offers to continue with a new ridge or valley line or
// to end. Also the display switch "表示" and the revert "初期状態に戻す".
#include "map/DrawingPicture.h"
#include "map/MapContext.h"
#include "map/MapMode.h"
#include "map/RidgeValleySettings.h"

#include <functional>
#include <optional>
#include <string>

namespace orv {

inline constexpr const char* kTracingGuide = "任意の位置で左クリックして下さい。右クリックで処理選択。";
inline constexpr const char* kTracingRidgeGuide = "尾根筋作図中";
inline constexpr const char* kTracingValleyGuide = "谷筋作図中";
inline constexpr const char* kTracingPopupBand = "RVContMenu";
inline constexpr const char* kTracingFullTitle = "谷尾根筋作図";
inline constexpr const char* kTracingFullMessage =
    "谷・尾根筋のポイントは4001点までです。これ以上登録できません。";

class RidgeValleyTracing {
public:
    explicit RidgeValleyTracing(MapContext& ctx);

    // The window runs the settings dialog modally over its logic; without one "作図" starts
    // nothing.
    using SettingsDialog = std::function<void(RidgeValleySettings&)>;
    void setSettingsDialog(SettingsDialog run) { settingsDialog_ = std::move(run); }

    // "作図": the settings dialog, then, when a frame's "実　行" closed it, tracing on the
    // drawing picture with a line of that frame's kind.
    void begin();
    // "尾根筋継続" (style 0) / "谷筋継続" (style 1): the next click starts a new line.
    void continueWith(int style);
    // "作図終了": the points stay, the lines are shown on the map.
    void end();
    // "表示": shows or hides the lines.
    void toggleLines();
    // "初期状態に戻す": keeps only the points read with the plan.
    void revert();

    // The mouse on the drawing picture. Clicks are ignored while tracing is not active.
    void mouseMove(int x, int y);
    void leftClick(int x, int y);
    // A right click: the band to pop up at the mouse (tracing pauses until a choice is made),
    // or nothing while the drawing picture is not shown.
    std::optional<std::string> rightClick();

    // Tracing takes clicks now.
    bool active() const { return active_; }
    // The drawing picture is shown: from "作図" to "作図終了" or "初期状態に戻す".
    bool shown() const { return ctx_.map.drawingPictureShown && !ctx_.map.drawingPictureForSheet; }
    bool lineInProgress() const { return lineInProgress_; }
    int pendingKind() const { return pendingKind_; }

private:
    void showLineMenus();
    // The drawing picture gives way to the map picture and tracing stops.
    void stopTracing();
    // The map picture back to its background, and the overlays (the lines among them) over it.
    void redrawLines();

    MapContext& ctx_;
    SettingsDialog settingsDialog_;
    RubberBand band_;
    bool active_ = false;
    bool lineInProgress_ = false;
    int16_t pendingKind_ = 0;  // the kind the next clicked point gets
};

// The mouse mode of the tracing: in force while the drawing picture is shown. It takes every
// mouse event on the map and keeps only its pop-up's commands and leaving the map.
class RidgeValleyTracingMode : public MapMode {
public:
    explicit RidgeValleyTracingMode(RidgeValleyTracing& tracing) : tracing_(tracing) {}

    bool active() const override { return tracing_.shown(); }
    bool mouseMove(int x, int y) override;
    bool leftRelease(int x, int y) override;
    std::optional<std::string> rightRelease(int x, int y) override;
    std::optional<std::vector<ToolId>> keptCommands() const override;

private:
    RidgeValleyTracing& tracing_;
};

}  // namespace orv

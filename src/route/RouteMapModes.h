#pragma once
// The mouse modes of route creation on the route map (see map/MapMode.h): drawing a route with
// the mouse, editing route points, choosing the point of the reference route a new route
// continues from, and the normal mode beneath them, which shows the position under the cursor
// and offers the main band on a right click. Each works on the state of RouteCreation, so that
// every operation that begins or ends a creation or the edit mode begins or ends its mode.
#include "map/MapMode.h"
#include "route/RouteCreation.h"

#include <functional>

namespace orv {

// "ﾏｳｽでﾙｰﾄ作成" and the route continued from a reference point: armed, it takes the first left
// click; drawing, it takes every event, and only leaving the map stays possible until the right
// click ends the route (any redraw would wipe the lines drawn so far and the rubber band).
class RouteDrawingMode : public MapMode {
public:
    explicit RouteDrawingMode(RouteCreation& creation) : creation_(creation) {}

    bool active() const override { return creation_.drawing != RouteDrawing::Idle; }
    bool mouseMove(int x, int y) override;
    bool leftRelease(int x, int y) override;
    std::optional<std::string> rightRelease(int x, int y) override;
    std::string guide() const override { return kMouseRouteGuide; }
    std::optional<std::vector<ToolId>> keptCommands() const override;

private:
    bool drawing() const { return creation_.drawing == RouteDrawing::Drawing; }
    RouteCreation& creation_;
};

// "ルート編集": hovering picks a route point, the stepping keys step through the points, Delete
// deletes the current one (through `deletePoint`, which runs its command), and a right click
// offers the point commands.
class RouteEditingMode : public MapMode {
public:
    RouteEditingMode(RouteCreation& creation, std::function<void()> deletePoint)
        : creation_(creation), deletePoint_(std::move(deletePoint)) {}

    bool active() const override { return creation_.editing; }
    bool mouseMove(int x, int y) override;
    std::optional<std::string> rightRelease(int x, int y) override;
    bool key(MapKey key) override;

private:
    RouteCreation& creation_;
    std::function<void()> deletePoint_;
};

// "参照ﾙｰﾄ指定位置からﾏｳｽで作成": hovering picks a reference point, the stepping keys step through
// them, and a right click offers to continue from the chosen point.
class ReferenceStartMode : public MapMode {
public:
    explicit ReferenceStartMode(RouteCreation& creation) : creation_(creation) {}

    bool active() const override { return creation_.choosingReferenceStart; }
    bool mouseMove(int x, int y) override;
    std::optional<std::string> rightRelease(int x, int y) override;
    bool key(MapKey key) override;

private:
    RouteCreation& creation_;
};

// Beneath every other mode: the position read-out and the main band.
class NormalMode : public MapMode {
public:
    explicit NormalMode(RouteCreation& creation) : creation_(creation) {}

    bool active() const override { return true; }
    bool mouseMove(int x, int y) override;
    bool leftRelease(int x, int y) override;
    std::optional<std::string> rightRelease(int x, int y) override;

private:
    RouteCreation& creation_;
};

}  // namespace orv

// What the mouse and keys do on the map: a right click collects the played side's objects at the
// hex and selects one; a left press on an own corps selects it, dragging marks up to nine route
// steps, one hex each, and releasing writes its destination and route; the arrow keys, the
// minimap and the screen edges move the view. Coordinates are pixels of the map box (or of the
// minimap box). The window only draws what these procedures answer and opens the dialogs named.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/view/map_view_rules.h"

namespace kvt {

constexpr int kRouteMarkCount = 11;
constexpr int kRouteStepsDrawn = 9;

struct TRouteMark {
    std::uint8_t Used = 0;
    THexPos Hex;
    TBoxPoint Pixel;
    std::uint16_t Direction = 0;  // toward the next mark's hex, 0 none
};

struct TRouteMarks {
    std::uint16_t StepCount = 0;
    TRouteMark Marks[kRouteMarkCount];  // mark 0 is the corps' own hex
};

extern TRouteMarks RouteMarks;
extern bool RouteDrawing;   // a drag is under way
extern bool RouteEnabled;   // the selected corps may get a route
extern THexPos RouteLastHex;

enum class MapButton { Left, Right };

enum class OrderDialog { Army, City, Fleet, Corps };

// What the window does after a press on the map.
struct TMapClick {
    // The press collected what stands at the hex (a right click, or a left one that selected no corps).
    bool collected = false;
    // Several objects at the hex: show the choice dialog, then call FinishMapClick.
    bool chooseAmongSeveral = false;
    // Order dialogs to open, in this order, before FinishMapClick.
    std::vector<OrderDialog> open;
};

TMapClick MapMouseDown(MapButton button, int x, int y);
// After the choice dialog (which leaves the chosen position in SelectionList.Count) or the order
// dialogs of a click.
void FinishMapClick(const TMapClick& click);

// A route marker to draw on the map box: marker `direction` with its top-left at `at`.
struct TMarkerDraw {
    int direction = 0;
    TBoxPoint at;
};
// The pointer moved; answers the markers to draw, one for each step the drag added to the route
// on reaching a hex's centre (none when it added nothing).
std::vector<TMarkerDraw> MapMouseMove(int x, int y);
void MapMouseUp(MapButton button, int x, int y);

// The location label's text for the hex under box point (X, Y): "column,row".
std::string LocationText(int x, int y);

// View movements; each is followed by the window's repaint, which clamps the view.
enum class ViewKey { Left, Up, Right, Down, Other };
void ScrollViewByKey(ViewKey key);
enum class MapEdge { Top, Bottom, Left, Right };
void ScrollViewAtEdge(MapEdge edge);
// The minimap click at (X, Y) of the minimap box: that hex becomes the view's first.
void MoveViewToMinimapPoint(int x, int y);

// Clears the route and click state (fresh program state).
void ResetMapInput();

}  // namespace kvt

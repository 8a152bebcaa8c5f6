// Drawing of the map view: the pictures the window loads at start, and the composition of the map
// box's picture from the map picture, the control outlines and the symbols of the units the
// watching side may see. Which rectangles and units are drawn is decided by engine/view/map_view_rules.h; this
// file only copies them. Never changes the game.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

#include "engine/view/map_view_rules.h"
#include "gui/main/packed_picture.h"

class QPainter;

namespace kvt::gui {

struct TMapPictures {
    TPackedPicture Map;  // NEWMAP.BMP 2128 x 1512
    QImage Symbols;  // BASEIMG2.BMP   489 x 244
    QImage Labels;   // BASEIMG3.BMP   196 x 280
    QImage Markers;  // OBJECTIV.BMP   83 x 13
    QImage Minimap;  // KVTSMALL.BMP   76 x 54
};

// Loads the five pictures from the current folder (names found ignoring case). On failure names
// the file that could not be read and leaves `pictures` as it was.
bool LoadMapPictures(TMapPictures& pictures, QString* error);

// The view's part of the map picture with the hex grid over it when shown, kept between repaints:
// unpacking the view and drawing some 2,500 outline edges cost more than the rest of a repaint,
// and neither changes until the view, the grid switch, a hex's controlling side or the picture does.
class TMapBackdrop {
public:
    // The backdrop of the current view (which must be clamped), redrawn only if what it shows changed.
    const QImage& For(const TMapPictures& pictures);

private:
    QImage image_;
    std::uint64_t picture_ = 0;
    int column_ = 0, row_ = 0;
    bool grid_ = false;
    // The outline colour of every hex the view touches, while the grid shows; as drawn, and now.
    std::vector<std::uint32_t> outlines_, seen_;
};

// Composes the view into the map box's picture (1003 x 633): the map picture at the view origin, the
// hex grid when shown (both from `backdrop`), then fleets, corps and army headquarters. The view
// must be clamped.
void ComposeMapView(QImage& box, const TMapPictures& pictures, TMapBackdrop& backdrop);

// Single symbols at a hex's pixel position (x, y) of the box; the cell goes to (x+4, y+4).
void DrawCorpsSymbol(QPainter& p, const TMapPictures& pictures, int corps, TBoxPoint at);
void DrawFleetSymbol(QPainter& p, const TMapPictures& pictures, int fleet, TBoxPoint at);
void DrawArmySymbol(QPainter& p, const TMapPictures& pictures, int army, TBoxPoint at);
// Route marker `kind` (1..6) with its top-left at (x+8, y+8) of `box`; other kinds draw nothing.
void DrawMoveMarker(QImage& box, const TMapPictures& pictures, int kind, TBoxPoint at);
// Where that marker goes on the box; empty for a kind that draws nothing.
QRect MoveMarkerArea(int kind, TBoxPoint at);

// The minimap picture copied one to one into the minimap box.
void ComposeMinimap(QImage& box, const TMapPictures& pictures);
// The view's rectangle on the minimap, in red.
void DrawViewOnMinimap(QImage& box);

}  // namespace kvt::gui

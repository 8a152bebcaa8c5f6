// The map picture and the minimap, drawn from a compiled start point. The program draws no
// terrain, rivers, railroads, borders or cities of its own: all of it comes from here, hex for
// hex as the map grid and the city records hold it.
// Hex (c, r) has its 28 x 28 tile at ((c - 1) x 28, (r - 1) x 28), 14 lower for even c.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <array>
#include <vector>

#include "engine/view/map_view_rules.h"
#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"

namespace kvt::pictures {

constexpr int kMapPictureWidth = kMapColumns * kHexPixels;  // 2128
constexpr int kMapPictureHeight = kMapRows * kHexPixels;    // 1512

// Top-left of the tile of hex (c, r).
QPoint HexTile(int column, int row);
// The painted hex, corner by corner from the west point clockwise. Its lines are those of the
// program's "Hex Grid" outline, (x+8, y)-(x+24, y)-(x+32, y+15)-(x+24, y+31), as far as hexes that
// tile a 28-pixel pitch allow: 36 wide with a 20-pixel top and bottom, centred on (x+14, y+14).
std::array<QPoint, 6> HexCorners(int column, int row);
QPointF HexCentre(int column, int row);
// The part of the map the map box shows with the view's first column and row.
QRect ViewRect(int viewColumn, int viewRow);

// Colour of a terrain class on the minimap; the map uses the same hues, lighter.
QColor MinimapColour(int terrainClass);

QImage DrawMapPicture(const TGameRec& rec, const TMapGrid& map);
// The railroads as the map draws them, hex to hex (a QPoint holds a column and a row): the lines
// joining the stations and running on over the rail hexes, and the spurs from a line to a rail hex
// beside it. Every hex a rail move may use is on a line or at the end of a spur.
struct RailroadPlan {
    std::vector<std::pair<QPoint, QPoint>> lines;
    std::vector<std::pair<QPoint, QPoint>> spurs;
};
RailroadPlan PlanRailroads(const TGameRec& rec, const TMapGrid& map);
// One pixel per hex: hex (c, r) at pixel (c, r), so a click on a hex's pixel sets the view to
// that very column and row; pixel row 0 and column 0 are a dark edge.
QImage DrawMinimap(const TMapGrid& map);

}  // namespace kvt::pictures

// The map picture and the minimap, drawn from a compiled start point. The program draws no
// terrain, rivers, railroads, borders or cities of its own: all of it comes from here, hex for
// hex as the map grid and the city records hold it.
// Hex (c, r) has its 28 x 28 tile at ((c - 1) x 28, (r - 1) x 28), 14 lower for even c.
#pragma once

#include <QImage>
#include <QRect>

#include "engine/core/game_record.h"
#include "engine/core/map_grid.h"

namespace kvt::pictures {

constexpr int kHexPixels = 28;
constexpr int kMapPictureWidth = kMapColumns * kHexPixels;  // 2128
constexpr int kMapPictureHeight = kMapRows * kHexPixels;    // 1512
constexpr int kViewWidth = 1003;
constexpr int kViewHeight = 633;

// Top-left of the tile of hex (c, r).
QPoint HexTile(int column, int row);
// The part of the map the map box shows with the view's first column and row.
QRect ViewRect(int viewColumn, int viewRow);

// Colour of a terrain class on the minimap; the map uses the same hues, lighter.
QColor MinimapColour(int terrainClass);

QImage DrawMapPicture(const TGameRec& rec, const TMapGrid& map);
// One pixel per hex: hex (c, r) at pixel (c, r), so a click on a hex's pixel sets the view to
// that very column and row; pixel row 0 and column 0 are a dark edge.
QImage DrawMinimap(const TMapGrid& map);

}  // namespace kvt::pictures

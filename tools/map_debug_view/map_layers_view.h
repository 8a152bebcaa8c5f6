// Pictures of a start point's map layers for checking the geography by eye: terrain with cities and
// their names, states with the controlling side, rivers with river navigation and the hexside
// obstacles, and the railways. Nothing here is shown to a player.
#pragma once

#include <QImage>

#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"

namespace kvt::debugview {

enum class Layer { Terrain, States, Rivers, Rail };

// The whole map at 28 pixels a hex, as the game lays hexes out.
QImage DrawLayer(const TGameRec& game, const TMapGrid& map, Layer layer);

}  // namespace kvt::debugview

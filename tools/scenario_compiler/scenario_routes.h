// Connections between cities on the compiled map, as the supply rules look for them: along own rail,
// along navigable rivers, by road within a few hexes, and by sea. Rail, river and sea are the game's
// own breadth-first searches. The game's road search is a randomized walk that no compiler can
// repeat; its stand-in here is a breadth-first search over the same hexes (own-controlled land, no
// impassable hexside, at most 9 steps), which finds a road whenever one exists, where the game's
// walks may miss a winding one. A city reaches itself (a search whose start is its destination).
#pragma once

#include "engine/core/game_record.h"
#include "engine/core/map_grid.h"

namespace kvt::scenario {

enum class Mode { Rail, River, Road, Sea };

// Least number of steps from one hex to another over the hexes the mode admits (the destination must
// be admitted itself; the start need not be); -1 when none within maxSteps. Rail and road admit only
// hexes whose controlling side is `side` (any side when it is negative); road never crosses a hexside
// of value 3.
int RouteSteps(const TMapGrid& map, Mode mode, int side, int x1, int y1, int x2, int y2, int maxSteps);

// How city a reaches city b for a's nation: 1 rail, 2 sea, 3 river, 4 road, 0 none; a city held by
// no nation reaches nothing. Rail and road run over hexes of that nation's side; sea needs both to
// be ports and the nation to command the sea.
int CityRouteKind(const TGameRec& g, const TMapGrid& map, int a, int b);

// The supply-source mark of every city (0..4) as the game computes it when a start point is loaded.
void ComputeSupplySources(TGameRec& g, const TMapGrid& map);

}  // namespace kvt::scenario

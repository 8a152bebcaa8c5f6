// Supply sources: which cities supply corps, and how strongly; and the computer nations' sharing of
// supplies between their three theatre pools.
//
// Supply-source codes of a city: 0 none; 1 a sea port of the Union or Britain while that nation has
// transports afloat; 2 joined by a route to a source; 3 a state capital joined to another city of
// its state; 4 a city of its state's controlling side with no route, which supplies nobody.
#pragma once

#include "engine/world/game_record.h"

namespace kvt {

enum : int { kRouteNone = 0, kRouteRail = 1, kRouteSea = 2, kRouteRiver = 3, kRouteRoad = 4 };

// How city a reaches city b for a's nation: river or rail within 25 hexes, road within 9 over
// hexes a's nation controls, else by sea when both are ports and a's nation rules the sea. A city
// reaches itself. May draw random numbers (the route searches break ties by draws).
int CityRouteKind(int a, int b);

// Rewrites the supply-source code of every city. A rail or river route between cities in areas no
// route joins is known without its search (which would find nothing and draw nothing).
void UpdateSupplySources();
// The same, every route searched: the reference the quicker pass is held to.
void UpdateSupplySourcesFullRescan();

// A computer nation's supply need per theatre (TheatreLoad) and the sharing of its pools: a short
// theatre takes up to its deficit from each theatre with a surplus, then is topped up to its need.
void AllocateTheatreSupplies(int nation);

// Supplies a corps draws in a turn: its brigades times (priority + 1) times its nation's factor.
int CorpsSupplyNeed(const TCorpsRec& corps);

}  // namespace kvt

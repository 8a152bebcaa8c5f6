// Questions many rules ask of the shared game record: who is being played, whether an enemy stands
// on a hex. They read GameRec and change nothing.
#pragma once

#include <cstdint>
#include <span>

#include "engine/world/game_record.h"

namespace kvt {

// The side of the nation being played; 0 while nobody plays.
int SideBeingPlayed();

// Whether a supply message about the nation's corps may be shown, or the sacking of a city they
// take put to its player: always when the game is played at one screen; in a mail game (kinds 2
// to 4) only when the nation is the side to move, whose player executes the turn. The absent
// opponent's other notices and his moves still show.
bool OwnForcesMessageShown(int nation);

// Whether a corps in use of another side than `side` stands on hex (x, y). Sides, not nations:
// allies share a side.
bool EnemyCorpsOn(int x, int y, int side);

// For a pass in which corps change hex or leave use only as the pass tells: the corps' hexes,
// sides and use are copied once now, with each column's corps, and EnemyCorpsOn and CorpsNear read
// the copy until Release.
// The pass refreshes a corps it has moved or ended with RefreshCorpsSpot.
void HoldCorpsSpots();
void RefreshCorpsSpot(int corps);
void ReleaseCorpsSpots();

// The corps, in use or not, within `reach` columns and rows of hex (x, y), in index order, into
// `out`; the number written.
int CorpsNear(int x, int y, int reach, std::span<std::uint8_t, kCorpsCount> out);

}  // namespace kvt

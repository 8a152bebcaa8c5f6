// Shared questions about the game record.
#include "engine/world/record_queries.h"

#include "engine/world/globals.h"

namespace kvt {

int SideBeingPlayed() { return GameRec->Nations[SidePlayed].Side; }

bool OwnForcesMessageShown(int nation) {
    const TGameRec& g = *GameRec;
    const bool mail = g.GameKind >= 2 && g.GameKind <= 4;
    // SidePlayed is cleared while a turn runs; in a mail game it is always the side to move.
    return !mail || nation == g.SideToMove;
}

bool EnemyCorpsOn(int x, int y, int side) {
    // Asked by land searches and steps by the ten thousand: four corps a round, the column first.
#pragma GCC unroll 4
    for (const TCorpsRec& k : GameRec->Corps)
        if (k.HexX == x && k.HexY == y && CorpsInUse(k) && k.Side != side) return true;
    return false;
}

}  // namespace kvt

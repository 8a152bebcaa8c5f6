// Questions many rules ask of the shared game record: who is being played, whether an enemy stands
// on a hex. They read GameRec and change nothing.
#pragma once

namespace kvt {

// The side of the nation being played; 0 while nobody plays.
int SideBeingPlayed();

// Whether a corps in use of another side than `side` stands on hex (x, y). Sides, not nations:
// allies share a side.
bool EnemyCorpsOn(int x, int y, int side);

}  // namespace kvt

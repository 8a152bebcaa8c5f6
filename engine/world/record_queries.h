// Questions many rules ask of the shared game record: who is being played, whether an enemy stands
// on a hex. They read GameRec and change nothing.
#pragma once

namespace kvt {

// The side of the nation being played; 0 while nobody plays.
int SideBeingPlayed();

// Whether a message about the nation's own forces may be shown, or a choice for them put, at the
// screen: always when the game is played at one screen; in a mail game (kinds 2 to 4) only for the
// side to move, whose player executes the turn, so that the absent opponent's forces stay private
// and his choices his own.
bool OwnForcesMessageShown(int nation);

// Whether a corps in use of another side than `side` stands on hex (x, y). Sides, not nations:
// allies share a side.
bool EnemyCorpsOn(int x, int y, int side);

}  // namespace kvt

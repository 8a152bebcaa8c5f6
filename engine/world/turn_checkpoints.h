// Points inside a turn where a watcher may look at the game: the headless runner's checks and the
// whole-campaign tests test their invariants there. Nothing is called while no watcher is set; a
// watcher must not change the game.
#pragma once

#include <functional>

namespace kvt {

enum class TurnCheckpoint {
    ComputerPlayersPlanned,  // the computer players have given the turn's orders
    BattlesDue,              // after movement and the fleets' unloading, before the turn's battles
    AssignedCorpsEmbarked,   // after movement, fleets have taken their assigned corps aboard
    CorpsLostAtSea,          // a corps is about to be lost with its fleet; index is the corps
};

using TTurnWatcher = std::function<void(TurnCheckpoint point, int index)>;

// Replaces the watcher (an empty one removes it).
void SetTurnWatcher(TTurnWatcher watcher);
void PassTurnCheckpoint(TurnCheckpoint point, int index = 0);

}  // namespace kvt

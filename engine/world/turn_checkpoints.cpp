// The turn's checkpoints.
#include "engine/world/turn_checkpoints.h"

#include <utility>

namespace kvt {

namespace {
TTurnWatcher& Watcher() {
    static TTurnWatcher watcher;
    return watcher;
}
}  // namespace

void SetTurnWatcher(TTurnWatcher watcher) { Watcher() = std::move(watcher); }

void PassTurnCheckpoint(TurnCheckpoint point, int index) {
    if (Watcher()) Watcher()(point, index);
}

}  // namespace kvt

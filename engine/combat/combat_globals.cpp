// The combat rules' globals back to the state of a fresh program.
#include "engine/combat/combat_globals.h"

#include "engine/combat/battle_state.h"

namespace kvt {

void ResetCombatGlobals() {
    ResetBattleGlobals();
}

}  // namespace kvt

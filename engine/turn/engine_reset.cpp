// Each rung clears its own globals; the top calls them all.
#include "engine/turn/engine_reset.h"

#include "engine/combat/combat_globals.h"
#include "engine/forces/forces_globals.h"
#include "engine/logistics/logistics_globals.h"
#include "engine/movement/movement_globals.h"
#include "engine/orders/orders_globals.h"
#include "engine/turn/playback.h"
#include "engine/view/view_globals.h"
#include "engine/world/globals.h"

namespace kvt {

void ResetEngineGlobals() {
    ResetWorldGlobals();
    ResetForcesGlobals();
    ResetMovementGlobals();
    ResetCombatGlobals();
    ResetLogisticsGlobals();
    ResetViewGlobals();
    ResetOrdersGlobals();
    ResetPlayback();
}

}  // namespace kvt

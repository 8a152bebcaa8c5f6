// The logistics rules' globals back to the state of a fresh program.
#include "engine/logistics/logistics_globals.h"

#include "engine/logistics/draft.h"
#include "engine/logistics/fleet_movement.h"

namespace kvt {

void ResetLogisticsGlobals() {
    ResetDraftTallies();
    CheckInterceptionOnEveryStep(false);
}

}  // namespace kvt

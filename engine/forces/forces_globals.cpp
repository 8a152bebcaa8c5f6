// The forces rules' globals back to the state of a fresh program.
#include "engine/forces/forces_globals.h"

#include "engine/forces/brigade_rules.h"
#include "engine/forces/force_tally.h"

namespace kvt {

void ResetForcesGlobals() {
    ResetBrigadeRuleGlobals();
    ResetForceTally();
}

}  // namespace kvt

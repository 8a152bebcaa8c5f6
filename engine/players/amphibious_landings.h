// Landings by sea: the computer picks an enemy port, gathers a fleet and corps for it (plan tag 9),
// and free fleets with an assigned corps take it on board toward their target.
#pragma once

namespace kvt {

// The nation's amphibious plan, run by its plan driver before its other plans.
void PlanAmphibiousLanding(int nation);
void EmbarkAssignedCorps();

}  // namespace kvt

// Rules of other areas that the turn already calls but that are not written yet. Until each is
// written the turn runs without it; whoever writes a rule deletes its line here.
#include "engine/logistics/draft.h"
#include "engine/logistics/procurement.h"
#include "engine/logistics/state_economy.h"
#include "engine/logistics/upkeep.h"
#include "engine/players/amphibious_landings.h"
#include "engine/players/confederate_plans.h"
#include "engine/players/union_plans.h"

namespace kvt {

void UpdateStateEconomy() {}
void UpdateNationalWill() {}
void ComputerProcurement() {}
void ComputerSideUpkeep() {}
void EmbarkAssignedCorps() {}
// The computer players' landings and fixed plans: until written, their drivers run without them.
void PlanAmphibiousLanding(int) {}
void UsaPlan1() {}
void UsaPlan2() {}
void UsaPlan3() {}
void UsaPlan4() {}
void UsaPlan5() {}
void UsaPlan6() {}
void UsaPlan7() {}
void CsaPlan10() {}
void CsaPlan11() {}
void CsaPlan12() {}
void CsaPlan13() {}
void CsaPlan14() {}
}  // namespace kvt

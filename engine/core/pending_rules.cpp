// Rules of other areas that the turn already calls but that are not written yet. Until each is
// written the turn runs without it; whoever writes a rule deletes its line here.
#include "engine/core/pending_rules.h"

#include "engine/core/globals.h"
#include "engine/combat/battle_replay.h"
#include "engine/players/amphibious_landings.h"
#include "engine/players/confederate_plans.h"
#include "engine/players/union_plans.h"

namespace kvt {

TPlaceholderCalls PlaceholderCalls;

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
void ShowReplayCombatResolution() {
    PlaceholderCalls.battleReplays.push_back("resolution " + std::to_string(BattleLogLine));
}
void ShowReplayBattleResults() {
    PlaceholderCalls.battleReplays.push_back("results " + std::to_string(BattleLogLine));
}
}  // namespace kvt

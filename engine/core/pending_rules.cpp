// Rules of other areas that the turn already calls but that are not written yet. Until each is
// written the turn runs without it; whoever writes a rule deletes its line here.
#include "engine/core/pending_rules.h"

#include "engine/core/globals.h"
#include "engine/combat/battle_replay.h"

namespace kvt {

TPlaceholderCalls PlaceholderCalls;

void ShowReplayCombatResolution() {
    PlaceholderCalls.battleReplays.push_back("resolution " + std::to_string(BattleLogLine));
}
void ShowReplayBattleResults() {
    PlaceholderCalls.battleReplays.push_back("results " + std::to_string(BattleLogLine));
}
}  // namespace kvt

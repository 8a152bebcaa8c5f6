// The replay of a recorded field battle from the battle history, read on from BattleLogLine.
#pragma once

namespace kvt {

void ShowReplayCombatResolution();
void ShowReplayBattleResults();

}  // namespace kvt

// The battle dispatcher: every land battle and assault of a turn, fought after movement.
#pragma once

namespace kvt {

void ResolveBattles();
// The same battles closed by the plain recount, which weighs every corps by its brigades again
// rather than as the last battle counted them: the reference the tests hold ResolveBattles to.
void ResolveBattlesFullRescan();

}  // namespace kvt

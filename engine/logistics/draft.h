// The monthly draft: every nation raises recruits from its states' output against its volunteer
// bounty, splits them into infantry, cavalry, artillery and naval recruits, and raises a brigade
// wherever a state's recruits reach one; computer nations set their bounty and may appeal for
// troops, which can set off draft riots. Men are counted in units of 50.
// Shows the appeal and riot notices through the notice service; never waits otherwise.
#pragma once

namespace kvt {

// The turn's entry point of the monthly draft (first turn of a month): RaiseMonthlyRecruits.
void UpdateNationalWill();

// Recruits of every nation, then AdjustComputerDraft.
void RaiseMonthlyRecruits();
// The computer nations' recruitment shares, the border states' transfers and every state's split
// of its new recruits, raising at most one brigade of each arm per state.
void AdjustComputerDraft();
// Riots in the nation's states after an appeal: each state whose loyalty falls below a draw costs
// the nation twice the state's political value in will.
void CheckDraftRiots(int nation);

// Will the nation (1..4) has lost to draft riots since the program state was reset.
int WillLostToRiots(int nation);
void ResetDraftTallies();

}  // namespace kvt

// Supply of the corps from their supply cities and the theatre pools, twice a turn: before movement
// (no losses) and after it (attrition). Levels L are attrition percentages of sorts: a depot corps
// starts at 3, an encamped one at 1, a foraging one at its terrain's level; a corps cut off from its
// supply city falls back to foraging. Besieged garrisons lose 5..15 percent in both calls.
#pragma once

namespace kvt {

constexpr int kSupplyBeforeMovement = 0;
constexpr int kSupplyAfterMovement = 1;

void SupplyCorps(int when);

// The attrition level of a corps foraging on hex (x, y).
int ForageLevel(int x, int y, int corps);

// Strength points (50 men each) the corps loses at level L, already taken off its brigades.
int CorpsAttrition(int corps, int level);

}  // namespace kvt

// The combat rules' own globals (the battle being fought), cleared as one.
#pragma once

namespace kvt {

void ResetCombatGlobals();

}  // namespace kvt

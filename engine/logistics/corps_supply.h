// Supply of the corps from their supply cities and the theatre pools.
#pragma once

namespace kvt {

constexpr int kSupplyBeforeMovement = 0;
constexpr int kSupplyAfterMovement = 1;

void SupplyCorps(int when);

}  // namespace kvt

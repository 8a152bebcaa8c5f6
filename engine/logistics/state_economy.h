// The monthly economy of the states.
#pragma once

namespace kvt {

void UpdateStateEconomy();

}  // namespace kvt

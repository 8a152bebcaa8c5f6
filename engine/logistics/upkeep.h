// End-of-turn upkeep: refills of the computer sides, fleet construction and refit.
#pragma once

namespace kvt {

void ComputerSideUpkeep();

}  // namespace kvt

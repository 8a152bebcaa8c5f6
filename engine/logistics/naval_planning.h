// The computer's navy planner: ships counted by class (ocean and river ironclads and wooden
// warships, ocean transports), targets set from the enemy's fleets, recruitment shifted toward the
// navy early in the month, yards added in ports, and ships ordered through BuildShipsAtCity until
// the deficits are met or 51 tries are spent. Counts are ships; fleets of 24 or 25 turns' building
// are not counted yet.
#pragma once

namespace kvt {

// Once a turn for each computer nation (1..4), from the end-of-turn upkeep.
void PlanNavalBuilds(int nation);

}  // namespace kvt

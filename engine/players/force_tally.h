// The own and enemy strength around a city for one nation, read by the force recount's army values,
// the end-of-turn upkeep and the computer players' city scores. Strength is in units of 50 men.
// Reads the record only; the results go to the shared tally words, which every call overwrites.
#pragma once

#include <cstdint>

namespace kvt {

// The tally words. Own counts its side's corps (allies included) and starts at 1, so it can divide.
extern std::uint16_t OwnTally;
extern std::uint16_t EnemyTally;
extern std::uint16_t EnemyReadinessTally;
extern std::uint16_t EnemyCorpsTally;
// The highest-numbered corps of the city's holder standing on the city, 0 none.
extern std::uint16_t HolderCorpsOnCity;

// Corps of the nation's side closer than `range` hexes add their whole strength to OwnTally; any
// other corps that close adds its strength divided by (distance + 1) to EnemyTally, its readiness to
// EnemyReadinessTally and 1 to EnemyCorpsTally. A city outside 1..86 leaves the empty tally (own 1).
// The computer players' own tallies, which differ in their starts, weights and distances, are to
// come as a further argument choosing the variant; every variant fills the same words.
void TallyForcesNearCity(int city, int nation, int range);

void ResetForceTally();

}  // namespace kvt

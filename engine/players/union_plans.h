// The Union's fixed plans: each a state machine in its own plan slot (1..7) that watches named
// states and cities of the scenario and claims corps, armies and cities with its number. Plans 1-3
// defend threatened regions and then counter-attack with the corps they claimed (never corps an
// army commands); plans 4-7 send armies against the Confederate heartland. Distances are in hexes.
// Draws nothing and never waits.
#pragma once

namespace kvt {

void UsaPlan1();
void UsaPlan2();
void UsaPlan3();
void UsaPlan4();
void UsaPlan5();
void UsaPlan6();
void UsaPlan7();

// The Union tally around the city (own and enemy start at 1, distances doubled across theatres);
// answers the nearest untagged corps of the nation's side within the range, in an army or not.
int UsaFindNearestCorps(int city, int nation, int range);
// The city of the corps' theatre not held by the nation's side with the best score less ten per
// hex of distance; 0 when none is worth anything.
int UsaChooseTargetCity(int nation, int corps);
// Sends the nearest free Union corps within 5 hexes to the city under the tag, marching hard;
// answers whether it already stands within 2 hexes of it.
bool UsaSendCorpsToCity(int city, int tag);
// The two cities of the state not held by the Union most worth taking from the given city (five
// per point of value, less the distance); 0 for none.
void UsaPickStateTargets(int state, int city, int& best, int& second);

}  // namespace kvt

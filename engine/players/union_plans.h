// The Union's fixed plans: each a state machine in its own plan slot (1..7) that watches named
// states and cities of the scenario and claims corps, armies and cities with its number.
#pragma once

namespace kvt {

void UsaPlan1();
void UsaPlan2();
void UsaPlan3();
void UsaPlan4();
void UsaPlan5();
void UsaPlan6();
void UsaPlan7();

}  // namespace kvt

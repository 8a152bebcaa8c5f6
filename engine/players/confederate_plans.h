// The Confederacy's fixed plans: each a state machine in its own plan slot (10..14) that watches
// named states and cities of the scenario and claims corps, armies and cities with its number.
#pragma once

namespace kvt {

void CsaPlan10();
void CsaPlan11();
void CsaPlan12();
void CsaPlan13();
void CsaPlan14();

}  // namespace kvt

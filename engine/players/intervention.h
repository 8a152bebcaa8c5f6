// France and Britain enter the war on the Confederate side once their attitude has fallen far
// enough (Britain at 0, France below 2); France may also take Texas under its protection by an
// offer. Both run on the first turn of every month, from the political phase.
#pragma once

namespace kvt {

void BritainJoinsWar();
void FranceJoinsWar();

// The state France may take under its protection.
constexpr int kOfferedState = 23;

}  // namespace kvt

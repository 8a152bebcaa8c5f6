// What the monthly rules and the end-of-turn upkeep share: which nation and theatre numbers are
// real, and the supply reserve a theatre keeps back before the computer spends on upkeep.
// A state or city naming a nation outside 1..4 or a theatre outside 1..3 is skipped by every rule.
#pragma once

#include "engine/world/globals.h"

namespace kvt {

inline bool IsHomeFrontNation(int n) { return n >= 1 && n <= kNationCount; }
inline bool IsHomeFrontTheatre(int t) { return t >= 1 && t <= kTheatreCount; }

// Four turns' supply need on day 1, three on day 11, one on day 21.
inline long long SupplyReserve(const TNationRec& n, int theatre) {
    if (!IsHomeFrontTheatre(theatre)) return 0;
    return static_cast<long long>((32 - GameRec->Day) / 7) * n.TheatreLoad[theatre];
}

}  // namespace kvt

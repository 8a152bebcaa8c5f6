// Short reads of the record in play for the rules: the record itself, whether an index names a
// record of its table (1..count; 0 means "none" and names nothing), and the border states.
#pragma once

#include "engine/world/globals.h"

namespace kvt {

inline TGameRec& G() { return *GameRec; }

inline bool IsNation(int n) { return Arr1<TNationRec, kNationCount>::InRange(n); }
inline bool IsState(int s) { return Arr1<TStateRec, kStateCount>::InRange(s); }
inline bool IsCity(int c) { return Arr1<TCityRec, kCityCount>::InRange(c); }
inline bool IsLeader(int l) { return Arr1<TLeaderRec, kLeaderCount>::InRange(l); }
inline bool IsTheatre(int t) { return t >= 1 && t <= kTheatreCount; }

// Missouri (19) and Kentucky (20), claimed by both sides: either may raise forces in the cities it
// holds there, and their cities change hands between the sides rather than going back home.
inline bool IsBorderState(int s) { return s == 19 || s == 20; }

}  // namespace kvt

// Free corps and army records taken for a new command, each given the lowest free ordinal of its
// nation. Ordinals are reused: a new corps fills the first gap in its nation's numbering.
#pragma once

#include "engine/world/game_record.h"

namespace kvt {

// The first free corps record, given to the nation (1..4); 0, changing nothing, when none is free.
int AllocateCorpsSlot(int nation);
// The first orders and figures of a corps formed at the city (1..86) under the leader, whether the
// player raised it or the computer formed it: standing at the city and bound for it, in camp,
// supplied from it, at the first march, condition 10, quality 1, the nation's and the leader's.
void StationNewCorps(TCorpsRec& corps, int city, int nation, int leader);
// The first free army record, given to the nation (1..4); 0 when none is free.
int AllocateArmySlot(int nation);
// Dissolves an army for good: its commander is relieved (RelieveLeader), its name goes back to its
// side's pool, its nation counts one army less, and the slot is freed whole (DisbandArmy).
void DissolveArmy(int army);
// Marks a leader whose command has ended as relieved (Status 200). A wounded, captured or killed
// man, one not yet available and one marked for removal keep their marks; leader 0 is nobody.
void RelieveLeader(int leader);

}  // namespace kvt

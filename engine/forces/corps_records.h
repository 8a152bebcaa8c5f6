// Freeing army and corps records: disbanding an army or a corps, and clearing a corps slot whose
// brigades and leader have been settled. Shared by every rule that ends a command.
#pragma once

#include <cstdint>

#include "engine/world/corps_codes.h"
#include "engine/world/game_record.h"

namespace kvt {

// An army whose headquarters city is gone frees its slot for a new army.
void ReleaseBaselessArmies();
// Frees army a (1..15) and detaches its corps.
void DisbandArmy(int army);
// Frees corps c (1..120): its nation's brigades join a neighbouring corps of its nation and side
// with room, else the garrison of the nearest own city beside it; the rest are disbanded with a
// notice. The corps and garrisons are recounted afterwards.
void DisbandCorps(int corps);
// Marks corps record c free with `mark` (kCorpsFreed, or kCorpsDestroyed for a corps sunk in
// battle) and clears it (its route and steps stay for the playback), and takes it off any fleet
// carrying it. Its brigades and its leader are the caller's to settle first.
void FreeCorpsRecord(int corps, std::uint8_t mark = kCorpsFreed);
// The corps record cleared whole but for its route and steps, which a playback may still show.
TCorpsRec ClearedCorpsRecord(const TCorpsRec& corps);
// A corps that ends where it stands (absorbed into a garrison, worn away to nothing): a leader still
// active on it becomes available, then its slot is cleared. Its brigades must have gone already.
void EndCorps(int corps);

}  // namespace kvt

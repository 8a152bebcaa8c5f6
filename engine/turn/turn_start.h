// The start of a turn: Execute with its gate on the players' orders, and the pre-movement phase
// (autosave, command clean-up, calendar, weather, the monthly home front, the rules that act before
// units move, and the start positions that playback returns to). Never waits itself: every wait
// goes through the Frontend.
#pragma once

#include "engine/movement/corps_movement.h"
#include "engine/world/game_record.h"

namespace kvt {

// The Execute command: starts the turn once every person-played side has given its orders (at once
// in a mail game), else tells who has not. The movement then runs one MovementTick per timer tick.
void ExecuteTurn();

void PreMovementPhase();

// Each leader keeps one command: an army leader his highest-numbered army and no corps, any other
// leader his highest-numbered corps; a leader marked for removal who heads nothing is removed.
void CommandCleanUp();

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

// Progress shown by a theatre's weather gauge for weather value w.
int WeatherGaugeProgress(int weather);
// Sets the three weather gauges from the theatres' weather.
void ShowWeatherGauges();

}  // namespace kvt

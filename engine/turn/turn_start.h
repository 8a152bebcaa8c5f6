// The start of a turn: Execute with its gate on the players' orders, and the pre-movement phase
// (autosave, command clean-up, calendar, weather, the monthly home front, the rules that act before
// units move, and the start positions that playback returns to). Never waits itself: every wait
// goes through the Frontend.
#pragma once

#include <string>

#include "engine/world/game_record.h"

namespace kvt {

// The Execute command: starts the turn once every person-played side has given its orders (at once
// in a mail game), else tells who has not. The movement then runs one MovementTick per timer tick.
void ExecuteTurn();

void PreMovementPhase();
// Whether the Autosave of the last pre-movement phase was refused (the player has been told).
bool AutosaveFailed();
// Why it was, with the file or folder and the system's words; empty after an Autosave that was kept.
const std::string& AutosaveTrouble();

// Each leader keeps one command: an army leader his highest-numbered army and no corps, any other
// leader his highest-numbered corps; a leader marked for removal who heads nothing is removed.
void CommandCleanUp();
// The same clean-up looking at every leader's commands: the reference the tests hold it to.
void CommandCleanUpFullRescan();

// Progress shown by a theatre's weather gauge for weather value w.
int WeatherGaugeProgress(int weather);
// Sets the three weather gauges from the theatres' weather.
void ShowWeatherGauges();

}  // namespace kvt

// The globals that the rules share: the record and map, the side played, the selections, the view
// origin and the game file name. They live here; ResetEngineGlobals clears them with the rest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"

namespace kvt {

// The one game-state record and map, allocated once for the whole run.
extern TGameRec* GameRec;
extern TMapGrid* MapGrid;

// 0 in play; 1 while a game loads or once the campaign has ended at its date; 2 after the
// Confederacy capitulated, 3 after the Union capitulated.
extern std::uint16_t GameStatus;
// Side whose orders are being given (0 none); the computer players borrow it for the nation in hand.
extern std::uint16_t SidePlayed;

extern std::uint16_t SelectedCorps;
extern std::uint16_t SelectedFleet;
extern std::uint16_t SelectedArmy;
extern std::uint16_t SelectedCity;
extern std::uint16_t SelectedLeader;

// Map view: first column and row shown.
constexpr int ViewColumns = 35;
constexpr int ViewRows = 22;
extern std::uint16_t ViewColumn;
extern std::uint16_t ViewRow;
extern bool HexGridShown;
extern bool FleetMovesShown;
// Highest first column and row of the view: the last columns and rows still fill the box.
constexpr int kLastViewColumn = kMapColumns - ViewColumns;  // 41
constexpr int kLastViewRow = kMapRows - ViewRows;           // 32
// Makes the first column odd and keeps it within 1..41 and the first row within 1..32.
void ClampView();

// The current game's file name without its extension, dot kept ("1861." for "1861.kvt").
extern std::string GameFileBase;

// Battle history of a mail game's turn, one text line per entry.
extern std::vector<std::string> BattleLog;
// The line of BattleLog being read while a turn's battles are played back (counted from 0).
extern std::uint16_t BattleLogLine;

// Movement of a turn: 1 when the next tick works the fleet pass, 0 for the corps pass; set once the
// twentieth step is reached, so the tick ends the movement.
extern std::uint8_t FleetPassDue;
extern std::uint8_t MovementEnded;
// The turn's progress gauge, 0..300; change it through SetTurnProgressGauge.
extern int TurnProgressGauge;
void SetTurnProgressGauge(int value);
// Set while the mail turn in play has been executed by the player at this screen and not yet
// handed over: executed in this run, or read back from a save whose history lacks the hand-over
// marker. Only then may a save pass the executed turn on.
extern bool MailTurnExecuted;
// The history a received mail game was loaded without, empty when it came with its history. Such a
// game is kept from being saved: its history written now would read as the mover's own unsent
// turn, and the turn could be handed over unplayed.
extern std::string MailHistoryMissing;
// Set once this program has handed the mail turn in play over to the opponent: until a game is
// loaded or started it plays no side, for the side to move is now the opponent's.
extern bool MailTurnHandedOver;

// The movement timer's switch. The engine owns the state; the window's timer follows it.
bool Timer1Enabled();
void SetTimer1Enabled(bool on);
// The movement timer's interval in milliseconds: 1000 until a delay is chosen, never saved.
int Timer1Interval();
void SetTimer1Interval(int milliseconds);

// Clears the record, the map and the other globals of the record in play to the state of a fresh
// program; ResetEngineGlobals (turn/engine_reset.h) clears every subsystem's with them.
void ResetWorldGlobals();

// Clears the five selections.
void ClearSelections();

}  // namespace kvt

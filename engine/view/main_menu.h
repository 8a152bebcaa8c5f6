// The main window's settings toggles, the command check of leaders and the confirmation of Quit.
// The window calls these and repaints; the menus' enabled states are engine state (turn_menus.h).
#pragma once

namespace kvt {

// "Hidden Enemy": from everything shown back to the side played, from anything else to everything
// shown. Answers whether the item is checked (the enemy hidden).
bool ToggleHiddenEnemy();
// Whether "Hidden Enemy" is checked.
bool HiddenEnemyChecked();
// "Hex Grid" and "Visible Fleet Moves"; each answers the new state.
bool ToggleHexGrid();
bool ToggleFleetMoves();

// The movement delay chosen with button 1 (very fast) .. 5 (very slow): the game records the
// choice and the timer takes its interval (100, 200, 300, 600, 1000 ms). Other buttons change nothing.
void SetMovementDelay(int button);

// Reports every leader of the side played who holds more than one command, or that none does.
void CheckCommands();

// Asks whether to quit; on yes the game ends (GameStatus 1) and true is answered.
bool ConfirmQuit();

}  // namespace kvt

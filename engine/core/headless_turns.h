// Whole turns without a window, for the headless runner, soak tests and benchmarks: the computer
// plays both sides, the automatic frontend answers every wait, and the movement ticks run in a
// loop instead of on the window's timer.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace kvt {

// FNV-1a over the record and the map: equal for byte-identical games.
std::uint64_t GameChecksum();

// Hands both sides to the computer. A mail game is refused (false): it needs its two players.
bool HandGameToComputer();

// Executes one turn and runs its movement to the end. False when the turn did not start or its
// movement did not end.
bool PlayHeadlessTurn();

// Plays up to `turns` turns on the game in play, one line per turn: the turn's number, the date
// after it and the checksum, followed with `report` by the report's columns (turn_report.h; the
// stock ledger is kept on for them). Stops early when the game ends. Returns the turns played.
int PlayHeadlessTurns(int turns, std::ostream& out, bool report = false);

// Reads a game, gives it to the computer and plays it (the runner's whole work). A saved game takes
// the data marks of the Open dialog; the three start points do not. Returns an exit
// status; `error` says why a game could not be played.
int RunHeadlessGame(const std::string& file, int turns, std::uint64_t seed, std::ostream& out, std::string* error,
                    bool report = false);

}  // namespace kvt

// Whole turns without a window, for the headless runner, soak tests and benchmarks: the computer
// plays both sides, the automatic frontend answers every wait, and the movement ticks run in a
// loop instead of on the window's timer.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace kvt {

class TCampaignChecks;

// "end" as a turn count: the game is played until it ends (never more turns than this).
constexpr int kTurnsToTheEnd = 1000;

// FNV-1a over the record and the map: equal for byte-identical games.
std::uint64_t GameChecksum();

// Hands both sides to the computer. A mail game is refused (false): it needs its two players.
bool HandGameToComputer();

// Executes one turn and runs its movement to the end. False when the turn did not start or its
// movement did not end.
bool PlayHeadlessTurn();

// Plays up to `turns` turns on the game in play, one line per turn: the turn's number, the date
// after it and the checksum, followed with `report` by the report's columns (turn_report.h; the
// stock ledger is kept on for them). Stops early when the game ends, when `checks` (begun by the
// caller) find an invariant broken, or after a turn whose Autosave failed. Returns the turns played.
int PlayHeadlessTurns(int turns, std::ostream& out, bool report = false, TCampaignChecks* checks = nullptr);

// Who won the game as it stands: "Union" or "Confederacy" by capitulation, else by the territorial
// verdict of the end-of-game tallies, "draw" when it is even or only a narrow margin.
std::string Winner();
// "winner: Union by territory  Jan 1 1865  cities U 45 C 31  casualties U 212350 C 190400"
// (casualties in men, each side with its allies).
std::string CampaignSummaryLine();

// Reads a game, gives it to the computer and plays it (the runner's whole work), ending with the
// summary line. A saved game takes the data marks of the Open dialog; the three start points do
// not. With `check` the campaign's invariants are tested throughout (campaign_checks.h). Returns
// an exit status: 0, 1 a turn did not end, 2 no game to play, 3 an invariant broken, 4 an Autosave
// could not be written; `error` says why.
int RunHeadlessGame(const std::string& file, int turns, std::uint64_t seed, std::ostream& out, std::string* error,
                    bool report = false, bool check = false);

}  // namespace kvt

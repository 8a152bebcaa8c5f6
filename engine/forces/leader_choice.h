// Choosing leaders for commands without asking a person: the battles, the missing-commander rule,
// the end-of-turn upkeep and the forming of armies and corps call these. Ranks run 1 (division) to
// 5 (army); a leader's Status is 0 while he holds a command and 100..200 while he may be given one.
#pragma once

namespace kvt {

// Command kinds of PickCommander.
constexpr int kCommandDivision = 1, kCommandCorps = 2, kCommandArmy = 3;

// The best-scored leader of the nation for the wanted rank (1..5), 0 when nobody is eligible.
// Eligible: Status 100..200, and for an army (rank 5) also an active leader below rank 5 who leads
// no army. Score: -5 per rank short, -20 per rank over; for an army +55 for an available rank-5
// leader, +15 for an active rank-3 one, -50 for a rank-2 one; then + prestige + 10 x tactical rating
// + Random(50). The lower index wins a tie. The chosen man pays 10 prestige (down to 0), and an
// active one promoted to an army loses 5 initiative (above 4) and 1 rating (above 1). The division
// kind and the mode are carried for the callers and do not change the choice.
int ChooseLeaderForCommand(int nation, int wantedRank, int divisionKind, int mode);

// First brings every leader's mark in line with his commands (100 or 200 with a command becomes
// 0, 0 without one becomes 100), then chooses a leader of rank 5 for an army, 3 for a corps, 2 for
// a cavalry division (division kind 2) and 1 for any other division. The choice is made only for a
// computer-played nation or, in a mail game (GameKind 2 or more), for every nation; otherwise 0.
int PickCommander(int nation, int commandKind, int divisionKind, int mode);

// Frees the leader for a new post: the last corps he leads gets a new commander from PickCommander,
// who takes over the corps' ratings and becomes active. True when he led no corps or was replaced.
bool ReplaceCorpsCommander(int nation, int leader);

}  // namespace kvt

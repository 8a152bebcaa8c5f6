// What the order dialogs' rules share: list rows that stand for records, the city row text, the
// commanders a list offers, the questions and costs of relieving a commander, and the national
// will a person's orders may cost.
#pragma once

#include <string>

#include "engine/world/game_record.h"

namespace kvt {

// One row of a dialog's list and the record it stands for (a city or a leader).
struct TOrderRow {
    std::string text;
    int index = 0;
};

// A city as the lists show it: "Name,ShortName" of its state, no blanks ("Name," for a state
// outside 1..37); empty for an index outside 1..86.
std::string CityRowText(int city);

// True when the leader heads an army or a corps in use (other than the corps being raised): he
// cannot take a second command.
bool LeaderHoldsCommand(int leader, int corpsBeingRaised = 0);
// Whether a commander list of the played side offers the leader for a command of this rank held
// by `current`: a man of the rank, not the commander himself, available, removed or marked for
// removal, and heading no other command (installed, he would hold two).
bool CommanderOffered(int leader, int rank, int current);

// How the player answered when asked to relieve a commander.
enum class TReliefAnswer { Kept, RemovedFreely, RemovedAtCost };
// Asks the player to relieve `former`: OK to the warning first; a man of negative political weight
// then goes at once with a warning and costs nothing; any other goes only on a second Yes, and his
// removal costs what the caller's rule says. A man who goes is marked removed.
TReliefAnswer AskToRelieveCommander(TLeaderRec& former);
// The notice of what relieving the man cost the nation's will.
void AnnounceRelief(const std::string& name, int cost);
// The loyalty a relief costs the side's states: three rolls of 10 a state, each one under `odds`
// taking a point of loyalty while there is any.
void ShakeLoyaltyAfterRelief(int side, int odds);

// Lowers a nation's will, stopping at the lowest value the word holds instead of wrapping round
// to a high will. A nation outside 1..4 loses nothing.
void LowerNationalWill(int nation, int amount);

}  // namespace kvt

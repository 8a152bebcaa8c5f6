// What the dialogs that raise forces share: the side whose forces they raise, a city's list entry
// and whether a leader already heads a command. Plain reads of the record; they change nothing.
#pragma once

#include <string>

namespace kvt {

// The nation (1 or 2, its number equals the side) whose forces the dialogs raise; 0 when no side is
// played, and then nothing is listed or changed.
int RaisingNation();
// "Name,ShortName" of the city; empty for an index outside 1..86.
std::string CityEntryText(int city);
// True when the leader heads an army or a corps in use (other than the corps being raised): he
// cannot take a second command.
bool LeaderHoldsCommand(int leader, int corpsBeingRaised = 0);

}  // namespace kvt

// The battle history of a mail game: the record of each field battle, made of the captions the
// live dialogs showed, appended to BattleLog so that the other player's playback shows exactly those
// texts. Only while GameKind is above 2; assaults are never recorded.
// A record: "Battle", place, "Union Forces", Union commander, "Confederate Forces", Confederate
// commander, terrain, weather (the header, 8 lines); "Result", initiative, intensity, text 505, Union
// commander, Union losses, ten Union rows, text 506, Confederate commander, Confederate losses, ten
// Confederate rows, result, captured weapons, "EndOfBattle". A row is four lines (name, brigades,
// casualties, disruption), or one "EndOfUnion" / "EndOfConfed" when its name caption is empty.
// The reader never reads past its record: a record ends at its "EndOfBattle", at the next "Battle"
// line or with the history, and BattleLogLine (16 bits) never passes the last line it can hold.
#pragma once

#include "engine/combat/battle_replay.h"

namespace kvt {

struct TCombatResolutionView;
struct TBattleResultsView;

// True in a mail game, whose history keeps each battle for the other player.
bool RecordsBattleHistory();
// Lines 1..8, from the combat-resolution dialog; counts the battle in BattlesThisTurn.
void WriteBattleHistoryHeader(const TCombatResolutionView& view);
// Line 9 to the end, from the results dialog.
void WriteBattleHistory(const TBattleResultsView& view);

// Reads the header of the record whose "Battle" line BattleLogLine holds; BattleLogLine is left on
// the line after the weather line, or on the record's end when it is cut short.
TReplayResolutionView ReadBattleHeader();
// Reads the results on from BattleLogLine, from the record's "Result" line to its captured-weapons
// line, where BattleLogLine is left; false (nothing read) when the record holds no "Result" line.
bool ReadBattleResults(TReplayResultsView& view);
// The playback's step past the record just shown: to the line after its "EndOfBattle", or onto
// the "Battle" or "TurnOver" line that cut it short. False when no record can follow: the history
// ends there or its hand-over marker "TurnOver" comes next.
bool StepPastBattleRecord();

}  // namespace kvt

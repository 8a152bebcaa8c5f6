// The battle history of a mail game: the record of each field battle, made of the captions the
// live dialogs showed, appended to BattleLog so that the other player's playback shows exactly those
// texts. Only while GameKind is above 2; assaults are never recorded.
// A record: "Battle", place, "Union Forces", Union commander, "Confederate Forces", Confederate
// commander, terrain, weather (the header, 8 lines); "Result", initiative, intensity, text 505, Union
// commander, Union losses, ten Union rows, text 506, Confederate commander, Confederate losses, ten
// Confederate rows, result, captured weapons, "EndOfBattle". A row is four lines (name, brigades,
// casualties, disruption), or one "EndOfUnion" / "EndOfConfed" when its name caption is empty.
#pragma once

namespace kvt {

struct TCombatResolutionView;
struct TBattleResultsView;

// Lines 1..8, from the combat-resolution dialog; counts the battle in BattlesThisTurn.
void WriteBattleHistoryHeader(const TCombatResolutionView& view);
// Line 9 to the end, from the results dialog.
void WriteBattleHistory(const TBattleResultsView& view);

}  // namespace kvt

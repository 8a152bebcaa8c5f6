// The end of a field battle: each corps turns its losses into disruption, which works, leadership,
// the home city and the nation work down, is recounted from its brigades and tires; then the results
// are booked into the war (casualties, military points, foreign attitude, captured weapons), written
// to a mail game's history and shown through the Frontend with the battle's analysis.
// Losses are in units of 50 men; rows of each side run 1..10.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "engine/combat/battle_setup.h"

namespace kvt {

struct TResultsRow {
    std::string leader;      // empty for a corps without a commander
    std::string brigades;    // brigades now / times engaged, "6/3"
    std::string casualties;  // men lost
    std::string disruption;  // texts 674..677
    bool shown = false;
};

// What the results dialog shows; rows are indexed from 1.
struct TBattleResultsView {
    std::string caption;                            // text 663
    std::string initiative;                         // Label43
    std::string intensity;                          // Label49
    std::string unionHeading = "Union Forces";      // Label1
    std::string confederateHeading = "Confederate Forces";  // Label2
    std::string unionLeader, confederateLeader;     // Label44, Label45
    std::string unionLosses, confederateLosses;     // Label47, Label48
    std::string unionColumns, confederateColumns;   // Label51, Label46: text 664
    std::string unionSubHeader, confederateSubHeader;  // Label54, Label55: text 665
    std::array<TResultsRow, 11> unionRows{}, confederateRows{};
    std::string result;                             // Label50
    std::string weapons = " ";                      // Label53
    bool headerShown = false;   // initiative, intensity, commanders and losses
    bool resultShown = false;
    bool weaponsShown = false;
    TDialogButton analysis;     // Button1, text 667
    TDialogButton ok;           // Button2, text 66
    int unionRow = 1, confederateRow = 1;  // the next row each side would fill
};

// Disruption, condition, fatigue, brigade totals and the leaders' standing of corps c after the battle.
void UpdateCorpsAfterBattle(int corps);
// The same update over a list that holds every brigade serving in the corps, in index order (a
// brigade listed that has left is passed over). The map-wide quality cap looks only at `uncapped`:
// the caller vouches that no other brigade stands above the cap.
void UpdateCorpsAfterBattle(int corps, std::span<const std::uint16_t> listed,
                            std::span<const std::uint16_t> uncapped);
// Books the battle, writes the history and shows the results.
void ShowBattleResults();
// The disruption text of a row (the first Union row reads 7 as disorganised).
std::string DisruptionText(int disruption, bool firstUnionRow);

}  // namespace kvt

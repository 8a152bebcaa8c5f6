// The replay of a recorded field battle in a mail game's playback: the combat-resolution and results
// dialogs shown again from the battle history, each line into the label that showed it live, read
// on from BattleLogLine. Nothing is computed and nothing in the game changes.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/combat/battle_results.h"

namespace kvt {

// The header of a record: lines 2 to 8, in the order the record holds them. A line a cut record
// lacks reads empty.
struct TReplayResolutionView {
    std::string caption = "Combat resolution";
    std::string place;                             // Label43
    std::string unionHeading, unionLeader;         // Label1, Label44
    std::string confederateHeading, confederateLeader;  // Label2, Label45
    std::string terrain, weather;                  // Label3, Label4
};

// The results of a record. A line the record lacks (cut short) is nothing, and its label stays
// hidden, as do the rows after it; a row recorded as a marker line stays hidden too.
struct TReplayResultsView {
    std::string caption;                     // text 663
    std::string okCaption;                   // Button2, text 66
    std::string columns, subHeader;          // Label51 and Label46, Label54 and Label55
    std::optional<std::string> initiative, intensity;        // Label43, Label49
    std::optional<std::string> unionLeader, unionLosses;     // Label44, Label47
    std::optional<std::string> confederateLeader, confederateLosses;  // Label45, Label48
    std::array<TResultsRow, 11> unionRows{}, confederateRows{};
    std::optional<std::string> result, weapons;              // Label50, Label53
};

// Shows the header of the record whose "Battle" line BattleLogLine holds; leaves BattleLogLine on
// the line after the weather line.
void ShowReplayCombatResolution();
// Shows the results that follow, from the record's "Result" line; leaves BattleLogLine on the
// captured-weapons line. A record without its "Result" line shows nothing.
void ShowReplayBattleResults();

}  // namespace kvt

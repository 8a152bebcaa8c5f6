// The end of a turn: fleets unload, the battles are fought, the end-of-turn rules run, the end date
// is tested, the theatre supply pools are balanced and the menus go back to the players. When the
// game has ended, the end-of-game dialog shows both sides' tallies with the territorial and
// military verdicts. Verdict ratios are percentages of the weaker total, capped at 150.
#pragma once

#include <array>
#include <string>

namespace kvt {

void PostMovementPhase();

// For nation 1 and then 2: the fullest theatre pool above 5000 gives 2500 to each theatre below 2000.
void BalanceSupplyPools();

// Whether the date has reached the campaign's end date.
bool CampaignEndReached();

// What the end-of-game dialog shows.
struct TPostMortem {
    std::array<std::string, 7> rowTitles;           // territorial .. river ships sunk
    std::array<long long, 7> unionValues{};
    std::array<long long, 7> confederateValues{};
    std::string territorialCaption, militaryCaption;
    std::string territorialVerdict, militaryVerdict;
    std::string capitalLine;
};

// Union and Confederate bases of the territorial verdict, the tenth added.
struct TVerdictBasis {
    long long unionTotal = 0;
    long long confederateTotal = 0;
};
TVerdictBasis TerritorialBasis();
TVerdictBasis MilitaryBasis();
// Text number of the verdict for the two totals (0 for a military tie, which shows nothing).
int TerritorialVerdictText(const TVerdictBasis& basis);
int MilitaryVerdictText(const TVerdictBasis& basis);

TPostMortem FillPostMortem();
// Fills and shows the end-of-game dialog and applies the choice made in it.
void ShowPostMortem();

// "Continue": the campaign is extended once to June 1865, only when it ended at its date.
void ContinueCampaign();
// "End Game": the campaign is over (status 1), or stays over by the capitulation that ended it.
void EndGame();

}  // namespace kvt

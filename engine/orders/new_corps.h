// Raising a corps, infantry division or cavalry division from the brigades standing in one city,
// under a leader chosen from the side's available men. The corps record is taken when the dialog
// opens and either completed or given back, exactly as it was, when it closes.
//
// Limits: the line limit L is the commander's capacity the force recount keeps (Initiative div 12
// + 4 for a corps, div 35 + 2 for a division). A corps takes up to L infantry and L div 3 (at most
// 2) artillery brigades; an infantry division L infantry and 1 artillery; a cavalry division L
// cavalry and 1 artillery; and no formation more than the brigade display's 10 rows.
#pragma once

#include <string>
#include <vector>

#include "engine/world/game_record.h"

namespace kvt {

constexpr int kFormationCorps = 0, kFormationInfantryDivision = 1, kFormationCavalryDivision = 2;
// The rows of the brigade display: no corps holds more brigades.
constexpr int kMaxCorpsBrigades = 10;

// One opening of the dialog.
struct TCorpsRaising {
    int corps = 0;          // the record taken; 0 none
    TCorpsRec before{};     // that record as it was before it was taken
    int kind = -1;          // the formation; -1 not chosen yet
    int leader = 0;
    int city = 0;
};

// Recounts the corps and takes a corps record for the side played. With all 120 in use the player
// is told so and nothing is taken (false).
bool BeginCorpsRaising(TCorpsRaising& raising);

// Cities of the side played that hold its garrison or brigades waiting to be formed.
std::vector<int> RaisingCities();
// "Name,ShortName, garrison".
std::string RaisingCityText(int city);

struct TFormationsOffered {
    bool corps = false, infantryDivision = false, cavalryDivision = false;
};
// Corps and infantry divisions need infantry in some garrison, cavalry divisions cavalry.
TFormationsOffered FormationsOffered();
// Chooses the formation once; false when already chosen or not offered.
bool ChooseFormation(TCorpsRaising& raising, int kind);
// Leaders of the side who may command the chosen formation and head no command yet.
std::vector<int> FormationLeaders(const TCorpsRaising& raising);
// Puts an offered leader at the head of the new corps; false, changing nothing, otherwise.
bool ChooseCorpsLeader(TCorpsRaising& raising, int leader);
// Chooses an offered city and answers the brigades listed there for the formation (garrison and
// waiting brigades of the side, by the formation's types); nothing for a city not offered.
std::vector<int> ChooseRaisingCity(TCorpsRaising& raising, int city);
// A row of that brigade list: as every brigade list reads, but this list spells the seventh weapon
// "Parrots".
std::string RaisingBrigadeText(int brigade);

struct TBrigadeMaxima {
    int line = 0;   // L
    int artillery = 0, infantry = 0, cavalry = 0;
    int Of(int brigadeType) const;
};
TBrigadeMaxima FormationMaxima(int kind, int initiative);
// The most brigades the player may select: L and the artillery maximum, at most 10.
int ShownBrigadeLimit(const TCorpsRaising& raising);

// After the dialog: the selected brigades (any order; taken in list order) form the corps when at
// least one infantry or cavalry brigade is taken; otherwise the record is given back and the
// chosen leader becomes available again. True when a corps was formed.
bool FinishCorpsRaising(TCorpsRaising& raising, const std::vector<int>& selectedBrigades);

}  // namespace kvt

// Spotting (what each side sees of the other's corps and fleets, and which corps are in contact)
// and army headquarters following their corps. Runs before movement and after every fleet pass;
// never waits on the player (the lost-army notice goes through the Frontend).
#include "engine/core/spotting.h"

#include <algorithm>
#include <cstdint>

#include "engine/combat/brigade_rules.h"
#include "engine/core/corps_movement.h"
#include "engine/core/globals.h"
#include "engine/core/notice.h"
#include "engine/core/record_access.h"
#include "engine/core/text_table.h"
#include "engine/logistics/fleet_records.h"
#include "engine/core/turn_start.h"

namespace kvt {

namespace {

constexpr int kMaxContact = 4;
constexpr int kHostileCityContact = 4;
// Headquarters choice: a city out of the running, the score limit and the cost of enemy corps next to a city.
constexpr std::int32_t kScoreCutOff = 50000;
constexpr std::int32_t kScoreOut = 65000;
constexpr std::int32_t kScoreLimit = 2500;
constexpr std::int32_t kEnemyNearCost = 1000;
constexpr std::int32_t kEnemyNearThreatCost = 4000;

int Distance(int x1, int y1, int x2, int y2) { return HexDistance(x1, y1, x2, y2); }

void RaiseContact(TCorpsRec& k) {
    if (k.ContactCode < kMaxContact) k.ContactCode += 1;
    if (k.Losses == 0) k.Losses = G().MoveStep;
}

bool CarriedByActiveFleet(int corps) {
    for (const TFleetRec& f : G().Fleets)
        if (f.BuildCounter == 0 && f.Cargo == corps) return true;
    return false;
}

void SpotByCorps(int i) {
    TGameRec& g = G();
    TCorpsRec& k = g.Corps[i];
    const int weather = g.TheatreWeather[k.Region];
    int range = weather > 6 ? 3 : weather == 3 ? 4 : 5;
    if (k.Kind == 2) range += 1;
    if (k.Fatigue > k.FatigueLimit) range -= 1;

    int sameHex = 0;
    for (TCorpsRec& j : g.Corps) {
        // Sides, not nations: allies share a side and never meet as enemies.
        if (!CorpsInUse(j) || j.Side == k.Side) continue;
        const int d = Distance(k.HexX, k.HexY, j.HexX, j.HexY);
        if (d == 0) {
            ++sameHex;
            if (k.OrderMode < kOrderEmbarked && j.OrderMode < kOrderEmbarked) {
                RaiseContact(k);
                RaiseContact(j);
            }
        } else if (d <= range) {
            // A farther spotter must not lower what a nearer one saw.
            j.Visibility = static_cast<U8>(std::max(static_cast<int>(j.Visibility), range - d));
        }
    }
    if (sameHex == 0) k.ContactCode = 0;
}

void SpotByCities() {
    TGameRec& g = G();
    for (const TCityRec& city : g.Cities) {
        const int r = city.Garrison != 0 ? 2 : 1;
        for (TCorpsRec& j : g.Corps) {
            if (!CorpsInUse(j) || j.Side == city.Owner) continue;
            const int d = Distance(city.HexX, city.HexY, j.HexX, j.HexY);
            if (d <= r && j.Visibility < r - d) j.Visibility = static_cast<U8>(j.Visibility + r - d);
            if (d == 0 && j.OrderMode < kOrderEmbarked) j.ContactCode = kHostileCityContact;
            const int homeControl = g.States[j.HomeState].ControlSide;
            if (homeControl != 0 && homeControl != j.Side) j.Visibility += 1;
        }
    }
}

void SpotFleets() {
    TGameRec& g = G();
    for (TFleetRec& f : g.Fleets) {
        if (f.BuildCounter != 0 || f.Side == 0) continue;
        int theatre = g.Cities[f.HomePort].Theatre;
        if (f.HomePort == 0 || theatre == 0) theatre = kSeaboard;
        const int weather = g.TheatreWeather[theatre];
        const int r = weather >= 6 ? 1 : weather > 2 ? 2 : 3;
        for (const TFleetRec& other : g.Fleets) {
            if (other.BuildCounter != 0 || other.Side == 0 || other.Side == f.Side) continue;
            int d = Distance(f.HexX, f.HexY, other.HexX, other.HexY);
            if (!(f.WaterType != 0 && other.WaterType != 0)) d += 1;
            if (d <= r && f.Spotted < r - d)
                f.Spotted = static_cast<U8>(r - d + (other.Mission == kMissionPatrol ? 1 : 0));
        }
        for (const TCityRec& city : g.Cities)
            if (city.Owner != 0 && city.Owner != f.Side && Distance(f.HexX, f.HexY, city.HexX, city.HexY) <= r)
                f.Spotted += 1;
        for (TCorpsRec& k : g.Corps)
            if (CorpsInUse(k) && k.Side != f.Side && Distance(f.HexX, f.HexY, k.HexX, k.HexY) <= 1) k.Visibility += 1;
    }
}

// ---------------------------------------------------------------- headquarters

bool HeldBy(int city, int side) { return city != 0 && G().Cities[city].Owner == side; }

// Score of city c as headquarters of army a placed for target hex city t; lower is better.
// Computed in 32 bits: the sums of squared distances pass 65535 on a full map. Every term is at
// least 0, so the count stops once it reaches `beaten` (the best score so far), which the city can
// no longer undercut.
std::int32_t HeadquartersScore(int a, int c, int t, std::int32_t enemyCost, bool cutOff, std::int32_t beaten) {
    const TGameRec& g = G();
    const TArmyRec& army = g.Armies[a];
    const TCityRec& city = g.Cities[c];
    const TCityRec& target = g.Cities[t];
    int d = Distance(city.HexX, city.HexY, target.HexX, target.HexY);
    // The army's theatre stands for its mission.
    if (city.Theatre != army.Theatre) d += 1;
    if (c == g.Nations[army.Nation].Capital && d >= 3) d -= 2;
    for (int b = 1; b <= kArmyCount; ++b)
        if (b != a && g.Armies[b].BaseCity == c) d += 5;
    std::int32_t score = d * d;
    for (const TCorpsRec& k : g.Corps) {
        if (score >= beaten) return score;
        if (!CorpsInUse(k)) continue;
        if (cutOff && score >= kScoreCutOff) {
            score = kScoreOut;
            continue;
        }
        const int e = Distance(k.HexX, k.HexY, city.HexX, city.HexY);
        if (k.Army == a && k.Nation == army.Nation) score += e * e;
        if (k.Side != army.Side && e < 2) score += enemyCost;
    }
    return score;
}

int BestHeadquarters(int a, int t, bool threatened) {
    const TGameRec& g = G();
    const TArmyRec& army = g.Armies[a];
    int best = 0;
    std::int32_t bestScore = kScoreLimit;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (!IsSupplySourceOf(city, army.Side)) continue;
        if (threatened ? c == t : MapGrid->Cell(city.HexX, city.HexY).ControlSide() != army.Side) continue;
        const std::int32_t score =
            HeadquartersScore(a, c, t, threatened ? kEnemyNearThreatCost : kEnemyNearCost, !threatened, bestScore);
        if (score < bestScore) {
            bestScore = score;
            best = c;
        }
    }
    return best;
}

void LoseArmy(int a, int formerBase) {
    TGameRec& g = G();
    TArmyRec& army = g.Armies[a];
    const int nation = army.Nation;
    RaiseEventNotice(0, Text(0) + army.Name.str(), Text(77) + g.Leaders[army.Leader].Name.str(),
                     Text(110) + g.Cities[formerBase].Name.str(), Text(455));
    g.Nations[nation].Will -= 4;
    army.BaseCity = 0;
    army.Nation = 0;
    army.Side = 0;
    army.Theatre = 0;
    g.Leaders[army.Leader].Status = kLeaderCaptured;
    for (TCorpsRec& k : g.Corps)
        if (k.Army == a && k.Nation == nation) k.Army = 0;
}

void MoveHeadquarters(int a) {
    TGameRec& g = G();
    TArmyRec& army = g.Armies[a];
    const int formerBase = army.BaseCity;
    const bool human = g.Nations[army.Nation].Human != 0;
    const int nationSide = g.Nations[army.Nation].Side;

    // The army's second target (SupplyBase) is where a person ordered it.
    int t = 0;
    if (human) {
        t = army.SupplyBase;
    } else if (HeldBy(army.Objective, nationSide)) {
        t = army.Objective;
    } else {
        if (army.SupplyBase == 0) army.SupplyBase = army.BaseCity;
        t = army.SupplyBase;
    }
    if (t != 0) {
        if (human) {
            const TCityRec& target = g.Cities[t];
            if (target.Owner == army.Side && MapGrid->Cell(target.HexX, target.HexY).ControlSide() == army.Side)
                army.BaseCity = static_cast<U8>(t);
        } else {
            const int best = BestHeadquarters(a, t, false);
            if (best != 0) army.BaseCity = static_cast<U8>(best);
        }
    }

    const TCityRec& old = g.Cities[formerBase];
    int own = 0, enemy = 0;
    for (const TCorpsRec& k : g.Corps) {
        if (!CorpsInUse(k) || k.HexX != old.HexX || k.HexY != old.HexY) continue;
        if (k.Nation == army.Nation) ++own;
        if (k.Side != army.Side) ++enemy;
    }
    if (!HeldBy(army.BaseCity, army.Side)) ++enemy;
    if (own == 0 && enemy != 0) {
        const int best = BestHeadquarters(a, formerBase, true);
        if (best != 0) {
            army.BaseCity = static_cast<U8>(best);
            army.SupplyBase = static_cast<U8>(best);
        }
    }
    if (!HeldBy(army.BaseCity, army.Side)) LoseArmy(a, formerBase);
}

}  // namespace

void ReleaseSpentCorpsBrigades(int c) {
    const TCorpsRec& k = G().Corps[c];
    if (k.SupplyCity != 0 && HeldBy(k.SupplyCity, k.Side)) {
        ReleaseCorpsBrigades(c);
    } else {
        // Without a city of their own side to take them the brigades would serve a free slot or
        // the enemy's garrison: they disband.
        ClearAttachedBrigades(c);
    }
}

void UpdateSpotting() {
    TGameRec& g = G();
    for (TCorpsRec& k : g.Corps) k.Visibility = 0;
    for (TFleetRec& f : g.Fleets) f.Spotted = 0;

    for (int i = 1; i <= kCorpsCount; ++i) {
        TCorpsRec& k = g.Corps[i];
        if (CorpsInUse(k) && k.Strength == 0) {
            ReleaseSpentCorpsBrigades(i);
            EndCorps(i);
            continue;
        }
        if (!CorpsInUse(k) || k.Nation == 0) continue;
        if (k.OrderMode == kOrderEmbarked && !CarriedByActiveFleet(i)) {
            // An embarked corps whose fleet is gone went down with it.
            DrownCorps(i, kCorpsFreed);
            continue;
        }
        SpotByCorps(i);
    }
    SpotByCities();
    SpotFleets();
}

void MoveArmyHeadquarters() {
    for (int a = 1; a <= kArmyCount; ++a) {
        const TArmyRec& army = GameRec->Armies[a];
        if (army.Nation != 0 && army.CorpsCount != 0) MoveHeadquarters(a);
    }
}

}  // namespace kvt

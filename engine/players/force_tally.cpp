// Force tally near a city. Changes nothing in the record.
#include "engine/players/force_tally.h"

#include <algorithm>

#include "engine/core/globals.h"
#include "engine/core/map_grid.h"

namespace kvt {

std::uint16_t OwnTally = 1;
std::uint16_t EnemyTally = 0;
std::uint16_t EnemyReadinessTally = 0;
std::uint16_t EnemyCorpsTally = 0;
std::uint16_t HolderCorpsOnCity = 0;

namespace {

std::uint16_t Saturated(long v) { return static_cast<std::uint16_t>(std::clamp<long>(v, 0, 65535)); }

}  // namespace

void TallyForcesNearCity(int city, int nation, int range) {
    ResetForceTally();
    if (!Arr1<TCityRec, kCityCount>::InRange(city)) return;
    const TGameRec& g = *GameRec;
    const int side = Arr1<TNationRec, kNationCount>::InRange(nation) ? g.Nations[nation].Side : 0;
    const TCityRec& c = g.Cities[city];
    // Sums run in 32 bits and are stored saturated: a wrapped word would turn a crowd into a handful.
    long own = OwnTally, enemy = 0, readiness = 0, corpsCount = 0;
    for (int k = 1; k <= kCorpsCount; ++k) {
        const TCorpsRec& corps = g.Corps[k];
        if (!CorpsInUse(corps)) continue;
        const int d = HexDistance(c.HexX, c.HexY, corps.HexX, corps.HexY);
        if (corps.Side == c.Owner && d == 0) HolderCorpsOnCity = static_cast<std::uint16_t>(k);
        if (d >= range) continue;
        if (corps.Side == side) {
            own += corps.Strength;
        } else {
            corpsCount += 1;
            enemy += corps.Strength / (d + 1);
            readiness += corps.FatigueLimit;
        }
    }
    OwnTally = Saturated(own);
    EnemyTally = Saturated(enemy);
    EnemyReadinessTally = Saturated(readiness);
    EnemyCorpsTally = Saturated(corpsCount);
}

void ResetForceTally() {
    OwnTally = 1;
    EnemyTally = 0;
    EnemyReadinessTally = 0;
    EnemyCorpsTally = 0;
    HolderCorpsOnCity = 0;
}

}  // namespace kvt

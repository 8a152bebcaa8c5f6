// Choice of a corps' supply city. Changes nothing in the record.
#include "engine/movement/supply_cities.h"

#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/record_queries.h"

namespace kvt {

namespace {

constexpr int kSupplyScoreLimit = 50;
constexpr int kEnemyOnCityCost = 15;
constexpr int kOtherStateCost = 2;
// A port source is fed from the sea, so an enemy corps at its gates does not make it dearer.
constexpr int kPortSupplySource = 1;

}  // namespace

int ChooseSupplyCity(int corps, int nation) {
    const TGameRec& g = *GameRec;
    const TCorpsRec& k = g.Corps[corps];
    const int side = g.Nations[nation].Side;
    int best = 0, limit = kSupplyScoreLimit;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (!IsSupplySourceOf(city, side)) continue;
        int d = HexDistance(k.HexX, k.HexY, city.HexX, city.HexY);
        if (city.State != k.HomeState) d += kOtherStateCost;
        // Costs only add: a city already too far needs no look for enemy corps at its gates.
        if (d >= limit) continue;
        if (city.SupplySource != kPortSupplySource && EnemyCorpsOn(city.HexX, city.HexY, side)) d += kEnemyOnCityCost;
        if (d < limit) {
            best = c;
            limit = d;
        }
    }
    return best;
}

}  // namespace kvt

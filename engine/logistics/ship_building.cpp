// Ship building. Supplies and naval recruits are paid through the stock helpers.
#include "engine/logistics/ship_building.h"

#include <algorithm>
#include <bitset>
#include <cstdlib>

#include "engine/forces/fleet_lookup.h"
#include "engine/forces/fleet_records.h"
#include "engine/logistics/home_front.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

struct ShipCost {
    int supplies, recruits, perCall;
};
constexpr ShipCost kCosts[3] = {{1, 3, 6}, {10, 4, 8}, {200, 2, 6}};

int BuildTurns(int kind, int waterType) {
    const bool river = waterType == kWaterRiver;
    switch (kind) {
        case kShipTransports: return river ? 6 : 8;
        case kShipWooden: return river ? 10 : 12;
        default: return 24;
    }
}

// Lays down up to `wanted` ships of the kind as far as the supplies pay; the fleet built or 0.
int LayDown(int n, int c, int kind, int wanted, int waterType) {
    if (wanted <= 0) return 0;
    const int slot = FindNationFleetAt(0, 0, 0, kFleetLookupFreeSlot);
    if (slot == 0) return 0;
    TNationRec& nation = GameRec->Nations[n];
    U16& pool = nation.TheatreSupplies[GameRec->Cities[c].Theatre];
    const ShipCost& cost = kCosts[kind];
    const int k = std::min({static_cast<int>(pool) / cost.supplies, cost.perCall, wanted});
    if (k <= 0) return 0;
    TakeStock(pool, static_cast<long long>(cost.supplies) * k, StockRule::Upkeep);
    TakeStock(nation.NavalManpower, static_cast<long long>(cost.recruits) * k, StockRule::Upkeep);
    CreateFleetAtCity(slot, n, c, k, kind, waterType);
    return slot;
}

}  // namespace

void CreateFleetAtCity(int f, int n, int c, int count, int kind, int waterType) {
    if (c == 0 || !Arr1<TFleetRec, kFleetCount>::InRange(f) || !Arr1<TCityRec, kCityCount>::InRange(c)) return;
    TGameRec& g = *GameRec;
    const TCityRec& city = g.Cities[c];
    std::bitset<256> taken;
    for (int i = 1; i <= kFleetCount; ++i)
        if (i != f && FleetInUse(g.Fleets[i]) && g.Fleets[i].Owner == n) taken.set(g.Fleets[i].FleetNumber);
    int number = 1;
    while (number < 255 && taken.test(number)) ++number;
    // A new fleet starts from a clean record: nothing of the fleet that held the slot carries over.
    TFleetRec fleet{};
    fleet.HexX = city.HexX;
    fleet.HexY = city.HexY;
    fleet.Owner = static_cast<U8>(n);
    fleet.Side = g.Nations[n].Side;
    fleet.BuildCounter = static_cast<U8>(BuildTurns(kind, waterType));
    fleet.HomePort = static_cast<U8>(c);
    fleet.WaterType = static_cast<U8>(waterType);
    const U8 ships = static_cast<U8>(std::clamp(count, 0, 255));
    if (kind == kShipTransports) fleet.Transports = ships;
    else if (kind == kShipWooden) fleet.Wooden = ships;
    else fleet.Ironclads = ships;
    fleet.FleetNumber = static_cast<U8>(number);
    g.Fleets[f] = fleet;
}

TShipsBuilt BuildShipsAtCity(int n, int c, int waterType, int ironclads, int wooden, int transports) {
    TShipsBuilt built;
    if (!IsHomeFrontNation(n) || !Arr1<TCityRec, kCityCount>::InRange(c)) return built;
    const TCityRec& city = GameRec->Cities[c];
    if (!IsHomeFrontTheatre(city.Theatre)) return built;
    long long counts[3] = {std::llabs(transports), std::llabs(wooden), std::llabs(ironclads)};
    const long long recruits = GameRec->Nations[n].NavalManpower;
    // Every kind ordered gives up one ship a pass until the recruits cover the whole order; the
    // passes are taken in runs over which the same kinds stay ordered.
    const int recruitsPerShip[3] = {3, 4, 2};
    for (;;) {
        long long cost = 0, perPass = 0, run = 0;
        for (int k = 0; k < 3; ++k) {
            cost += recruitsPerShip[k] * counts[k];
            if (counts[k] == 0) continue;
            perPass += recruitsPerShip[k];
            run = run == 0 ? counts[k] : std::min(run, counts[k]);
        }
        if (cost <= recruits) break;
        const long long passes = std::min(run, (cost - recruits + perPass - 1) / perPass);
        for (long long& k : counts)
            if (k > 0) k -= passes;
    }
    counts[kShipIronclads] = std::min<long long>(counts[kShipIronclads], city.IroncladYards);
    counts[kShipWooden] = std::min<long long>(counts[kShipWooden], city.WoodenYards);
    counts[kShipTransports] = std::min<long long>(counts[kShipTransports], city.WoodenYards);
    built.fleet[kShipIronclads] = LayDown(n, c, kShipIronclads, static_cast<int>(counts[kShipIronclads]), waterType);
    built.fleet[kShipWooden] = LayDown(n, c, kShipWooden, static_cast<int>(counts[kShipWooden]), waterType);
    // Confederate ocean transports sail as blockade runners.
    const int transportWater = n == kNationConfederacy && waterType == kWaterOcean ? kWaterCottonTransports : waterType;
    built.fleet[kShipTransports] = LayDown(n, c, kShipTransports, static_cast<int>(counts[kShipTransports]), transportWater);
    return built;
}

}  // namespace kvt

// Arming and posting waiting brigades.
#include "engine/orders/new_brigades.h"

#include <algorithm>

#include "engine/forces/brigade_rules.h"
#include "engine/orders/raising_lists.h"
#include "engine/orders/weapon_orders.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

constexpr int kMenPerStrength = 50;
constexpr int kGunsPerStrength = 2;
constexpr int kMuskets = 1, kShotguns = 5;

bool IsWaitingBrigade(int brigade) {
    const int nation = RaisingNation();
    if (nation == 0 || !Arr1<TBrigadeRec, kBrigadeCount>::InRange(brigade)) return false;
    const TBrigadeRec& b = GameRec->Brigades[brigade];
    return b.Nation == nation && b.AttachKind == kAttachUnarmed;
}

bool EnemyCorpsOnCity(const TCityRec& city) {
    for (const TCorpsRec& c : GameRec->Corps)
        if (CorpsInUse(c) && c.Side != city.Owner && HexDistance(c.HexX, c.HexY, city.HexX, city.HexY) == 0) return true;
    return false;
}

}  // namespace

std::vector<int> WaitingBrigades() {
    std::vector<int> out;
    for (int i = 1; i <= kBrigadeCount; ++i)
        if (IsWaitingBrigade(i)) out.push_back(i);
    return out;
}

std::vector<int> DeploymentCities(int brigade) {
    std::vector<int> out;
    if (!IsWaitingBrigade(brigade)) return out;
    const TGameRec& g = *GameRec;
    const int theatre = g.States[g.Brigades[brigade].HomeState].Theatre;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.Theatre != theatre || city.Nation != RaisingNation()) continue;
        if (city.SupplySource < 1 || city.SupplySource > 3 || EnemyCorpsOnCity(city)) continue;
        out.push_back(c);
    }
    return out;
}

TWeaponAvailability WeaponAvailability(int brigade) {
    TWeaponAvailability out;
    const int nation = RaisingNation();
    if (nation == 0 || !Arr1<TBrigadeRec, kBrigadeCount>::InRange(brigade)) return out;
    const TBrigadeRec& b = GameRec->Brigades[brigade];
    if (b.Nation != nation) return out;
    const auto& pool = GameRec->Nations[nation].WeaponPool;
    for (int kind = 1; kind <= kWeaponKinds; ++kind) {
        const bool enough = pool[kind] >= b.Strength;
        const bool free = kind == kMuskets || kind == kShotguns;
        out.offered[kind] = IsWaitingBrigade(brigade) && (enough || free) && WeaponFitsBrigadeType(kind, b.BrigadeType);
        // The pool counts in units of brigade Strength: men for small arms, guns for cannon.
        if (free && !enough) out.counts[kind] = "(Free)";
        else out.counts[kind] = std::to_string(pool[kind] * (kind >= 6 ? kGunsPerStrength : kMenPerStrength));
    }
    const int perStrength = b.BrigadeType == kBrigadeArtillery ? kGunsPerStrength : kMenPerStrength;
    out.size = std::to_string(b.Strength * perStrength);
    return out;
}

bool ArmAndPostBrigade(int brigade, int city, int kind) {
    if (kind < 1 || kind > kWeaponKinds || !WeaponAvailability(brigade).offered[kind]) return false;
    const std::vector<int> cities = DeploymentCities(brigade);
    if (std::find(cities.begin(), cities.end(), city) == cities.end()) return false;
    TBrigadeRec& b = GameRec->Brigades[brigade];
    U16& pool = GameRec->Nations[b.Nation].WeaponPool[kind];
    if (pool >= b.Strength) TakeStock(pool, b.Strength, StockRule::Dialog);
    b.Weapon = static_cast<U8>(kind);
    b.AttachKind = kAttachGarrison;
    b.AttachIndex = static_cast<U8>(city);
    // The city's Garrison counts its brigades: the new one must show there at once.
    RecalcCorpsFromBrigades();
    return true;
}

}  // namespace kvt

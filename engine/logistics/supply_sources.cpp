// Supply-source codes of the cities and the computer nations' theatre supply bookkeeping. The codes
// are derived state: recomputed at load and by the computer players, kept as they are in between.
#include "engine/logistics/supply_sources.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "engine/movement/path_search.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/record_access.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

constexpr int kRiverRailReach = 25;    // river and rail routes are searched below this distance
constexpr int kRoadReach = 9;          // road routes below this distance, of at most 9 steps
constexpr int kRouteSearchSteps = 20;
constexpr int kSeaControlForRoutes = 2;
constexpr int kFleetShipSupply = 10;   // a fleet's need per ship

enum : int { kNoSource = 0, kPortSource = 1, kLinkedSource = 2, kCapitalSource = 3, kIsolatedCity = 4 };

// The rail and river areas, one per mode and side, kept from sweep to sweep: the map does not
// change while the codes are worked out, most searches between cities find nothing after sweeping
// a whole area, and between sweeps few hexes change whether a route may enter them.
class TSweepAreas {
public:
    TRouteAreas& For(int mode, int side) {
        for (const auto& a : kept_)
            if (a.mode == mode && a.side == side) return *a.areas;
        kept_.push_back({mode, side, std::make_unique<TRouteAreas>(mode, side)});
        return *kept_.back().areas;
    }

    // Lets the kept areas forget what the hexes changed since the last sweep may have made wrong.
    void Renew() {
        const MapCell* now = MapGrid->cells;
        if (!seen_) {
            seen_ = std::make_unique<TMapGrid>(*MapGrid);
            kept_.clear();
            return;
        }
        // Most of the map is as it was: blocks are compared whole, and cells only within a changed one.
        constexpr int kBlock = 32;
        MapCell* seen = seen_->cells;
        changed_.clear();
        for (int first = 0; first < kHexCount; first += kBlock) {
            const int count = std::min(kBlock, kHexCount - first);
            if (std::memcmp(seen + first, now + first, count * sizeof(MapCell)) == 0) continue;
            for (int h = first; h < first + count; ++h)
                if (std::memcmp(seen + h, now + h, sizeof(MapCell)) != 0) changed_.push_back(h);
        }
        if (changed_.empty()) return;
        for (TKept& a : kept_) a.areas->Renew(seen, changed_);
        for (const int h : changed_) seen[h] = now[h];
    }

private:
    static constexpr int kHexCount = kMapColumns * kMapRows;
    struct TKept {
        int mode, side;
        std::unique_ptr<TRouteAreas> areas;
    };
    std::vector<TKept> kept_;
    std::unique_ptr<TMapGrid> seen_;  // the map as the kept areas were labelled on
    std::vector<int> changed_;        // hexes changed since, while renewing
};

// Without areas every route is searched.
bool RouteFound(const TCityRec& a, const TCityRec& b, int steps, int mode, int nation, int rule, TSweepAreas* areas) {
    if (areas && mode != kPathLand) return areas->For(mode, nation).Search(a.HexX, a.HexY, b.HexX, b.HexY);
    FindPath(a.HexX, a.HexY, b.HexX, b.HexY, steps, mode, nation, rule);
    return PathReached(mode, a.HexX, a.HexY, b.HexX, b.HexY);
}

bool NationHasTransportsAfloat(int nation) {
    int transports = 0;
    for (const TFleetRec& f : GameRec->Fleets)
        if (f.Owner == nation && f.BuildCounter == 0) transports += f.Transports;
    return transports != 0;
}

}  // namespace

int CorpsSupplyNeed(const TCorpsRec& corps) {
    static constexpr int kNationFactor[] = {1, 4, 2, 1, 4};
    const int factor = IsNation(corps.Nation) ? kNationFactor[corps.Nation] : 1;
    return (corps.ArtilleryCount + corps.LineCount) * (corps.SupplyPriority + 1) * factor;
}

namespace {

int RouteKind(int a, int b, TSweepAreas* areas) {
    const TGameRec& g = *GameRec;
    if (!IsCity(a) || !IsCity(b)) return kRouteNone;
    const TCityRec& from = g.Cities[a];
    const TCityRec& to = g.Cities[b];
    if (!IsNation(from.Nation)) return kRouteNone;
    const int d = HexDistance(from.HexX, from.HexY, to.HexX, to.HexY);
    const int side = g.Nations[from.Nation].Side;
    if (d < kRiverRailReach && from.RiverLink && to.RiverLink &&
        RouteFound(from, to, kRouteSearchSteps, kPathRiver, side, kRuleOwnOnly, areas))
        return kRouteRiver;
    if (d < kRiverRailReach && from.RailLink && to.RailLink &&
        RouteFound(from, to, kRouteSearchSteps, kPathRail, side, kRuleOwnOnly, areas))
        return kRouteRail;
    // Roads run only over hexes the nation's side controls.
    if (d < kRoadReach && RouteFound(from, to, kRoadReach, kPathLand, from.Nation, kRuleOwnOnly, areas)) return kRouteRoad;
    if (from.Port && to.Port && g.Nations[from.Nation].SeaControl >= kSeaControlForRoutes) return kRouteSea;
    return kRouteNone;
}

void SweepSupplySources(TSweepAreas* areas) {
    TGameRec& g = *GameRec;
    for (TCityRec& city : g.Cities) city.SupplySource = kNoSource;

    for (int n : {kNationUnion, kNationBritain}) {
        if (!NationHasTransportsAfloat(n)) continue;
        for (TCityRec& city : g.Cities)
            if (city.Port && city.Nation == n && city.SupplySource == kNoSource) city.SupplySource = kPortSource;
    }

    // Each state's cities in order, listed once: both capital passes ask only those.
    struct TStateCities {
        int count = 0;
        std::array<std::uint8_t, kCityCount> city;
    };
    std::array<TStateCities, kStateCount + 1> byState;
    for (int c = 1; c <= kCityCount; ++c)
        if (const int s = g.Cities[c].State; s >= 1 && s <= kStateCount)
            byState[s].city[byState[s].count++] = static_cast<std::uint8_t>(c);
    const auto citiesOf = [&](int s) { return std::span(byState[s].city.data(), byState[s].count); };

    for (int s = 1; s <= kStateCount; ++s) {
        const int cap = g.States[s].CapitalCity;
        if (!IsCity(cap) || g.Cities[cap].Owner != g.States[s].ControlSide) continue;
        for (const int c : citiesOf(s)) {
            if (c == cap || g.Cities[c].Owner != g.Cities[cap].Owner) continue;
            if (RouteKind(cap, c, areas) != kRouteNone) {
                g.Cities[cap].SupplySource = kCapitalSource;
                break;
            }
        }
    }

    // The capital is among its state's cities and reaches itself, so every capital a nation holds
    // is at least a linked source.
    for (int s = 1; s <= kStateCount; ++s) {
        const int cap = g.States[s].CapitalCity;
        if (!IsCity(cap)) continue;
        for (const int c : citiesOf(s)) {
            TCityRec& city = g.Cities[c];
            if (city.Owner != g.Cities[cap].Owner || city.SupplySource >= kLinkedSource) continue;
            if (RouteKind(cap, c, areas) != kRouteNone) city.SupplySource = kLinkedSource;
        }
    }

    // Links chain: a city marked here serves the cities after it in the same sweep.
    for (int n = 1; n <= kNationCount; ++n)
        for (int c = 1; c <= kCityCount; ++c) {
            TCityRec& city = g.Cities[c];
            if (city.Nation != n || city.SupplySource != kNoSource) continue;
            for (int o = 1; o <= kCityCount; ++o) {
                const TCityRec& other = g.Cities[o];
                if (other.Owner != city.Owner || other.SupplySource == kNoSource) continue;
                if (RouteKind(c, o, areas) != kRouteNone) {
                    city.SupplySource = kLinkedSource;
                    break;
                }
            }
        }

    for (TCityRec& city : g.Cities)
        if (city.SupplySource == kNoSource && Arr1<TStateRec, kStateCount>::InRange(city.State) &&
            city.Owner == g.States[city.State].ControlSide)
            city.SupplySource = kIsolatedCity;
}

}  // namespace

int CityRouteKind(int a, int b) { return RouteKind(a, b, nullptr); }

void UpdateSupplySources() {
    static TSweepAreas areas;
    areas.Renew();
    SweepSupplySources(&areas);
}

void UpdateSupplySourcesFullRescan() { SweepSupplySources(nullptr); }

void AllocateTheatreSupplies(int nation) {
    TGameRec& g = *GameRec;
    if (!IsNation(nation)) return;
    TNationRec& n = g.Nations[nation];
    std::array<std::int64_t, kTheatreCount + 1> need{};
    for (const TCorpsRec& k : g.Corps)
        if (CorpsInUse(k) && k.Nation == nation && k.Region >= 1 && k.Region <= kTheatreCount)
            need[k.Region] += CorpsSupplyNeed(k);
    for (const TFleetRec& f : g.Fleets) {
        if (f.Owner != nation || f.BuildCounter != 0 || !IsCity(f.HomePort)) continue;
        const int t = g.Cities[f.HomePort].Theatre;
        if (t >= 1 && t <= kTheatreCount) need[t] += (f.Ironclads + f.Wooden + f.Transports) * kFleetShipSupply;
    }
    for (int t = 1; t <= kTheatreCount; ++t)
        n.TheatreLoad[t] = static_cast<std::uint16_t>(std::min<std::int64_t>(need[t], 65535));

    for (int t = 1; t <= kTheatreCount; ++t) {
        const int load = n.TheatreLoad[t];
        if (load <= n.TheatreSupplies[t]) continue;
        // Each giver is capped by the same deficit, so a short theatre may end with up to twice it.
        const int deficit = load - n.TheatreSupplies[t];
        for (int u = 1; u <= kTheatreCount; ++u) {
            if (u == t || n.TheatreSupplies[u] <= n.TheatreLoad[u]) continue;
            const int surplus = n.TheatreSupplies[u] - n.TheatreLoad[u];
            const int given = TakeStock(n.TheatreSupplies[u], std::min(surplus, deficit), StockRule::Allocation);
            ChangeStock(n.TheatreSupplies[t], given, StockRule::Allocation);
        }
        if (n.TheatreSupplies[t] < load) SetStock(n.TheatreSupplies[t], load, StockRule::Allocation);
    }
}

}  // namespace kvt

// Independent corps of the computer players and the return of a person's disordered corps.
#include "engine/players/independent_corps.h"

#include <cstdint>
#include <optional>

#include "engine/forces/force_tally.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/supply_cities.h"
#include "engine/players/army_operations.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/record_access.h"

namespace kvt {

namespace {

constexpr int kCityWatchRange = 6;
constexpr int kEnemyCityWatchRange = 10;
constexpr int kJoinArmyRange = 24, kPlanJoinRange = 5;
constexpr int kArmyFullCorps = 6;
constexpr int kCapitalRecallRange = 15;
constexpr int kFallBackWatchRange = 5;
constexpr int kFallBackEnemyDistance = 3;
constexpr std::uint8_t kPortSupplySource = 1;

void Order(TCorpsRec& k, int mode, int march, const TCityRec& city) {
    k.OrderMode = static_cast<U8>(mode);
    k.March = static_cast<U8>(march);
    k.DestX = city.HexX;
    k.DestY = city.HexY;
}

bool OnDestination(const TCorpsRec& k) { return k.HexX == k.DestX && k.HexY == k.DestY; }

// A quiet corps at a defend order looks for an army that still takes corps, the nearer the better;
// a plan's corps only one close by.
void JoinNearbyArmy(int c, TCorpsRec& k, TTallyCorps* corps) {
    TGameRec& g = G();
    int limit = k.PlanTag != 0 ? kPlanJoinRange : kJoinArmyRange;
    int chosen = 0;
    for (int a = 1; a <= kArmyCount; ++a) {
        const TArmyRec& army = g.Armies[a];
        if (army.Nation != k.Nation || army.CorpsCount >= kArmyFullCorps || army.BaseCity == 0) continue;
        const TCityRec& base = g.Cities[army.BaseCity];
        int d = HexDistance(base.HexX, base.HexY, k.HexX, k.HexY);
        if (base.State == k.HomeState) d /= 2;
        // Leaving the theatre pays only for an army close by, and from then on the search stays close.
        if (army.Theatre != k.Region) limit = kPlanJoinRange;
        if (d < limit) {
            limit = d;
            chosen = a;
        }
    }
    if (chosen == 0) return;
    TArmyRec& army = g.Armies[chosen];
    army.CorpsCount += 1;
    k.Army = static_cast<U8>(chosen);
    k.PlanTag = 0;
    if (corps != nullptr) corps->Unplan(c);
    Order(k, kOrderDefend, 1, g.Cities[army.BaseCity]);
}

// The tally around a city, from corps sorted once when given.
int TallyAround(int city, int nation, int range, const TTallyCorps* corps) {
    return corps != nullptr ? corps->TallyAround(city, nation, range) : TallyAroundCity(city, nation, range);
}

int NearestEnemyCityInRange(int side, int nation, int corps, int range, const TTallyCorps* sorted);

void OrderFromSupplyCity(int c, TCorpsRec& k, int supply, int other, int reach, TTallyCorps* corps) {
    TGameRec& g = G();
    const TNationRec& nat = g.Nations[k.Nation];
    const TCityRec& city = g.Cities[supply];
    k.SupplyCity = static_cast<U8>(supply);
    k.SupplyPriority = k.Opponent != 0 ? 2 : 1;
    k.SupplyType = 0;
    const bool free = k.PlanTag == 0;
    // A port is held, never left to attack from: the sea brings its supplies and its enemies.
    const bool port = city.Port != 0 || city.SupplySource == kPortSupplySource;
    const bool atWar = nat.Side != 0;
    bool ordered = false;
    TallyAround(supply, k.Nation, kCityWatchRange, corps);
    if (free && EnemyTally != 0) {
        Order(k, kOrderDefend, 1, city);
        ordered = true;
        if (nat.TheatrePosture[k.Region] > 1 && atWar && !port) {
            const int e = NearestEnemyCityInRange(other, k.Nation, c, reach, corps);
            if (e != 0) Order(k, kOrderAdvance, 2, g.Cities[e]);
        }
        // The order and the search for a target leave other words; untouched, the first ones still hold.
        TallyAround(supply, k.Nation, kCityWatchRange, corps);
    }
    const bool quiet = EnemyTally == 0 && city.Port == 0;
    if (quiet && atWar && free) {
        const int e = port ? 0 : NearestEnemyCityInRange(other, k.Nation, c, reach, corps);
        if (e != 0) Order(k, kOrderAdvance, 2, g.Cities[e]);
        else Order(k, kOrderDefend, 1, city);
        ordered = true;
    }
    // Only a corps given no order above falls back on holding its supply city: holding must not
    // undo the attacks just ordered.
    if (free && !ordered) Order(k, kOrderDefend, 1, city);
    if (quiet && k.OrderMode == kOrderDefend && !(free && port)) JoinNearbyArmy(c, k, corps);
}

int NearestEnemyCityInRange(int side, int nation, int corps, int range, const TTallyCorps* sorted) {
    TGameRec& g = G();
    const TCorpsRec& k = g.Corps[corps];
    int best = 0, limit = range;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.Owner != side || city.Nation == 0) continue;
        // The distance is asked first: the tally is dear and only its answer here matters.
        const int d = HexDistance(k.HexX, k.HexY, city.HexX, city.HexY);
        if (d >= limit) continue;
        TallyAround(c, nation, kEnemyCityWatchRange, sorted);
        if (EnemyTally != 0) {
            best = c;
            limit = d;
        }
    }
    return best;
}

// Both readings: the plain one measures every corps at each tally. Ordering corps moves, raises,
// frees and disorders none; a corps joining an army leaves its plan, and the sorted corps follow.
template <bool kRescan>
void IndependentCorps(int n) {
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    std::optional<TTallyCorps> sorted;
    if (!kRescan) sorted.emplace();
    TGameRec& g = G();
    const TNationRec& nat = g.Nations[n];
    const int other = nat.Side == kUnion ? kConfederacy : nat.Side == kConfederacy ? kUnion : 0;
    for (int c = 1; c <= kCorpsCount; ++c) {
        TCorpsRec& k = g.Corps[c];
        if (!CorpsInUse(k) || k.Nation != n || k.Army != 0 || k.OrderMode >= kOrderEmbarked) continue;
        const int tempo = nat.TheatreIdle[k.Region];
        const int reach = tempo >= 8 ? 12 : tempo + 5;
        k.March = 1;
        const int supply = ChooseSupplyCity(c, n);
        if (k.Disruption != 0) {
            k.SupplyPriority = 1;
            k.SupplyType = 0;
            k.OrderMode = kOrderWithdraw;
            k.March = 2;
            if (supply != 0) {
                k.DestX = g.Cities[supply].HexX;
                k.DestY = g.Cities[supply].HexY;
            }
        } else if (supply != 0 && g.Cities[supply].Owner == k.Side) {
            OrderFromSupplyCity(c, k, supply, other, reach, sorted ? &*sorted : nullptr);
        } else {
            k.OrderMode = kOrderWithdraw;
            k.March = 1;
            // Without a supply city there is nowhere to fall back to: the destination stays.
            if (k.SupplyCity != 0) {
                k.DestX = g.Cities[k.SupplyCity].HexX;
                k.DestY = g.Cities[k.SupplyCity].HexY;
            }
        }
        if (OnDestination(k)) k.March = 0;
        const int capital = nat.Capital;
        if (nat.CapitalThreat != 0 && k.Disruption == 0 && capital != 0) {
            const TCityRec& city = g.Cities[capital];
            if (HexDistance(city.HexX, city.HexY, k.HexX, k.HexY) < kCapitalRecallRange && city.Theatre == k.Region) {
                k.DestX = city.HexX;
                k.DestY = city.HexY;
                k.OrderMode = kOrderDefend;
            }
        }
    }
}

}  // namespace

int NearestEnemyCityInRange(int side, int nation, int corps, int range) {
    return NearestEnemyCityInRange(side, nation, corps, range, nullptr);
}

void PlanIndependentCorps(int n) { IndependentCorps<false>(n); }

void PlanIndependentCorpsFullRescan(int n) { IndependentCorps<true>(n); }

void ReturnCorpsToSupplyCity(int n) {
    if (!Arr1<TNationRec, kNationCount>::InRange(n)) return;
    TGameRec& g = G();
    g.Nations[n].RailUsed = 0;
    for (int c = 1; c <= kCorpsCount; ++c) {
        TCorpsRec& k = g.Corps[c];
        // A corps aboard a fleet keeps its embarked order; it falls back once ashore.
        if (!CorpsInUse(k) || k.Nation != n || k.Disruption == 0 || k.OrderMode == kOrderEmbarked) continue;
        if (k.SupplyCity != 0) {
            const TCityRec& supply = g.Cities[k.SupplyCity];
            k.DestX = supply.HexX;
            k.DestY = supply.HexY;
            TallyAroundCity(k.SupplyCity, n, kFallBackWatchRange);
            if (NearestEnemyDist >= kFallBackEnemyDistance) continue;
        }
        const int city = k.Army != 0 ? g.Armies[k.Army].BaseCity : ChooseSupplyCity(c, n);
        if (city == 0) continue;
        k.DestX = g.Cities[city].HexX;
        k.DestY = g.Cities[city].HexY;
        k.March = 2;
        k.OrderMode = kOrderWithdraw;
        k.SupplyCity = static_cast<U8>(city);
    }
}

}  // namespace kvt

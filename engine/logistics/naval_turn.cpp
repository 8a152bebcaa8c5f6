// The naval turn step before movement and the arrival rules it shares with the unloading after
// movement. Notices (scuttling, supplies unloaded) go through the notice service.
#include "engine/logistics/naval_turn.h"

#include <algorithm>
#include <string>

#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/random.h"
#include "engine/world/record_access.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kPlannedSteps = 20;
constexpr int kCottonPort = 86;  // the foreign port of the cotton trade tied to Britain
constexpr int kUnloadLimit = 10000;
constexpr int kPoolLimit = 50000;
constexpr int kCottonTradeFloor = 1000;
constexpr int kNoticeScuttled = 15;
constexpr int kNoticeSuppliesUnloaded = 17;

void SetDestinationToCity(TFleetRec& f, int c) {
    if (!IsCity(c)) return;
    f.DestX = GameRec->Cities[c].HexX;
    f.DestY = GameRec->Cities[c].HexY;
}

U8 AddShips(int a, int b) { return static_cast<U8>(std::min(255, a + b)); }

// Supplies or cotton delivered into a nation's pool of a theatre; nothing for no nation or theatre.
void Deliver(int nation, int theatre, int amount, bool cotton) {
    if (!IsNation(nation) || !IsTheatre(theatre) || amount == 0) return;
    TNationRec& n = GameRec->Nations[nation];
    ChangeStock(cotton ? n.TheatreCotton[theatre] : n.TheatreSupplies[theatre], amount, StockRule::Naval);
}

// Warships of another side than `side` lying on the hex on patrol or attack, with their weight in
// the rebasing score.
int EnemyWarshipsOn(int x, int y, int side, bool* any) {
    int weight = 0;
    for (const TFleetRec& g : GameRec->Fleets) {
        if (g.BuildCounter != 0 || g.Mission < kMissionPatrol || g.Side == side || !FleetOnHex(g, x, y)) continue;
        if (any) *any = true;
        weight += 10 * g.Ironclads + 5 * g.Wooden;
    }
    return weight;
}

void Scuttle(int fleet, int base) {
    TGameRec& g = *GameRec;
    const TFleetRec& f = g.Fleets[fleet];
    RaiseEventNotice(kNoticeScuttled, Text(150 + f.Owner), g.Cities[base].Name.str(), Text(155), std::to_string(fleet));
    FreeFleet(fleet);
}

// A computer fleet whose base fell, that ran out of supplies on a move, or whose cotton runners
// are shut in, seeks another port of its nation; with none left it is scuttled in its old base.
// Answers false when the fleet is gone.
bool Rebase(int fleet) {
    TGameRec& g = *GameRec;
    TFleetRec& f = g.Fleets[fleet];
    if (f.Owner == 0) return true;
    const int base = f.HomePort;
    const TCityRec& baseCity = g.Cities[base];
    const int baseNation = baseCity.Nation;
    // Warships are weighed against the base's nation, at the base and at every port scored.
    const int baseSide = g.Nations[baseNation].Side;
    bool blockaded = false;
    if (f.WaterType == kWaterCottonTransports && f.TargetCity == base && f.Mission > kMissionMove)
        EnemyWarshipsOn(baseCity.HexX, baseCity.HexY, baseSide, &blockaded);
    const bool baseFell = baseNation != 0 && f.Owner != 0 && baseNation != f.Owner &&
                          g.Nations[baseNation].Side != g.Nations[f.Owner].Side;
    const bool rebase = baseFell || (f.Supplies == 0 && f.Mission == kMissionMove);
    if (!(blockaded || rebase) || g.Nations[f.Owner].Human != 0) return true;

    int best = 0, bestScore = 200;
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.Nation != f.Owner || city.Port == 0) continue;
        int score = HexDistance(f.HexX, f.HexY, city.HexX, city.HexY);
        if ((f.WaterType == kWaterRiver && city.RiverLink == 0) || (f.WaterType != kWaterRiver && city.Port == 0))
            score = 201;
        if (blockaded) score += EnemyWarshipsOn(city.HexX, city.HexY, baseSide, nullptr);
        if (score < bestScore) {
            best = c;
            bestScore = score;
        }
    }
    if (best == 0 && blockaded) best = base;
    if (best != 0) {
        f.HomePort = f.TargetCity = static_cast<U8>(best);
        f.Mission = static_cast<U8>(blockaded ? kMissionCottonRun : kMissionMove);
        SetDestinationToCity(f, best);
        return true;
    }
    if (IsCity(base) && FleetOnCity(f, base)) {
        Scuttle(fleet, base);
        return false;
    }
    return true;
}

void PlanRoute(TFleetRec& f, TWaterRoutes& routes) {
    if (f.Mission > kMissionRefit && !FleetAtDestination(f)) {
        routes.FindPath(f.HexX, f.HexY, f.DestX, f.DestY, kPlannedSteps, FleetPathMode(f), f.Side, 0);
        // A route longer than a turn's steps is walked for its first 20; no route, no steps.
        if (PathResult == kPathReached) {
            for (int k = 1; k <= kPlannedSteps; ++k) f.PlannedStep[k] = PathSteps[k];
            f.PathIndex = 1;
            f.StepsAllowed = static_cast<U8>(FleetSpeed(f));
            return;
        }
    }
    // Stale counts from an earlier turn would walk, or fight on the way, without a route.
    f.PathIndex = 1;
    f.StepsAllowed = 0;
    // Gunboats sent up a river they cannot sail would lie on patrol for the rest of the war, never
    // sent home nor used again: with no route they are not under way, and end as on arrival.
    if (f.Mission == kMissionPatrol && !IsCity(f.TargetCity)) f.Mission = kMissionNothing;
}

}  // namespace

void EndTargetlessMission(int fleet) {
    TFleetRec& f = GameRec->Fleets[fleet];
    if (f.Mission == kMissionNothing || IsCity(f.TargetCity)) return;
    // Gunboats sent after a corps have a hex, not a city, to reach.
    const bool underWay = f.DestX != 0 && f.DestY != 0 && !FleetAtDestination(f);
    if (f.Mission == kMissionPatrol && underWay) return;
    if (f.Mission == kMissionRefit) {
        f.Ironclads = AddShips(f.Ironclads, f.DamagedIronclads);
        f.Wooden = AddShips(f.Wooden, f.DamagedWooden);
        f.Transports = AddShips(f.Transports, f.DamagedTransports);
        f.DamagedIronclads = f.DamagedWooden = f.DamagedTransports = 0;
    }
    f.Mission = kMissionNothing;
}

void UnloadFleetAtRest(int fleet) {
    TGameRec& g = *GameRec;
    TFleetRec& f = g.Fleets[fleet];
    if (f.TargetCity != 0 || f.Owner == 0) return;
    const int t = g.Cities[f.HomePort].Theatre;
    if (IsTheatre(t) && IsNation(f.Owner)) {
        TNationRec& n = g.Nations[f.Owner];
        // Cargo past the limits is lost, not stored.
        if (f.Supplies < kUnloadLimit && n.TheatreSupplies[t] < kPoolLimit) Deliver(f.Owner, t, f.Supplies, false);
        if (f.Cotton < kUnloadLimit && n.TheatreCotton[t] < kPoolLimit) Deliver(f.Owner, t, f.Cotton, true);
    }
    f.Supplies = 0;
    f.Cotton = 0;
}

void AimAtTargetCity(int fleet) {
    TFleetRec& f = GameRec->Fleets[fleet];
    SetDestinationToCity(f, f.TargetCity);
}

void FleetArrives(int fleet, bool patrols) {
    TGameRec& g = *GameRec;
    TFleetRec& f = g.Fleets[fleet];
    if (!FleetAtDestination(f)) return;
    switch (f.Mission) {
        case kMissionAmphibious: {
            const int c = FleetCargoCorps(f);
            // The cargo stays named: the embarkation rules send the fleet home or take the corps aboard.
            if (c == 0 || g.Corps[c].OrderMode != kOrderEmbarked) break;
            TCorpsRec& k = g.Corps[c];
            k.OrderMode = kOrderAdvance;
            k.HexX = f.HexX;
            k.HexY = f.HexY;
            k.SupplyCity = f.TargetCity;
            break;
        }
        case kMissionCottonRun: {
            if (!IsCity(f.TargetCity)) break;
            const TCityRec& target = g.Cities[f.TargetCity];
            if (f.Cotton != 0) {
                if (IsNation(target.Nation) && IsTheatre(target.Theatre)) {
                    U16& pool = g.Nations[target.Nation].TheatreSupplies[target.Theatre];
                    TakeStock(pool, f.Cotton, StockRule::Naval);
                    if (pool < kCottonTradeFloor) SetStock(pool, kCottonTradeFloor, StockRule::Naval);
                }
                f.Supplies = static_cast<std::uint16_t>(std::min(65535, f.Supplies + f.Cotton));
                f.Cotton = 0;
                f.TargetCity = f.HomePort;
                SetDestinationToCity(f, f.HomePort);
            } else {
                Deliver(f.Owner, target.Theatre, f.Supplies, false);
                f.Supplies = 0;
                f.Mission = kMissionRefit;
                RaiseEventNotice(kNoticeSuppliesUnloaded, Text(152), target.Name.str(), Text(156));
            }
            break;
        }
        case kMissionPatrol:
        case kMissionAttackPort: {
            if (!patrols) break;
            const TCityRec& cottonPort = g.Cities[kCottonPort];
            if (HexDistance(cottonPort.HexX, cottonPort.HexY, f.HexX, f.HexY) < 4 && Random(100) < 50 &&
                f.Owner == kNationUnion) {
                I16& attitude = g.Nations[kNationBritain].Attitude;
                if (attitude >= 1 && attitude <= 99) attitude = static_cast<std::int16_t>(attitude - 1);
            }
            SetDestinationToCity(f, f.TargetCity);
            break;
        }
        case kMissionMove: {
            if (f.HomePort != f.TargetCity) {
                f.TargetCity = f.HomePort;
                SetDestinationToCity(f, f.HomePort);
                break;
            }
            const TCityRec& port = g.Cities[f.TargetCity];
            f.Mission = kMissionNothing;
            f.DestX = f.DestY = 0;
            if (FleetDamagedCount(f) > 0 && (port.IroncladYards != 0 || port.WoodenYards != 0)) f.Mission = kMissionRefit;
            if (f.TargetCity != 0) f.HomePort = f.TargetCity;
            f.TargetCity = 0;
            // Unloaded once: kept aboard, the next turn would unload them again.
            Deliver(f.Owner, port.Theatre, f.Supplies, false);
            f.Supplies = 0;
            break;
        }
        default:
            break;
    }
}

void NavalTurnStep() {
    TGameRec& g = *GameRec;
    TWaterRoutes& routes = WaterRoutes();
    for (int i = 1; i <= kFleetCount; ++i) {
        TFleetRec& f = g.Fleets[i];
        if (f.BuildCounter < 24 && f.HexX == 0 && f.HexY == 0 && IsCity(f.HomePort)) {
            f.HexX = g.Cities[f.HomePort].HexX;
            f.HexY = g.Cities[f.HomePort].HexY;
        }
        if (f.BuildCounter != 0) continue;
        for (int k = 1; k <= kPlannedSteps; ++k) f.PlannedStep[k] = 0;
        EndTargetlessMission(i);
        UnloadFleetAtRest(i);
        if (!Rebase(i)) continue;
        AimAtTargetCity(i);
        FleetArrives(i, true);
        PlanRoute(f, routes);
    }
}

}  // namespace kvt

// Fleet transport of corps and the computer sides' naval orders. The embarkation notice goes
// through the notice service; every pool changes through the stock helpers.
#include "engine/logistics/fleet_transport.h"

#include <algorithm>
#include <array>

#include "engine/forces/fleet_lookup.h"
#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/movement/path_search.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/record_access.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"

namespace kvt {

namespace {

constexpr int kNoticeEmbarked = 9;
constexpr int kFrancePort = 85;
constexpr int kBritainPort = 86;
constexpr int kScoreMax = 32767;  // scores are compared as signed words

int SideOf(int nation) { return GameRec->Nations[nation].Side; }

std::int16_t SignedScore(const TCityRec& c) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(c.ScoreValue)); }

void AimAt(TFleetRec& f, int c) {
    if (!IsCity(c)) return;
    f.DestX = GameRec->Cities[c].HexX;
    f.DestY = GameRec->Cities[c].HexY;
}

int DistanceToCity(const TFleetRec& f, int c) {
    const TCityRec& city = GameRec->Cities[c];
    return HexDistance(f.HexX, f.HexY, city.HexX, city.HexY);
}

bool HostileCity(const TCityRec& c, int side) { return c.Nation != 0 && SideOf(c.Nation) != side; }

// A fleet sent where its waters do not lead plans no route and would lie on that mission for the
// rest of the war: a river fleet cannot reach a port up another river.
// Set while FleetTransportStep runs: its orders move no water hex, so the map is looked at once.
TWaterRoutes* stepRoutes = nullptr;

bool FleetCanSailTo(const TFleetRec& f, const TCityRec& c) {
    TWaterRoutes& routes = stepRoutes != nullptr ? *stepRoutes : WaterRoutes();
    return routes.RouteExists(f.HexX, f.HexY, c.HexX, c.HexY, FleetPathMode(f), f.Side);
}

void ScorePorts(int n) {
    TGameRec& g = *GameRec;
    const int side = SideOf(n);
    // The other sides' ships are weighed once for all ports, by the port they are based on.
    std::array<int, 256> based{};
    for (const TFleetRec& f : g.Fleets)
        if (f.Side != side)
            based[f.HomePort] += 10 * (f.Ironclads + f.DamagedIronclads) + 5 * (f.Wooden + f.DamagedWooden) +
                                 20 * (f.Transports + f.DamagedTransports);
    for (int c = 1; c <= kCityCount; ++c) {
        TCityRec& city = g.Cities[c];
        if (!HostileCity(city, side)) {
            city.ScoreValue = 0;
            continue;
        }
        if (city.RiverLink == 0 && city.Port == 0) continue;
        const int score = city.Fortifications + 1 + based[c];
        city.ScoreValue = static_cast<std::uint16_t>(std::min(score, kScoreMax));
    }
}

void SendRiverAttacks(int n) {
    TGameRec& g = *GameRec;
    const int side = SideOf(n);
    for (TFleetRec& f : g.Fleets) {
        if (f.BuildCounter != 0 || f.Owner != n || f.Mission != kMissionNothing || f.WaterType != kWaterRiver) continue;
        int best = 0, bestScore = 0;
        for (int c = 1; c <= kCityCount; ++c) {
            const TCityRec& city = g.Cities[c];
            if (!HostileCity(city, side) || city.RiverLink == 0 || city.Fortifications == 0) continue;
            if (SignedScore(city) > bestScore && FleetCanSailTo(f, city)) {
                best = c;
                bestScore = SignedScore(city);
            }
        }
        if (best == 0) continue;
        const int weight = f.Ironclads + f.Wooden + f.DamagedIronclads + f.DamagedWooden + f.Transports;
        f.Supplies = static_cast<std::uint16_t>(FleetTripExtra(f, DistanceToCity(f, best), weight));
        if (f.StepsAllowed < 7) f.StepsAllowed = 7;
        f.Mission = kMissionAttackPort;
        f.TargetCity = static_cast<U8>(best);
        AimAt(f, best);
    }
}

void EmbarkAndLand(int n) {
    TGameRec& g = *GameRec;
    for (int i = 1; i <= kFleetCount; ++i) {
        TFleetRec& f = g.Fleets[i];
        if (f.BuildCounter != 0 || f.Owner != n) continue;
        if (f.Mission == kMissionAmphibious) {
            const int c = FleetCargoCorps(f);
            if (c == 0) continue;
            TCorpsRec& k = g.Corps[c];
            if (!FleetOnHex(f, k.HexX, k.HexY)) {
                // The corps marched off: the landing is called off.
                f.Mission = kMissionNothing;
                if (f.Transports != 0) {
                    f.TargetCity = 0;
                    AimAt(f, f.HomePort);
                }
                continue;
            }
            // Landed on the target's hex, the corps is not taken aboard again.
            if (k.OrderMode < kOrderEmbarked && FleetOnCity(f, f.TargetCity)) continue;
            if (k.OrderMode != kOrderEmbarked)
                RaiseEventNotice(kNoticeEmbarked, Text(150 + f.Owner), g.Cities[f.TargetCity].Name.str(), Text(157));
            k.OrderMode = kOrderEmbarked;
            if (IsCity(f.TargetCity)) {
                AimAt(f, f.TargetCity);
                k.DestX = f.DestX;
                k.DestY = f.DestY;
            }
        }
    }
    for (int i = 1; i <= kFleetCount; ++i) {
        TFleetRec& f = g.Fleets[i];
        if (f.BuildCounter != 0 || f.Owner != n || f.Mission > kMissionRefit) continue;
        const int c = FleetCargoCorps(f);
        if (c == 0) continue;
        TCorpsRec& k = g.Corps[c];
        if (!FleetOnHex(f, k.HexX, k.HexY)) continue;
        f.Cargo = 0;
        const bool atSea = MapGrid->Cell(f.HexX, f.HexY).Terrain() == kTerrainWater;
        // Lost only with no transport left at sea; in port, or with any hull afloat, it goes ashore.
        if (atSea && f.Transports + f.DamagedTransports == 0) {
            DrownCorps(c, kCorpsFreed);
            continue;
        }
        if (IsCity(f.HomePort)) {
            k.DestX = g.Cities[f.HomePort].HexX;
            k.DestY = g.Cities[f.HomePort].HexY;
        }
        k.OrderMode = kOrderDefend;
    }
}

void SendGunboats(int n) {
    TGameRec& g = *GameRec;
    const int side = SideOf(n);
    // A region's lookup is made again only after its gunboat was sent: until then it would find the
    // same one (its supplies were topped up by the first lookup).
    std::array<int, 256> found;
    found.fill(-1);
    for (const TCorpsRec& k : g.Corps) {
        if (!CorpsInUse(k) || k.Side == side || !MapGrid->Cell(k.HexX, k.HexY).River()) continue;
        int& f = found[k.Region];
        if (f < 0) f = FindNationFleetAt(n, k.Region, kWaterRiver, kFleetLookupWarships);
        if (f == 0) continue;
        TFleetRec& fleet = g.Fleets[f];
        if (HexDistance(fleet.HexX, fleet.HexY, k.HexX, k.HexY) >= 10) continue;
        f = -1;
        fleet.Mission = kMissionPatrol;
        fleet.DestX = k.HexX;
        fleet.DestY = k.HexY;
    }
}

void NoteHomeStates(int n) {
    TGameRec& g = *GameRec;
    const int side = SideOf(n);
    for (TCorpsRec& k : g.Corps)
        if (CorpsInUse(k) && k.Side == side && k.HomeState == 0 && k.Strength != 0)
            k.HomeState = static_cast<U8>(MapGrid->Cell(k.HexX, k.HexY).State());
}

}  // namespace

void ReturnFleetsHome(int n) {
    TGameRec& g = *GameRec;
    const int side = SideOf(n);
    for (TFleetRec& f : g.Fleets) {
        if (f.BuildCounter != 0 || f.Side != side || !OnMap(f.HexX, f.HexY) || !IsCity(f.HomePort)) continue;
        const bool idleAway = f.Mission < kMissionMove && !FleetOnCity(f, f.HomePort);
        const bool spent = f.TargetCity != 0 &&
                           ((f.Mission != kMissionCottonRun && f.Supplies == 0) || FleetDamagedCount(f) > 0 ||
                            (f.Mission == kMissionAmphibious && f.Cargo == 0 && FleetOnCity(f, f.TargetCity)));
        if (!idleAway && !spent) continue;
        f.Mission = kMissionMove;
        f.TargetCity = f.HomePort;
        AimAt(f, f.HomePort);
        if (MapGrid->Cell(f.HexX, f.HexY).Terrain() != kTerrainWater) {
            const int c = FleetCargoCorps(f);
            f.Cargo = 0;
            if (c != 0 && g.Corps[c].OrderMode == kOrderEmbarked) g.Corps[c].OrderMode = kOrderDefend;
        }
    }
}

void AssignNavalPatrols(int n, int t) {
    TGameRec& g = *GameRec;
    const int side = SideOf(n);
    const int f = FindNationFleetAt(n, t, kWaterOcean, kFleetLookupWarships);
    if (f != 0 && g.Fleets[f].Owner != 0) {
        TFleetRec& fleet = g.Fleets[f];
        const int ownSide = SideOf(fleet.Owner);
        int best = 0, bestScore = 0;
        for (int c = 1; c <= kCityCount; ++c) {
            TCityRec& city = g.Cities[c];
            if (city.Owner == 0 || city.ScoreValue == 0 || SideOf(city.Nation) == ownSide) continue;
            const bool reachable = fleet.WaterType == kWaterRiver ? city.RiverLink != 0 : city.Port != 0;
            // Whether a patrol already watches it is asked only of a city the fleet can reach.
            if (!reachable || std::any_of(g.Fleets.begin(), g.Fleets.end(), [&](const TFleetRec& o) {
                    return o.Side == side && o.Mission >= kMissionPatrol && o.DestX == city.HexX && o.DestY == city.HexY;
                })) {
                city.ScoreValue = 0;
                continue;
            }
            if (SignedScore(city) > bestScore) {
                best = c;
                bestScore = SignedScore(city);
            }
        }
        if (best != 0) {
            const int weight = FleetShipWeight(fleet);
            const int extra = FleetTripExtra(fleet, DistanceToCity(fleet, best), weight);
            U16& pool = g.Nations[n].TheatreSupplies[g.Cities[fleet.HomePort].Theatre];
            if (pool >= extra) {
                TCityRec& target = g.Cities[best];
                fleet.Mission = kMissionPatrol;
                fleet.TargetCity = static_cast<U8>(best);
                AimAt(fleet, best);
                fleet.Supplies = static_cast<std::uint16_t>(std::min(65535, fleet.Supplies + extra));
                TakeStock(pool, extra, StockRule::Naval);
                target.ScoreValue = 0;
                if (target.Fortifications != 0 && target.Fortifications < weight && fleet.Ironclads != 0)
                    fleet.Mission = kMissionAttackPort;
            }
        }
    }

    // Ironclads go out after the enemy patrols their side has seen.
    for (const TFleetRec& enemy : g.Fleets) {
        if (enemy.BuildCounter != 0 || enemy.Owner == 0 || SideOf(enemy.Owner) == side || enemy.Spotted == 0 ||
            (enemy.Mission != kMissionPatrol && enemy.Mission != kMissionAttackPort) || !IsCity(enemy.TargetCity))
            continue;
        const int theatre = g.Cities[enemy.HomePort].Theatre;
        for (TFleetRec& h : g.Fleets) {
            if (h.BuildCounter != 0 || h.Side != side || g.Cities[h.HomePort].Theatre != theatre ||
                h.WaterType != enemy.WaterType || h.Ironclads == 0 ||
                !(h.Mission == kMissionNothing || h.Mission == kMissionPatrol || h.Mission == kMissionAttackPort))
                continue;
            const int extra = FleetTripExtra(h, DistanceToCity(h, h.HomePort), FleetShipWeight(h));
            U16& pool = g.Nations[n].TheatreSupplies[g.Cities[enemy.TargetCity].Theatre];
            if (pool < extra || !FleetCanSailTo(h, g.Cities[enemy.TargetCity])) continue;
            h.Supplies = static_cast<std::uint16_t>(std::min(65535, h.Supplies + extra));
            TakeStock(pool, extra, StockRule::Naval);
            h.Mission = kMissionPatrol;
            h.TargetCity = enemy.TargetCity;
            AimAt(h, enemy.TargetCity);
        }
    }
}

void SendCottonRuns(int n, int t) {
    TGameRec& g = *GameRec;
    if (n != kNationConfederacy) return;
    const int side = SideOf(kNationConfederacy);
    int target = 0;
    if (SideOf(kNationBritain) != side) target = kBritainPort;
    if (t == kMississippi && SideOf(kNationFrance) != side) target = kFrancePort;
    if (target == 0) return;
    TNationRec& nation = g.Nations[kNationConfederacy];
    const TCityRec& port = g.Cities[target];
    for (int c = 1; c <= kCityCount; ++c) {
        const TCityRec& city = g.Cities[c];
        if (city.Owner != side || city.Theatre != t || city.Port == 0 || city.OriginalOwner != kNationConfederacy) continue;
        const int f = FindNationFleetAt(kNationConfederacy, c, kWaterCottonTransports, kFleetLookupTransport);
        if (f == 0 || nation.TheatreCotton[t] == 0) continue;
        TFleetRec& fleet = g.Fleets[f];
        fleet.PathIndex = 1;
        fleet.StepsAllowed = static_cast<U8>(FleetSpeed(fleet));
        // The voyage is the one from the port to the buyer, not the fleet's own zero steps to its port.
        const int distance = HexDistance(city.HexX, city.HexY, port.HexX, port.HexY);
        const int extra = std::max(0, fleet.Transports * distance / fleet.StepsAllowed - static_cast<int>(fleet.Supplies));
        fleet.Supplies = static_cast<std::uint16_t>(extra);
        TakeStock(nation.TheatreSupplies[t], extra, StockRule::Naval);
        const int cotton = std::min(fleet.Transports * 250, static_cast<int>(nation.TheatreCotton[t]));
        if (cotton == 0) continue;
        TakeStock(nation.TheatreCotton[t], cotton, StockRule::Naval);
        fleet.Cotton = static_cast<std::uint16_t>(cotton);
        fleet.Mission = kMissionCottonRun;
        fleet.TargetCity = static_cast<U8>(target);
        AimAt(fleet, target);
    }
}

void FleetTransportStep() {
    TGameRec& g = *GameRec;
    stepRoutes = &WaterRoutes();
    for (int n = 1; n <= kNationCount; ++n) {
        const TNationRec& nation = g.Nations[n];
        ReturnFleetsHome(n);
        for (TFleetRec& f : g.Fleets) {
            if (f.BuildCounter != 0 || f.Owner == 0 || SideOf(f.Owner) == nation.Side) continue;
            f.StepsAllowed = static_cast<U8>(FleetSpeed(f));
            if (f.Mission == kMissionPatrol && f.Supplies > 50 && IsCity(f.TargetCity)) g.Cities[f.TargetCity].ScoreValue = 0;
        }
        const bool computerAtWar = nation.Human == 0 && nation.Side != kSideNone;
        if (computerAtWar) {
            ScorePorts(n);
            for (int t = 1; t <= kTheatreCount; ++t) {
                if (nation.SeaControl != 0) AssignNavalPatrols(n, t);
                SendCottonRuns(n, t);
            }
            SendRiverAttacks(n);
        }
        EmbarkAndLand(n);
        if (computerAtWar) {
            SendGunboats(n);
            NoteHomeStates(n);
        }
    }
    stepRoutes = nullptr;
}

}  // namespace kvt

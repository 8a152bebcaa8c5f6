// Amphibious landings of the computer players.
#include "engine/players/amphibious_landings.h"

#include <algorithm>
#include <cstdint>

#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/players/computer_players.h"
#include "engine/players/plan_support.h"
#include "engine/world/frontend.h"
#include "engine/world/map_grid.h"
#include "engine/world/stocks.h"

namespace kvt {

namespace {

using namespace plans;

constexpr int kLandingTag = 9;
constexpr int kFleetReach = 20;
// A corps this far from its fleet, with a port to draw supply from, is fetched by sea.
constexpr int kFetchDistance = 8;
constexpr int kNoFleetDistance = 1000;

// A corps that cannot board yet waits ashore at its supply city: left embarked with no fleet under
// it, it would be lost at sea on dry land.
void WaitAshore(TCorpsRec& k) {
    k.OrderMode = kOrderWithdraw;
    k.March = 1;
    if (k.SupplyCity != 0) AimAt(k, k.SupplyCity);
}

int TheatreOfPort(int city) {
    const int t = City(city).Theatre;
    return t >= 1 && t <= kTheatreCount ? t : 0;
}

// Port ratings: value plus ten, less garrison and fort, for every enemy port not already the
// target of a loaded fleet (France does not discount its own). Answers the ports rated.
int RatePorts(int n) {
    TGameRec& g = G();
    const int side = g.Nations[n].Side;
    int ports = 0;
    for (int c = 1; c <= kCityCount; ++c) {
        TCityRec& city = g.Cities[c];
        const int holder = city.Nation;
        const int holderSide = holder >= 1 && holder <= kNationCount ? g.Nations[holder].Side : 0;
        if (city.Port == 0 || holderSide == 0 || holderSide == side) {
            city.ScoreValue = 0;
            continue;
        }
        ports += 1;
        StoreCityScore(city, city.Value + 10 - city.Garrison - city.Fortifications);
        if (n == kNationFrance) continue;
        for (const TFleetRec& f : g.Fleets) {
            if (f.Owner != n || f.Cargo == 0 || f.TargetCity != c) continue;
            city.ScoreValue = 0;
            ports -= 1;
        }
    }
    return ports;
}

void ReleaseLandingTags(int n) {
    for (TCorpsRec& k : G().Corps)
        if (k.Nation == n && k.PlanTag == kLandingTag) k.PlanTag = 0;
    for (TFleetRec& f : G().Fleets)
        if (f.Owner == n && f.TransportTag == kLandingTag) f.TransportTag = 0;
}

bool CarriedByActiveFleet(int n, int corps) {
    for (const TFleetRec& f : G().Fleets)
        if (f.BuildCounter == 0 && f.Owner == n && f.Cargo == corps) return true;
    return false;
}

// The nearest marked corps of the fleet's home theatre not already aboard a fleet, within reach.
int NearestLandingCorps(int n, const TFleetRec& f) {
    const int theatre = City(f.HomePort).Theatre;
    int best = 0, limit = kFleetReach;
    for (int c = 1; c <= kCorpsCount; ++c) {
        const TCorpsRec& k = G().Corps[c];
        if (!CorpsInUse(k) || k.Nation != n || k.PlanTag != kLandingTag || k.Region != theatre) continue;
        if (CarriedByActiveFleet(n, c)) continue;
        const int d = HexDistance(f.HexX, f.HexY, k.HexX, k.HexY);
        if (d < limit) {
            limit = d;
            best = c;
        }
    }
    return best;
}

}  // namespace

void PlanAmphibiousLanding(int n) {
    if (n < 1 || n > kNationCount) return;
    TGameRec& g = G();
    const int ports = RatePorts(n);

    int fleets = 0;
    for (TFleetRec& f : g.Fleets) {
        if (f.Owner != n || f.Transports <= 1 || f.WaterType != kWaterOcean) continue;
        f.TransportTag = kLandingTag;
        ++fleets;
    }
    int corps = 0;
    if (fleets > 0) {
        // Only corps free of other plans are marked, and only the landing's own mark is lifted.
        for (TCorpsRec& k : g.Corps) {
            if (!CorpsInUse(k) || k.Nation != n || k.Disruption != 0 || k.Opponent != 0 || k.ArtilleryCount == 0) continue;
            if (k.PlanTag != 0 && k.PlanTag != kLandingTag) continue;
            if (k.SupplyCity != 0 && City(k.SupplyCity).Theatre == kSeaboard) {
                k.PlanTag = kLandingTag;
                ++corps;
            } else {
                k.PlanTag = 0;
            }
        }
    }
    if (ports == 0 || fleets == 0 || corps == 0) {
        ReleaseLandingTags(n);
        return;
    }

    int target = 0, best = 0;
    for (int c = 1; c <= kCityCount; ++c)
        if (CityScore(City(c)) > best) {
            best = CityScore(City(c));
            target = c;
        }
    if (target == 0) return;

    const int fleetIndex = FindTransportFleet(n, target);
    if (fleetIndex == 0 || g.Fleets[fleetIndex].Cargo != 0) {
        for (TCorpsRec& k : g.Corps)
            if (k.Nation == n && k.PlanTag == kLandingTag && k.OrderMode < kOrderAdvance) k.PlanTag = 0;
        return;
    }
    TFleetRec& f = g.Fleets[fleetIndex];
    const int c = NearestLandingCorps(n, f);
    if (c == 0) return;
    TCorpsRec& k = g.Corps[c];

    const int ships = FleetShipCount(f);
    const int d1 = HexDistance(f.HexX, f.HexY, k.HexX, k.HexY);
    const TCityRec& port = City(target);
    const int d2 = HexDistance(f.HexX, f.HexY, port.HexX, port.HexY);
    f.Supplies = static_cast<std::uint16_t>(std::min((d1 + d2) * ships * 3 / 10, 65535));
    f.Mission = kMissionAmphibious;
    f.TargetCity = static_cast<U8>(target);
    f.DestX = f.DestY = 0;
    f.Cargo = static_cast<U8>(c);
    k.Army = 0;

    if (d1 > 0) {
        const TCityRec& supply = City(k.SupplyCity);
        if (d1 >= kFetchDistance && supply.Port != 0) {
            // The fleet sails to the corps' port to fetch it; the corps waits there.
            f.DestX = supply.HexX;
            f.DestY = supply.HexY;
            f.Cargo = 0;
            f.Mission = kMissionMove;
            f.TargetCity = k.SupplyCity;
            WaitAshore(k);
        } else if (k.SupplyCity != 0 && k.HexX == supply.HexX && k.HexY == supply.HexY) {
            WaitAshore(k);
        } else {
            // The corps marches to the fleet and is taken aboard after movement.
            k.HomeState = static_cast<U8>(MapGrid->Cell(f.HexX, f.HexY).State());
            k.DestX = f.HexX;
            k.DestY = f.HexY;
            k.OrderMode = kOrderWithdraw;
            k.March = 2;
            k.SupplyCity = f.HomePort;
        }
        return;
    }
    k.OrderMode = kOrderEmbarked;
    f.DestX = port.HexX;
    f.DestY = port.HexY;
    if (const int t = TheatreOfPort(f.HomePort)) {
        U16& pool = g.Nations[n].TheatreSupplies[t];
        if (pool >= f.Supplies) TakeStock(pool, f.Supplies, StockRule::Naval);
    }
    CurrentFrontend().Repaint();
}

int FindTransportFleet(int n, int city) {
    if (n < 1 || n > kNationCount) return 0;
    TGameRec& g = G();
    const TCityRec& target = City(city);
    int best = kNoFleetDistance, result = 0;
    for (int i = 1; i <= kFleetCount; ++i) {
        const TFleetRec& f = g.Fleets[i];
        if (f.BuildCounter != 0 || f.Owner != n || f.TransportTag != kLandingTag || f.Mission != kMissionNothing) continue;
        const int t = TheatreOfPort(f.HomePort);
        const int capacity = 2 * (f.Ironclads + f.DamagedIronclads) + f.Wooden + f.DamagedWooden + f.Transports;
        int shortfall = f.Supplies <= 3 * capacity ? 3 * capacity - f.Supplies : 0;
        if (t != 0 && g.Nations[n].TheatreSupplies[t] >= shortfall) shortfall = 0;
        if (shortfall != 0) continue;
        const TCityRec& home = City(f.HomePort);
        const int d = HexDistance(home.HexX, home.HexY, target.HexX, target.HexY);
        if (d < best) {
            best = d;
            result = i;
        }
    }
    return result;
}

void EmbarkAssignedCorps() {
    TGameRec& g = G();
    for (TFleetRec& f : g.Fleets) {
        if (f.BuildCounter != 0) continue;
        // A cargo naming a free slot is cleared here.
        const int c = FleetCargoCorps(f);
        if (c == 0) continue;
        TCorpsRec& k = g.Corps[c];
        if (k.OrderMode == kOrderEmbarked) continue;
        const int d = HexDistance(f.HexX, f.HexY, k.HexX, k.HexY);
        f.Mission = kMissionMove;
        f.TargetCity = f.HomePort;
        f.DestX = City(f.HomePort).HexX;
        f.DestY = City(f.HomePort).HexY;
        if (d < 2 && k.OrderMode == kOrderWithdraw) {
            // Aboard means on the fleet's hex: left on the hex beside it, the fleet could neither
            // carry it nor land it.
            k.HexX = f.HexX;
            k.HexY = f.HexY;
            k.DestX = f.DestX;
            k.DestY = f.DestY;
            k.OrderMode = kOrderEmbarked;
            f.Mission = kMissionAmphibious;
        } else {
            f.Cargo = 0;
        }
    }
}

}  // namespace kvt

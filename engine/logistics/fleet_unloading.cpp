// Fleets settling after movement with the arrival rules of the naval turn, and fleets without
// ships freed before corps supply, with every nation's ship totals and sea control recounted.
#include "engine/logistics/fleet_unloading.h"

#include <algorithm>

#include "engine/forces/fleet_records.h"
#include "engine/logistics/naval_turn.h"
#include "engine/world/globals.h"

namespace kvt {

namespace {

// A fleet with no ships keeps its slot while this many turns or more of building remain.
constexpr int kEmptyFleetKeptFrom = 25;

void AddTotal(U16& total, int ships) { total = static_cast<std::uint16_t>(std::min(65535, total + ships)); }

bool IsWarringSide(int side) { return side == kUnion || side == kConfederacy; }

void RecountNation(int n) {
    TGameRec& g = *GameRec;
    TNationRec& nation = g.Nations[n];
    for (int k = 1; k <= 6; ++k) nation.ShipTotals[k] = 0;
    nation.SeaControl = 2;
    int ironclads = 0, wooden = 0, transports = 0;
    for (const TFleetRec& f : g.Fleets) {
        if (f.BuildCounter >= kFleetFreeFrom) continue;
        const bool river = f.WaterType == kWaterRiver;
        if (!river) {
            if (f.Side == nation.Side) {
                ironclads += 2 * f.Ironclads + f.DamagedIronclads;
                wooden += 2 * f.Wooden + f.DamagedWooden;
                transports += 2 * f.Transports + f.DamagedTransports;
            } else if (IsWarringSide(f.Side)) {
                // Only the other warring side's warships contest the sea; a neutral's do not.
                ironclads -= 2 * f.Ironclads + f.DamagedIronclads;
                wooden -= 2 * f.Wooden + f.DamagedWooden;
            }
        }
        if (f.Owner == n && f.BuildCounter == 0) {
            AddTotal(nation.ShipTotals[river ? kShipsRiverIronclads : kShipsOceanIronclads], f.Ironclads + f.DamagedIronclads);
            AddTotal(nation.ShipTotals[river ? kShipsRiverWooden : kShipsOceanWooden], f.Wooden + f.DamagedWooden);
            AddTotal(nation.ShipTotals[river ? kShipsRiverTransports : kShipsOceanTransports], f.Transports + f.DamagedTransports);
        }
    }
    const bool holdsSeaPort = std::any_of(g.Cities.begin(), g.Cities.end(),
                                          [&](const TCityRec& c) { return c.Owner == nation.Side && c.Port != 0; });
    if (!holdsSeaPort) {
        nation.SeaControl = 0;
        return;
    }
    if (n != kNationUnion) return;
    if (ironclads > 0) nation.SeaControl = 3;
    if (ironclads < 0) nation.SeaControl = 1;
    if (ironclads + wooden >= 11 && transports >= 4 && nation.SeaControl == 3) nation.SeaControl = 4;
}

}  // namespace

void UnloadFleetsAfterMovement() {
    for (int i = 1; i <= kFleetCount; ++i) {
        if (GameRec->Fleets[i].BuildCounter != 0) continue;
        EndTargetlessMission(i);
        UnloadFleetAtRest(i);
        AimAtTargetCity(i);
        FleetArrives(i, false);
    }
}

void DisbandEmptyFleets() {
    TGameRec& g = *GameRec;
    for (int i = 1; i <= kFleetCount; ++i) {
        const TFleetRec& f = g.Fleets[i];
        if (f.BuildCounter < kEmptyFleetKeptFrom && FleetShipCount(f) == 0) FreeFleet(i);
    }
    for (int n = 1; n <= kNationCount; ++n) RecountNation(n);
}

}  // namespace kvt

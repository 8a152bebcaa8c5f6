// A world of open sea for the naval tests: fleets and ports placed by a line each, Britain and
// France at peace unless a test sends them to war.
#pragma once

#include <array>

#include "engine/logistics/fleet_records.h"
#include "tests/engine/movement_world.h"

namespace kvt::testing {

// Ship counts in record order: ironclads, wooden, transports, then the damaged of each.
using Ships = std::array<int, 6>;

class NavalWorld : public MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        FillMap(kTerrainWater, 0, 0);
        for (int n = 1; n <= kNationCount; ++n) GameRec->Nations[n].Human = 0;
    }
    // An active fleet of the nation, on its nation's side, numbered as its slot.
    int AddFleet(int owner, int x, int y, int mission, Ships ships, int water = 1) {
        for (int f = 1; f <= kFleetCount; ++f) {
            TFleetRec& r = GameRec->Fleets[f];
            if (r.BuildCounter != kFleetGone) continue;
            r = TFleetRec{};
            r.Owner = static_cast<U8>(owner);
            r.Side = GameRec->Nations[owner].Side;
            r.FleetNumber = static_cast<U8>(f);
            r.HexX = r.DestX = static_cast<U8>(x);
            r.HexY = r.DestY = static_cast<U8>(y);
            r.Mission = static_cast<U8>(mission);
            r.WaterType = static_cast<U8>(water);
            U8* counts[] = {&r.Ironclads, &r.Wooden, &r.Transports, &r.DamagedIronclads, &r.DamagedWooden, &r.DamagedTransports};
            for (int k = 0; k < 6; ++k) *counts[k] = static_cast<U8>(ships[k]);
            r.PathIndex = 1;
            return f;
        }
        return 0;
    }
    // A sea port of the nation on a city hex.
    int AddPort(int nation, int x, int y, int fortifications = 0, int guns = 0, int theatre = 1) {
        const int c = AddCity("Port" + std::to_string(cities_ + 1), x, y, GameRec->Nations[nation].Side);
        TCityRec& city = GameRec->Cities[c];
        city.Nation = city.OriginalOwner = static_cast<U8>(nation);
        city.Port = 1;
        city.Theatre = static_cast<U8>(theatre);
        city.Fortifications = static_cast<U8>(fortifications);
        city.CoastalGuns = static_cast<U8>(guns);
        Hex(x, y).SetTerrain(kTerrainCity);
        return c;
    }
    static TFleetRec& F(int f) { return GameRec->Fleets[f]; }
    static Ships CountsOf(const TFleetRec& f) {
        return {f.Ironclads, f.Wooden, f.Transports, f.DamagedIronclads, f.DamagedWooden, f.DamagedTransports};
    }
};

}  // namespace kvt::testing

// A world of open sea for the naval tests: fleets and ports placed by a line each, every nation
// played by the computer, and a frontend that takes every wait and records it.
#pragma once

#include <array>
#include <optional>

#include "engine/forces/fleet_records.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt::testing {

// Ship counts in record order: ironclads, wooden, transports, then the damaged of each.
using Ships = std::array<int, 6>;

class NavalWorld : public MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        FillMap(kTerrainWater, 0, 0);
        fe.reset();
        fe.emplace().AllowAnyWaits(true);
    }
    void TearDown() override {
        fe.reset();
        MovementWorld::TearDown();
    }
    // An active fleet of the nation, on its nation's side, numbered as its slot.
    int AddFleet(int owner, int x, int y, int mission, Ships ships, int water = 1) {
        int f = 1;
        while (F(f).BuildCounter != kFleetGone) ++f;
        TFleetRec& r = F(f) = TFleetRec{};
        r.Owner = static_cast<U8>(owner);
        r.Side = GameRec->Nations[owner].Side;
        r.FleetNumber = static_cast<U8>(f);
        r.HexX = r.DestX = static_cast<U8>(x);
        r.HexY = r.DestY = static_cast<U8>(y);
        r.Mission = static_cast<U8>(mission);
        r.WaterType = static_cast<U8>(water);
        r.PathIndex = 1;
        SetShips(r, ships);
        return f;
    }
    // A sea port of the nation.
    int AddPort(int nation, int x, int y, int fortifications = 0, int guns = 0, int theatre = 1) {
        TCityRec& c = GameRec->Cities[AddCity("Port" + std::to_string(cities_ + 1), x, y, GameRec->Nations[nation].Side)];
        c.Nation = c.OriginalOwner = static_cast<U8>(nation);
        c.Port = 1;
        c.Theatre = static_cast<U8>(theatre);
        c.Fortifications = static_cast<U8>(fortifications);
        c.CoastalGuns = static_cast<U8>(guns);
        return cities_;
    }
    // A corps of the nation aboard fleet f, with one brigade of 80.
    int Embark(int f, int nation) {
        const int k = AddCorps(nation, F(f).HexX, F(f).HexY);
        AddBrigade(k, kBrigadeInfantry, 80);
        C(k).OrderMode = 4;
        F(f).Cargo = static_cast<U8>(k);
        return k;
    }
    static void SetShips(TFleetRec& r, Ships s) {
        U8* counts[] = {&r.Ironclads, &r.Wooden, &r.Transports, &r.DamagedIronclads, &r.DamagedWooden, &r.DamagedTransports};
        for (int k = 0; k < 6; ++k) *counts[k] = static_cast<U8>(s[k]);
    }
    static Ships CountsOf(const TFleetRec& f) {
        return {f.Ironclads, f.Wooden, f.Transports, f.DamagedIronclads, f.DamagedWooden, f.DamagedTransports};
    }
    static TFleetRec& F(int f) { return GameRec->Fleets[f]; }
    static std::vector<int> Misses(int n) { return Repeat(n, 199); }
    std::optional<ScriptedFrontend> fe;
};

}  // namespace kvt::testing

// Small synthetic worlds for the movement, path and spotting tests: a map filled with one terrain,
// free corps and fleet slots, and helpers that place leaders, corps, brigades, cities and armies.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/movement/path_search.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"

namespace kvt::testing {

class MovementWorld : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        leaders_ = corps_ = brigades_ = cities_ = armies_ = 0;
        for (TCorpsRec& k : GameRec->Corps) k.Unused = 1;
        for (TFleetRec& f : GameRec->Fleets) f.BuildCounter = kFleetGone;
        GameRec->Nations[1].Side = kUnion;
        GameRec->Nations[2].Side = kConfederacy;
        GameRec->Nations[1].Name = "Union";
        GameRec->Nations[2].Name = "Confed";
        GameRec->MoveStep = 1;
        FillMap(1, 0, 0);
        // Numbered texts so that notices can be checked line by line.
        std::string texts;
        for (int n = 0; n < 800; ++n) texts += "T" + std::to_string(n) + "\n";
        TextTable.LoadFromString(texts);
    }
    void TearDown() override {
        TextTable.Clear();
        EngineTest::TearDown();
    }

    static void FillMap(int terrain, int side, int state) {
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y) {
                MapCell& c = MapGrid->Cell(x, y);
                c.b[0] = 0;
                c.b[1] = 0;
                c.SetTerrain(terrain);
                c.SetControlSide(side);
                c.SetState(state);
            }
    }
    static MapCell& Hex(int x, int y) { return MapGrid->Cell(x, y); }
    static TCorpsRec& C(int c) { return GameRec->Corps[c]; }
    static THexPos P(int x, int y) { return {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)}; }
    static THexPos At(int c) { return P(C(c).HexX, C(c).HexY); }
    // Sets the hexside between two neighbouring hexes, wherever the map stores it.
    static void SetHexsideBetween(int x1, int y1, int x2, int y2, int value) {
        for (int d = 1; d <= 6; ++d) {
            int x = x1, y = y1;
            StepHexAt(x, y, d);
            if (x != x2 || y != y2) continue;
            if (d <= 3) Hex(x1, y1).SetHexside(d, value);
            else Hex(x2, y2).SetHexside(d - 3, value);
        }
    }

    int AddLeader(int nation, int initiative, int tactics = 0, int drill = 0, const std::string& name = "") {
        const int l = ++leaders_;
        TLeaderRec& r = GameRec->Leaders[l];
        r.Name = name.empty() ? "Leader" + std::to_string(l) : name;
        r.Nation = static_cast<U8>(nation);
        r.Initiative = static_cast<U8>(initiative);
        r.Tactics = static_cast<U8>(tactics);
        r.Drill = static_cast<U8>(drill);
        r.Status = kLeaderActive;
        return l;
    }

    // A corps in use standing on its destination with a leader of its own.
    int AddCorps(int nation, int x, int y, int leader = -1) {
        const int c = ++corps_;
        TCorpsRec& k = GameRec->Corps[c];
        k = TCorpsRec{};
        k.Nation = static_cast<U8>(nation);
        k.Side = GameRec->Nations[nation].Side;
        k.HexX = k.DestX = static_cast<U8>(x);
        k.HexY = k.DestY = static_cast<U8>(y);
        k.Leader = static_cast<U8>(leader < 0 ? AddLeader(nation, 30) : leader);
        k.Strength = 100;
        k.Condition = 10;
        k.Quality = 5;
        k.March = 1;
        k.OrderMode = 1;
        k.Region = 1;
        k.RouteIndex = 1;
        k.FatigueLimit = 5;
        return c;
    }

    int AddBrigade(int corps, int type, int strength, int quality = 2, int fatigue = 0, int homeState = 1) {
        const int b = ++brigades_;
        TBrigadeRec& r = GameRec->Brigades[b];
        r.Nation = GameRec->Corps[corps].Nation;
        r.AttachKind = kAttachCorps;
        r.AttachIndex = static_cast<U8>(corps);
        r.BrigadeType = static_cast<U8>(type);
        r.Strength = static_cast<U8>(strength);
        r.Quality = static_cast<U8>(quality);
        r.Fatigue = static_cast<U8>(fatigue);
        r.HomeState = static_cast<U8>(homeState);
        return b;
    }

    int AddCity(const std::string& name, int x, int y, int owner, int supplySource = 0) {
        const int c = ++cities_;
        TCityRec& r = GameRec->Cities[c];
        r.Name = name;
        r.HexX = static_cast<U8>(x);
        r.HexY = static_cast<U8>(y);
        r.Owner = static_cast<U8>(owner);
        r.Nation = static_cast<U8>(owner);
        r.SupplySource = static_cast<U8>(supplySource);
        r.Theatre = 1;
        Hex(x, y).SetTerrain(kTerrainCity);
        return c;
    }

    int AddArmy(int nation, int baseCity, int leader) {
        const int a = ++armies_;
        TArmyRec& r = GameRec->Armies[a];
        r.Name = "Army" + std::to_string(a);
        r.Nation = static_cast<U8>(nation);
        r.Side = GameRec->Nations[nation].Side;
        r.BaseCity = static_cast<U8>(baseCity);
        r.Leader = static_cast<U8>(leader);
        r.Theatre = 1;
        return a;
    }

    // Follows a corps' route from its hex, the way the steps would, ignoring costs.
    static THexPos EndOfRoute(const TCorpsRec& k) {
        int x = k.HexX, y = k.HexY;
        for (int e = 1; e <= 9; ++e) StepHexAt(x, y, k.Route[e]);
        return {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
    }

    // How many draws a land search from the present world takes when every draw is `draw` (99: no
    // tie ever moves the first direction found; 0: every tie does), so that a test can script and
    // pin the draws around it.
    static int LandSearchDraws(int x1, int y1, int x2, int y2, int steps, int nation, int rule, int draw = 99) {
        constexpr int kPlenty = 20000;
        ScriptRandomDraws(std::vector<int>(kPlenty, draw));
        FindPath(x1, y1, x2, y2, steps, kPathLand, nation, rule);
        const int taken = kPlenty - static_cast<int>(ScriptedDrawsLeft());
        ScriptRandomDraws({});
        return taken;
    }
    static std::vector<int> Repeat(int count, int value) {
        return std::vector<int>(static_cast<std::size_t>(count), value);
    }
    static std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
        std::vector<int> all;
        for (const std::vector<int>& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    }

    int leaders_ = 0, corps_ = 0, brigades_ = 0, cities_ = 0, armies_ = 0;
};

}  // namespace kvt::testing

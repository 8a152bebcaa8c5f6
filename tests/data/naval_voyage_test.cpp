// The naval war on the start points: a landing carried through a whole turn of 1861 while a patrol
// meets a raider, carriers sunk at sea and in port, and twenty computer turns of every start point
// with corps embarking, checked after every fleet pass.
#include <gtest/gtest.h>

#include <optional>

#include "engine/combat/naval_combat.h"
#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/headless_turns.h"
#include "engine/turn/movement_ticks.h"
#include "engine/turn/turn_start.h"
#include "engine/world/game_files.h"
#include "engine/world/stocks.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

constexpr int kWashington = 11, kFortMonroe = 23, kWilmington = 25;

class NavalVoyage : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(TextTable.LoadFromFile(testing::GameFile("KVT_ENG.TXT")));
        inFolder.emplace(testing::TempFolder("naval"));
        ASSERT_TRUE(testing::LoadStartPoint("1861"));
    }
    void TearDown() override {
        inFolder.reset();
        EXPECT_EQ(CheckedAccessFaults(), 0u);
        EngineTest::TearDown();
    }
    // Fleet f of the start point on (x, y) with these ships, mission and target.
    static TFleetRec& Sail(int f, int x, int y, std::array<int, 6> ships, int mission, int target = 0) {
        TFleetRec& r = GameRec->Fleets[f];
        r.HexX = r.DestX = static_cast<U8>(x);
        r.HexY = r.DestY = static_cast<U8>(y);
        U8* counts[] = {&r.Ironclads, &r.Wooden, &r.Transports, &r.DamagedIronclads, &r.DamagedWooden, &r.DamagedTransports};
        for (int k = 0; k < 6; ++k) *counts[k] = static_cast<U8>(ships[k]);
        r.Mission = static_cast<U8>(mission);
        r.TargetCity = static_cast<U8>(target);
        return r;
    }
    // The first Union corps, put on (x, y) with the order mode and made fleet f's cargo.
    static int Board(int f, int x, int y, int orderMode) {
        int k = 1;
        while (!CorpsInUse(GameRec->Corps[k]) || GameRec->Corps[k].Nation != 1) ++k;
        TCorpsRec& c = GameRec->Corps[k];
        c.HexX = c.DestX = static_cast<U8>(x);
        c.HexY = c.DestY = static_cast<U8>(y);
        c.OrderMode = static_cast<U8>(orderMode);
        GameRec->Fleets[f].Cargo = static_cast<U8>(k);
        return k;
    }
    static TCorpsRec& C(int k) { return GameRec->Corps[k]; }
    std::optional<testing::CurrentFolder> inFolder;
};

TEST_F(NavalVoyage, AUnionLandingSailsWithItsCorpsAboardWhileAPatrolSinksTheRaiderItMeets) {
    TGameRec& g = *GameRec;
    g.Nations[1].Human = g.Nations[2].Human = g.Nations[2].OrdersGiven = 1;
    SidePlayed = 1;
    const TCityRec& monroe = g.Cities[kFortMonroe];
    TFleetRec& carrier = Sail(1, monroe.HexX, monroe.HexY, {0, 10, 3, 0, 0, 0}, kMissionAmphibious, kWashington);
    const int k = Board(1, monroe.HexX, monroe.HexY, kOrderDefend);
    // Off the coast Union fleet 4, on patrol toward Wilmington, meets Confederate fleet 6 sailing home.
    TFleetRec& patrol = Sail(4, 72, 30, {4, 3, 1, 0, 0, 0}, kMissionPatrol, kWilmington);
    TFleetRec& raider = Sail(6, 72, 30, {0, 0, 0, 0, 0, 1}, kMissionMove, kWilmington);
    testing::ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    ExecuteTurn();
    ASSERT_EQ(fe.notices.size(), 1u);
    EXPECT_TRUE(fe.notices[0].kind == 9 && fe.notices[0].lines[2] == "Washington") << "the embarkation notice";
    int passes = 0;
    while (Timer1Enabled()) {
        const bool fleetPass = FleetPassDue == 1;
        const int step = g.MoveStep;
        MovementTick();
        if (!Timer1Enabled() || !fleetPass || (FleetPassDue == 1 && g.MoveStep == step)) continue;
        ++passes;
        EXPECT_TRUE(C(k).OrderMode == kOrderEmbarked && C(k).HexX == carrier.HexX && C(k).HexY == carrier.HexY) << passes;
    }
    EXPECT_EQ(passes, 18) << "and the last pass ends the movement, when the corps lands";
    EXPECT_TRUE(C(k).OrderMode == kOrderAdvance && C(k).SupplyCity == kWashington);
    EXPECT_TRUE(C(k).HexX == g.Cities[kWashington].HexX && C(k).HexY == g.Cities[kWashington].HexY);

    ASSERT_EQ(fe.fleetCombats.size(), 1u) << "the patrol stops to fight; the sunk raider fights no more";
    const TFleetCombatView& v = fe.fleetCombats[0];
    EXPECT_EQ(v.title, Text(108));
    EXPECT_TRUE(v.fleetList[1] == "4, " && v.fleetList[2] == "1, ");
    EXPECT_EQ(v.startShips[1], (std::array<int, 3>{4, 3, 1}));
    EXPECT_EQ(v.startShips[2], (std::array<int, 3>{0, 0, 1}));
    EXPECT_EQ(v.sunkShips[2][2], 1);
    EXPECT_TRUE(raider.BuildCounter == kFleetGone && g.OceanShipsSunk[2] == 1);
    EXPECT_NE(std::find(fe.messages.begin(), fe.messages.end(), Text(586) + "1 sunk"), fe.messages.end());
    EXPECT_TRUE(patrol.HexX == 72 && patrol.HexY == 30) << "the patrol gave up its voyage to engage";
}

TEST_F(NavalVoyage, ACarrierSunkAtSeaDrownsItsCorpsAndInPortPutsItAshore) {
    struct Case { int mission; bool inPort; int orderMode; };
    const Case cases[] = {{kMissionAmphibious, false, 0}, {kMissionPatrol, false, 0},
                          {kMissionAmphibious, true, kOrderAdvance}, {kMissionPatrol, true, kOrderDefend}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(::testing::Message() << "mission " << c.mission << (c.inPort ? " in port" : " at sea"));
        TGameRec& g = *GameRec;
        const int x = c.inPort ? g.Cities[kFortMonroe].HexX : 72, y = c.inPort ? g.Cities[kFortMonroe].HexY : 30;
        Sail(1, x, y, {0, 0, 0, 0, 0, 1}, c.mission, kWashington);
        const int k = Board(1, x, y, kOrderEmbarked), leader = C(k).Leader;
        const std::uint32_t before = g.Casualties[1];
        std::uint32_t men = before;
        for (const TBrigadeRec& b : g.Brigades)
            if (b.AttachKind == kAttachCorps && b.AttachIndex == k) men += b.Strength;
        Sail(6, x, y, {3, 0, 0, 0, 0, 0}, kMissionPatrol);
        testing::ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        SetRandomSeed(7);
        ResolveFleetCombat(6);
        ASSERT_EQ(g.Fleets[1].BuildCounter, kFleetGone) << "24 shots at even odds find a lone damaged transport";
        EXPECT_EQ(fe.fleetCombats.at(0).corpsDrowned, !c.inPort);
        EXPECT_EQ(C(k).Unused, c.inPort ? 0 : kCorpsDestroyed) << "the saved free flag of a corps sunk in battle";
        EXPECT_EQ(g.Leaders[leader].Status == kLeaderKilled, !c.inPort);
        EXPECT_EQ(g.Casualties[1], c.inPort ? before : men) << "the drowned are counted, the landed are not";
        if (c.inPort) { EXPECT_EQ(C(k).OrderMode, c.orderMode); }
        if (c.inPort && c.mission == kMissionAmphibious) { EXPECT_EQ(C(k).SupplyCity, kWashington); }
    }
}

// Each side's first idle transport fleet in its home port takes a corps (sent there beforehand) to
// another port of its side, as the embark and fleet orders dialogs would order it.
void GiveEmbarkOrders() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= 2; ++n) {
        int f = 1, k = 1, target = 1;
        while (f <= kFleetCount && (g.Fleets[f].BuildCounter != 0 || g.Fleets[f].Owner != n || g.Fleets[f].Mission != 0 ||
                                    g.Fleets[f].Transports == 0 || g.Fleets[f].Cargo != 0 || !FleetOnCity(g.Fleets[f], g.Fleets[f].HomePort)))
            ++f;
        while (k <= kCorpsCount && (!CorpsInUse(g.Corps[k]) || g.Corps[k].Nation != n || g.Corps[k].OrderMode >= kOrderEmbarked)) ++k;
        if (f > kFleetCount || k > kCorpsCount) continue;
        while (target <= kCityCount && (target == g.Fleets[f].HomePort || g.Cities[target].Owner != n || !g.Cities[target].Port)) ++target;
        if (target > kCityCount) continue;
        g.Corps[k].HexX = g.Fleets[f].HexX;
        g.Corps[k].HexY = g.Fleets[f].HexY;
        g.Corps[k].OrderMode = kOrderEmbarked;
        g.Fleets[f].Cargo = static_cast<U8>(k);
        g.Fleets[f].Mission = kMissionAmphibious;
        g.Fleets[f].TargetCity = static_cast<U8>(target);
        // Loaded as the Supplies button loads them: a fleet sent out without any turns home at once.
        U16& pool = g.Nations[n].TheatreSupplies[g.Cities[g.Fleets[f].HomePort].Theatre];
        g.Fleets[f].Supplies = static_cast<std::uint16_t>(g.Fleets[f].Supplies + TakeStock(pool, 200, StockRule::Dialog));
    }
}

// Active fleets on water, city or river hexes; freed records empty; every corps aboard on the hex of
// the one fleet that carries it. Answers the corps aboard.
int CheckFleetsAndCorpsAboard() {
    const TGameRec& g = *GameRec;
    EXPECT_EQ(CheckedAccessFaults(), 0u);
    for (int f = 1; f <= kFleetCount; ++f) {
        const TFleetRec& r = g.Fleets[f];
        const MapCell& cell = MapGrid->Cell(r.HexX, r.HexY);
        if (r.BuildCounter == 0) {
            EXPECT_TRUE(cell.Terrain() == kTerrainWater || cell.Terrain() == kTerrainCity || cell.RiverNavigable()) << "fleet " << f;
        }
        if (r.BuildCounter >= kFleetFreeFrom) {
            EXPECT_TRUE(r.BuildCounter == kFleetGone && r.Side + r.Owner + FleetShipCount(r) + r.HexX + r.HexY + r.Mission + r.HomePort +
                        r.TargetCity + r.Cargo + r.WaterType + r.DestX + r.DestY + r.Spotted + r.StepsAllowed + r.PathIndex +
                        r.Engaged + r.TransportTag + r.Supplies + r.Cotton == 0) << "freed fleet " << f;
        }
    }
    int aboard = 0;
    for (int c = 1; c <= kCorpsCount; ++c) {
        const TCorpsRec& k = g.Corps[c];
        if (!CorpsInUse(k) || k.OrderMode != kOrderEmbarked) continue;
        ++aboard;
        const auto carriers = std::count_if(g.Fleets.begin(), g.Fleets.end(), [&](const TFleetRec& r) {
            return r.BuildCounter == 0 && r.Cargo == c && FleetOnHex(r, k.HexX, k.HexY);
        });
        EXPECT_EQ(carriers, 1) << "corps " << c << " rides on the hex of the one fleet that carries it";
    }
    return aboard;
}

TEST_F(NavalVoyage, TwentyComputerTurnsOfEveryStartPointKeepFleetsAndCorpsAboardSound) {
    for (const char* year : {"1861", "1862", "1863"}) {
        std::vector<std::uint64_t> sums[2];
        int aboard = 0;
        for (std::vector<std::uint64_t>& run : sums) {
            AutomaticFrontend automatic;
            InstallFrontend(&automatic);
            SetRandomSeed(1865);
            ASSERT_TRUE(testing::LoadStartPoint(year) && HandGameToComputer());
            for (int turn = 1; turn <= 20 && GameStatus == 0; ++turn) {
                SCOPED_TRACE(::testing::Message() << year << " turn " << turn);
                GiveEmbarkOrders();
                ExecuteTurn();
                while (Timer1Enabled()) {
                    const bool fleetPass = FleetPassDue == 1;
                    const int step = GameRec->MoveStep;
                    MovementTick();
                    if (fleetPass && (FleetPassDue == 0 || GameRec->MoveStep != step)) aboard += CheckFleetsAndCorpsAboard();
                }
                run.push_back(GameChecksum());
            }
            InstallFrontend(nullptr);
        }
        EXPECT_TRUE(sums[0].size() == 20u || GameStatus != 0) << year << ": the war went on without ending";
        EXPECT_GT(aboard, 200) << year << ": corps sailed in most passes";
        EXPECT_EQ(sums[0], sums[1]) << year << ": the same seed plays the same war";
    }
}

}  // namespace
}  // namespace kvt

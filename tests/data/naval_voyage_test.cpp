// The naval war on the start points: a landing carried through a whole turn of 1861 while a patrol
// meets a raider, carriers sunk at sea and in port, and twenty computer turns of every start point
// with corps embarking, checked after every fleet pass.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "engine/combat/naval_combat.h"
#include "engine/core/corps_movement.h"
#include "engine/core/game_files.h"
#include "engine/core/globals.h"
#include "engine/core/headless_turns.h"
#include "engine/core/movement_ticks.h"
#include "engine/core/text_table.h"
#include "engine/core/turn_start.h"
#include "engine/logistics/fleet_records.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

constexpr int kWashington = 11, kFortMonroe = 23, kWilmington = 25;

class NavalVoyage : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(TextTable.LoadFromFile(testing::GameFile("KVT_ENG.TXT")));
        inFolder.emplace(testing::TempFolder("naval"));
    }
    void TearDown() override {
        inFolder.reset();
        EXPECT_EQ(CheckedAccessFaults(), 0u);
        EngineTest::TearDown();
    }
    static TFleetRec& F(int f) { return GameRec->Fleets[f]; }
    static TCorpsRec& C(int c) { return GameRec->Corps[c]; }
    static void Place(TFleetRec& f, int x, int y) {
        f.HexX = f.DestX = static_cast<U8>(x);
        f.HexY = f.DestY = static_cast<U8>(y);
    }
    static void PlaceAt(TCorpsRec& k, int city) {
        k.HexX = k.DestX = GameRec->Cities[city].HexX;
        k.HexY = k.DestY = GameRec->Cities[city].HexY;
    }
    // The first corps of the nation in use, not aboard a fleet.
    static int CorpsOf(int nation) {
        for (int c = 1; c <= kCorpsCount; ++c)
            if (CorpsInUse(C(c)) && C(c).Nation == nation && C(c).OrderMode < kOrderEmbarked && C(c).Strength > 0) return c;
        return 0;
    }
    static void SetShips(TFleetRec& f, std::array<int, 6> s) {
        U8* counts[] = {&f.Ironclads, &f.Wooden, &f.Transports, &f.DamagedIronclads, &f.DamagedWooden, &f.DamagedTransports};
        for (int k = 0; k < 6; ++k) *counts[k] = static_cast<U8>(s[k]);
    }
    std::optional<testing::CurrentFolder> inFolder;
};

TEST_F(NavalVoyage, AUnionLandingSailsWithItsCorpsAboardWhileAPatrolSinksTheRaiderItMeets) {
    ASSERT_TRUE(testing::LoadStartPoint("1861"));
    TGameRec& g = *GameRec;
    g.Nations[1].Human = g.Nations[2].Human = 1;
    g.Nations[2].OrdersGiven = 1;
    SidePlayed = 1;
    // Fleet 1, the Union's first, lies at Fort Monroe: it takes a corps up the bay to Washington.
    TFleetRec& carrier = F(1);
    ASSERT_EQ(carrier.HomePort, kFortMonroe);
    const int k = CorpsOf(1);
    PlaceAt(C(k), kFortMonroe);
    C(k).OrderMode = kOrderDefend;
    carrier.Mission = kMissionAmphibious;
    carrier.TargetCity = kWashington;
    carrier.Cargo = static_cast<U8>(k);
    // Union fleet 4, on patrol toward Wilmington, meets Confederate fleet 6 at sea off the coast.
    TFleetRec& patrol = F(4);
    TFleetRec& raider = F(6);
    ASSERT_EQ(patrol.Owner, 1);
    ASSERT_EQ(raider.Owner, 2);
    Place(patrol, 72, 30);
    Place(raider, 72, 30);
    SetShips(patrol, {4, 3, 1, 0, 0, 0});
    SetShips(raider, {0, 0, 0, 0, 0, 1});
    patrol.Mission = kMissionPatrol;
    patrol.TargetCity = kWilmington;
    raider.Mission = kMissionMove;
    raider.TargetCity = kWilmington;
    raider.HomePort = kWilmington;

    ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    ExecuteTurn();
    ASSERT_EQ(fe.notices.size(), 1u) << "the embarkation notice";
    EXPECT_EQ(fe.notices[0].kind, 9);
    EXPECT_EQ(fe.notices[0].lines[2], "Washington");
    int passes = 0;
    while (Timer1Enabled()) {
        const bool fleetPass = FleetPassDue == 1;
        const int step = g.MoveStep;
        MovementTick();
        // The last pass ends the movement, and the landing follows at once.
        if (!Timer1Enabled()) break;
        if (!fleetPass || (FleetPassDue == 1 && g.MoveStep == step)) continue;
        ++passes;
        ASSERT_EQ(C(k).OrderMode, kOrderEmbarked) << "pass " << passes;
        EXPECT_TRUE(C(k).HexX == carrier.HexX && C(k).HexY == carrier.HexY) << "pass " << passes;
    }
    EXPECT_EQ(passes, 18);
    // Landed at Washington after the movement.
    EXPECT_EQ(C(k).OrderMode, kOrderAdvance);
    EXPECT_EQ(C(k).SupplyCity, kWashington);
    EXPECT_TRUE(C(k).HexX == g.Cities[kWashington].HexX && C(k).HexY == g.Cities[kWashington].HexY);

    ASSERT_EQ(fe.fleetCombats.size(), 1u) << "the patrol stops and fights; the sunk raider fights no more";
    const TFleetCombatView& v = fe.fleetCombats[0];
    EXPECT_EQ(v.title, Text(108));
    EXPECT_EQ(v.fleetList[1], "4, ");
    EXPECT_EQ(v.fleetList[2], "1, ");
    EXPECT_EQ(v.startShips[1], (std::array<int, 3>{4, 3, 1}));
    EXPECT_EQ(v.startShips[2], (std::array<int, 3>{0, 0, 1}));
    EXPECT_EQ(v.sunkShips[2][2], 1);
    EXPECT_EQ(raider.BuildCounter, kFleetGone);
    EXPECT_EQ(g.OceanShipsSunk[2], 1);
    EXPECT_NE(std::find(fe.messages.begin(), fe.messages.end(), Text(586) + "1 sunk"), fe.messages.end());
    EXPECT_TRUE(patrol.HexX == 72 && patrol.HexY == 30) << "the patrol gave up its voyage to engage";
}

TEST_F(NavalVoyage, ACarrierSunkAtSeaDrownsItsCorpsAndInPortPutsItAshore) {
    for (const bool inPort : {false, true}) {
        SetUp();
        SCOPED_TRACE(inPort ? "in port" : "at sea");
        ASSERT_TRUE(testing::LoadStartPoint("1861"));
        TGameRec& g = *GameRec;
        const TCityRec& monroe = g.Cities[kFortMonroe];
        const int x = inPort ? monroe.HexX : 72, y = inPort ? monroe.HexY : 30;
        TFleetRec& carrier = F(1);
        Place(carrier, x, y);
        SetShips(carrier, {0, 0, 0, 0, 0, 1});
        carrier.Mission = kMissionAmphibious;
        carrier.TargetCity = kWashington;
        const int k = CorpsOf(1);
        C(k).HexX = static_cast<U8>(x);
        C(k).HexY = static_cast<U8>(y);
        C(k).OrderMode = kOrderEmbarked;
        carrier.Cargo = static_cast<U8>(k);
        int men = 0, stateMen = 0;
        const int state = g.Brigades[1].HomeState;
        for (const TBrigadeRec& b : g.Brigades)
            if (b.AttachKind == kAttachCorps && b.AttachIndex == k) {
                men += b.Strength;
                if (b.HomeState == state) stateMen += b.Strength;
            }
        ASSERT_GT(men, 0);
        const std::uint32_t casualties = g.Casualties[1];
        const int stateCasualties = g.States[state].StateCasualties;
        const int leader = C(k).Leader;
        TFleetRec& raider = F(6);
        Place(raider, x, y);
        SetShips(raider, {3, 0, 0, 0, 0, 0});
        raider.Mission = kMissionPatrol;
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        SetRandomSeed(7);
        ResolveFleetCombat(6);
        ASSERT_EQ(carrier.BuildCounter, kFleetGone) << "24 shots at even odds hit a lone damaged transport";
        EXPECT_EQ(fe.fleetCombats.at(0).corpsDrowned, !inPort);
        EXPECT_EQ(C(k).Unused != 0, !inPort);
        EXPECT_EQ(g.Leaders[leader].Status == kLeaderKilled, !inPort);
        EXPECT_EQ(g.Casualties[1], casualties + (inPort ? 0 : men));
        EXPECT_EQ(g.States[state].StateCasualties, stateCasualties + (inPort ? 0 : stateMen));
        if (inPort) {
            EXPECT_EQ(C(k).OrderMode, kOrderAdvance);
            EXPECT_EQ(C(k).SupplyCity, kWashington);
        }
    }
}

// Orders as the embark and fleet dialogs give them: each side's first idle transport fleet in its
// home port takes a corps standing there (one is sent there when none stands) to another port.
void GiveEmbarkOrders() {
    TGameRec& g = *GameRec;
    for (int n = 1; n <= 2; ++n)
        for (int f = 1; f <= kFleetCount; ++f) {
            TFleetRec& fleet = g.Fleets[f];
            if (fleet.BuildCounter != 0 || fleet.Owner != n || fleet.Mission != kMissionNothing || fleet.Transports == 0 ||
                fleet.Cargo != 0 || !FleetOnCity(fleet, fleet.HomePort))
                continue;
            int target = 0;
            for (int c = 1; c <= kCityCount && target == 0; ++c)
                if (c != fleet.HomePort && g.Cities[c].Owner == fleet.Side && g.Cities[c].Port != 0) target = c;
            int corps = 0;
            for (int c = 1; c <= kCorpsCount && corps == 0; ++c)
                if (CorpsInUse(g.Corps[c]) && g.Corps[c].Nation == n && g.Corps[c].OrderMode < kOrderEmbarked &&
                    g.Corps[c].Strength != 0 && FleetOnHex(fleet, g.Corps[c].HexX, g.Corps[c].HexY))
                    corps = c;
            for (int c = 1; c <= kCorpsCount && corps == 0; ++c)
                if (CorpsInUse(g.Corps[c]) && g.Corps[c].Nation == n && g.Corps[c].OrderMode < kOrderEmbarked && g.Corps[c].Strength != 0) {
                    corps = c;
                    g.Corps[c].HexX = fleet.HexX;
                    g.Corps[c].HexY = fleet.HexY;
                }
            if (target == 0 || corps == 0) continue;
            g.Corps[corps].OrderMode = kOrderEmbarked;
            fleet.Cargo = static_cast<U8>(corps);
            fleet.Mission = kMissionAmphibious;
            fleet.TargetCity = static_cast<U8>(target);
            break;
        }
}

// Checks the fleets and embarked corps; answers how many corps are aboard.
int CheckFleetsAndCorpsAboard(const std::string& where) {
    SCOPED_TRACE(where);
    int aboard = 0;
    const TGameRec& g = *GameRec;
    EXPECT_EQ(CheckedAccessFaults(), 0u);
    for (int f = 1; f <= kFleetCount; ++f) {
        const TFleetRec& fleet = g.Fleets[f];
        if (fleet.BuildCounter == 0) {
            const MapCell& cell = MapGrid->Cell(fleet.HexX, fleet.HexY);
            EXPECT_TRUE(OnMap(fleet.HexX, fleet.HexY) && (cell.Terrain() == kTerrainWater || cell.Terrain() == kTerrainCity ||
                                                          cell.RiverNavigable()))
                << "fleet " << f << " at " << int(fleet.HexX) << "," << int(fleet.HexY);
        } else if (fleet.BuildCounter >= kFleetFreeFrom) {
            EXPECT_EQ(fleet.BuildCounter, kFleetGone) << "fleet " << f;
            const int left = fleet.Side + fleet.Owner + FleetShipCount(fleet) + fleet.HexX + fleet.HexY + fleet.Mission +
                             fleet.HomePort + fleet.TargetCity + fleet.Cargo + fleet.WaterType + fleet.DestX + fleet.DestY +
                             fleet.Spotted + fleet.StepsAllowed + fleet.PathIndex + fleet.Engaged + fleet.TransportTag +
                             fleet.Supplies + fleet.Cotton;
            EXPECT_EQ(left, 0) << "freed fleet " << f;
        }
    }
    for (int c = 1; c <= kCorpsCount; ++c) {
        const TCorpsRec& k = g.Corps[c];
        if (!CorpsInUse(k) || k.OrderMode != kOrderEmbarked) continue;
        ++aboard;
        int carriers = 0;
        for (const TFleetRec& fleet : g.Fleets)
            if (fleet.BuildCounter == 0 && fleet.Cargo == c) {
                ++carriers;
                EXPECT_TRUE(FleetOnHex(fleet, k.HexX, k.HexY)) << "corps " << c << " rides on its fleet's hex";
            }
        EXPECT_EQ(carriers, 1) << "corps " << c << " is aboard exactly one fleet";
    }
    return aboard;
}

// Twenty computer turns; the checksum after each. `aboard` counts corps aboard over the passes.
std::vector<std::uint64_t> PlayTwentyTurns(const std::string& year, int& aboard) {
    std::vector<std::uint64_t> sums;
    AutomaticFrontend fe;
    InstallFrontend(&fe);
    ResetEngineGlobals();
    UseClockForRandomize(false);
    SetRandomSeed(1865);
    const std::string file = testing::GameFile(year + ".kvt");
    if (!ReadGameImages(file, *GameRec, *MapGrid, nullptr) || !HandGameToComputer()) ADD_FAILURE() << year;
    BringGameIntoPlay(file);
    for (int turn = 1; turn <= 20 && GameStatus == 0; ++turn) {
        GiveEmbarkOrders();
        ExecuteTurn();
        for (long ticks = 0; Timer1Enabled() && ticks < 100000; ++ticks) {
            const bool fleetPass = FleetPassDue == 1;
            const int step = GameRec->MoveStep;
            MovementTick();
            if (fleetPass && (FleetPassDue == 0 || GameRec->MoveStep != step))
                aboard += CheckFleetsAndCorpsAboard(year + " turn " + std::to_string(turn) + " step " + std::to_string(step));
        }
        sums.push_back(GameChecksum());
    }
    InstallFrontend(nullptr);
    return sums;
}

TEST_F(NavalVoyage, TwentyComputerTurnsOfEveryStartPointKeepFleetsAndCorpsAboardSound) {
    for (const char* year : {"1861", "1862", "1863"}) {
        SCOPED_TRACE(year);
        int aboard = 0;
        const std::vector<std::uint64_t> first = PlayTwentyTurns(year, aboard);
        EXPECT_EQ(first.size(), 20u);
        EXPECT_GT(aboard, 100) << "corps sailed in most passes";
        EXPECT_EQ(PlayTwentyTurns(year, aboard), first) << "the same seed plays the same war";
    }
}

}  // namespace
}  // namespace kvt

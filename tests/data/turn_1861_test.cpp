// Whole turns of the 1861 start point: Execute to the next orders with the movement passes, the
// autosave and the gauge; the mail exchange with the playback of a turn in which corps marched;
// and the headless runner's output for one seed.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "engine/movement/corps_movement.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/turn/headless_turns.h"
#include "engine/turn/mail_game.h"
#include "engine/turn/playback.h"
#include "engine/turn/turn_start.h"
#include "engine/view/turn_menus.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/text_table.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/movement_campaign.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

using testing::FileBytes;
using testing::ScriptedFrontend;

class Turn1861 : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        start = testing::GameFile("1861.kvt");
        ASSERT_TRUE(std::ifstream(start).good()) << "the 1861 start point is missing from the game folder";
        ASSERT_TRUE(TextTable.LoadFromFile(testing::GameFile("KVT_ENG.TXT")));
        folder = testing::TempFolder("turn1861");
        inFolder.emplace(folder);
    }
    void TearDown() override {
        inFolder.reset();
        EXPECT_EQ(CheckedAccessFaults(), 0u);
        EngineTest::TearDown();
    }
    std::string Path(const std::string& name) const { return folder + "/" + name; }

    // Loads the start point; the setup dialog gives the players and the kind of game. A mail game
    // writes its history beside the game, so it is set up from a copy in the test's folder.
    void Load(bool unionPerson, bool confederatePerson, int kind) {
        if (kind == 2) {
            for (const char* name : {"1861.kvt", "1861.KVM"})
                std::filesystem::copy_file(testing::GameFile(name), Path(name));
            start = Path("1861.kvt");
        }
        ScriptedFrontend fe;
        fe.ExpectGameSetup({.unionPerson = unionPerson, .confederatePerson = confederatePerson, .mail = kind == 2});
        ASSERT_TRUE(LoadGameFiles(start));
    }
    static int CorpsThatMarched() {
        int n = 0;
        for (const TCorpsRec& k : GameRec->Corps)
            if (CorpsInUse(k) && k.StepsTaken != 0) ++n;
        return n;
    }

    std::string start, folder;
    std::optional<testing::CurrentFolder> inFolder;
};

TEST_F(Turn1861, AWholeTurnRunsFromExecuteToTheNextOrders) {
    Load(true, false, 0);
    ASSERT_EQ(SidePlayed, 1);
    testing::OrderEveryCorpsForward();
    TGameRec ordered = *GameRec;
    ordered.Nations[1].OrdersGiven = 1;
    TMapGrid orderedMap = *MapGrid;
    for (const TCityRec& city : ordered.Cities) orderedMap.Cell(city.HexX, city.HexY).SetTerrain(kTerrainCity);

    ScriptedFrontend fe;
    fe.AllowAnyWaits(true);
    ExecuteTurn();
    ASSERT_TRUE(Timer1Enabled());
    int fleetPasses = 0, corpsPasses = 0, ticks = 0;
    while (Timer1Enabled() && ticks < 100000) {
        const int step = GameRec->MoveStep;
        const bool corpsPass = FleetPassDue == 0;
        MovementTick();
        ++ticks;
        if (corpsPass && FleetPassDue == 1) ++corpsPasses;
        if (!corpsPass && (FleetPassDue == 0 || GameRec->MoveStep != step)) ++fleetPasses;
    }
    EXPECT_EQ(fleetPasses, 19);
    EXPECT_EQ(corpsPasses, 9);
    ASSERT_GE(fe.gauge.size(), 2u);
    EXPECT_EQ(fe.gauge[fe.gauge.size() - 2], 300);
    EXPECT_EQ(fe.gauge.back(), 0);
    EXPECT_EQ(fe.dates.back(), "June 11 1861");
    EXPECT_GT(CorpsThatMarched(), 5) << "a turn in which nothing marches proves little";

    const auto rec = FileBytes(Path("Autosave.KVT"));
    const auto map = FileBytes(Path("Autosave.KVM"));
    ASSERT_EQ(rec.size(), kGameRecSize);
    ASSERT_EQ(map.size(), kMapGridSize);
    EXPECT_EQ(std::memcmp(rec.data(), &ordered, kGameRecSize), 0) << "the autosave is the game as ordered";
    EXPECT_EQ(std::memcmp(map.data(), &orderedMap, kMapGridSize), 0);

    EXPECT_EQ(SidePlayed, 1);
    EXPECT_TRUE(MenuItemEnabled(MenuItem::Execute1));
    EXPECT_EQ(GameStatus, 0);
}

TEST_F(Turn1861, AMailTurnMarchedByOnePlayerIsPlayedBackToTheOther) {
    Load(true, true, 2);
    ASSERT_EQ(GameRec->GameKind, 2);
    EXPECT_EQ(BattleLog, std::vector<std::string>{"No History"});
    EXPECT_TRUE(std::filesystem::exists(Path("1861.BTL"))) << "the new mail game's history lies beside it";
    EXPECT_FALSE(std::filesystem::exists(testing::GameFile("1861.BTL")));
    {
        ScriptedFrontend fe;
        fe.ExpectSaveFile(Path("first.kvt"));
        fe.ExpectNotice(0, 1);
        SaveGameDialog();
    }
    ResetEngineGlobals();
    {
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        fe.ExpectOpenFile(Path("first.KVT"));
        LoadGameMenu();
        ASSERT_EQ(GameRec->GameKind, 3);
        ASSERT_EQ(SidePlayed, 2);
        testing::OrderEveryCorpsForward();
        ExecuteTurn();
        ASSERT_GT(testing::RunMovement(), 0);
        ASSERT_EQ(GameRec->GameKind, 4);
        ASSERT_GT(CorpsThatMarched(), 5);
        fe.AllowAnyWaits(false);
        fe.ExpectSaveFile(Path("second.kvt"));
        fe.ExpectNotice(0, 1);
        SaveGameDialog();
    }
    ResetEngineGlobals();
    ScriptedFrontend fe;
    fe.ExpectOpenFile(Path("second.KVT"));
    fe.ExpectInformationBox();
    LoadGameMenu();
    ASSERT_TRUE(MenuItemEnabled(MenuItem::Playback1));
    const TGameRec received = *GameRec;
    const TMapGrid receivedMap = *MapGrid;
    fe.AllowAnyWaits(true);
    StartPlayback();
    ASSERT_GT(testing::RunMovement(), 0);

    int checked = 0;
    for (int c = 1; c <= kCorpsCount; ++c) {
        const TCorpsRec& k = received.Corps[c];
        if (!CorpsInUse(k) || k.StepsTaken == 0 || k.Leader == 0) continue;
        int x = k.StartX, y = k.StartY, steps = 0;
        for (int s = 1; s <= 9; ++s)
            if (k.StepDone[s] != 0) {
                StepHexAt(x, y, k.StepDone[s]);
                ++steps;
            }
        int shown = 0, lastX = 0, lastY = 0;
        for (const auto& u : fe.shown)
            if (u.kind == MovedUnit::Corps && u.index == c) {
                ++shown;
                lastX = u.column;
                lastY = u.row;
            }
        EXPECT_EQ(shown, steps) << "corps " << c << " is shown after each recorded step";
        EXPECT_EQ((std::pair{lastX, lastY}), (std::pair{x, y})) << "corps " << c << " ends its recorded march";
        ++checked;
    }
    EXPECT_GT(checked, 5);
    TGameRec expected = received;
    expected.GameKind = 3;
    EXPECT_EQ(std::memcmp(GameRec, &expected, sizeof(TGameRec)), 0) << "the game is left as it was received";
    EXPECT_EQ(std::memcmp(MapGrid, &receivedMap, sizeof(TMapGrid)), 0);
    EXPECT_TRUE(MenuItemEnabled(MenuItem::Execute1)) << "the receiver gives the next orders";
}

TEST_F(Turn1861, TheHeadlessRunnerPlaysTwentyTurnsTheSameWayForTheSameSeed) {
    std::string runs[3];
    const std::uint64_t seeds[3] = {1861, 1861, 1862};
    for (int i = 0; i < 3; ++i) {
        std::ostringstream out;
        std::string error;
        ASSERT_EQ(RunHeadlessGame(start, 20, seeds[i], out, &error), 0) << error;
        runs[i] = out.str();
        EXPECT_EQ(CheckedAccessFaults(), 0u);
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_NE(runs[0], runs[2]) << "another seed plays another war";
    std::istringstream lines(runs[0]);
    std::string line, turn20, last;
    int count = 0;
    while (std::getline(lines, line)) {
        if (++count == 20) turn20 = line;
        last = line;
    }
    EXPECT_EQ(count, 21) << "twenty turns and the summary";
    EXPECT_EQ(turn20.substr(0, 15), "20 Dec 21 1861 ");
    EXPECT_EQ(last.substr(0, 8), "winner: ");
}

}  // namespace
}  // namespace kvt

// Execute and the pre-movement phase: who may start a turn, the autosave of the game as ordered,
// the command clean-up, the calendar and the start positions the playback returns to.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

#include "engine/forces/corps_records.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/turn_start.h"
#include "engine/view/turn_menus.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::FileBytes;
using testing::ScriptedFrontend;

class TurnStart : public testing::TurnTest {};

TEST_F(TurnStart, ExecuteStartsOnlyWhenEveryPersonPlayedSideHasGivenOrders) {
    struct Case {
        const char* name;
        bool unionPerson, confederatePerson;
        int kind, sidePlayed, unionGiven, confederateGiven;
        bool starts;
        std::vector<std::string> messages;
        int unionGivenAfter;
    };
    const Case cases[] = {
        {"one person-played side", true, false, 0, 1, 0, 0, true, {}, 0},
        {"second side still giving orders", true, true, 0, 1, 0, 0, false, {"text 462"}, 1},
        {"second side's Execute", true, true, 0, 2, 1, 0, true, {}, 0},
        {"nobody has given orders", true, true, 0, 0, 0, 0, false, {"text 461", "text 462"}, 0},
        {"mail game starts at once", true, true, 3, 2, 0, 0, true, {}, 0},
        {"computer on both sides", false, false, 0, 0, 0, 0, true, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetEngineGlobals();
        testing::BuildSyntheticGame(c.unionPerson, c.confederatePerson);
        GameRec->GameKind = static_cast<std::uint16_t>(c.kind);
        GameRec->Nations[1].OrdersGiven = static_cast<U8>(c.unionGiven);
        GameRec->Nations[2].OrdersGiven = static_cast<U8>(c.confederateGiven);
        SidePlayed = static_cast<std::uint16_t>(c.sidePlayed);
        EnableTurnMenus();
        ScriptedFrontend fe;
        for (std::size_t i = 0; i < c.messages.size(); ++i) fe.ExpectInformationBox();
        ExecuteTurn();
        EXPECT_EQ(Timer1Enabled(), c.starts);
        EXPECT_EQ(fe.messages, c.messages);
        EXPECT_EQ(SidePlayed, 0) << "nobody gives orders after Execute";
        EXPECT_EQ(GameRec->Nations[1].OrdersGiven, c.unionGivenAfter);
        if (c.starts) {
            EXPECT_EQ(GameRec->Day, 11) << "the date moved on";
            EXPECT_EQ(GameRec->MoveStep, 1);
            EXPECT_EQ(FleetPassDue, 1);
            EXPECT_EQ(SelectedFleet, 1);
            EXPECT_EQ(SelectedCorps, 1);
            EXPECT_EQ(GameRec->Nations[2].OrdersGiven, 0);
            EXPECT_FALSE(MenuItemEnabled(MenuItem::Execute1));
            EXPECT_FALSE(MenuItemEnabled(MenuItem::LoadGame1));
            EXPECT_EQ(fe.gauge, (std::vector<int>{1, 20, 40, 70, 110}));
        } else {
            EXPECT_EQ(GameRec->Day, 1) << "a refused Execute changes nothing";
            EXPECT_TRUE(MenuItemEnabled(MenuItem::Execute1));
        }
    }
}

TEST_F(TurnStart, ExecuteIsRefusedWhileTheCommandIsNotOffered) {
    for (int kind : {2, 4}) {
        GameRec->GameKind = static_cast<std::uint16_t>(kind);
        SetMenuItem(MenuItem::Execute1, false);
        EnableTurnMenus();
        ScriptedFrontend fe;
        ExecuteTurn();
        EXPECT_FALSE(Timer1Enabled()) << "kind " << kind;
        EXPECT_EQ(GameRec->Day, 1) << "kind " << kind;
    }
}

TEST_F(TurnStart, AutosaveHoldsTheGameExactlyAsOrdered) {
    TGameRec ordered = *GameRec;
    ordered.Nations[1].OrdersGiven = 1;  // the Execute of the side played marks its orders given
    TMapGrid orderedMap = *MapGrid;
    for (int k = 1; k <= 6; ++k)
        orderedMap.Cell(ordered.Cities[k].HexX, ordered.Cities[k].HexY).SetTerrain(kTerrainCity);
    ScriptedFrontend fe;
    ExecuteTurn();
    const auto rec = FileBytes(Path("Autosave.KVT"));
    const auto map = FileBytes(Path("Autosave.KVM"));
    ASSERT_EQ(rec.size(), kGameRecSize);
    ASSERT_EQ(map.size(), kMapGridSize);
    EXPECT_EQ(std::memcmp(rec.data(), &ordered, kGameRecSize), 0);
    EXPECT_EQ(std::memcmp(map.data(), &orderedMap, kMapGridSize), 0);
    EXPECT_NE(std::memcmp(GameRec, &ordered, kGameRecSize), 0) << "the turn itself went on after the save";
}

TEST_F(TurnStart, CalendarAdvancesTenDaysAndTheFirstTurnOfAMonthIsAnnounced) {
    struct Case { int day, month, year; const char* date; bool monthMessage; };
    const Case cases[] = {
        {1, 4, 1861, "Apr 11 1861", false},
        {11, 4, 1861, "Apr 21 1861", false},
        {21, 4, 1861, "May 1 1861", true},
        {21, 12, 1861, "Jan 1 1862", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        testing::BuildSyntheticGame(true, false);
        GameRec->Day = static_cast<U8>(c.day);
        GameRec->Month = static_cast<std::uint16_t>(c.month);
        GameRec->Year = static_cast<std::uint16_t>(c.year);
        SidePlayed = 1;
        EnableTurnMenus();
        ScriptedFrontend fe;
        if (c.monthMessage) fe.ExpectInformationBox();
        ExecuteTurn();
        ASSERT_EQ(fe.dates.size(), 1u);
        EXPECT_EQ(fe.dates[0], c.date);
        EXPECT_EQ(fe.messages, c.monthMessage ? std::vector<std::string>{"text 686"} : std::vector<std::string>{});
        SetTimer1Enabled(false);
    }
}

TEST_F(TurnStart, StartPositionsAndCitiesOfPersonPlayedNationsAreMarked) {
    TGameRec& g = *GameRec;
    g.Corps[3].StepsTaken = 4;
    g.Corps[3].StepDone[2] = 5;
    g.Fleets[2].StepDone[17] = 3;
    g.Fleets[2].StartX = 1;
    for (int k = 1; k <= 6; ++k) g.Cities[k].Status = 0;
    ScriptedFrontend fe;
    ExecuteTurn();
    for (int c : {1, 3}) {
        EXPECT_EQ(g.Corps[c].StartX, g.Corps[c].HexX);
        EXPECT_EQ(g.Corps[c].StartY, g.Corps[c].HexY);
    }
    EXPECT_EQ(g.Corps[3].StepsTaken, 0);
    EXPECT_EQ(g.Corps[3].StepDone[2], 0);
    EXPECT_EQ(g.Fleets[2].StepDone[17], 0);
    EXPECT_EQ(g.Fleets[2].StartX, 47);
    EXPECT_EQ(g.Cities[1].Status, 1) << "a Union city: the Union is person-played";
    EXPECT_EQ(g.Cities[4].Status, 0) << "a Confederate city: the Confederacy is computer-played";
    EXPECT_EQ(g.Cities[2].Status, 4) << "the computer marks its own capital";
}

TEST_F(TurnStart, TheAutosaveHoldsNoArmyWithoutAHeadquarters) {
    TGameRec& g = *GameRec;
    auto army = [&](int a, int base, int nation) {
        g.Armies[a].Name = "Army " + std::to_string(a);
        g.Armies[a].BaseCity = static_cast<U8>(base);
        g.Armies[a].Nation = static_cast<U8>(nation);
        g.Armies[a].Side = static_cast<U8>(nation);
    };
    army(3, 0, 1);  // lost its headquarters
    army(4, 1, 1);
    army(5, 2, 2);
    ScriptedFrontend fe;
    ExecuteTurn();
    const auto bytes = FileBytes(Path("Autosave.KVT"));
    ASSERT_EQ(bytes.size(), kGameRecSize);
    TGameRec saved;
    std::memcpy(static_cast<void*>(&saved), bytes.data(), kGameRecSize);
    EXPECT_TRUE(ArmySlotFree(saved.Armies[3])) << "released before the game was saved";
    EXPECT_EQ(saved.Armies[4].Nation, 1);
    EXPECT_EQ(saved.Armies[5].Nation, 2);
    EXPECT_TRUE(ArmySlotFree(g.Armies[3]));
}

TEST_F(TurnStart, ThePreMovementPhaseShowsTheNewWeatherOnTheGauges) {
    // Every table entry the same: the Seaboard then reads one less, the Mississippi half plus one.
    struct Case { int entry; std::vector<int> gauges; };
    const Case cases[] = {{6, {42, 84, 70}}, {9, {42, 98, 42}}, {11, {98, 98, 84}}};
    for (const Case& c : cases) {
        testing::BuildSyntheticGame(true, false);
        std::memset(GameRec->WeatherTable, c.entry, sizeof GameRec->WeatherTable);
        SidePlayed = 1;
        EnableTurnMenus();
        ScriptedFrontend fe;
        ExecuteTurn();
        EXPECT_EQ(fe.weatherGauges, c.gauges) << c.entry;
        SetTimer1Enabled(false);
    }
    // A game that has ended moves no weather on and leaves the gauges alone.
    testing::BuildSyntheticGame(true, false);
    SidePlayed = 1;
    EnableTurnMenus();
    GameStatus = 1;
    ScriptedFrontend fe;
    PreMovementPhase();
    EXPECT_TRUE(fe.weatherGauges.empty());
    GameStatus = 0;
}

TEST(WeatherGauges, ProgressFollowsTheWeather) {
    const std::pair<int, int> cases[] = {{0, 98}, {2, 98}, {3, 70}, {4, 70}, {5, 42}, {6, 84},
                                         {7, 42}, {8, 42}, {9, 98}, {11, 98}};
    for (auto [weather, progress] : cases) EXPECT_EQ(WeatherGaugeProgress(weather), progress) << weather;
}

// --- Command clean-up ---

class CommandCleanUpTest : public testing::TurnTest {
protected:
    void SetUp() override {
        TurnTest::SetUp();
        g = GameRec;
    }
    void UseArmy(int a, int leader, int nation) {
        g->Armies[a].Name = "Army " + std::to_string(a);
        g->Armies[a].BaseCity = 1;
        g->Armies[a].Nation = static_cast<U8>(nation);
        g->Armies[a].Side = static_cast<U8>(nation);
        g->Armies[a].Leader = static_cast<U8>(leader);
        g->Armies[a].ArmyNumber = static_cast<U8>(a);
        g->Armies[a].PlanTag = 9;
        g->Armies[a].ArmyValue = 77;
    }
    void UseCorps(int c, int leader, int nation, int x, int y) {
        TCorpsRec& k = g->Corps[c];
        k.Unused = 0;
        k.Leader = static_cast<U8>(leader);
        k.Nation = k.Side = static_cast<U8>(nation);
        k.HexX = static_cast<U8>(x);
        k.HexY = static_cast<U8>(y);
        k.BrigadeLimit = 6;
    }
    std::vector<int> BrigadesOf(int kind, int index) const {
        std::vector<int> out;
        for (int b = 1; b <= kBrigadeCount; ++b)
            if (g->Brigades[b].AttachKind == kind && g->Brigades[b].AttachIndex == index) out.push_back(b);
        return out;
    }
    TGameRec* g = nullptr;
};

TEST_F(CommandCleanUpTest, ALeaderOfTwoArmiesKeepsTheHigherNumbered) {
    UseArmy(3, 5, 1);
    UseArmy(7, 5, 1);
    g->Corps[1].Army = 3;
    g->Corps[2].Army = 7;
    g->Leaders[5].Status = kLeaderActive;
    ScriptedFrontend fe;
    CommandCleanUp();
    EXPECT_TRUE(ArmySlotFree(g->Armies[3]));
    EXPECT_TRUE(g->Armies[3].Name.empty());
    EXPECT_EQ(g->Armies[3].Leader, 0);
    EXPECT_EQ(g->Armies[3].PlanTag, 0);
    EXPECT_EQ(g->Armies[3].ArmyValue, 0);
    EXPECT_EQ(g->Corps[1].Army, 0) << "the corps of the disbanded army are detached";
    EXPECT_EQ(g->Armies[7].Leader, 5);
    EXPECT_EQ(g->Corps[2].Army, 7);
    EXPECT_EQ(g->Leaders[5].Status, kLeaderActive);
}

TEST_F(CommandCleanUpTest, AnArmyLeaderGivesUpHisCorpsToTheirNeighbours) {
    struct Case {
        const char* name;
        std::function<void(TGameRec&)> setup;
        int expectedKind;   // where corps 1's three brigades go
        int expectedIndex;  // corps or city; a freed brigade keeps whatever it held
        bool notice;
    };
    const Case cases[] = {
        {"the neighbouring corps of its nation", [](TGameRec& g) { g.Corps[2].HexX = 40; g.Corps[2].HexY = 22; },
         kAttachCorps, 2, false},
        {"a full neighbour is passed over for the own city beside it",
         [](TGameRec& g) { g.Corps[2].HexX = 40; g.Corps[2].HexY = 22; g.Corps[2].BrigadeLimit = 2; },
         kAttachGarrison, 1, false},
        {"a free slot beside it never takes them",
         [](TGameRec& g) { g.Corps[2].HexX = 40; g.Corps[2].HexY = 22; g.Corps[2].Unused = 1; },
         kAttachGarrison, 1, false},
        {"an enemy corps beside it never takes them",
         [](TGameRec& g) { g.Corps[1].HexX = 40; g.Corps[1].HexY = 28; },
         kAttachFree, 0, true},
        {"no own city or corps beside it: disbanded",
         [](TGameRec& g) { g.Corps[1].HexX = 30; g.Corps[1].HexY = 10; },
         kAttachFree, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, false);
        UseArmy(2, 1, 1);  // leader 1 heads army 2 and corps 1
        c.setup(*g);
        const std::vector<int> brigades = BrigadesOf(kAttachCorps, 1);
        ASSERT_EQ(brigades.size(), 3u);
        ScriptedFrontend fe;
        if (c.notice) fe.ExpectNotice(0);
        CommandCleanUp();
        EXPECT_NE(g->Corps[1].Unused, 0) << "the disbanded corps' slot reads as free";
        EXPECT_EQ(g->Corps[1].Leader, 0);
        EXPECT_EQ(g->Armies[2].Leader, 1) << "the army is kept";
        for (int b : brigades) {
            EXPECT_EQ(g->Brigades[b].AttachKind, c.expectedKind) << "brigade " << b;
            if (c.expectedKind == kAttachFree) EXPECT_EQ(g->Brigades[b].Nation, 0) << "brigade " << b;
            else EXPECT_EQ(g->Brigades[b].AttachIndex, c.expectedIndex) << "brigade " << b;
        }
        EXPECT_TRUE(BrigadesOf(kAttachCorps, 1).empty()) << "no brigade is left in the freed slot";
        if (c.notice) {
            EXPECT_EQ(EventNotice.Line(1).str(), "Force under Leader 1");
            EXPECT_EQ(EventNotice.Line(3).str(), "to lack of leadership.");
        }
    }
}

TEST_F(CommandCleanUpTest, ADisbandedCorpsHandsOnlyItsOwnNationsBrigadesToItsOwnSide) {
    struct Case {
        const char* name;
        std::function<void(TGameRec&)> setup;
        int unionKind, unionIndex;  // where corps 1's three Union brigades go
        bool notice;
    };
    const Case cases[] = {
        {"a corps of its nation and side beside it", [](TGameRec& g) { g.Corps[2].HexX = 40; g.Corps[2].HexY = 22; },
         kAttachCorps, 2},
        {"a corps of its nation on the other side is passed over for the own city",
         [](TGameRec& g) { g.Corps[2].HexX = 40; g.Corps[2].HexY = 22; g.Corps[2].Side = 2; }, kAttachGarrison, 1},
        {"an enemy city beside it never takes them",
         [](TGameRec& g) { g.Corps[1].HexX = 40; g.Corps[1].HexY = 25; }, kAttachFree, 0, true},
        {"an own city beside it takes them though an enemy city beside it comes first",
         [](TGameRec& g) { g.Corps[1].HexX = 40; g.Corps[1].HexY = 25; g.Cities[5].HexX = 40; g.Cities[5].HexY = 24; },
         kAttachGarrison, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, false);
        c.setup(*g);
        ScriptedFrontend fe;
        if (c.notice) fe.ExpectNotice(0);
        DisbandCorps(1);
        const int strengthOfTwo = c.unionKind == kAttachCorps ? 320 : 160;
        EXPECT_EQ(g->Corps[2].Strength, strengthOfTwo) << "the receiving corps is recounted";
        EXPECT_EQ(g->Corps[2].LineCount, c.unionKind == kAttachCorps ? 4 : 2);
        EXPECT_EQ(g->Corps[2].ArtilleryCount, c.unionKind == kAttachCorps ? 2 : 1);
        for (int b = 1; b <= 3; ++b) {
            EXPECT_EQ(g->Brigades[b].AttachKind, c.unionKind) << "brigade " << b;
            if (c.unionKind == kAttachFree) EXPECT_EQ(g->Brigades[b].Nation, 0) << "brigade " << b;
            else EXPECT_EQ(g->Brigades[b].AttachIndex, c.unionIndex) << "brigade " << b;
        }
        if (c.unionKind == kAttachGarrison) EXPECT_EQ(g->Cities[c.unionIndex].Garrison, 3) << "the garrison is recounted";
        EXPECT_EQ(g->Cities[4].Garrison, 0);
        EXPECT_TRUE(BrigadesOf(kAttachCorps, 1).empty());
        EXPECT_EQ(fe.notices.size(), c.notice ? 1u : 0u);
    }
}

TEST_F(CommandCleanUpTest, EachBrigadeOfADisbandedCorpsGoesToTheFirstNeighbourWithRoomForIt) {
    // Corps 2 beside it has room for one more line brigade and none for a battery; corps 16 for all.
    g->Corps[2].HexX = 40;
    g->Corps[2].HexY = 22;
    g->Corps[2].BrigadeLimit = 3;
    UseCorps(16, 3, 1, 41, 21);
    ScriptedFrontend fe;
    DisbandCorps(1);
    EXPECT_EQ(BrigadesOf(kAttachCorps, 2), (std::vector<int>{2, 4, 5, 6})) << "the first line brigade fills corps 2";
    EXPECT_EQ(BrigadesOf(kAttachCorps, 16), (std::vector<int>{1, 3})) << "the battery and the second line brigade";
    EXPECT_EQ((std::array<int, 3>{g->Corps[2].LineCount, g->Corps[2].ArtilleryCount, g->Corps[2].Strength}),
              (std::array<int, 3>{3, 1, 240}));
    EXPECT_EQ((std::array<int, 3>{g->Corps[16].LineCount, g->Corps[16].ArtilleryCount, g->Corps[16].Strength}),
              (std::array<int, 3>{1, 1, 80})) << "both receivers are recounted";
    EXPECT_TRUE(fe.notices.empty());
}

TEST_F(CommandCleanUpTest, ABrigadeOfAnotherNationInADisbandedCorpsIsDisbandedWithANotice) {
    g->Corps[2].HexX = 40;
    g->Corps[2].HexY = 22;
    TBrigadeRec& french = g->Brigades[40];
    french = g->Brigades[2];
    french.Nation = kNationFrance;
    const std::vector<int> union1 = {1, 2, 3};
    ScriptedFrontend fe;
    fe.ExpectNotice(0);
    DisbandCorps(1);
    for (int b : union1) EXPECT_EQ(g->Brigades[b].AttachIndex, 2) << "brigade " << b;
    EXPECT_EQ(french.AttachKind, kAttachFree);
    EXPECT_EQ(french.Nation, 0);
    EXPECT_EQ(g->Corps[2].LineCount, 4) << "the foreign brigade joined nobody";
    EXPECT_EQ(EventNotice.Line(1).str(), "Force under Leader 1");
}

TEST_F(CommandCleanUpTest, ALeaderOfSeveralCorpsKeepsTheHighestNumbered) {
    UseCorps(16, 1, 1, 40, 22);  // leader 1 now heads corps 1 and 16, side by side
    g->Corps[1].Route[3] = 4;
    ScriptedFrontend fe;
    CommandCleanUp();
    EXPECT_NE(g->Corps[1].Unused, 0);
    EXPECT_EQ(g->Corps[1].Route[3], 4) << "the planned route is kept";
    EXPECT_EQ(g->Corps[16].Leader, 1);
    EXPECT_EQ(BrigadesOf(kAttachCorps, 16).size(), 3u) << "corps 16 took corps 1's brigades";
}

TEST_F(CommandCleanUpTest, LeadersMarkedForRemovalAreRemovedOnlyWhenTheyHeadNothing) {
    struct Case {
        const char* name;
        int leader;
        int political;
        int draw;
        bool heads;
        int statusAfter;
        int willAfter;
        const char* rollLine;
    };
    const Case cases[] = {
        {"heading a corps he stays", 1, 3, 0, true, kLeaderActive, 500, nullptr},
        {"heading nothing he goes, his nation losing will", 3, 3, 4, false, kLeaderRemoved, 493, "7text 573"},
        {"a negative standing makes the roll 0", 3, -12, 9, false, kLeaderRemoved, 500, "0text 573"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, false);
        g->Leaders[c.leader].Status = kLeaderToBeRemoved;
        g->Leaders[c.leader].Political = static_cast<I8>(c.political);
        ScriptedFrontend fe;
        if (!c.heads) {
            fe.ExpectNotice(0);
            ScriptRandomDraws({c.draw});
        }
        CommandCleanUp();
        EXPECT_EQ(g->Leaders[c.leader].Status, c.statusAfter);
        EXPECT_EQ(g->Nations[1].Will, c.willAfter);
        if (c.rollLine) {
            EXPECT_EQ(EventNotice.Line(1).str(), "Leader " + std::to_string(c.leader));
            EXPECT_EQ(EventNotice.Line(2).str(), "text 572");
            EXPECT_EQ(EventNotice.Line(3).str(), c.rollLine);
        }
    }
}

TEST_F(CommandCleanUpTest, EveryLeaderButTheKilledAndCapturedKeepsOneCommandAndIsActive) {
    // Leader 1 heads corps 5 and 16, and army 5, which has lost its headquarters.
    struct Case { const char* name; int status; int statusAfter; int leaderAfter; bool corps5Kept; };
    const Case cases[] = {
        {"killed: his commands lose him", kLeaderKilled, kLeaderKilled, 0, true},
        {"captured: his commands lose him", kLeaderCaptured, kLeaderCaptured, 0, true},
        {"wounded", 210, kLeaderActive, 1, false},
        {"available", kLeaderAvailable, kLeaderActive, 1, false},
        {"relieved", kLeaderRemoved, kLeaderActive, 1, false},
        {"active", kLeaderActive, kLeaderActive, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, false);
        UseCorps(5, 1, 1, 40, 21);
        UseCorps(16, 1, 1, 10, 10);
        g->Corps[1].Unused = 1;
        UseArmy(5, 1, 1);
        g->Armies[5].BaseCity = 0;  // lost its headquarters, still its nation's
        g->Armies[6].Leader = 1;    // a free slot's stale leader
        g->Leaders[1].Status = static_cast<U8>(c.status);
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        CommandCleanUp();
        EXPECT_EQ(g->Leaders[1].Status, c.statusAfter);
        EXPECT_EQ(g->Corps[16].Leader, c.leaderAfter) << "the last corps is the one kept";
        EXPECT_EQ(g->Armies[5].Leader, c.leaderAfter) << "an army without headquarters is cleared too";
        EXPECT_EQ(g->Armies[6].Leader, 1) << "a free army slot is not touched";
        EXPECT_EQ(CorpsInUse(g->Corps[5]), c.corps5Kept);
    }
}

TEST_F(CommandCleanUpTest, NoticeRaisedBeforeMovementLeavesTheTimerOffUntilMovementStarts) {
    UseArmy(2, 1, 1);
    g->Corps[1].HexX = 30;
    g->Corps[1].HexY = 10;
    ScriptedFrontend fe;
    fe.ExpectNotice(0);
    ExecuteTurn();
    EXPECT_EQ(fe.timerChanges, std::vector<bool>{true}) << "only the start of the movement switches it on";
}

}  // namespace
}  // namespace kvt

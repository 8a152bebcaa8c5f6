// The movement of a turn on the timer: the passes of fleets and corps, the gauge, naval combat and
// notices pausing the timer, the view following a shown unit, and the end of the movement.
#include <gtest/gtest.h>

#include "engine/core/globals.h"
#include "engine/core/movement_ticks.h"
#include "engine/core/notice.h"
#include "engine/core/turn_menus.h"
#include "engine/core/turn_start.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class MovementTicks : public testing::TurnTest {};

struct PassCount {
    int ticks = 0, fleetPasses = 0, corpsPasses = 0;
};

// Ticks the movement to its end, counting the passes as they finish.
PassCount RunCountingPasses() {
    PassCount n;
    while (Timer1Enabled() && n.ticks < 100000) {
        const int stepBefore = GameRec->MoveStep;
        const bool corpsPass = FleetPassDue == 0;
        MovementTick();
        ++n.ticks;
        if (corpsPass && FleetPassDue == 1) ++n.corpsPasses;
        if (!corpsPass && (FleetPassDue == 0 || GameRec->MoveStep != stepBefore)) ++n.fleetPasses;
    }
    return n;
}

TEST_F(MovementTicks, ATurnWithNothingMovingRuns19FleetPassesAnd9CorpsPasses) {
    for (TFleetRec& f : GameRec->Fleets) f.Mission = 0;
    ScriptedFrontend fe;
    ExecuteTurn();
    ASSERT_TRUE(Timer1Enabled());
    const PassCount n = RunCountingPasses();
    EXPECT_EQ(n.fleetPasses, 19);
    EXPECT_EQ(n.corpsPasses, 9);
    EXPECT_EQ(n.ticks, 28) << "one tick each for the fleet and the corps under the cursors";
    std::vector<int> gauge = {1, 20, 40, 70, 110};
    for (int v = 120; v <= 300; v += 10) gauge.push_back(v);
    gauge.push_back(0);
    EXPECT_EQ(fe.gauge, gauge) << "the gauge climbs to 300, then the post-movement phase resets it";
    EXPECT_EQ(GameRec->MoveStep, 20);
    EXPECT_FALSE(Timer1Enabled());
    EXPECT_EQ(MovementEnded, 0);
}

TEST_F(MovementTicks, AfterTheMovementTheSidePlayedGivesOrdersAgain) {
    ScriptedFrontend fe;
    ExecuteTurn();
    ASSERT_GT(testing::RunMovement(), 0);
    EXPECT_EQ(SidePlayed, 1) << "the one person-played side";
    EXPECT_TRUE(fe.menus[MenuItem::Execute1]);
    EXPECT_TRUE(fe.menus[MenuItem::SpeedButton1]);
    EXPECT_TRUE(fe.menus[MenuItem::LoadGame1]);
    EXPECT_TRUE(fe.menus[MenuItem::SaveGame1]);
    EXPECT_TRUE(fe.menus[MenuItem::ForceStatus1]) << "the side's menus";
    EXPECT_FALSE(fe.menus[MenuItem::CorpsOrders1]) << "no corps is selected";
    EXPECT_FALSE(fe.menus[MenuItem::Playback1]);
    EXPECT_EQ(fe.menus.sideChangeCaption, "text 465");
    EXPECT_EQ(fe.cursor, CursorKind::Arrow);
    EXPECT_EQ(SelectedCorps, 0);
    EXPECT_EQ(SelectedFleet, 0);
}

TEST_F(MovementTicks, NavalCombatIsFoughtWithTheTimerStopped) {
    struct Case { const char* name; int mission; bool atDestination; int plannedSteps; int fights; };
    const Case cases[] = {
        {"a patrol on its destination fights in every fleet pass", 4, true, 0, 19},
        {"an attack on a port likewise", 5, true, 0, 19},
        {"a fleet ordered to move waits on its destination", 2, true, 0, 0},
        {"an amphibious fleet fights after each planned step", 6, false, 3, 3},
        {"an amphibious fleet without planned steps neither shows nor fights", 6, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, false);
        SidePlayed = 1;
        EnableTurnMenus();
        for (TFleetRec& f : GameRec->Fleets) f.Mission = 0;
        TFleetRec& f = GameRec->Fleets[1];
        f.Mission = static_cast<U8>(c.mission);
        if (!c.atDestination) f.DestX = 60;
        for (int s = 1; s <= c.plannedSteps; ++s) f.PlannedStep[s] = 4;
        ScriptedFrontend fe;
        ExecuteTurn();
        ASSERT_GT(testing::RunMovement(), 0);
        // The movement switches the timer on once and off once; each fight adds an off and an on.
        EXPECT_EQ(static_cast<int>(fe.timerChanges.size()), 2 + 2 * c.fights);
    }
}

TEST_F(MovementTicks, ANoticeInTheMiddleOfTheMovementPausesItAndResumes) {
    ScriptedFrontend fe;
    ExecuteTurn();
    for (int i = 0; i < 5; ++i) MovementTick();
    const int step = GameRec->MoveStep;
    fe.ExpectNotice(0);
    ClearEventNotice();
    EventNotice.SetLine(1, "A city has fallen");
    ShowEventNotice();
    EXPECT_EQ(fe.timerChanges, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(Timer1Enabled());
    EXPECT_EQ(GameRec->MoveStep, step) << "the notice moved nothing on";
    EXPECT_GT(testing::RunMovement(), 0);
    EXPECT_EQ(GameRec->MoveStep, 20);
}

TEST_F(MovementTicks, TicksDoNothingWhileTheTimerIsStopped) {
    ScriptedFrontend fe;
    ExecuteTurn();
    SetTimer1Enabled(false);
    const TGameRec before = *GameRec;
    for (int i = 0; i < 50; ++i) MovementTick();
    EXPECT_EQ(std::memcmp(&before, GameRec, sizeof(TGameRec)), 0);
}

TEST_F(MovementTicks, TheViewCentresOnAShownUnit) {
    struct Case { int column, row, viewColumn, viewRow; };
    const Case cases[] = {{5, 3, 1, 1}, {9, 5, 1, 1}, {8, 4, 1, 1}, {40, 20, 32, 16}, {76, 54, 68, 50}};
    ScriptedFrontend fe;
    for (const Case& c : cases) {
        GameRec->Corps[1].HexX = static_cast<U8>(c.column);
        GameRec->Corps[1].HexY = static_cast<U8>(c.row);
        const int repaints = fe.repaints;
        ShowMovedUnitAt(MovedUnit::Corps, 1, c.column, c.row);
        EXPECT_EQ(fe.repaints, repaints + 1);
        ASSERT_FALSE(fe.shown.empty());
        EXPECT_EQ(fe.shown.back().viewColumn, c.viewColumn) << c.column;
        EXPECT_EQ(fe.shown.back().viewRow, c.viewRow) << c.row;
    }
}

TEST_F(MovementTicks, AMovingUnitIsNamedInTheUnitPanel) {
    TGameRec& g = *GameRec;
    g.Armies[4].Name = "Army of the Potomac";
    struct CorpsCase { int kind, army; const char* caption; };
    const CorpsCase corps[] = {
        {0, 0, "Leader 1text 5"}, {1, 0, "Leader 1text 6"}, {2, 0, "Leader 1text 7"},
        {3, 0, "Leader 1"}, {0, 4, "Leader 1text 5text 8Army of the Potomac"},
    };
    for (const CorpsCase& c : corps) {
        g.Corps[1].Kind = static_cast<U8>(c.kind);
        g.Corps[1].Army = static_cast<U8>(c.army);
        EXPECT_EQ(MovedUnitCaption(MovedUnit::Corps, 1), c.caption);
    }
    const std::pair<int, const char*> fleets[] = {
        {0, "text 112"}, {1, "Union text 112"}, {2, "Confederate text 112"}, {3, "French text 112"},
        {4, "British text 112"},
    };
    g.Fleets[1].FleetNumber = 12;
    for (auto [owner, caption] : fleets) {
        g.Fleets[1].Owner = static_cast<U8>(owner);
        EXPECT_EQ(MovedUnitCaption(MovedUnit::Fleet, 1), caption);
    }
}

}  // namespace
}  // namespace kvt

// The movement of a turn on the timer: the passes of fleets and corps, the gauge, naval combat and
// notices pausing the timer, the view following a shown unit, and the end of the movement.
#include <gtest/gtest.h>

#include "engine/forces/brigade_rules.h"
#include "engine/movement/corps_movement.h"
#include "engine/turn/movement_ticks.h"
#include "engine/turn/turn_start.h"
#include "engine/view/turn_menus.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class MovementTicks : public testing::TurnTest {};

// Gives the synthetic game a Union port at (50, 22) as city 7 and sends fleet f home to it from
// (x, y) on open sea.
void SailHomeFrom(int f, int x, int y) {
    TCityRec& port = GameRec->Cities[7];
    port.Name = "Port";
    port.HexX = 50;
    port.HexY = 22;
    port.Owner = port.Nation = port.OriginalOwner = 1;
    port.Theatre = 1;
    port.Port = 1;
    TFleetRec& fleet = GameRec->Fleets[f];
    fleet.HexX = static_cast<U8>(x);
    fleet.HexY = static_cast<U8>(y);
    fleet.HomePort = fleet.TargetCity = 7;
    fleet.Mission = 2;
}

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
    // A person holds the Confederacy too, with orders given, so no computer orders move its corps.
    GameRec->Nations[2].Human = 1;
    GameRec->Nations[2].OrdersGiven = 1;
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

TEST_F(MovementTicks, EveryFleetPassEndsWithSpottingAndInStepsOneToNineWithTheArmyHeadquarters) {
    TGameRec& g = *GameRec;
    // A person-played army ordered to Washington, which its side holds and controls: each time
    // the headquarters rule runs it moves the army there from Baltimore.
    TArmyRec& army = g.Armies[1];
    army.Nation = army.Side = 1;
    army.Leader = 3;
    army.CorpsCount = 1;
    army.Theatre = 1;
    army.SupplyBase = 1;
    army.BaseCity = 3;
    g.Corps[1].Army = 1;  // the recount dissolves an army without corps
    MapGrid->Cell(40, 20).SetControlSide(1);
    ScriptedFrontend fe;
    ExecuteTurn();
    ASSERT_TRUE(Timer1Enabled());
    int spottings = 0, headquartersMoves = 0, ticks = 0;
    std::vector<int> headquartersSteps;
    while (Timer1Enabled() && ticks < 1000) {
        const int step = g.MoveStep;
        const bool fleetPass = FleetPassDue == 1;
        // Marks that only the two rules wipe: spotting recounts every fleet's sightings from 0.
        g.Fleets[1].Spotted = 77;
        army.BaseCity = 3;
        MovementTick();
        ++ticks;
        const bool passEnded = fleetPass && (FleetPassDue == 0 || g.MoveStep != step);
        const bool spotted = g.Fleets[1].Spotted != 77;
        const bool moved = army.BaseCity == 1;
        EXPECT_EQ(spotted, passEnded) << "step " << step << (fleetPass ? ", fleet pass" : ", corps pass");
        if (moved) {
            ++headquartersMoves;
            headquartersSteps.push_back(step);
            EXPECT_TRUE(passEnded) << "step " << step;
        }
        if (passEnded) ++spottings;
    }
    EXPECT_EQ(spottings, 19);
    EXPECT_EQ(headquartersSteps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// Every shown unit in the order the ticks show it, from the frontend's record of calls.
std::vector<std::string> DrawnUnits(const ScriptedFrontend& fe) {
    std::vector<std::string> drawn;
    for (const std::string& entry : fe.log)
        if (entry.rfind("draw ", 0) == 0) drawn.push_back(entry);
    return drawn;
}

TEST_F(MovementTicks, EachStepShowsTheFleetsSeenThenTheCorpsSeenOrEveryCorpsWhenEverythingIsShown) {
    struct Case { const char* name; bool fleetMovesShown; bool fleetSeen; int visibility; bool fleetsDrawn, corpsDrawn; };
    const Case cases[] = {
        {"fleet moves shown, everything shown", true, true, 3, true, true},
        {"fleet moves hidden", false, true, 3, false, true},
        {"a fleet move the watching side does not see", true, false, 3, false, true},
        {"an unseen corps move when not everything is shown", true, true, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, true);
        TGameRec& g = *GameRec;
        g.EnemyVisibility = static_cast<U8>(c.visibility);
        FleetMovesShown = c.fleetMovesShown;
        // A Confederate town on the coast spots the fleet all the way.
        if (c.fleetSeen) {
            TCityRec& lookout = g.Cities[8];
            lookout.Name = "Lookout";
            lookout.HexX = 52;
            lookout.HexY = 23;
            lookout.Owner = lookout.Nation = 2;
        }
        // The Union fleet sails home to a port three hexes north, in steps 1..3; Union corps 2
        // marches north, far from anything the Confederates could see it with.
        SailHomeFrom(1, 50, 25);
        RecalcCorpsFromBrigades();  // a corps without strength would be struck off before it marched
        TCorpsRec& corps = g.Corps[2];
        corps.DestY = 12;
        corps.OrderMode = kOrderAdvance;
        corps.March = 2;  // forced marches
        corps.LeaderInitiative = 60;
        SidePlayed = 1;
        g.Nations[2].OrdersGiven = 1;
        EnableTurnMenus();
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        ExecuteTurn();
        ASSERT_GT(testing::RunMovement(), 0);
        ASSERT_GT(corps.StepsTaken, 2) << "a march proves little when nothing marches";
        std::vector<std::string> expected;
        for (int s = 1; s <= 19; ++s) {
            if (c.fleetsDrawn && s <= 3) expected.push_back("draw fleet 1");
            if (c.corpsDrawn && s <= 9 && corps.StepDone[s] != 0) expected.push_back("draw corps 2");
        }
        EXPECT_EQ(DrawnUnits(fe), expected);
    }
    FleetMovesShown = true;
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
    struct Case { const char* name; int mission; int x, y; int target; int fights; };
    const Case cases[] = {
        {"a patrol on its destination fights in every fleet pass", 4, 50, 22, 7, 19},
        {"an attack on a port likewise", 5, 50, 22, 7, 19},
        {"a fleet ordered to move waits on its destination", 2, 50, 22, 7, 0},
        {"an amphibious fleet fights after each of its 3 steps, then on its destination", 6, 50, 25, 7, 19},
        {"an amphibious fleet without a route neither shows nor fights", 6, 50, 25, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, false);
        SidePlayed = 1;
        EnableTurnMenus();
        for (TFleetRec& f : GameRec->Fleets) f.Mission = 0;
        SailHomeFrom(1, c.x, c.y);
        TFleetRec& f = GameRec->Fleets[1];
        f.Mission = static_cast<U8>(c.mission);
        f.TargetCity = static_cast<U8>(c.target);
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
    ScriptedFrontend fe;
    g.Armies[4].Name = "Army of the Potomac";
    struct CorpsCase { int kind, army; const char* caption; };
    const CorpsCase corps[] = {
        {0, 0, "Leader 1text 5"}, {1, 0, "Leader 1text 6"}, {2, 0, "Leader 1text 7"},
        {3, 0, "Leader 1"}, {0, 4, "Leader 1text 5text 8Army of the Potomac"},
    };
    for (const CorpsCase& c : corps) {
        g.Corps[1].Kind = static_cast<U8>(c.kind);
        g.Corps[1].Army = static_cast<U8>(c.army);
        fe.idPanel.clear();
        ShowMovedUnitAt(MovedUnit::Corps, 1, 10, 10);
        EXPECT_EQ(fe.idPanel, c.caption);
    }
    const std::pair<int, const char*> fleets[] = {
        {0, "text 112"}, {1, "Union text 112"}, {2, "Confederate text 112"}, {3, "French text 112"},
        {4, "British text 112"},
    };
    g.Fleets[1].FleetNumber = 12;
    for (auto [owner, caption] : fleets) {
        g.Fleets[1].Owner = static_cast<U8>(owner);
        fe.idPanel.clear();
        ShowMovedUnitAt(MovedUnit::Fleet, 1, 10, 10);
        EXPECT_EQ(fe.idPanel, caption);
    }
}

}  // namespace
}  // namespace kvt

// The end of a turn: supply pools, good-weather counters, the end date, the verdicts of the
// end-of-game dialog and "Continue".
#include <gtest/gtest.h>

#include <array>

#include "engine/turn/turn_end.h"
#include "engine/turn/turn_start.h"
#include "engine/view/turn_menus.h"
#include "engine/world/globals.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class TurnEnd : public testing::TurnTest {};

TEST_F(TurnEnd, TheFullestTheatrePoolFeedsThePoorOnes) {
    struct Case { std::array<int, 3> before, after; };
    const Case cases[] = {
        {{6000, 1500, 1900}, {1000, 4000, 4400}},
        {{5000, 100, 100}, {5000, 100, 100}},
        {{7000, 7000, 1000}, {4500, 7000, 3500}},
        {{100, 5001, 100}, {2600, 1, 2600}},
        {{1999, 2000, 9000}, {4499, 2000, 6500}},
    };
    for (const Case& c : cases) {
        for (int n : {1, 2, 3})
            for (int t = 1; t <= 3; ++t) GameRec->Nations[n].TheatreSupplies[t] = static_cast<std::uint16_t>(c.before[t - 1]);
        BalanceSupplyPools();
        for (int t = 1; t <= 3; ++t) {
            EXPECT_EQ(GameRec->Nations[1].TheatreSupplies[t], c.after[t - 1]) << c.before[0] << " theatre " << t;
            EXPECT_EQ(GameRec->Nations[2].TheatreSupplies[t], c.after[t - 1]) << "the Confederacy likewise";
            EXPECT_EQ(GameRec->Nations[3].TheatreSupplies[t], c.before[t - 1]) << "France keeps its pools";
        }
    }
}

TEST_F(TurnEnd, PostMovementPhaseSettlesTheTurn) {
    TGameRec& g = *GameRec;
    g.TheatreWeather[1] = 2;
    g.TheatreWeather[2] = 5;
    g.TheatreWeather[3] = 4;
    g.Nations[1].TheatreIdle[1] = 7;
    g.Nations[4].TheatreIdle[1] = 255;
    g.Nations[2].TheatreIdle[2] = 3;
    g.Cities[4].FortifiedThisTurn = 1;
    g.BattlesThisTurn = 6;
    g.Nations[1].TheatreSupplies[1] = 6000;
    g.Nations[1].TheatreSupplies[2] = 1500;
    g.Nations[1].TheatreSupplies[3] = 1900;
    ScriptedFrontend fe;
    PostMovementPhase();
    EXPECT_EQ(g.Nations[1].TheatreIdle[1], 8) << "good weather in the theatre";
    EXPECT_EQ(g.Nations[4].TheatreIdle[1], 255) << "the counter stops at its top";
    EXPECT_EQ(g.Nations[3].TheatreIdle[3], 1);
    EXPECT_EQ(g.Nations[2].TheatreIdle[2], 3) << "weather 5 is not good weather";
    EXPECT_EQ(g.Cities[4].FortifiedThisTurn, 0);
    EXPECT_EQ(g.BattlesThisTurn, 0);
    EXPECT_EQ(g.Nations[1].TheatreSupplies[1], 1000);
    EXPECT_EQ(GameStatus, 0);
    EXPECT_EQ(fe.gauge.back(), 0);
    EXPECT_EQ(fe.idPanel, " ");
    EXPECT_EQ(SidePlayed, 1);
}

TEST_F(TurnEnd, TheElectionIsHeldOnTheFirstTurnOfNovember1864Only) {
    struct Case { int day, month, year; bool election; };
    const Case cases[] = {{1, 11, 1864, true}, {11, 11, 1864, false}, {21, 11, 1864, false},
                          {1, 11, 1863, false}, {1, 12, 1864, false}};
    for (const Case& c : cases) {
        GameRec->Day = static_cast<U8>(c.day);
        GameRec->Month = static_cast<std::uint16_t>(c.month);
        GameRec->Year = static_cast<std::uint16_t>(c.year);
        ScriptedFrontend fe;
        if (c.election) fe.ExpectElection();
        PostMovementPhase();
        EXPECT_EQ(fe.log, c.election ? std::vector<std::string>{"election"} : std::vector<std::string>{})
            << c.day << "/" << c.month << "/" << c.year;
    }
}

TEST_F(TurnEnd, TheCampaignEndsOnceItsDateIsReachedOrPassed) {
    struct Case { int month, year, endMonth, endYear; bool ended; };
    const Case cases[] = {
        {5, 1865, 6, 1865, false}, {6, 1865, 6, 1865, true},  {7, 1865, 6, 1865, true},
        {1, 1866, 6, 1865, true},  {12, 1864, 6, 1865, false}, {6, 1865, 0, 0, false},
    };
    for (const Case& c : cases) {
        GameRec->Month = static_cast<std::uint16_t>(c.month);
        GameRec->Year = static_cast<std::uint16_t>(c.year);
        GameRec->EndMonth = static_cast<std::uint16_t>(c.endMonth);
        GameRec->EndYear = static_cast<std::uint16_t>(c.endYear);
        EXPECT_EQ(CampaignEndReached(), c.ended) << c.month << "/" << c.year << " ending " << c.endMonth << "/" << c.endYear;
    }
}

TEST_F(TurnEnd, VerdictsBandTheRatioOfTheStrongerTotalToTheWeaker) {
    struct Case { long long u, c; int territorial, military; };
    const Case cases[] = {
        {1000, 1000, 646, 0},  // a tie: the military verdict stays empty
        {1105, 1000, 641, 641}, {1005, 1000, 640, 640},  // a lead lost in the division is still marginal
        {1090, 1000, 640, 640}, {1099, 1000, 640, 640}, {1100, 1000, 641, 641},
        {1399, 1000, 641, 641}, {1400, 1000, 642, 642}, {5000, 1000, 642, 642},
        {10, 0, 642, 642},       {0, 10, 645, 645},      {1000, 1050, 643, 643},
        {1000, 1300, 644, 644},  {1000, 1000000, 645, 645},
    };
    for (const Case& c : cases) {
        const TVerdictBasis basis{c.u, c.c};
        EXPECT_EQ(TerritorialVerdictText(basis), c.territorial) << c.u << " : " << c.c;
        EXPECT_EQ(MilitaryVerdictText(basis), c.military) << c.u << " : " << c.c;
    }
}

TEST_F(TurnEnd, TerritoryCountsHeldCitiesOfControlledStatesAndHeldSupplySourcesElsewhere) {
    // Union: Washington 20 and Baltimore 10 in its own states, Alexandria 5 a supply source in a
    // Confederate state, 50 for 1861; Confederacy: Richmond 20, Fredericksburg 5, Norfolk 8.
    TVerdictBasis b = TerritorialBasis();
    EXPECT_EQ(b.unionTotal, 85 + 8);
    EXPECT_EQ(b.confederateTotal, 33 + 3);
    GameRec->Cities[5].SupplySource = 0;
    GameRec->Year = 1862;
    b = TerritorialBasis();
    EXPECT_EQ(b.unionTotal, 63 + 6);
    GameRec->Year = 1863;
    GameRec->States[2].ControlSide = 1;
    GameRec->Cities[4].SupplySource = 0;
    b = TerritorialBasis();
    EXPECT_EQ(b.unionTotal, 35 + 3) << "Alexandria counts again, its state now Union-controlled";
    EXPECT_EQ(b.confederateTotal, 28 + 2) << "only the Confederate supply sources in it count";
}

TEST_F(TurnEnd, EachSideScoresItsPointsAndTheLossesOfTheNationsAgainstIt) {
    TGameRec& g = *GameRec;
    g.Casualties[1] = 300;
    g.Foraging[1] = 80;
    g.Prisoners[1] = 5;
    g.OceanShipsSunk[1] = 2;
    g.RiverShipsSunk[1] = 1;
    g.MilitaryPoints[1] = 10;
    g.Casualties[2] = 30;
    g.MilitaryPoints[2] = 3;
    g.Nations[3].Side = 2;  // France at war on the Confederate side
    g.Casualties[3] = 90;
    g.MilitaryPoints[3] = 1;
    g.Casualties[4] = 900;  // Britain not at war: counts for nobody
    const TVerdictBasis b = MilitaryBasis();
    EXPECT_EQ(b.unionTotal, 100 + 10 + 30);
    EXPECT_EQ(b.confederateTotal, 100 + 10 + 5 + 20 + 6 + 30 + 10);
    EXPECT_EQ(MilitaryVerdictText(b), 644);
}

TEST_F(TurnEnd, TheEndOfGameDialogShowsBothSidesAndTheCapitals) {
    TGameRec& g = *GameRec;
    g.TerritorialPoints[1] = 12;
    g.Foraging[2] = 7;
    g.Prisoners[1] = 3;
    g.RiverShipsSunk[2] = 4;
    TPostMortem p = FillPostMortem();
    EXPECT_EQ(p.rowTitles[0], "text 647");
    EXPECT_EQ(p.rowTitles[6], "text 653");
    EXPECT_EQ(p.unionValues[0], 12);
    EXPECT_EQ(p.unionValues[4], 150) << "prisoners are kept in fifties";
    EXPECT_EQ(p.confederateValues[2], 350);
    EXPECT_EQ(p.confederateValues[6], 4);
    EXPECT_EQ(p.territorialCaption, "text 654");
    EXPECT_EQ(p.capitalLine, "");
    g.Cities[2].Owner = 1;
    EXPECT_EQ(FillPostMortem().capitalLine, "text 638") << "the Confederate capital is lost";
    g.Cities[1].Owner = 2;
    EXPECT_EQ(FillPostMortem().capitalLine, "text 639") << "the Union's loss is told when both are lost";
}

TEST_F(TurnEnd, ContinueExtendsACampaignThatRanToItsDateOnce) {
    struct Case { int status, variant; int statusAfter, endMonth, endYear; };
    const Case cases[] = {
        {1, 0, 0, 6, 1865},  // ran to its date
        {1, 5, 1, 4, 1865},  // already extended once
        {2, 0, 2, 4, 1865},  // the Confederacy capitulated
        {3, 0, 3, 4, 1865},  // the Union capitulated: the war is over too
    };
    for (const Case& c : cases) {
        GameStatus = static_cast<std::uint16_t>(c.status);
        GameRec->EndVariant = static_cast<std::uint16_t>(c.variant);
        GameRec->EndMonth = 4;
        GameRec->EndYear = 1865;
        ContinueCampaign();
        EXPECT_EQ(GameStatus, c.statusAfter) << c.status << "/" << c.variant;
        EXPECT_EQ(GameRec->EndMonth, c.endMonth) << c.status << "/" << c.variant;
        EXPECT_EQ(GameRec->EndYear, c.endYear) << c.status << "/" << c.variant;
    }
}

TEST_F(TurnEnd, EndGameKeepsWhichSideCapitulated) {
    struct Case { const char* name; int status; };
    const Case cases[] = {{"the war ran to its date", 1}, {"the Confederacy capitulated", 2}, {"the Union capitulated", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::BuildSyntheticGame(true, false);
        GameRec->EndMonth = 4;
        GameRec->EndYear = 1865;
        GameStatus = static_cast<std::uint16_t>(c.status);
        ScriptedFrontend fe;
        fe.ExpectPostMortem(PostMortemChoice::EndGame);
        ShowPostMortem();
        EXPECT_EQ(GameStatus, c.status);
        // Read as an end by date, a capitulation could be continued afterwards.
        ContinueCampaign();
        EXPECT_EQ(GameStatus, c.status == 1 ? 0 : c.status);
        EXPECT_EQ(GameRec->EndMonth, c.status == 1 ? 6 : 4);
    }
}

TEST_F(TurnEnd, ATurnReachingTheEndDateEndsTheGameUnlessContinued) {
    TGameRec& g = *GameRec;
    g.Day = 21;
    g.Month = 3;
    g.Year = 1865;
    g.EndMonth = 4;
    g.EndYear = 1865;
    {
        ScriptedFrontend fe;
        fe.ExpectInformationBox();  // the first turn of April
        fe.ExpectPostMortem(PostMortemChoice::Continue);
        ExecuteTurn();
        ASSERT_GT(testing::RunMovement(), 0);
        EXPECT_EQ(GameStatus, 0);
        EXPECT_EQ(g.EndMonth, 6);
        EXPECT_EQ(g.EndVariant, 5);
        EXPECT_TRUE(fe.menus[MenuItem::Execute1]) << "play goes on";
    }
    g.Day = 21;
    g.Month = 5;
    SidePlayed = 1;
    {
        ScriptedFrontend fe;
        fe.ExpectInformationBox();
        fe.ExpectPostMortem(PostMortemChoice::Continue);
        ExecuteTurn();
        ASSERT_GT(testing::RunMovement(), 0);
        EXPECT_EQ(GameStatus, 1) << "Continue is offered only once";
        EXPECT_TRUE(fe.menus[MenuItem::Quit1]);
        for (MenuItem item : {MenuItem::Execute1, MenuItem::LoadGame1, MenuItem::SaveGame1, MenuItem::About1,
                              MenuItem::ForceStatus1, MenuItem::Conditions1})
            EXPECT_FALSE(fe.menus[item]) << "only Quit is left";
        ExecuteTurn();
        EXPECT_FALSE(Timer1Enabled()) << "an ended game plays no more turns";
    }
}

TEST_F(TurnEnd, ACapitulationInTheTurnThatReachesTheEndDateStaysAndCannotBeContinued) {
    for (int capitulated : {2, 3}) {
        SCOPED_TRACE(capitulated == 2 ? "the Confederacy capitulated" : "the Union capitulated");
        testing::BuildSyntheticGame(true, false);
        TGameRec& g = *GameRec;
        g.Month = 4;
        g.Year = 1865;
        g.EndMonth = 4;
        g.EndYear = 1865;
        GameStatus = static_cast<std::uint16_t>(capitulated);  // as the political phase leaves it
        ScriptedFrontend fe;
        fe.ExpectPostMortem(PostMortemChoice::Continue);
        PostMovementPhase();
        EXPECT_EQ(GameStatus, capitulated);
        EXPECT_EQ(g.EndMonth, 4) << "the campaign is not extended";
        EXPECT_EQ(g.EndVariant, 0);
        EXPECT_FALSE(fe.menus[MenuItem::SaveGame1]) << "the war stays over: only Quit is left";
        EXPECT_TRUE(fe.menus[MenuItem::Quit1]);
    }
}

}  // namespace
}  // namespace kvt

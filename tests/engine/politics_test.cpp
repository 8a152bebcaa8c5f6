// The political phase on the synthetic game: the British crisis, capitals lost and moved,
// capitulation, France and Britain entering the war, the offer of Texas, the policy events of
// computer nations, the sides of the nations at war and the dated news.
#include <gtest/gtest.h>

#include <map>

#include "engine/core/globals.h"
#include "engine/core/notice.h"
#include "engine/players/capitals.h"
#include "engine/players/intervention.h"
#include "engine/players/political_phase.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class Politics : public testing::TurnTest {
protected:
    void Date(int day, int month, int year) {
        GameRec->Day = static_cast<U8>(day);
        GameRec->Month = static_cast<std::uint16_t>(month);
        GameRec->Year = static_cast<std::uint16_t>(year);
    }
    // The Confederacy has lost Richmond; Fredericksburg is the capital of its state.
    void RichmondTaken() {
        GameRec->Cities[2].Owner = kUnion;
        GameRec->States[2].CapitalCity = 4;
    }
};

TEST_F(Politics, TheBritishCrisisComesOnlyOn11November1861ToAPersonPlayingTheUnion) {
    struct Case { int day, month; bool unionPerson; int answer; bool crisis; int britain, unionWill; };
    const Case cases[] = {
        {11, 11, true, 2, true, 1, 500},   // defiance: war at the next month's first turn
        {11, 11, true, 1, true, 60, 475},  // the envoys released
        {11, 11, false, 0, false, 60, 500},
        {11, 10, true, 0, false, 60, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.month * 100 + c.answer);
        testing::BuildSyntheticGame(c.unionPerson, false);
        Date(c.day, c.month, 1861);
        ScriptedFrontend fe;
        if (c.crisis) fe.ExpectNotice(25, c.answer);
        PoliticalPhase();
        if (c.crisis) {
            EXPECT_EQ(fe.notices[0].lines[1], "text 204");
            EXPECT_EQ(fe.notices[0].lines[4], "text 207");
            EXPECT_EQ(NoticeChoices[2].Caption.str(), "text 209");
        }
        EXPECT_EQ(GameRec->Nations[kNationBritain].Attitude, c.britain);
        EXPECT_EQ(GameRec->Nations[kNationUnion].Will, c.unionWill);
        EXPECT_EQ(GameRec->Nations[kNationConfederacy].Will, 502) << "Confederate will grows every turn";
    }
}

TEST_F(Politics, ALostCapitalMovesWhileWillHoldsAboveTheYearsThreshold) {
    struct Case { int year, will; bool moves; };
    const Case cases[] = {{1861, 350, true}, {1861, 349, false}, {1863, 250, true},
                          {1863, 249, false}, {1865, 150, true}, {1865, 149, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year * 1000 + c.will);
        testing::BuildSyntheticGame(true, false);
        Date(11, 5, c.year);
        RichmondTaken();
        GameStatus = 0;
        GameRec->Nations[kNationConfederacy].Will = static_cast<std::int16_t>(c.will);
        GameRec->Nations[kNationFrance].Attitude = 80;
        ScriptedFrontend fe;
        fe.ExpectNotice(c.moves ? 10 : 0);
        PoliticalPhase();
        EXPECT_EQ(GameRec->Nations[kNationConfederacy].Capital, c.moves ? 4 : 0);
        EXPECT_EQ(GameStatus, c.moves ? 0 : 2);
        if (c.moves) {
            EXPECT_EQ(fe.notices[0].lines[1], "text 199Confed");
            EXPECT_EQ(fe.notices[0].lines[2], "text 200Fredericksburg,Virginia");
            EXPECT_EQ(GameRec->Nations[kNationConfederacy].Will, c.will - 100 + 2);
            EXPECT_EQ(GameRec->Nations[kNationFrance].Attitude, 115) << "a government holding on wins respect";
        }
    }
    // A Union in flight loses the neutral powers' regard, never below 1; the Union falls back on city 3.
    testing::BuildSyntheticGame(true, false);
    GameRec->Cities[1].Owner = kConfederacy;
    GameRec->Nations[kNationFrance].Attitude = 30;
    ScriptedFrontend fe;
    fe.ExpectNotice(10);
    MoveNationalCapital(kNationUnion, ChooseNewCapital(1, kNationUnion));
    EXPECT_EQ(GameRec->Nations[kNationUnion].Capital, 3);
    EXPECT_EQ(GameRec->Nations[kNationFrance].Attitude, 1);
    EXPECT_EQ(GameRec->Nations[kNationBritain].Attitude, 25);
}

TEST_F(Politics, TheNewCapitalIsTheBestScoredCityTheSideStillHolds) {
    struct Case { const char* what; int norfolkOwner, foreignCities; bool rail; int capital; };
    const Case cases[] = {
        {"the railway adds 100", kConfederacy, 0, true, 6},
        {"foreign-held cities halve the score", kConfederacy, 1, true, 4},
        {"an enemy-held capital is never picked", kUnion, 0, true, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::BuildSyntheticGame(true, false);
        TGameRec& g = *GameRec;
        RichmondTaken();
        g.States[3].Owner = g.States[3].Controller = kConfederacy;
        g.States[3].CapitalCity = 6;
        g.States[3].ForeignHeld = static_cast<U8>(c.foreignCities);
        g.Cities[6].State = 3;
        g.Cities[6].Owner = static_cast<U8>(c.norfolkOwner);
        g.Cities[6].RailLink = c.rail ? 1 : 0;
        EXPECT_EQ(ChooseNewCapital(2, kNationConfederacy), c.capital);
    }
    GameRec->States[2].CapitalCity = 2;
    GameRec->States[3].CapitalCity = 0;
    EXPECT_EQ(ChooseNewCapital(2, kNationConfederacy), 0) << "the lost capital is no candidate";
}

TEST_F(Politics, CapitulationHandsTheCountryToTheWinnerAndEndsTheCampaign) {
    for (int loser : {kNationConfederacy, kNationUnion}) {
        SCOPED_TRACE(loser);
        testing::BuildSyntheticGame(true, true);
        GameStatus = 0;
        TGameRec& g = *GameRec;
        const int winner = 3 - loser;
        g.States[1].CapitalCity = 1;
        g.States[2].CapitalCity = 2;
        g.Cities[loser].Owner = static_cast<U8>(winner);  // the capital taken, nowhere to go
        g.Cities[3].Owner = kConfederacy;                  // nor for the Union
        g.Armies[1].Nation = static_cast<U8>(loser);
        g.Armies[1].BaseCity = 2;
        g.Brigades[(loser == 1 ? 0 : 6) + 1].HomeState = 3;  // a state without a capital city
        ScriptedFrontend fe;
        fe.ExpectNotice(0);
        PoliticalPhase();
        EXPECT_EQ(GameStatus, loser == kNationUnion ? 3 : 2);
        EXPECT_EQ(fe.notices[0].lines[1], loser == 1 ? "text 689" : "text 690");
        EXPECT_EQ(fe.notices[0].lines[3], loser == 1 ? "text 690" : "text 689");
        for (const TCityRec& city : g.Cities)
            if (city.Nation != 0) EXPECT_EQ(city.Nation, winner) << city.Name.str();
        for (int s = 1; s <= 3; ++s) EXPECT_EQ(g.States[s].ControlSide, winner);
        for (int b = 1; b <= 12; ++b) EXPECT_EQ(g.Brigades[b].Nation, winner);
        EXPECT_EQ(g.Cities[loser].Garrison, 5) << "the home state's capital";
        EXPECT_EQ(g.Cities[winner].Garrison, 1) << "a home state without a capital: the winner's";
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(CorpsInUse(g.Corps[k]), g.Corps[k].Nation == winner);
        EXPECT_EQ(g.Fleets[loser].BuildCounter, kFleetGone);
        EXPECT_TRUE(ArmySlotFree(g.Armies[1]));
        EXPECT_EQ(g.Nations[loser].Side, 0);
        EXPECT_EQ(g.Nations[loser].Human, 0);
        EXPECT_EQ(g.Nations[kNationConfederacy].Will, 500) << "the phase stops at the capitulation";
    }
}

TEST_F(Politics, BritainAndFranceEnterTheWarAtTheFirstTurnOfAMonth) {
    struct Case { int britain, france; std::vector<int> notices; int britainSide, franceSide; };
    const Case cases[] = {
        {0, 60, {25}, 2, 0},      // Britain announces its entry
        {1, 60, {}, 2, 0},        // at 1 it enters without a word
        {60, 1, {25}, 0, 2},      // France below 2
        {60, 2, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.britain * 100 + c.france);
        testing::BuildSyntheticGame(true, false);
        TGameRec& g = *GameRec;
        g.Nations[kNationBritain].Attitude = static_cast<std::int16_t>(c.britain);
        g.Nations[kNationFrance].Attitude = static_cast<std::int16_t>(c.france);
        g.Corps[4].Nation = kNationBritain;
        g.Corps[4].Side = kUnion;
        g.Cities[6].Nation = kNationFrance;
        g.Cities[6].Owner = 0;
        ScriptedFrontend fe;
        for (int kind : c.notices) fe.ExpectNotice(kind);
        PoliticalPhase();
        EXPECT_EQ(g.Nations[kNationBritain].Side, c.britainSide);
        EXPECT_EQ(g.Nations[kNationFrance].Side, c.franceSide);
        if (c.britainSide) EXPECT_EQ(g.Nations[kNationBritain].Attitude, 0);
        EXPECT_EQ(g.Corps[4].Side, c.britainSide ? kConfederacy : kUnion) << "a neutral's corps keeps its side";
        EXPECT_EQ(g.Cities[6].Owner, c.franceSide);
    }
}

TEST_F(Politics, FranceTakesTexasWhenItsOfferIsAccepted) {
    struct Case { const char* what; bool person; int answer, draw, year, will; bool considered, accepted; };
    const Case cases[] = {
        {"a person accepts", true, 1, -1, 1862, 450, true, true},
        {"a person refuses", true, 2, -1, 1862, 450, true, false},
        {"the computer draws 9", false, 0, 9, 1862, 397, true, true},  // 399 after the turn's 2
        {"the computer draws 10", false, 0, 10, 1862, 397, true, false},
        {"never after 1864", true, 0, -1, 1865, 450, false, false},
        {"never at will 500", true, 0, -1, 1862, 500, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::BuildSyntheticGame(true, c.person);
        TGameRec& g = *GameRec;
        Date(1, 5, c.year);
        TStateRec& texas = g.States[kOfferedState];
        texas.Controller = texas.Owner = texas.ControlSide = kConfederacy;
        g.Cities[6].State = g.Cities[5].State = kOfferedState;  // Norfolk Confederate, Alexandria Union
        g.Nations[kNationFrance].Attitude = 20;
        g.Nations[kNationConfederacy].Will = static_cast<std::int16_t>(c.will);
        ScriptedFrontend fe;
        if (c.person && c.considered) fe.ExpectNotice(25, c.answer);
        if (c.accepted) fe.ExpectNotice(25);
        if (c.draw >= 0) testing::DrawRanges({c.draw}, [] { PoliticalPhase(); });
        else PoliticalPhase();
        EXPECT_EQ(texas.Controller, c.accepted ? kNationFrance : kNationConfederacy);
        EXPECT_EQ(texas.ControlSide, kConfederacy) << "France fights on the Confederate side at once";
        EXPECT_EQ(g.Cities[6].Nation, c.accepted ? kNationFrance : kNationConfederacy);
        EXPECT_EQ(g.Cities[6].Owner, kConfederacy);
        EXPECT_EQ(g.Cities[5].Nation, kNationUnion) << "a Union-held city is not the Confederacy's to give";
        EXPECT_EQ(g.Nations[kNationFrance].Side, c.accepted ? 2 : 0);
        EXPECT_EQ(g.Nations[kNationFrance].Attitude, c.accepted ? 0 : c.considered ? 50 : 20);
        EXPECT_EQ(g.Nations[kNationBritain].Attitude, c.accepted ? 48 : 60);
        EXPECT_EQ(g.Nations[kNationUnion].Will, c.accepted ? 475 : 500);
    }
}

TEST_F(Politics, PolicyEventsComeOnlyForComputerNations) {
    struct Case { int nation; bool person; int policy, will, enemyWill, notice; };
    const Case cases[] = {
        {2, false, 0, 200, 401, 0},  {2, false, 0, 200, 400, -1}, {2, true, 0, 100, 500, -1},
        {2, false, 1, 100, 500, -1}, {1, false, 10, 576, 500, 11}, {1, false, 10, 575, 500, -1},
        {1, true, 10, 900, 500, -1}, {1, false, 9, 900, 500, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nation * 1000 + c.will);
        testing::BuildSyntheticGame(c.person, c.person);
        TNationRec& n = GameRec->Nations[c.nation];
        n.Policy = static_cast<U8>(c.policy);
        n.Will = static_cast<std::int16_t>(c.will);
        GameRec->Nations[3 - c.nation].Will = static_cast<std::int16_t>(c.enemyWill);
        ScriptedFrontend fe;
        if (c.notice >= 0) fe.ExpectNotice(c.notice);
        CheckPolicyEvents(c.nation);
    }
}

TEST_F(Politics, NationsAtWarKeepTheirStatesCitiesAndUnitsOnTheirSide) {
    TGameRec& g = *GameRec;
    g.States[3].ControlSide = 0;
    g.Cities[3].Owner = 0;
    g.Corps[3].Side = kUnion;            // a Confederate corps on the wrong side
    g.Corps[4].Nation = kNationFrance;   // a corps of neutral France keeps its side
    g.Corps[4].Side = kUnion;
    g.Fleets[1].Side = kConfederacy;
    g.Nations[kNationConfederacy].Policy = 3;
    g.Nations[kNationUnion].Policy = 10;
    ScriptedFrontend fe;
    PoliticalPhase();
    EXPECT_EQ(g.States[3].ControlSide, kUnion);
    EXPECT_EQ(g.Cities[3].Owner, kUnion);
    EXPECT_EQ(g.Corps[3].Side, kConfederacy);
    EXPECT_EQ(g.Corps[4].Side, kUnion);
    EXPECT_EQ(g.Fleets[1].Side, kUnion);
    EXPECT_EQ(g.Nations[kNationConfederacy].Policy, 4);
    EXPECT_EQ(g.Nations[kNationUnion].Policy, 10);
}

TEST_F(Politics, EachDatedNewsComesOnceAndNoneIn1864Or1865) {
    std::map<int, int> shown;
    for (int year = 1861; year <= 1865; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 11, 21})
                if (int text = DatedNewsText(year, month, day)) {
                    ++shown[text];
                    EXPECT_LE(year, 1863);
                    EXPECT_FALSE(year == 1861 && month == 11 && day == 11);
                }
    EXPECT_EQ(shown.size(), 10u);
    for (const auto& [text, count] : shown) EXPECT_EQ(count, 1) << text;
    Date(21, 11, 1861);
    ScriptedFrontend fe;
    fe.ExpectInformationBox();
    PoliticalPhase();
    EXPECT_EQ(fe.messages, std::vector<std::string>{"text 713"});
}

}  // namespace
}  // namespace kvt

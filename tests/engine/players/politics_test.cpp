// The political phase on the synthetic game: the British crisis, capitals moved or capitulation,
// France and Britain entering the war, the offer of Texas, policy events, sides and news.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "engine/players/capitals.h"
#include "engine/players/intervention.h"
#include "engine/players/political_phase.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/turn_fixture.h"

namespace kvt {
namespace {

using testing::ScriptedFrontend;

class Politics : public testing::TurnTest {
protected:
    // A fresh synthetic game on the date.
    static TGameRec& Game(int day, int month, int year, bool confederatePerson = false) {
        testing::BuildSyntheticGame(true, confederatePerson);
        GameStatus = 0;
        TGameRec& g = *GameRec;
        g.Day = static_cast<U8>(day);
        g.Month = static_cast<std::uint16_t>(month);
        g.Year = static_cast<std::uint16_t>(year);
        return g;
    }
    // Richmond taken; Fredericksburg is the capital of its state.
    static TGameRec& RichmondTaken(TGameRec& g) {
        g.Cities[2].Owner = kUnion;
        g.States[2].CapitalCity = 4;
        return g;
    }
    static void Set(I16& word, int value) { word = static_cast<std::int16_t>(value); }
};

TEST_F(Politics, TheBritishCrisisComesOnlyOn11November1861ToAPersonPlayingTheUnion) {
    // Britain must still be wavering: at war already (0) or fully friendly (100) there is no crisis.
    struct Case { int day, month; bool unionPerson; int britainBefore, answer, britain, unionWill; };
    const Case cases[] = {
        {11, 11, true, 60, 2, 1, 500}, {11, 11, true, 60, 1, 60, 475}, {11, 11, false, 60, 0, 60, 500},
        {11, 10, true, 60, 0, 60, 500}, {1, 11, true, 60, 0, 60, 500},  {21, 11, true, 60, 0, 60, 500},
        {11, 11, true, 0, 0, 0, 500},   {11, 11, true, 100, 0, 100, 500}, {11, 11, true, 99, 1, 99, 475},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.day << "/" << c.month << " Britain " << c.britainBefore);
        TGameRec& g = Game(c.day, c.month, 1861);
        g.Nations[kNationUnion].Human = c.unionPerson ? 1 : 0;
        Set(g.Nations[kNationBritain].Attitude, c.britainBefore);
        ScriptedFrontend fe;
        if (c.answer) fe.ExpectNotice(25, c.answer);
        if (c.day != 11) fe.ExpectInformationBox();  // the dated news of 1 and 21 November
        PoliticalPhase();
        if (c.answer) EXPECT_EQ(fe.notices[0].lines[4], "text 207");
        EXPECT_EQ(fe.notices.size(), c.answer ? 1u : 0u);
        EXPECT_EQ(g.Nations[kNationBritain].Attitude, c.britain);
        EXPECT_EQ(g.Nations[kNationUnion].Will, c.unionWill);
    }
}

TEST_F(Politics, ALostCapitalMovesWhileWillHoldsAboveTheYearsThreshold) {
    struct Case { int year, will; bool moves; };
    const Case cases[] = {{1861, 350, true}, {1861, 349, false}, {1863, 250, true}, {1863, 249, false}, {1865, 150, true}};
    for (const Case& c : cases) {
        TGameRec& g = RichmondTaken(Game(11, 5, c.year));
        Set(g.Nations[kNationConfederacy].Will, c.will);
        ScriptedFrontend fe;
        fe.ExpectNotice(c.moves ? 10 : 0);
        PoliticalPhase();
        EXPECT_EQ(g.Nations[kNationConfederacy].Capital, c.moves ? 4 : 0) << c.year << " " << c.will;
        EXPECT_EQ(GameStatus, c.moves ? 0 : 2);
        if (c.moves) EXPECT_EQ(fe.notices[0].lines[2], "text 200Fredericksburg,Virginia");
        if (c.moves) EXPECT_EQ(g.Nations[kNationFrance].Attitude, 95) << "a government holding on wins respect";
        if (c.moves) EXPECT_EQ(g.Nations[kNationConfederacy].Will, c.will - 100 + 2) << "the move costs 100 will";
    }
    // A Union in flight loses the neutrals' regard, never below 1; it falls back on city 3.
    TGameRec& g = Game(11, 5, 1862);
    g.Cities[1].Owner = kConfederacy;
    Set(g.Nations[kNationFrance].Attitude, 30);
    Set(g.Nations[kNationUnion].Will, -32700);
    ScriptedFrontend fe;
    fe.ExpectNotice(10);
    MoveNationalCapital(kNationUnion, ChooseNewCapital(1, kNationUnion));
    EXPECT_EQ(g.Nations[kNationUnion].Capital, 3);
    EXPECT_EQ(g.Nations[kNationFrance].Attitude, 1);
    EXPECT_EQ(g.Nations[kNationBritain].Attitude, 25);
    EXPECT_EQ(g.Nations[kNationUnion].Will, -32768) << "a will at its lowest does not wrap to the highest";
}

TEST_F(Politics, TheNewCapitalIsTheBestScoredCityTheSideStillHolds) {
    struct Case { int norfolkOwner, foreignCities, capital; };
    // Norfolk scores 100 - 6 + 8 + 100 (rail) + 100 (no foreign cities), Fredericksburg 100 - 4 + 5 + 100.
    const Case cases[] = {{kConfederacy, 0, 6}, {kConfederacy, 1, 4}, {kUnion, 0, 4}};
    for (const Case& c : cases) {
        TGameRec& g = RichmondTaken(Game(1, 5, 1862));
        g.States[3].Owner = g.States[3].Controller = kConfederacy;
        g.States[3].CapitalCity = 6;
        g.States[3].ForeignHeld = static_cast<U8>(c.foreignCities);
        g.Cities[6].State = 3;
        g.Cities[6].Owner = static_cast<U8>(c.norfolkOwner);
        g.Cities[6].RailLink = 1;
        EXPECT_EQ(ChooseNewCapital(2, kNationConfederacy), c.capital) << c.norfolkOwner << c.foreignCities;
    }
    GameRec->States[2].CapitalCity = 2;
    GameRec->States[3].CapitalCity = 0;
    EXPECT_EQ(ChooseNewCapital(2, kNationConfederacy), 0) << "the lost capital is no candidate";
}

TEST_F(Politics, CapitulationHandsTheCountryToTheWinnerAndStopsThePhase) {
    for (int loser : {kNationConfederacy, kNationUnion}) {
        const int winner = 3 - loser;
        TGameRec& g = Game(11, 5, 1862, true);
        g.States[1].CapitalCity = 1;
        g.States[2].CapitalCity = 2;
        g.Cities[loser].Owner = static_cast<U8>(winner);
        g.Cities[3].Owner = kConfederacy;
        // Both of the loser's armies give their names back to its pool; the winner's entry stays taken.
        for (int a : {1, 2}) {
            g.Armies[a].Nation = static_cast<U8>(loser);
            g.Armies[a].BaseCity = 2;
            const char* name = a == 1 ? "of the James" : "of the Valley";
            g.Armies[a].Name = name;
            g.ArmyNamePool[loser][a + 3].Name = name;
            g.ArmyNamePool[loser][a + 3].Used = 2;
        }
        g.ArmyNamePool[winner][4].Name = "of the James";
        g.ArmyNamePool[winner][4].Used = 2;
        g.Nations[loser].ArmyTally = 2;
        g.Brigades[loser == 1 ? 1 : 7].HomeState = 3;  // a state without a capital city
        // An ally's brigade in the loser's corps, whose commanders are offered no command again.
        const int ally = 20, corps = loser == 1 ? 1 : 3;
        g.Brigades[ally] = g.Brigades[corps * 3];
        g.Brigades[ally].Nation = kNationBritain;
        ScriptedFrontend fe;
        fe.ExpectNotice(0);
        PoliticalPhase();
        EXPECT_EQ(GameStatus, loser == kNationUnion ? 3 : 2);
        EXPECT_EQ(fe.notices[0].lines[1], loser == 1 ? "text 689" : "text 690");
        for (const TCityRec& city : g.Cities)
            if (city.Nation != 0) EXPECT_EQ(city.Nation, winner) << city.Name.str();
        for (int s = 1; s <= 3; ++s) EXPECT_EQ(g.States[s].ControlSide, winner);
        for (int b = 1; b <= 12; ++b) EXPECT_EQ(g.Brigades[b].Nation, winner);
        EXPECT_EQ(g.Cities[loser].Garrison, 5) << "the home state's capital";
        EXPECT_EQ(g.Cities[winner].Garrison, 1) << "a home state without a capital: the winner's";
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(CorpsInUse(g.Corps[k]), g.Corps[k].Nation == winner);
        for (int l : {loser == 1 ? 1 : 7, loser == 1 ? 2 : 8}) EXPECT_EQ(g.Leaders[l].Status, kLeaderAvailable) << l;
        EXPECT_FALSE(BrigadeInUse(g.Brigades[ally])) << "no brigade is left on a freed corps slot";
        EXPECT_EQ(g.Fleets[loser].BuildCounter, kFleetGone);
        EXPECT_TRUE(ArmySlotFree(g.Armies[1]) && ArmySlotFree(g.Armies[2]));
        EXPECT_EQ(g.ArmyNamePool[loser][4].Used + g.ArmyNamePool[loser][5].Used, 0) << "the names may serve again";
        EXPECT_EQ(g.ArmyNamePool[winner][4].Used, 2);
        EXPECT_EQ(g.Nations[loser].ArmyTally, 0);
        EXPECT_EQ(g.Nations[loser].Side + g.Nations[loser].Human, 0);
        EXPECT_EQ(g.Nations[kNationConfederacy].Will, 500) << "no will grows after a capitulation";
    }
}

// Also the sides kept at the first turn of a month: a nation at war takes the states of its own that
// no side controls, their cities, and its own units; a neutral's units keep their side.
TEST_F(Politics, BritainAndFranceEnterTheWarAtTheFirstTurnOfAMonth) {
    struct Case { int britain, france; bool announced; int britainSide, franceSide; };
    const Case cases[] = {{0, 60, true, 2, 0}, {1, 60, false, 2, 0}, {60, 1, true, 0, 2}, {60, 2, false, 0, 0}};
    for (const Case& c : cases) {
        TGameRec& g = Game(1, 5, 1862);
        Set(g.Nations[kNationBritain].Attitude, c.britain);
        Set(g.Nations[kNationFrance].Attitude, c.france);
        g.Corps[4].Nation = kNationBritain;
        g.Corps[4].Side = kUnion;
        g.Cities[6].Nation = kNationFrance;
        g.Cities[6].Owner = 0;
        g.States[3].ControlSide = 0;
        g.Cities[3].Owner = 0;
        g.Fleets[1].Side = kConfederacy;
        g.Nations[kNationConfederacy].Policy = 3;
        ScriptedFrontend fe;
        if (c.announced) fe.ExpectNotice(25);
        PoliticalPhase();
        EXPECT_TRUE(g.States[3].ControlSide == kUnion && g.Cities[3].Owner == kUnion && g.Fleets[1].Side == kUnion);
        EXPECT_EQ(g.Nations[kNationConfederacy].Policy, 4) << "the slavery policy matures a stage a month";
        EXPECT_EQ(g.Nations[kNationBritain].Side, c.britainSide) << c.britain << " " << c.france;
        EXPECT_EQ(g.Nations[kNationFrance].Side, c.franceSide);
        EXPECT_EQ(g.Corps[4].Side, c.britainSide ? kConfederacy : kUnion) << "a neutral's corps keeps its side";
        EXPECT_EQ(g.Cities[6].Owner, c.franceSide);
    }
}

TEST_F(Politics, FranceTakesTexasWhenItsOfferIsAccepted) {
    struct Case { bool person; int answer, draw, year, will; bool considered, accepted; };
    const Case cases[] = {
        {true, 1, -1, 1862, 450, true, true},   {true, 2, -1, 1862, 450, true, false},
        {false, 0, 9, 1862, 397, true, true},   {false, 0, 10, 1862, 397, true, false},  // 399 after the turn's 2
        {true, 0, -1, 1865, 450, false, false}, {true, 0, -1, 1862, 500, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year * 1000 + c.will + c.answer + c.draw);
        TGameRec& g = Game(1, 5, c.year, c.person);
        TStateRec& texas = g.States[kOfferedState];
        texas.Controller = texas.Owner = texas.ControlSide = kConfederacy;
        g.Cities[6].State = g.Cities[5].State = kOfferedState;  // Norfolk Confederate, Alexandria Union
        Set(g.Nations[kNationFrance].Attitude, 20);
        Set(g.Nations[kNationConfederacy].Will, c.will);
        ScriptedFrontend fe;
        if (c.person && c.considered) fe.ExpectNotice(25, c.answer);
        if (c.accepted) fe.ExpectNotice(25);
        testing::DrawRanges(c.draw >= 0 ? std::vector<int>{c.draw} : std::vector<int>{}, [] { PoliticalPhase(); });
        EXPECT_EQ(texas.Controller, c.accepted ? kNationFrance : kNationConfederacy);
        EXPECT_EQ(texas.ControlSide, kConfederacy) << "France is at war at once";
        // Every city of the state goes to France, the one the Union holds too.
        struct Held { int city, nation, side; };
        for (const Held& h : {Held{6, kNationConfederacy, kConfederacy}, Held{5, kNationUnion, kUnion}}) {
            const TCityRec& city = g.Cities[h.city];
            SCOPED_TRACE(city.Name.str());
            EXPECT_EQ((std::vector<int>{city.Nation, city.OriginalOwner, city.Owner}),
                      c.accepted ? (std::vector<int>{kNationFrance, kNationFrance, kConfederacy})
                                 : (std::vector<int>{h.nation, h.nation, h.side}));
        }
        EXPECT_EQ(g.Cities[2].Nation, kNationConfederacy) << "a city of another state stays";
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
        testing::BuildSyntheticGame(c.person, c.person);
        GameRec->Nations[c.nation].Policy = static_cast<U8>(c.policy);
        Set(GameRec->Nations[c.nation].Will, c.will);
        Set(GameRec->Nations[3 - c.nation].Will, c.enemyWill);
        ScriptedFrontend fe;
        if (c.notice >= 0) fe.ExpectNotice(c.notice);
        CheckPolicyEvents(c.nation);
    }
    // Britain cooling below 26 puts the question to a computer Confederacy below 400 will.
    struct Prompt { int britain, will; bool person; bool notice; };
    const Prompt prompts[] = {{25, 399, false, true}, {26, 399, false, false}, {25, 400, false, false}, {25, 100, true, false}};
    for (const Prompt& p : prompts) {
        testing::BuildSyntheticGame(p.person, p.person);
        Set(GameRec->Nations[kNationBritain].Attitude, p.britain);
        Set(GameRec->Nations[kNationConfederacy].Will, p.will);
        Set(GameRec->Nations[kNationUnion].Will, 700);
        ScriptedFrontend fe;
        if (p.notice) fe.ExpectNotice(0);
        BritainJoinsWar();
        EXPECT_EQ(GameRec->Nations[kNationConfederacy].Policy, p.notice ? 1 : 0) << p.britain << " " << p.will;
    }
}

TEST_F(Politics, EachDatedNewsComesOnceAndNoneIn1864Or1865) {
    std::map<int, int> shown;
    for (int year = 1861; year <= 1865; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 11, 21})
                if (int text = DatedNewsText(year, month, day)) {
                    ++shown[text];
                    EXPECT_TRUE(year <= 1863 && !(year == 1861 && month == 11 && day == 11));
                }
    EXPECT_EQ(shown.size(), 10u);
    for (const auto& [text, count] : shown) EXPECT_EQ(count, 1) << text;
    GameRec->Day = 21;
    GameRec->Month = 11;
    ScriptedFrontend fe;
    fe.ExpectInformationBox();
    PoliticalPhase();
    EXPECT_EQ(fe.messages, std::vector<std::string>{"text 713"});
}

}  // namespace
}  // namespace kvt

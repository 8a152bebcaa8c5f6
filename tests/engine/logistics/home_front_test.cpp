// The stock helpers and the monthly home front: state economy, draft and riots, procurement.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/forces/brigade_rules.h"
#include "engine/logistics/draft.h"
#include "engine/logistics/home_front_report.h"
#include "engine/logistics/procurement.h"
#include "engine/logistics/state_economy.h"
#include "engine/world/globals.h"
#include "engine/world/stocks.h"
#include "tests/engine/home_front_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::HomeFrontTest;
using Stocks = HomeFrontTest;
using StateEconomy = HomeFrontTest;
using Procurement = HomeFrontTest;
using HomeFrontReport = HomeFrontTest;

TEST_F(Stocks, SaturateInsteadOfWrappingAndNoteEveryRecordWordChanged) {
    struct Case { int start; char op; long long amount; int cap, after; };
    const Case cases[] = {{65000, '+', 1000, kStockCap, 65535}, {10, '+', -50, kStockCap, 0}, {10, 't', 50, kStockCap, 0},
                          {40000, '+', 20000, 50000, 50000}, {60000, '+', 10, 50000, 60000},  // a lower cap cuts nothing
                          {60000, '+', -100, 50000, 59900}, {60000, '=', 60000, 50000, 50000}};
    SetStockLedger(true);
    U16& word = G().Nations[2].TheatreSupplies[3];
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << c.op << c.amount);
        ClearStockLedger();
        word = c.start;
        const int answer = c.op == 't' ? -TakeStock(word, c.amount, StockRule::Income)
                           : c.op == '=' ? SetStock(word, c.amount, StockRule::Income, c.cap)
                                         : ChangeStock(word, c.amount, StockRule::Income, c.cap);
        EXPECT_TRUE(word == c.after && answer == c.after - c.start);
        ASSERT_EQ(StockLedger().size(), c.after != c.start ? 1u : 0u);
        if (c.after == c.start) continue;
        EXPECT_EQ(StockLedger()[0].offset, 21340 + 143 + 102 + 4) << "nation 2, theatre 3";
    }
}

TEST_F(StateEconomy, ControlledStatesTurnOutputIntoSuppliesAndCotton) {
    // April: season 3; the Union's industry 1 adds 2 to the output rate 10.
    struct Case { const char* what; int control, capital, cityOutput, base, stock, income, after; };
    const Case cases[] = {
        {"no capital", 1, 0, 500, 10, 1000, 51, 1051},    {"occupied", 2, 0, 500, 10, 1000, 7, 1000},
        {"output below 100", 1, 0, 99, 10, 1000, 0, 1000}, {"59999 still takes it", 1, 0, 500, 10, 59999, 51, 60050},
        {"capped before the 2/7, then saturated", 1, 0, 10000, 1000, 59999, 17142, 65535},
        {"a capital adds the extra output", 1, 1, 300, 10, 1000, 51, 1051},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        G().Nations[1].Recovery = 1;
        G().Nations[1].TheatreSupplies[1] = c.stock;
        TStateRec& s = G().States[1];
        s.ControlSide = c.control, s.CapitalCity = c.capital, s.CityOutput = c.cityOutput, s.ExtraOutput = c.capital * 200;
        s.BaseOutput = c.base, s.MonthlyIncome = 7;
        UpdateStateEconomy();
        EXPECT_TRUE(s.MonthlyIncome == c.income && G().Nations[1].TheatreSupplies[1] == c.after)
            << s.MonthlyIncome << " " << G().Nations[1].TheatreSupplies[1];
    }
    SetUp();
    TStateRec& virginia = G().States[2];
    virginia.CapitalCity = 2, virginia.CityOutput = 300, virginia.ExtraOutput = 200, virginia.CottonOutput = 25;
    G().States[3].CottonOutput = 10;
    UpdateStateEconomy();
    EXPECT_TRUE(virginia.CottonOutput == 2 && G().States[3].CottonOutput == 10) << "25 falls to 2, 10 stays";
    EXPECT_EQ(G().Nations[2].TheatreCotton[1], 5 * 2 * 3) << "output 5 x cotton 2 x season 3";
}

TEST_F(StateEconomy, WeaponOrdersAreBoughtInWholeUnitsTheStockPaysFor) {
    TGameRec& g = G();
    TStateRec& maryland = g.States[3];
    maryland.ControlSide = 2;  // occupied: no income, yet its orders are still delivered
    maryland.WeaponCapacity[2] = 5, maryland.WeaponCapacity[3] = 4, maryland.WeaponCapacity[6] = 2;
    g.WeaponTable[2].Price[1] = 30, g.WeaponTable[6].Price[1] = 10;
    TNationRec& u = g.Nations[1];
    u.WeaponPool[3] = 65534, u.TheatreSupplies[1] = 100;
    // Columbia has a capital: its output and orders are its cities', less their damage.
    g.States[1].CapitalCity = 1;
    g.Cities[1].Output = 400, g.Cities[1].Damage = 150, g.Cities[1].Production[4] = 3;
    City(7, 1, 1).Output = 200, g.Cities[7].Damage = 50;
    UpdateStateEconomy();
    EXPECT_TRUE(g.Cities[1].Damage == 100 && g.States[1].CityOutput == 100);
    // Price 0 delivers for nothing; 150 ordered with 100 held buys 3; a full pool saturates; the 10 left buy a gun.
    EXPECT_EQ((std::vector<int>{u.WeaponPool[2], u.WeaponPool[3], u.WeaponPool[4], u.WeaponPool[6], u.TheatreSupplies[1]}),
              (std::vector<int>{3, 65535, 3, 1, 0}));
}

class Draft : public HomeFrontTest {
protected:
    void SetUp() override {
        HomeFrontTest::SetUp();
        for (TNationRec& n : G().Nations) n.Human = 1;  // bounties and shares as the test sets them
    }
};

TEST_F(Draft, TheSplitPaysForCavalryArtilleryAndSailorsAndRaisesFullBrigades) {
    struct Case { int supplies, after, newRecruits, naval, brigades; };
    for (const Case& c : {Case{1000, 1000 - 120 - 50 - 5, 0, 5, 3}, Case{100, 0, 10, 4, 1}}) {
        SCOPED_TRACE(c.supplies);
        SetUp();
        TNationRec& u = G().Nations[1];
        u.RecruitPercent[1] = 70, u.RecruitPercent[2] = 20, u.RecruitPercent[3] = 5, u.RecruitPercent[4] = 5;
        u.TheatreSupplies[1] = c.supplies;
        TStateRec& s = G().States[1];
        s.NewRecruits = 100, s.InfantryPool = 10, s.CavalryPool = 30, s.ArtilleryPool = 11;
        AdjustComputerDraft();
        EXPECT_TRUE(u.TheatreSupplies[1] == c.after && s.NewRecruits == c.newRecruits && u.NavalManpower == c.naval);
        const int strengths[] = {80, 50, 16, 0};
        for (int k = 0; k <= c.brigades; ++k) EXPECT_EQ(G().Brigades[13 + k].Strength, k < c.brigades ? strengths[k] : 0);
    }
}

TEST_F(Draft, ABorderStateSendsSouthAtMostTheRecruitsItHas) {
    struct Case { int citiesHeldSouth, left, sent; };
    for (const Case& c : {Case{9, 0, 100}, Case{2, 30, 70}}) {
        SetUp();
        State(19, 1, 0).NewRecruits = 100;  // no theatre: nothing of it is split here
        G().States[24].ControlSide = 2;
        for (int k = 0; k < c.citiesHeldSouth; ++k) City(7 + k, 2, 19);
        AdjustComputerDraft();
        EXPECT_TRUE(G().States[19].NewRecruits == c.left && G().States[24].NewRecruits == c.sent)
            << "a share of 60 + 5 per city held south of " << c.citiesHeldSouth;
    }
}

TEST_F(Draft, OutputIsDraftedAtTheSidesRateWhileTheBountyIsPaid) {
    struct Case { int appeal, bounty, supplies, recruits, after; };
    const Case cases[] = {
        {0, 0, 0, 10, 0},     // bounty 0: rate 1, and it costs nothing
        {9, 0, 0, 210, 0},    // the month after an appeal: rate + 20
        {0, 6, 119, 0, 119},  // 60 men at 6 a third cost 120
        {0, 6, 120, 60, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.appeal << " " << c.bounty << " " << c.supplies);
        SetUp();
        TNationRec& u = G().Nations[1];
        u.AppealCounter = c.appeal, u.Bounty = c.bounty, u.TheatreSupplies[1] = c.supplies;
        G().States[1].CityOutput = 4000;
        RaiseMonthlyRecruits();
        EXPECT_TRUE(G().States[1].Recruits == c.recruits && u.MonthlyRecruits == c.recruits);
        EXPECT_EQ(G().States[1].CityOutput, 4000 - c.recruits / 3);
        EXPECT_TRUE(u.TheatreSupplies[1] == c.after && u.AppealCounter == c.appeal - 1);
    }
    // An ally drafts at the rate of the side it fights on but pays its own bounty.
    SetUp();
    G().Nations[2].Bounty = 6, G().Nations[3].Side = 2;
    G().Nations[3].TheatreSupplies[1] = 50;
    State(5, 3).CityOutput = 4000;
    RaiseMonthlyRecruits();
    EXPECT_TRUE(G().States[5].Recruits == 60 && G().Nations[3].TheatreSupplies[1] == 50) << G().States[5].Recruits;
    struct Bounty { int year, month, before, after; };
    for (const Bounty& c : {Bounty{1861, 6, 3, 10}, Bounty{1861, 10, 7, 7}, Bounty{1862, 3, 7, 3}, Bounty{1862, 3, 1, 1}}) {
        SetUp();
        G().Year = c.year, G().Month = c.month;
        TNationRec& u = G().Nations[1];
        u.Human = 0, u.CorpsTally = 30, u.Bounty = c.before;
        RaiseMonthlyRecruits();
        EXPECT_EQ(u.Bounty, c.after) << "the computer's bounty " << c.year << "/" << c.month;
    }
}

TEST_F(Draft, AComputerAppealSetsOffRiotsInStatesLessLoyalThanTheDraw) {
    TGameRec& g = G();
    g.Year = 1862, g.Casualties[kUnion] = 800;
    TNationRec& u = g.Nations[1];
    u.Human = 0, u.AppealCounter = -2;
    g.States[1].StateCasualties = 2001, g.States[1].PoliticalValue = 10;
    testing::ScriptedFrontend fe;
    fe.ExpectNotice(19);
    fe.ExpectNotice(4);
    // Columbia draws 59 + 30 for a year of war against loyalty 60 and riots; Maryland 0 + 30.
    EXPECT_EQ(testing::DrawRanges({59, 0}, [] { RaiseMonthlyRecruits(); }), (std::vector<int>{60, 60}));
    ASSERT_EQ(fe.notices.size(), 2u) << "the appeal opens the riot check";
    EXPECT_TRUE(fe.notices[0].lines[1] == "text 211" && fe.notices[1].lines[2] == "Columbia");
    EXPECT_TRUE(u.Will == 480 && WillLostToRiots(1) == 20) << "twice the state's political value";
    EXPECT_TRUE(u.Bounty == 1 && u.AppealCounter == 8);
    // No riot without more than 2000 casualties, none at all included; the Confederacy halves its
    // casualties and keeps a second draw of 80 with no term for the year.
    g.States[1].StateCasualties = 0;
    EXPECT_TRUE(testing::DrawRanges({}, [] { CheckDraftRiots(1); }).empty());
    g.Nations[2].AppealCounter = 9;
    g.States[2].StateCasualties = 4002, g.States[2].Loyalty = 70;
    EXPECT_EQ(testing::DrawRanges({59, 65}, [] { CheckDraftRiots(2); }), (std::vector<int>{60, 80}));
    EXPECT_EQ(fe.notices.size(), 2u) << "65 is short of loyalty 70";
}

TEST_F(Draft, ARiotNoticeHoldsTheMovementTimerWhileItIsShownLikeEveryNotice) {
    struct TimerWatch : testing::ScriptedFrontend {
        std::vector<bool> timerAtNotice;
        void ShowNotice(int kind) override {
            timerAtNotice.push_back(Timer1Enabled());
            ScriptedFrontend::ShowNotice(kind);
        }
    };
    TGameRec& g = G();
    g.Year = 1862;
    g.Nations[1].AppealCounter = 8;
    g.States[1].StateCasualties = 2001;
    for (bool running : {true, false}) {
        SCOPED_TRACE(running ? "with the timer running" : "with the timer stopped");
        TimerWatch fe;
        SetTimer1Enabled(running);
        fe.ExpectNotice(4);
        // Columbia riots (59 + 30 against loyalty 60); Maryland draws 0 + 30 and does not.
        testing::DrawRanges({59, 0}, [] { CheckDraftRiots(1); });
        EXPECT_EQ(fe.timerAtNotice, std::vector<bool>{false});
        EXPECT_EQ(Timer1Enabled(), running) << "the timer is left as it was";
        SetTimer1Enabled(false);
    }
}

TEST_F(Procurement, PoolsAreCappedAndComputerMusketOrdersRefundedOnce) {
    TGameRec& g = G();
    g.WeaponTable[1].Price[2] = 2;
    g.Nations[1].Human = 1, g.Nations[1].WeaponPool[3] = 60000, g.Nations[1].WeaponPool[2] = 50000;
    g.States[3].WeaponCapacity[1] = 10;  // a person's order stands
    // Virginia's figure is its cities' sum: only the cities refund it.
    g.States[2].CapitalCity = 2, g.States[2].WeaponCapacity[1] = 5;
    g.Cities[2].Production[1] = 3, g.Cities[4].Production[1] = 2;
    State(4, 2, 2).WeaponCapacity[1] = 10;
    ComputerProcurement();
    EXPECT_TRUE(g.Nations[1].WeaponPool[3] == kWeaponPoolCap && g.Nations[1].WeaponPool[2] == 50000);
    EXPECT_EQ(g.States[3].WeaponCapacity[1], 10);
    EXPECT_EQ(g.Nations[2].TheatreSupplies[1], 5 * 6) << "price 2 + 4 a musket, once";
    EXPECT_EQ(g.Nations[2].TheatreSupplies[2], 10 * 6);
    EXPECT_EQ(g.States[2].WeaponCapacity[1] + g.Cities[2].Production[1] + g.Cities[4].Production[1], 0);
}

TEST_F(Procurement, ATenthOfTheShortfallIsOrderedWhereTheDrawFavoursAndPlentyCutsOrders) {
    struct Union { int waiting, draw, state, ordered; };
    for (const Union& c : {Union{9, 30, 4, 0}, Union{10, 30, 4, 1}, Union{10, 29, 5, 1}}) {
        SCOPED_TRACE(::testing::Message() << c.waiting << " men wait, draw " << c.draw);
        SetUp();
        InitBrigadeTypeTable();
        TGameRec& g = G();
        State(4, 1).WeaponCapacity[7] = 1, g.States[4].WeaponCapacity[6] = 5;
        State(5, 1);
        g.Nations[1].TheatreSupplies[1] = 1000;
        Brigade(20, 1, kBrigadeInfantry, c.waiting, kAttachUnarmed, 0, 1, 0);
        ScriptRandomDraws({c.draw});
        ComputerProcurement();
        EXPECT_EQ(g.States[c.state].WeaponCapacity[2], c.ordered);
        EXPECT_TRUE(g.States[4].WeaponCapacity[7] == 0 && g.States[4].WeaponCapacity[6] == 2) << "1 is cut to nothing, 5 to 2";
        EXPECT_EQ(g.Nations[1].TheatreSupplies[1], 1000 + 2 * (42 + 4) - c.ordered * (3 + 4)) << "paid on ordering";
    }
    struct Confederate { std::vector<int> draws; int city; };
    for (const Confederate& c : {Confederate{{10, 0, 29, 24}, 4}, Confederate{{10, 0, 30}, 2}}) {
        SetUp();
        InitBrigadeTypeTable();
        TGameRec& g = G();
        City(40, 2, 2).Production[2] = 4;
        g.Cities[2].RailLink = g.Cities[4].RailLink = 1, g.Cities[2].Output = 100;
        g.Nations[2].TheatreSupplies[1] = 1000;
        Brigade(20, 2, kBrigadeCavalry, 20, kAttachUnarmed, 0, 2, 0);
        ScriptRandomDraws(c.draws);
        ComputerProcurement();
        EXPECT_EQ(g.Cities[40].Production[2], 2) << "city 40 is cut like the first 37";
        EXPECT_EQ(g.Cities[c.city].Production[5], 2);
        EXPECT_EQ(g.Nations[2].TheatreSupplies[1], 1000 + 2 * (3 + 4)) << "the Confederacy pays on delivery only";
    }
    G().Brigades[20] = {};
    Brigade(21, 3, kBrigadeInfantry, 20, kAttachUnarmed, 0, 37, 0);
    Brigade(22, 4, kBrigadeCavalry, 30, kAttachUnarmed, 0, 36, 0);
    ComputerProcurement();
    EXPECT_TRUE(G().Cities[85].Production[2] == 2 && G().Cities[86].Production[4] == 3) << "France's and Britain's own cities";
}

// The "orders" figures of every rule in a nation's flows of the report, summed.
long long OrderFlows(const std::string& report, const std::string& nation) {
    const std::size_t from = report.find("  " + nation + " flows");
    if (from == std::string::npos) return -99999;
    std::istringstream words(report.substr(from, report.find("  ", from + 2) - from));
    long long sum = 0;
    std::string word, previous;
    while (words >> word) {
        if (previous == "orders") sum += std::stoll(word);  // "orders: orders +7; refunds: ... orders -4"
        previous = word;
    }
    return sum;
}

TEST_F(HomeFrontReport, AMonthsOrderFlowsAreTheChangeOfTheCitiesOrders) {
    // Columbia and Virginia have their capitals on the map: their orders are what their cities order.
    TGameRec& g = G();
    g.States[1].CapitalCity = 1, g.States[2].CapitalCity = 2;
    g.Cities[1].Production[1] = 4, g.Cities[1].Production[2] = 3;  // the Union's muskets are given back
    g.Cities[2].Production[6] = 5;                                  // no Confederate gunner waits: halved
    g.WeaponTable[1].Price[1] = 6;
    for (TNationRec& n : g.Nations) n.TheatreSupplies[1] = 5000;
    auto cityOrders = [&g](int nation) {
        long long sum = 0;
        for (const TCityRec& c : g.Cities)
            if (c.Nation == nation)
                for (U16 w : c.Production) sum += w;
        return sum;
    };
    const long long unionBefore = cityOrders(1), confederateBefore = cityOrders(2);
    SetStockLedger(true);
    ClearStockLedger();
    UpdateStateEconomy();
    ComputerProcurement();
    const std::string report = HomeFrontReportColumns();
    SetStockLedger(false);
    EXPECT_EQ(OrderFlows(report, "Union"), cityOrders(1) - unionBefore) << report;
    EXPECT_EQ(OrderFlows(report, "Confed"), cityOrders(2) - confederateBefore) << report;
    EXPECT_NE(report.find("Union flows weapons: supplies -24 weapons +7; refunds: supplies +40 orders -4  "), std::string::npos)
        << "4 muskets at 6 + 4, given back once: " << report;
}

}  // namespace
}  // namespace kvt

// The stock helpers and the monthly home front: state economy, draft and riots, procurement.
#include <gtest/gtest.h>

#include <cstddef>

#include "engine/combat/brigade_rules.h"
#include "engine/core/notice.h"
#include "engine/core/stocks.h"
#include "engine/logistics/draft.h"
#include "engine/logistics/procurement.h"
#include "engine/logistics/state_economy.h"
#include "tests/engine/home_front_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::HomeFrontTest;

class Stocks : public HomeFrontTest {};

TEST_F(Stocks, SaturateInsteadOfWrappingAndNoteEveryRecordWordChanged) {
    struct Case { const char* what; int start; char op; long long amount; int cap; int after; int answer; };
    const Case cases[] = {
        {"a rise stops at the top", 65000, '+', 1000, kStockCap, 65535, 535},
        {"a fall stops at 0", 10, '+', -50, kStockCap, 0, -10},
        {"a take answers what was there", 10, 't', 50, kStockCap, 0, 10},
        {"a set above the top", 0, '=', 70000, kStockCap, 65535, 65535},
        {"a rule's own cap", 40000, '+', 20000, 50000, 50000, 10000},
        {"a rise never cuts a word above a rule's lower cap", 60000, '+', 10, 50000, 60000, 0},
        {"a fall from above the lower cap", 60000, '+', -100, 50000, 59900, -100},
        {"a set to a rule's cap", 60000, '=', 60000, 50000, 50000, -10000},
    };
    const std::size_t offset = offsetof(TGameRec, Nations) + sizeof(TNationRec) + offsetof(TNationRec, TheatreSupplies) + 4;
    SetStockLedger(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearStockLedger();
        U16& word = G().Nations[2].TheatreSupplies[3];
        word = static_cast<std::uint16_t>(c.start);
        const int answer = c.op == 't' ? TakeStock(word, c.amount, StockRule::Income)
                           : c.op == '=' ? SetStock(word, c.amount, StockRule::Income, c.cap)
                                         : ChangeStock(word, c.amount, StockRule::Income, c.cap);
        EXPECT_EQ(word, c.after);
        EXPECT_EQ(answer, c.answer);
        ASSERT_EQ(StockLedger().size(), c.after != c.start ? 1u : 0u);
        if (c.after == c.start) continue;
        EXPECT_EQ(StockLedger()[0].offset, offset);
        EXPECT_EQ(StockLedger()[0].change, c.after - c.start);
    }
    U16 outside{};
    ClearStockLedger();
    ChangeStock(outside, 5, StockRule::Other);
    EXPECT_EQ(StockLedger().size(), 0u) << "a word outside the record is no pool of the game";
}

class StateEconomy : public HomeFrontTest {};

TEST_F(StateEconomy, ControlledStatesTurnOutputIntoSuppliesAndCotton) {
    // April: season factor 3; the Union's industry 1 adds 2 to every output rate.
    struct Case { const char* what; int control, capital, cityOutput, base, stock; int income, stockAfter; };
    const Case cases[] = {
        {"controlled, no capital", 1, 0, 500, 10, 1000, 51, 1051},
        {"occupied", 2, 0, 500, 10, 1000, 7, 1000},
        {"output below 100", 1, 0, 99, 10, 1000, 0, 1000},
        {"a stock of 59999 still takes it", 1, 0, 500, 10, 59999, 51, 60050},
        {"a full stock takes none", 1, 0, 500, 10, 60000, 51, 60000},
        {"capped at 60000 before the 2/7 and saturated", 1, 0, 10000, 1000, 59999, 17142, 65535},
        {"a capital adds the extra output", 1, 1, 300, 10, 1000, 51, 1051},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        G().Nations[1].Recovery = 1;
        TStateRec& s = G().States[1];
        s.ControlSide = static_cast<U8>(c.control);
        s.CapitalCity = static_cast<U8>(c.capital);
        s.CityOutput = static_cast<std::uint16_t>(c.cityOutput);
        s.ExtraOutput = c.capital != 0 ? 200 : 0;
        s.BaseOutput = static_cast<std::uint16_t>(c.base);
        s.MonthlyIncome = 7;
        G().Nations[1].TheatreSupplies[1] = static_cast<std::uint16_t>(c.stock);
        UpdateStateEconomy();
        EXPECT_EQ(s.MonthlyIncome, c.income);
        EXPECT_EQ(G().Nations[1].TheatreSupplies[1], c.stockAfter);
    }
    SetUp();
    TStateRec& richmond = G().States[2];
    richmond.CapitalCity = 2;
    richmond.CityOutput = 300;
    richmond.ExtraOutput = 200;
    richmond.CottonOutput = 25;
    G().States[3].CottonOutput = 10;
    UpdateStateEconomy();
    EXPECT_EQ(richmond.CottonOutput, 2);
    EXPECT_EQ(G().States[3].CottonOutput, 10);
    EXPECT_EQ(G().Nations[2].TheatreCotton[1], 5 * 2 * 3) << "output 5 x (cotton 2 + no industry) x season 3";
    EXPECT_EQ(G().Nations[1].TheatreCotton[1], 0) << "only the Confederacy grows cotton";
}

TEST_F(StateEconomy, WeaponOrdersAreBoughtInWholeUnitsTheStockPaysFor) {
    TGameRec& g = G();
    TStateRec& maryland = g.States[3];
    maryland.ControlSide = 2;  // occupied: no income, yet its orders are still delivered
    maryland.BaseOutput = 50;
    maryland.CityOutput = 1000;
    maryland.WeaponCapacity[2] = 5;
    maryland.WeaponCapacity[3] = 4;
    maryland.WeaponCapacity[6] = 2;
    g.WeaponTable[2].Price[1] = 30;
    g.WeaponTable[6].Price[1] = 10;
    g.Nations[1].WeaponPool[3] = 65534;
    g.Nations[1].TheatreSupplies[1] = 100;
    // Columbia has a capital: its output and orders are its cities', damage and all.
    g.States[1].CapitalCity = 1;
    g.Cities[1].Output = 400;
    g.Cities[1].Damage = 150;
    g.Cities[1].Production[4] = 3;
    testing::HomeFrontTest::City(7, 1, 1).Output = 200;
    g.Cities[7].Damage = 50;
    UpdateStateEconomy();
    EXPECT_EQ(g.Cities[1].Damage, 100);
    EXPECT_EQ(g.States[1].CityOutput, 100);
    EXPECT_EQ(g.States[1].WeaponCapacity[4], 3);
    EXPECT_EQ(g.Nations[1].WeaponPool[4], 3) << "a price of 0 delivers for nothing";
    EXPECT_EQ(g.Nations[1].WeaponPool[2], 3) << "150 ordered, 100 held: 3 units";
    EXPECT_EQ(g.Nations[1].WeaponPool[3], 65535) << "a full pool saturates";
    EXPECT_EQ(g.Nations[1].WeaponPool[6], 1) << "the 10 left buy one gun";
    EXPECT_EQ(g.Nations[1].TheatreSupplies[1], 0);
}

class Draft : public HomeFrontTest {
protected:
    void SetUp() override {
        HomeFrontTest::SetUp();
        for (int n = 1; n <= 4; ++n) G().Nations[n].Human = 1;  // bounties and shares as set
    }
    static int NewBrigades() {
        int n = 0;
        for (int i = 13; i <= kBrigadeCount; ++i) n += BrigadeInUse(G().Brigades[i]);
        return n;
    }
};

TEST_F(Draft, TheSplitPaysForCavalryArtilleryAndSailorsAndRaisesFullBrigades) {
    struct Case { int supplies; int suppliesAfter, newRecruits, naval, brigades; };
    const Case cases[] = {{1000, 1000 - 120 - 50 - 5, 0, 5, 3}, {100, 0, 10, 4, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.supplies);
        SetUp();
        TNationRec& u = G().Nations[1];
        u.RecruitPercent = {};
        u.RecruitPercent[1] = 70, u.RecruitPercent[2] = 20, u.RecruitPercent[3] = 5, u.RecruitPercent[4] = 5;
        u.TheatreSupplies[1] = static_cast<std::uint16_t>(c.supplies);
        TStateRec& s = G().States[1];
        s.NewRecruits = 100;
        s.InfantryPool = 10, s.CavalryPool = 30, s.ArtilleryPool = 11;
        AdjustComputerDraft();
        EXPECT_EQ(u.TheatreSupplies[1], c.suppliesAfter);
        EXPECT_EQ(s.NewRecruits, c.newRecruits);
        EXPECT_EQ(u.NavalManpower, c.naval);
        ASSERT_EQ(NewBrigades(), c.brigades);
        const int strengths[] = {80, 50, 16};
        for (int k = 0; k < c.brigades; ++k) EXPECT_EQ(G().Brigades[13 + k].Strength, strengths[k]);
        EXPECT_EQ(s.InfantryPool, 0);
    }
}

TEST_F(Draft, ABorderStateSendsSouthAtMostTheRecruitsItHas) {
    struct Case { int citiesHeldSouth; int left, sent; };
    for (const Case& c : {Case{9, 0, 100}, Case{2, 30, 70}}) {
        SetUp();
        State(19, 1, 0).NewRecruits = 100;  // no theatre: nothing of it is split here
        G().States[24].ControlSide = 2;
        for (int k = 0; k < c.citiesHeldSouth; ++k) City(7 + k, 2, 19).Owner = 2;
        AdjustComputerDraft();
        EXPECT_EQ(G().States[19].NewRecruits, c.left) << c.citiesHeldSouth;
        EXPECT_EQ(G().States[24].NewRecruits, c.sent) << "a share of 105 moves no more than the 100 there";
    }
}

TEST_F(Draft, OutputIsDraftedAtTheSidesRateWhileTheBountyIsPaid) {
    struct Case { int appeal, bounty, supplies; int recruits, suppliesAfter; };
    const Case cases[] = {
        {0, 0, 0, 10, 0},        // bounty 0: rate 1, and it costs nothing
        {9, 0, 0, 210, 0},       // the month after an appeal: rate + 20
        {0, 6, 119, 0, 119},     // 60 men at 6 a third: 120 is more than the theatre holds
        {0, 6, 120, 60, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "appeal " << c.appeal << " bounty " << c.bounty << " supplies " << c.supplies);
        SetUp();
        TNationRec& u = G().Nations[1];
        u.AppealCounter = static_cast<std::int8_t>(c.appeal);
        u.Bounty = static_cast<std::uint16_t>(c.bounty);
        u.TheatreSupplies[1] = static_cast<std::uint16_t>(c.supplies);
        G().States[1].CityOutput = 4000;
        RaiseMonthlyRecruits();
        EXPECT_EQ(G().States[1].Recruits, c.recruits);
        EXPECT_EQ(u.MonthlyRecruits, c.recruits);
        EXPECT_EQ(G().States[1].CityOutput, 4000 - c.recruits / 3);
        EXPECT_EQ(u.TheatreSupplies[1], c.suppliesAfter);
        EXPECT_EQ(u.AppealCounter, c.appeal - 1);
    }
}

TEST_F(Draft, TheComputerPaysTenIn1861AndHalvesItsBountyOnlyLater) {
    struct Case { int year, month, bounty, after; };
    const Case cases[] = {{1861, 6, 3, 10}, {1861, 10, 7, 7}, {1862, 3, 7, 3}, {1862, 3, 1, 1}};
    for (const Case& c : cases) {
        SetUp();
        G().Year = static_cast<std::uint16_t>(c.year);
        G().Month = static_cast<std::uint16_t>(c.month);
        TNationRec& u = G().Nations[1];
        u.Human = 0;
        u.CorpsTally = 30;
        u.Bounty = static_cast<std::uint16_t>(c.bounty);
        RaiseMonthlyRecruits();
        EXPECT_EQ(u.Bounty, c.after) << c.year << "/" << c.month;
    }
}

TEST_F(Draft, AComputerAppealSetsOffRiotsInStatesLessLoyalThanTheDraw) {
    TGameRec& g = G();
    g.Year = 1862;
    TNationRec& u = g.Nations[1];
    u.Human = 0;
    u.AppealCounter = -2;
    g.Casualties[kUnion] = 800;
    g.States[1].StateCasualties = 2001;
    g.States[1].PoliticalValue = 10;
    testing::ScriptedFrontend fe;
    fe.ExpectNotice(19);
    fe.ExpectNotice(4);
    // Columbia draws 59 + 30 a year of war against loyalty 60 and riots; Maryland draws 0 + 30.
    EXPECT_EQ(testing::DrawRanges({59, 0}, [] { RaiseMonthlyRecruits(); }), (std::vector<int>{60, 60}));
    ASSERT_EQ(fe.notices.size(), 2u) << "the appeal opens the riot check";
    EXPECT_EQ(fe.notices[0].lines[1], "text 211");
    EXPECT_EQ(fe.notices[1].lines[1], "text 210");
    EXPECT_EQ(fe.notices[1].lines[2], "Columbia");
    EXPECT_EQ(u.Will, 480);
    EXPECT_EQ(WillLostToRiots(1), 20);
    EXPECT_EQ(u.Bounty, 1);
    EXPECT_EQ(u.AppealCounter, 8);

    // No riot without more than 2000 casualties, none at all included; the Confederacy halves its
    // casualties and draws twice, keeping the second draw of 80 with no term for the year.
    g.States[1].StateCasualties = 0;
    EXPECT_TRUE(testing::DrawRanges({}, [] { CheckDraftRiots(1); }).empty());
    g.Nations[2].AppealCounter = 9;
    g.States[2].StateCasualties = 4002;
    g.States[2].Loyalty = 70;
    EXPECT_EQ(testing::DrawRanges({59, 65}, [] { CheckDraftRiots(2); }), (std::vector<int>{60, 80}));
    EXPECT_EQ(fe.notices.size(), 2u) << "65 is short of loyalty 70";
}

class Procurement : public HomeFrontTest {
protected:
    void SetUp() override {
        HomeFrontTest::SetUp();
        InitBrigadeTypeTable();
        for (int n = 1; n <= 4; ++n) G().WeaponTable[1].Price[n] = 2;
    }
};

TEST_F(Procurement, PoolsAreCappedAndComputerMusketOrdersRefundedOnce) {
    TGameRec& g = G();
    g.Nations[1].Human = 1;
    g.Nations[1].WeaponPool[3] = 60000;
    g.Nations[1].WeaponPool[2] = 50000;
    g.States[3].WeaponCapacity[1] = 10;  // a person's order stands
    // Virginia's figure is its cities' sum: only the cities refund it.
    g.States[2].CapitalCity = 2;
    g.States[2].WeaponCapacity[1] = 5;
    g.Cities[2].Production[1] = 3;
    g.Cities[4].Production[1] = 2;
    State(4, 2, 2).WeaponCapacity[1] = 10;
    ComputerProcurement();
    EXPECT_EQ(g.Nations[1].WeaponPool[3], kWeaponPoolCap);
    EXPECT_EQ(g.Nations[1].WeaponPool[2], 50000);
    EXPECT_EQ(g.States[3].WeaponCapacity[1], 10);
    EXPECT_EQ(g.Nations[2].TheatreSupplies[1], 5 * 6) << "price 2 + 4 for each musket, once";
    EXPECT_EQ(g.Nations[2].TheatreSupplies[2], 10 * 6);
    EXPECT_EQ(g.States[2].WeaponCapacity[1] + g.Cities[2].Production[1] + g.Cities[4].Production[1], 0);
}

TEST_F(Procurement, TheUnionOrdersATenthOfItsShortfallAndCutsWhatItNoLongerNeeds) {
    struct Case { int waiting, draw; int state; int ordered; };
    const Case cases[] = {{9, 30, 4, 0}, {10, 30, 4, 1}, {10, 29, 5, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.waiting << " men wait, draw " << c.draw);
        SetUp();
        TGameRec& g = G();
        State(4, 1).WeaponCapacity[7] = 1;
        g.States[4].WeaponCapacity[6] = 5;
        State(5, 1);
        g.Nations[1].TheatreSupplies[1] = 1000;
        Brigade(20, 1, kBrigadeInfantry, c.waiting, kAttachUnarmed, 0, 1, 0);
        ScriptRandomDraws({c.draw});
        ComputerProcurement();
        EXPECT_EQ(g.States[c.state].WeaponCapacity[2], c.ordered);
        EXPECT_EQ(g.States[4].WeaponCapacity[7], 0) << "an order of 1 is cut to nothing";
        EXPECT_EQ(g.States[4].WeaponCapacity[6], 2);
        EXPECT_EQ(g.Nations[1].TheatreSupplies[1], 1000 + 2 * (42 + 4) - c.ordered * (3 + 4));
    }
}

TEST_F(Procurement, TheConfederacyCutsInEveryCityAndOrdersWhereTheDrawFavours) {
    struct Case { std::vector<int> draws; int city; };
    for (const Case& c : {Case{{10, 0, 29, 24}, 4}, Case{{10, 0, 30}, 2}}) {
        SetUp();
        TGameRec& g = G();
        City(40, 2, 2).Production[2] = 4;
        g.Cities[2].RailLink = g.Cities[4].RailLink = 1;
        g.Cities[2].Output = 100;
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
    EXPECT_EQ(G().Cities[85].Production[2], 2) << "France orders in its own city";
    EXPECT_EQ(G().Cities[86].Production[4], 3) << "and so does Britain";
}

}  // namespace
}  // namespace kvt

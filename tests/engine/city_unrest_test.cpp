// Risings of occupied cities, the condition of corps, commanders for leaderless corps, and state
// loyalty, leader recovery and state unrest, on the synthetic game with the computer on both sides.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/globals.h"
#include "engine/core/notice.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/state_loyalty.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

using testing::DrawRanges;

class Unrest : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        testing::UseNumberedTexts();
        testing::BuildSyntheticGame(false, false);
        fe.notices.clear();
        fe.AllowAnyWaits(true);
    }
    static void Garrison(int brigade, int city, int nation, int homeState) {
        GameRec->Brigades[brigade] = {static_cast<U8>(nation), static_cast<U8>(city), kBrigadeInfantry, 50, 1, 1,
                                      static_cast<U8>(homeState), 1, kAttachGarrison, 0};
    }
    testing::ScriptedFrontend fe;
};
using CityUnrest = Unrest;
using CorpsCondition = Unrest;
using MissingCommanders = Unrest;
using StateLoyalty = Unrest;

TEST_F(CityUnrest, AnOccupiedCityRisesOnlyFarFromItsOccupierAndUngarrisoned) {
    // Alexandria, a Union city of Confederate Virginia, held by the Confederacy with output 500.
    struct Case { const char* name; int controller, loyalty, garrison, corpsAt; std::vector<int> draws; bool rises; int status; };
    const Case cases[] = {
        {"foreign-held state: chance 40", 2, 60, 0, 0, {20, 19}, true, 1},
        {"foreign-held state: 40 missed", 2, 60, 0, 0, {20, 20}, false, 1},
        {"a garrison as large as the status still leaves 10", 2, 60, 1, 0, {5, 4}, true, 1},
        {"home-held state, disloyal, garrisoned", 1, 20, 1, 0, {}, false, 1},
        {"home-held state, disloyal: chance 30", 1, 20, 0, 0, {29, 0}, true, 1},
        {"home-held state, loyal", 1, 60, 0, 0, {}, false, 0},
        {"occupier corps one hex off", 2, 60, 0, 23, {}, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        TGameRec& g = *GameRec;
        TCityRec& city = g.Cities[5];
        city.Owner = city.Nation = 2;
        city.Output = 500;
        g.States[2].Controller = static_cast<U8>(c.controller);
        g.States[2].Loyalty = static_cast<U8>(c.loyalty);
        if (c.garrison) Garrison(30, 5, 2, 2);
        if (c.corpsAt) {
            g.Corps[3].HexX = 41;
            g.Corps[3].HexY = static_cast<U8>(c.corpsAt);
        }
        DrawRanges(c.draws, [] { UpdateCityUnrest(); });
        EXPECT_EQ(city.Owner, c.rises ? 1 : 2);
        EXPECT_EQ(city.Nation, c.rises ? 1 : 2);
        if (!c.rises) {
            EXPECT_EQ(city.Status, c.status);
            continue;
        }
        ASSERT_EQ(fe.notices.size(), 1u);
        EXPECT_EQ(fe.notices[0].kind, 14);
        EXPECT_EQ(fe.notices[0].lines[3], "Alexandria");
        EXPECT_EQ(fe.notices[0].lines[4], "text 33");
        EXPECT_EQ(g.Prisoners[2], c.garrison ? 50u : 0u) << "the garrison is taken";
        EXPECT_EQ(city.Garrison, 0);
        EXPECT_EQ((std::pair<int, int>{ViewColumn, ViewRow}), (std::pair<int, int>{41, 22}));
    }
}

TEST_F(CityUnrest, BorderCitiesChangeSidesAndAlliedCitiesAreNotOccupied) {
    TGameRec& g = *GameRec;
    TCityRec& border = g.Cities[6];  // a Union city of border state 20, held by the Confederacy
    border.State = 20;
    border.OriginalOwner = 1;
    border.Owner = border.Nation = 2;
    border.Output = 500;
    Garrison(30, 6, 2, 20);  // men of the state itself change sides
    Garrison(31, 6, 2, 19);  // men of the other border state are taken
    Garrison(32, 6, 2, 0);   // a brigade of no state is left alone
    g.Nations[3].Side = 2;
    TCityRec& french = g.Cities[4];  // at home while France fights on the Confederate side
    french.OriginalOwner = 3;
    french.Status = 7;
    DrawRanges({0, 0}, [] { UpdateCityUnrest(); });
    EXPECT_EQ(border.Owner, 1);
    EXPECT_EQ(border.Nation, 1);
    EXPECT_EQ(g.Brigades[30].Nation, 1);
    EXPECT_EQ(g.Brigades[31].AttachKind, kAttachFree);
    EXPECT_EQ(g.States[19].StateCasualties, 50);
    EXPECT_EQ(g.Brigades[32].AttachKind, kAttachGarrison);
    EXPECT_EQ(border.Garrison, 2);
    EXPECT_EQ(french.Status, 7);
}

TEST_F(CorpsCondition, ConditionMovesAtMostThreeUpAndTwoDown) {
    // Corps 1 alone, in its own state; draws: size 250, outnumbered 30, dug in 30, leader 70, army 100.
    struct Case { const char* name; void (*set)(TCorpsRec&); std::vector<int> draws; int condition, disruption; };
    const Case cases[] = {
        {"resting on its destination gains the full three", [](TCorpsRec&) {}, {0, 0, 0, 0}, 13, 0},
        {"tired, cut off and moving loses two", [](TCorpsRec& k) {
             k.DestX = 1, k.March = 2, k.SupplyDistance = 5, k.SupplyPriority = 0, k.Fatigue = 10;
         }, {249, 29, 29, 69}, 8, 0},
        {"aboard a fleet it never loses", [](TCorpsRec& k) {
             k.DestX = 1, k.March = 2, k.SupplyDistance = 5, k.OrderMode = 4;
         }, {249, 29, 29, 69}, 11, 0},
        {"a disrupted corps steadies above 10", [](TCorpsRec& k) { k.Disruption = 2, k.Condition = 24, k.Army = 1; },
         {249, 29, 29, 0, 0}, 25, 1},
        {"worn out stops at 0", [](TCorpsRec& k) { k.Condition = 1, k.Fatigue = 20, k.Entrenchment = 9; },
         {249, 29, 29, 69}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        TGameRec& g = *GameRec;
        for (int k = 2; k <= 4; ++k) g.Corps[k].Unused = 1;
        g.Corps[1].SizeClass = 3;
        g.Corps[1].SupplyPriority = 1;
        g.Leaders[1].Drill = 50;
        g.Armies[1].Leader = 3;
        g.Leaders[3].Drill = 50;
        c.set(g.Corps[1]);
        const std::vector<int> ranges = DrawRanges(c.draws, [] { UpdateCorpsCondition(); });
        EXPECT_EQ(ranges.size(), c.draws.size()) << "the army commander draws only for a corps in an army";
        EXPECT_EQ(g.Corps[1].Condition, c.condition);
        EXPECT_EQ(g.Corps[1].Disruption, c.disruption);
        EXPECT_LE(g.Corps[1].Entrenchment, 3);
    }
}

TEST_F(MissingCommanders, ALeaderlessCorpsGetsTheBestAvailableLeader) {
    TGameRec& g = *GameRec;
    g.Corps[1].Leader = 0;
    g.Leaders[4].Rating = 5;
    g.Cities[6].Nation = 0;  // Norfolk gives nobody points
    g.Nations[1].TheatreValueBase[1] = 99;
    g.TerritoryTotal[1] = 100;
    // Leaders 1 (now without his corps), 3, 4, 5 and 6 draw in turn.
    DrawRanges({0, 0, 0, 0, 0}, [] { AssignMissingCommanders(); });
    EXPECT_EQ(g.Corps[1].Leader, 4);
    EXPECT_EQ(g.Corps[1].LeaderRating, 5);
    EXPECT_EQ(g.Leaders[4].Status, kLeaderActive) << "he holds a command now";
    EXPECT_EQ(g.TerritorialPoints[1], 35);
    EXPECT_EQ(g.TerritorialPoints[2], 25);
    EXPECT_EQ(g.Nations[1].TheatreValueBase[1], 99) << "set once";
    EXPECT_EQ(g.Nations[2].TheatreValueBase[1], 25);
    EXPECT_EQ(g.TerritoryTotal[1], 135);
}

TEST_F(MissingCommanders, WithNobodyToLeadItACorpsJoinsItsOwnDepotOrSurrenders) {
    struct Case { int depot; bool surrenders; };
    for (const Case& c : {Case{1, false}, Case{2, true}, Case{0, true}}) {
        SCOPED_TRACE(c.depot);
        SetUp();
        TGameRec& g = *GameRec;
        for (int l : {1, 3, 4, 5, 6}) g.Leaders[l].Status = kLeaderKilled;
        g.Corps[1].Leader = 0;
        g.Corps[1].SupplyCity = static_cast<U8>(c.depot);
        g.Corps[1].Strength = 160;
        g.Corps[1].Artillery = 16;
        g.Nations[4].Attitude = 100;
        AssignMissingCommanders();
        EXPECT_FALSE(CorpsInUse(g.Corps[1]));
        EXPECT_EQ(g.Corps[1].Strength, 0) << "the record is freed whole";
        EXPECT_EQ(g.Cities[1].Garrison, c.surrenders ? 0 : 3) << "every brigade is counted, artillery too";
        for (int b = 1; b <= 3; ++b) EXPECT_EQ(g.Brigades[b].AttachKind, c.surrenders ? kAttachFree : kAttachGarrison);
        EXPECT_EQ(g.Prisoners[1], c.surrenders ? 176u : 0u);
        EXPECT_EQ(g.States[1].StateCasualties, c.surrenders ? 176 : 0);
        EXPECT_EQ(g.Nations[1].Will, c.surrenders ? 497 : 500);
        EXPECT_EQ(g.Nations[3].Attitude, c.surrenders ? 59 : 60);
        EXPECT_EQ(g.Nations[4].Attitude, 100);
        ASSERT_EQ(fe.notices.size(), c.surrenders ? 1u : 0u);
        if (c.surrenders) {
            EXPECT_EQ(fe.notices[0].lines[1], "text 35");
            EXPECT_EQ(fe.notices[0].lines[2], "text 36");
        }
    }
}

// One UpdateStateLoyalty's draws: loyalty, one per leader (99, no recovery, unless given), unrest.
std::vector<int> LoyaltyDraws(std::vector<int> loyalty, const std::vector<std::vector<int>>& leaders, std::vector<int> unrest) {
    std::vector<int> script = std::move(loyalty);
    for (int l = 1; l <= kLeaderCount; ++l) {
        const std::vector<int> own = l <= static_cast<int>(leaders.size()) ? leaders[l - 1] : std::vector<int>{99};
        script.insert(script.end(), own.begin(), own.end());
    }
    script.insert(script.end(), unrest.begin(), unrest.end());
    return script;
}

TEST_F(StateLoyalty, WillWinsLoyaltyAndLeadersRecoverStepByStep) {
    struct Case { int year, will; std::vector<int> draws; int loyalty, after; };
    const Case cases[] = {{1861, 511, {100, 100, 100}, 60, 61}, {1861, 510, {}, 60, 60}, {1864, 541, {200, 200, 140}, 60, 61},
                          {1864, 541, {200, 200, 141}, 60, 60}, {1864, 540, {}, 60, 60}, {1861, 600, {0, 0, 0}, 100, 100}};
    for (const Case& c : cases) {
        SetUp();
        TGameRec& g = *GameRec;
        g.Year = static_cast<std::uint16_t>(c.year);
        g.Nations[1].Will = static_cast<std::int16_t>(c.will);
        g.States[1].Loyalty = static_cast<U8>(c.loyalty);
        g.States[3].Controller = 2;  // only Columbia is the Union's
        const int statuses[] = {2, 102, 101, 234, 235, 201};
        for (int l = 1; l <= 6; ++l) g.Leaders[l].Status = static_cast<U8>(statuses[l - 1]);
        DrawRanges(LoyaltyDraws(c.draws, {{0}, {0}, {0}, {99, 11}, {0}, {0, 10}}, std::vector<int>(12, 19)),
                   [] { UpdateStateLoyalty(); });
        EXPECT_EQ(g.States[1].Loyalty, c.after) << c.year << " will " << c.will;
        const int recovered[] = {100, 101, 101, 233, 235, 201};
        for (int l = 1; l <= 6; ++l) EXPECT_EQ(g.Leaders[l].Status, recovered[l - 1]) << "from " << statuses[l - 1];
    }
}

TEST_F(StateLoyalty, StrainedTheatresStirUnrestInLessLoyalStates) {
    TGameRec& g = *GameRec;
    const char* names[] = {"Ohio", "Indiana", "Illinois"};
    for (int s = 6; s <= 8; ++s) {
        g.States[s].Name = names[s - 6];
        g.States[s].Controller = 1;
        g.States[s].Theatre = static_cast<U8>(s == 8 ? 2 : 1);
        g.States[s].Loyalty = static_cast<U8>(s == 6 ? 60 : s == 7 ? 40 : 10);
    }
    for (int s : {9, 10, 19}) g.States[s].EventCooldown = 5;
    g.States[9].Controller = 2;
    g.States[10].Controller = 3;
    g.States[19].Controller = 1;
    TNationRec& u = g.Nations[1];
    u.CorpsInTheatre[1] = 3;  // corps without an army: theatre 1 is ungoverned
    u.TheatrePressure[1] = u.TheatrePressure[2] = 3;
    u.TheatreIdle[2] = 30;
    // Theatre 1: Ohio draws 70, Indiana 65, cooldown 5; theatre 2: idle draw 0, Illinois 60, cooldown 0.
    const std::vector<int> unrest = {70, 65, 5, 0, 60, 0, 19, 19, 19, 19, 19, 19, 19, 19, 19, 19};
    DrawRanges(LoyaltyDraws({}, {}, unrest), [] { UpdateStateLoyalty(); });
    EXPECT_EQ(g.States[6].EventCooldown, 5 + 120 + 50);
    EXPECT_EQ(g.States[7].EventCooldown, 0);
    EXPECT_EQ(g.States[8].EventCooldown, 0 + 20 + 50);
    EXPECT_EQ(g.States[9].EventCooldown, 4);
    EXPECT_EQ(g.States[10].EventCooldown, 5) << "foreign states keep their count";
    EXPECT_EQ(g.States[19].EventCooldown, 5) << "border states keep their count";
    EXPECT_EQ(u.Will, 499);
    EXPECT_EQ(u.TheatreIdle[1], 0) << "the idle count stops at 0";
    ASSERT_EQ(fe.notices.size(), 2u);
    const std::string first[] = {"", "text 70", "Ohio", "text 75", "text 76"};
    const std::string second[] = {"", "text 70", "Illinois", "text 71", "text 73"};
    for (int line = 1; line <= 4; ++line) {
        EXPECT_EQ(fe.notices[0].lines[line], first[line]);
        EXPECT_EQ(fe.notices[1].lines[line], second[line]);
    }
}

}  // namespace
}  // namespace kvt

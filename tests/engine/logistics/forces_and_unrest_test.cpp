// The force recount, the force tally, leader choice, city risings, corps condition, commanders for
// leaderless corps and state loyalty, on the synthetic game with the computer on both sides.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "engine/forces/force_recount.h"
#include "engine/forces/force_tally.h"
#include "engine/forces/leader_choice.h"
#include "engine/logistics/city_unrest.h"
#include "engine/logistics/state_loyalty.h"
#include "engine/movement/corps_movement.h"
#include "engine/world/globals.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using Pair = std::pair<int, int>;

class Forces : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        testing::UseNumberedTexts();
        testing::BuildSyntheticGame(false, false);
        fe.notices.clear();
        fe.AllowAnyWaits(true);
    }
    // Synthetic corps k holds artillery brigade 3k-2 and infantry brigades 3k-1 and 3k; 0 frees one.
    void Men(int k, int first, int second) {
        g.Brigades[3 * k - 1].Strength = static_cast<U8>(first);
        g.Brigades[3 * k].Strength = static_cast<U8>(second);
    }
    void Place(int k, int x, int y) {
        g.Corps[k].HexX = static_cast<U8>(x);
        g.Corps[k].HexY = static_cast<U8>(y);
    }
    // A Confederate garrison brigade of 50 men.
    void Garrison(int b, int city, int state) {
        g.Brigades[b] = {2, static_cast<U8>(city), kBrigadeInfantry, 50, 1, 1, static_cast<U8>(state), 1,
                         kAttachGarrison, 0};
    }
    TGameRec& g = *GameRec;
    testing::ScriptedFrontend fe;
};
using ForceRecount = Forces;
using ForceTally = Forces;
using LeaderChoice = Forces;
using CityUnrest = Forces;
using CorpsCondition = Forces;
using MissingCommanders = Forces;
using StateLoyalty = Forces;

TEST_F(ForceRecount, CapacityAndReadinessFollowTheCommanderAndTheMen) {
    struct Case { int kind, initiative, first, second, capacity, readiness; };
    const Case cases[] = {{0, 60, 36, 0, 9, 1}, {1, 60, 36, 0, 3, 1}, {0, 40, 200, 200, 7, 7}, {2, 0, 255, 0, 2, 10}};
    for (const Case& c : cases) {
        SetUp();
        g.Corps[1].Kind = static_cast<U8>(c.kind);
        g.Leaders[1].Initiative = static_cast<U8>(c.initiative);
        Men(1, c.first, c.second);
        RecountForces();
        EXPECT_EQ(Pair(g.Corps[1].BrigadeLimit, g.Corps[1].FatigueLimit), Pair(c.capacity, c.readiness));
    }
}

TEST_F(ForceRecount, OddsReadEveryCorpsNewReadinessAndHalveDivisions) {
    // Readiness 5, 10 (a division, counted 5) and 4; stale readiness would give corps 1 odds of 6 to 10.
    Men(1, 140, 140);
    Men(2, 140, 140);
    Men(3, 120, 120);
    g.Corps[2].Kind = 1;
    g.Corps[2].FatigueLimit = 1;
    g.Corps[3].FatigueLimit = 10;
    Place(2, 40, 22);
    Place(3, 40, 23);
    RecountForces();
    EXPECT_EQ(Pair(g.Corps[1].OwnNearby, g.Corps[1].Opponent), Pair(10, 4));
    EXPECT_EQ(Pair(g.Corps[1].SizeClass, g.Corps[3].SizeClass), Pair(4, 1));
    EXPECT_EQ(Pair(g.Corps[3].HomeState, g.States[1].EnemyStrength), Pair(1, 240)) << "a corps belongs to its hex's state";
}

TEST_F(ForceRecount, ComputerCorpsDefendAndDisruptedCorpsFallBackUnlessAboard) {
    g.Nations[1].Human = 1;
    g.Corps[1].OrderMode = g.Corps[2].OrderMode = kOrderAdvance;  // a person's corps, the second disrupted
    g.Corps[3].OrderMode = kOrderPlan;
    g.Corps[4].OrderMode = kOrderEmbarked;  // disrupted aboard a fleet: set ashore at sea it would march off
    g.Corps[2].Disruption = g.Corps[4].Disruption = 3;
    RecountForces();
    EXPECT_EQ((std::array<int, 4>{g.Corps[1].OrderMode, g.Corps[2].OrderMode, g.Corps[3].OrderMode, g.Corps[4].OrderMode}),
              (std::array<int, 4>{kOrderAdvance, kOrderWithdraw, kOrderDefend, kOrderEmbarked}));
}

TEST_F(ForceRecount, AnArmyIsValuedByTheStrengthAroundItsBase) {
    // Tallies own / 10 + 1 against enemy / 10 + 1: 41 to 10, 2 to 52, 11 to 11, 52 to 1.
    struct Case { int first, second, enemy, value; };
    for (const Case& c : {Case{200, 200, 90, 91}, {10, 0, 255, 0}, {100, 0, 100, 50}, {255, 255, 9, 100}}) {
        SetUp();
        g.Armies[1].Nation = g.Armies[1].BaseCity = 1;
        g.Armies[1].Leader = 3;
        g.Corps[1].Army = 1;
        Men(1, c.first, c.second);
        Men(3, c.enemy, c.enemy == 255 ? 255 : 0);
        Place(2, 30, 10);
        Place(3, 40, 20);  // on the base city
        RecountForces();
        EXPECT_EQ(g.Armies[1].ArmyValue, c.value) << c.first + c.second << " against " << c.enemy;
        EXPECT_EQ(g.Corps[1].LeaderInitiative, 40 + 40 / 3) << "a third of the army commander's initiative";
    }
}

TEST_F(ForceRecount, CorpsAndArmiesEndTotalsAreRebuiltAndASecondRecountOnlyForgetsTheDissolvedArmy) {
    g.Fleets[2].WaterType = 2;
    Garrison(20, 2, 2);
    g.Armies[1].Nation = g.Armies[1].BaseCity = 1;
    g.Corps[2].Army = 1;
    g.Brigades[5].Fatigue = g.Brigades[6].Fatigue = 4;
    g.Corps[5].Leader = 10;  // a freed record still naming a leader would relieve him at every recount
    g.Armies[2].Name = "Army of the James";  // an army without corps
    g.ArmyNamePool[2][3].Name = "Army of the James";
    g.ArmyNamePool[2][3].Used = 2;
    g.Armies[2].Nation = g.Armies[2].BaseCity = 2;
    g.Armies[2].Leader = 9;
    g.Corps[3].Leader = 0;  // corps 3 has no commander, corps 4 no men and a fallen one
    Men(4, 0, 0);
    g.Brigades[10].Strength = 0;
    g.Leaders[8].Status = kLeaderKilled;
    RecountForces();
    EXPECT_EQ(Pair(g.Nations[1].ShipTotals[kShipsOceanWooden], g.Nations[2].ShipTotals[kShipsRiverWooden]), Pair(4, 4));
    EXPECT_EQ(Pair(g.Nations[1].TheatreStrength[1], g.Nations[2].TheatreStrength[1]), Pair(320, 50));
    EXPECT_EQ(Pair(g.States[1].OwnStrength, g.States[2].ForeignHeld), Pair(320, 1)) << "Alexandria is the Union's";
    EXPECT_EQ((std::array<int, 3>{g.Nations[1].CorpsTally, g.Nations[1].ArmyTally, g.Nations[1].CorpsInTheatre[1]}),
              (std::array<int, 3>{2, 1, 2}));
    // Readiness 160 x 10 div (7 x 80); the theatre's 320 men against a weight of 2 x 7 x 80.
    EXPECT_EQ((std::array<int, 4>{g.Armies[1].Readiness, g.Armies[1].Condition, g.Armies[1].Losses,
                                  g.Nations[1].TheatreReadiness[1]}),
              (std::array<int, 4>{2, 10, 4, 3200 / 113}));
    EXPECT_FALSE(CorpsInUse(g.Corps[3]) || CorpsInUse(g.Corps[4]));
    EXPECT_EQ(Pair(g.Corps[5].Leader, g.Leaders[10].Status), Pair(0, kLeaderRemoved));
    EXPECT_EQ(Pair(g.Corps[4].Leader, g.Leaders[8].Status), Pair(0, kLeaderKilled)) << "nobody raised from the dead";
    for (int b = 7; b <= 9; ++b)
        EXPECT_EQ(Pair(g.Brigades[b].AttachKind, g.Brigades[b].AttachIndex), Pair(kAttachWaiting, 0)) << "waiting";
    EXPECT_TRUE(ArmySlotFree(g.Armies[2]));
    EXPECT_EQ(Pair(g.ArmyNamePool[2][3].Used, g.Leaders[9].Status), Pair(0, kLeaderRemoved));
    static TGameRec first;
    first = g;
    RecountForces();
    // Richmond's theatre still counted the dissolved army; nothing else the first recount wrote moves.
    ASSERT_EQ(first.Nations[2].ArmiesInTheatre[1], 1);
    first.Nations[2].ArmiesInTheatre[1] = 0;
    EXPECT_EQ(std::memcmp(&first, &g, sizeof(TGameRec)), 0);
}

TEST_F(ForceRecount, AnArmyWithoutCorpsLeavesABlankNameAndCountsInItsTheatreUntilTheNextRecount) {
    // Army 2 has no corps; army 1, when kept, holds corps 1 at Washington.
    struct Case { int nation, base, theatre; bool otherArmy; int armiesThen, armiesAfter; };
    const Case cases[] = {
        {1, 1, 1, true, 2, 1},   // beside a Union army that keeps its corps
        {2, 2, 3, false, 1, 0},  // the Confederacy's only army, based in the third theatre
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "nation " << c.nation);
        SetUp();
        g.Cities[c.base].Theatre = static_cast<U8>(c.theatre);
        if (c.otherArmy) {
            g.Armies[1].Nation = g.Armies[1].BaseCity = 1;
            g.Corps[1].Army = 1;
        }
        TArmyRec& army = g.Armies[2];
        army.Nation = army.Side = static_cast<U8>(c.nation), army.BaseCity = static_cast<U8>(c.base), army.Leader = 9;
        army.Name = "Army of the Ohio";
        g.ArmyNamePool[c.nation][4].Name = "Army of the Ohio";
        g.ArmyNamePool[c.nation][4].Used = 2;
        RecountForces();
        const TNationRec& nation = g.Nations[c.nation];
        EXPECT_EQ(army.Name.str(), " ");
        EXPECT_TRUE(ArmySlotFree(army) && g.ArmyNamePool[c.nation][4].Used == 0);
        EXPECT_EQ(Pair(nation.ArmyTally, nation.ArmiesInTheatre[c.theatre]), Pair(c.otherArmy ? 1 : 0, c.armiesThen));
        RecountForces();
        EXPECT_EQ(nation.ArmiesInTheatre[c.theatre], c.armiesAfter) << "gone from its theatre at the next recount";
    }
}

TEST_F(ForceTally, OwnMenCountWholeAndEnemiesByDistance) {
    // Union corps 1, 2 and Confederate corps 3 (readiness 6) on Washington; corps 4 (8) two hexes off adds a third.
    for (int k = 1; k <= 4; ++k) {
        Place(k, 40, k == 4 ? 22 : 20);
        g.Corps[k].Strength = 160;
        g.Corps[k].FatigueLimit = static_cast<U8>(2 * k);
    }
    struct Case { int city, range; std::array<int, 5> tally; };
    for (const Case& c : {Case{1, 5, {321, 213, 14, 2, 2}}, {1, 1, {321, 160, 6, 1, 2}}, {0, 5, {1, 0, 0, 0, 0}}}) {
        TallyForcesNearCity(c.city, 1, c.range);
        EXPECT_EQ((std::array<int, 5>{OwnTally, EnemyTally, EnemyReadinessTally, EnemyCorpsTally, HolderCorpsOnCity}),
                  c.tally) << "city " << c.city << " range " << c.range;
    }
}

TEST_F(LeaderChoice, RankPrestigeAndTiesDecideAndTheChosenPays) {
    // Union leaders 5 (available) and 6 are the only candidates; both draw 0.
    struct Case { int wanted, rank5, prestige5, rank6, status6, prestige6, chosen, prestigeAfter; };
    const Case cases[] = {
        {3, 1, 9, 3, 100, 0, 6, 0},  {3, 1, 11, 3, 100, 0, 5, 1},   // rank 1 asked for 3 loses 10
        {3, 5, 39, 3, 100, 0, 6, 0}, {3, 5, 41, 3, 100, 0, 5, 31},  // rank 5 asked for 3 loses 40
        {5, 5, 0, 3, 0, 50, 5, 0},   {5, 5, 0, 3, 0, 51, 6, 41},    // available +55, active +15; a tie to 5
        {5, 2, 60, 3, 0, -5, 6, 0},                                 // rank 2 pushed down; negative prestige to 0
    };
    for (const Case& c : cases) {
        SetUp();
        for (int l = 1; l <= 4; ++l) g.Leaders[l].Nation = 2;
        g.Leaders[5].Rank = static_cast<U8>(c.rank5);
        g.Leaders[5].Political = static_cast<I8>(c.prestige5);
        g.Leaders[6].Rank = static_cast<U8>(c.rank6);
        g.Leaders[6].Status = static_cast<U8>(c.status6);
        g.Leaders[6].Political = static_cast<I8>(c.prestige6);
        DrawRanges({0, 0}, [&] { EXPECT_EQ(ChooseLeaderForCommand(1, c.wanted, 0, 0), c.chosen); });
        const TLeaderRec& man = g.Leaders[c.chosen];
        const bool promoted = c.wanted == 5 && c.chosen == 6;
        EXPECT_EQ(man.Political, c.prestigeAfter);
        EXPECT_EQ(Pair(man.Initiative, man.Rating), promoted ? Pair(35, 2) : Pair(40, 3)) << "promoted to an army";
    }
}

TEST_F(LeaderChoice, MarksFollowCommandsAndACorpsLeaderIsFreedOnlyWhenReplaced) {
    g.Nations[1].Human = 1;
    g.Leaders[1].Status = kLeaderRemoved;  // still leads corps 1
    g.Leaders[3].Status = kLeaderActive;   // leads nothing
    g.Leaders[4].Status = kLeaderKilled;
    g.Leaders[5].Rating = 6;
    EXPECT_TRUE(DrawRanges({}, [] { EXPECT_EQ(PickCommander(1, kCommandCorps, 0, 0), 0); }).empty()) << "a person's";
    EXPECT_EQ(Pair(g.Leaders[1].Status, g.Leaders[3].Status), Pair(kLeaderActive, kLeaderAvailable));
    g.GameKind = 2;  // a mail game chooses for every nation
    g.Leaders[1].Status = 150;  // recovering, yet at the head of corps 1: not his own successor
    g.Leaders[1].Rating = 9;
    DrawRanges({0, 0, 0}, [] { EXPECT_TRUE(ReplaceCorpsCommander(1, 1)); });
    EXPECT_EQ(Pair(g.Corps[1].Leader, g.Corps[1].LeaderRating), Pair(5, 6));
    for (int l : {1, 3, 6}) g.Leaders[l].Status = kLeaderKilled;  // leader 1 is free again once replaced
    EXPECT_FALSE(ReplaceCorpsCommander(1, 5)) << "nobody left to take his corps";
    g.Corps[2].Leader = 0;
    EXPECT_TRUE(DrawRanges({}, [] { EXPECT_TRUE(ReplaceCorpsCommander(1, 0)); }).empty()) << "leader 0 leads nothing";
}

TEST_F(CityUnrest, AnOccupiedCityRisesOnlyFarFromItsOccupierAndUngarrisoned) {
    // Alexandria, a Union city of Virginia, held by the Confederacy; output 500 gives status 1, over 1000 status 2.
    struct Case {
        const char* name;
        int controller, loyalty, output, garrison, corpsRow;
        std::vector<int> draws;
        bool rises;
        int status;
    };
    const Case cases[] = {
        {"foreign-held state: chance 40", 2, 60, 500, 0, 0, {20, 19}, true, 1},
        {"foreign-held state: 40 missed", 2, 60, 500, 0, 0, {20, 20}, false, 1},
        {"a garrison as large as the status still leaves 10", 2, 60, 500, 1, 0, {5, 4}, true, 1},
        {"a great city outnumbers one brigade: chance 40", 2, 60, 1001, 1, 0, {20, 19}, true, 2},
        {"home-held state, disloyal: chance 30", 1, 20, 500, 0, 0, {29, 0}, true, 1},
        {"home-held state, disloyal, garrisoned", 1, 20, 500, 1, 0, {}, false, 1},
        {"home-held state, loyal: calm", 1, 50, 1001, 0, 0, {}, false, 0},
        {"an occupying corps one hex off", 2, 60, 500, 0, 23, {}, false, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        TCityRec& city = g.Cities[5];
        city.Owner = city.Nation = 2;
        city.Output = static_cast<std::uint16_t>(c.output);
        g.States[2].Controller = static_cast<U8>(c.controller);
        g.States[2].Loyalty = static_cast<U8>(c.loyalty);
        if (c.garrison) Garrison(30, 5, 2);
        if (c.corpsRow) Place(3, 41, c.corpsRow);
        DrawRanges(c.draws, [] { UpdateCityUnrest(); });
        EXPECT_EQ(Pair(city.Owner, city.Nation), c.rises ? Pair(1, 1) : Pair(2, 2)) << c.name;
        EXPECT_EQ(city.Status, c.status) << c.name;
        ASSERT_EQ(fe.notices.size(), c.rises ? 1u : 0u) << c.name;
        if (!c.rises) continue;
        EXPECT_EQ(Pair(g.Prisoners[2], city.Garrison), Pair(c.garrison ? 50 : 0, 0)) << "the garrison is taken";
        EXPECT_EQ(Pair(ViewColumn, ViewRow), Pair(41, 22));
    }
}

TEST_F(CityUnrest, BorderCitiesChangeSidesAndAlliedCitiesAreNotOccupied) {
    TCityRec& border = g.Cities[6];  // a city of border state 20 that belongs to nobody, held by the Confederacy
    border.State = 20;
    border.OriginalOwner = 0;
    g.States[20].Controller = 1;
    border.Owner = border.Nation = 2;
    border.Output = 500;
    Garrison(30, 6, 20);  // men of the state itself change sides
    Garrison(31, 6, 19);  // men of the other border state are taken
    Garrison(32, 6, 0);   // a brigade of no state is left alone
    g.Nations[3].Side = 2;
    g.Cities[4].OriginalOwner = 3;  // at home while France fights on the Confederate side
    g.Cities[4].Status = 7;
    DrawRanges({0, 0}, [] { UpdateCityUnrest(); });
    EXPECT_EQ(Pair(border.Owner, border.Nation), Pair(1, 1));
    EXPECT_EQ(Pair(g.Brigades[30].Nation, g.Brigades[31].AttachKind), Pair(1, kAttachFree));
    EXPECT_EQ(Pair(g.States[19].StateCasualties, border.Garrison), Pair(50, 2));
    EXPECT_EQ(Pair(ViewColumn, ViewRow), Pair(41, 32)) << "Norfolk lies by the map's edge: the view stays on the map";
    EXPECT_EQ(g.Cities[4].Status, 7);
}

TEST_F(CorpsCondition, ConditionMovesAtMostThreeUpAndTwoDown) {
    // Corps 1 alone in its own state; draws: size 250, outnumbered 30, dug in 30, leader 70, army 100.
    struct Case { const char* name; void (*set)(TCorpsRec&); std::vector<int> draws; int condition, disruption, march; };
    const std::vector<int> poor = {249, 29, 29, 69};
    const Case cases[] = {
        {"resting on its destination gains three", [](TCorpsRec& k) { k.March = 2; }, {0, 0, 0, 0}, 13, 0, 0},
        {"aboard a fleet, cut off and marching, never loses",
         [](TCorpsRec& k) { k.DestX = 1, k.March = 2, k.SupplyDistance = 5, k.OrderMode = 4; }, poor, 11, 0, 2},
        {"disrupted, in an army", [](TCorpsRec& k) { k.Disruption = 2, k.Condition = 24, k.Army = 1; },
         {249, 29, 29, 0, 0}, 25, 1, 0},
        {"worn out stops at 0", [](TCorpsRec& k) { k.Condition = 1, k.Fatigue = 20; }, poor, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        for (int k = 2; k <= 4; ++k) g.Corps[k].Unused = 1;
        g.Corps[1].SizeClass = 3;
        g.Corps[1].SupplyPriority = 1;
        g.Leaders[1].Drill = g.Leaders[3].Drill = 50;
        g.Armies[1].Leader = 3;
        c.set(g.Corps[1]);
        DrawRanges(c.draws, [] { UpdateCorpsCondition(); });
        EXPECT_EQ((std::array<int, 3>{g.Corps[1].Condition, g.Corps[1].Disruption, g.Corps[1].March}),
                  (std::array<int, 3>{c.condition, c.disruption, c.march}))
            << c.name;
    }
}

TEST_F(MissingCommanders, ALeaderlessCorpsGetsTheBestFreeLeaderAndPointsAreCounted) {
    g.Corps[1].Leader = 0;
    g.Corps[1].Kind = 2;  // a cavalry division: rank 2 scores 40, rank 1 25, rank 3 10 (asked for rank 1: 20, 30, -10)
    g.Leaders[4].Rank = 2;
    g.Leaders[4].Rating = 4;
    g.Leaders[5].Rank = 1;
    g.Cities[6].Nation = 0;  // Norfolk gives nobody points
    g.Nations[1].TheatreValueBase[1] = 99;
    g.TerritoryTotal[1] = 100;
    DrawRanges({0, 0, 0, 0, 0}, [] { AssignMissingCommanders(); });  // leaders 1, 3, 4, 5, 6
    EXPECT_EQ(Pair(g.Corps[1].Leader, g.Leaders[4].Status), Pair(4, kLeaderActive));
    EXPECT_EQ(Pair(g.TerritorialPoints[1], g.TerritorialPoints[2]), Pair(35, 25));
    EXPECT_EQ(Pair(g.Nations[1].TheatreValueBase[1], g.Nations[2].TheatreValueBase[1]), Pair(99, 25)) << "set once";
    EXPECT_EQ(g.TerritoryTotal[1], 135);
}

TEST_F(MissingCommanders, WithNobodyToLeadItACorpsJoinsItsOwnDepotOrSurrenders) {
    for (const int depot : {1, 2, 0}) {  // Washington, Richmond (the enemy's), none
        SetUp();
        const bool surrenders = depot != 1;
        for (int l : {1, 3, 4, 5, 6}) g.Leaders[l].Status = kLeaderKilled;
        g.Corps[1].Leader = 0;
        g.Corps[1].SupplyCity = static_cast<U8>(depot);
        g.Corps[1].Strength = 160;
        g.Corps[1].Artillery = 16;
        AssignMissingCommanders();
        EXPECT_EQ(Pair(CorpsInUse(g.Corps[1]), g.Corps[1].Strength), Pair(0, 0)) << "freed whole";
        EXPECT_EQ(g.Cities[1].Garrison, surrenders ? 0 : 3) << "every brigade is counted, artillery too";
        EXPECT_EQ(Pair(g.Prisoners[1], g.States[1].StateCasualties), surrenders ? Pair(176, 176) : Pair(0, 0));
        EXPECT_EQ(Pair(g.Nations[1].Will, g.Nations[3].Attitude), surrenders ? Pair(497, 59) : Pair(500, 60));
        EXPECT_EQ(fe.notices.size(), surrenders ? 1u : 0u) << depot;
    }
}

TEST_F(StateLoyalty, WillWinsLoyaltyAndLeadersRecoverStepByStep) {
    struct Case { int year, will; std::vector<int> draws; int loyalty, after; };
    const Case cases[] = {{1861, 511, {100, 100, 100}, 60, 61}, {1861, 510, {}, 60, 60},
                          {1864, 541, {200, 200, 140}, 60, 61}, {1864, 541, {200, 200, 141}, 60, 60},
                          {1864, 540, {}, 60, 60},              {1861, 600, {0, 0, 0}, 100, 100}};
    const int statuses[] = {2, 102, 101, 234, 235, 201}, recovered[] = {100, 101, 101, 233, 235, 201};
    for (const Case& c : cases) {
        SetUp();
        g.Year = static_cast<std::uint16_t>(c.year);
        g.Nations[1].Will = static_cast<std::int16_t>(c.will);
        g.States[1].Loyalty = static_cast<U8>(c.loyalty);
        g.States[3].Controller = 2;  // Columbia is the Union's only state
        for (int l = 1; l <= 6; ++l) g.Leaders[l].Status = static_cast<U8>(statuses[l - 1]);
        // Loyalty, then one draw per leader (leaders 4 and 6 draw again to heal), then 12 theatres for unrest.
        std::vector<int> script = c.draws;
        script.insert(script.end(), {0, 0, 0, 99, 11, 0, 0, 10});
        script.insert(script.end(), kLeaderCount - 6, 99);
        script.insert(script.end(), 12, 19);
        DrawRanges(script, [] { UpdateStateLoyalty(); });
        EXPECT_EQ(g.States[1].Loyalty, c.after) << c.year << " will " << c.will;
        for (int l = 1; l <= 6; ++l) EXPECT_EQ(g.Leaders[l].Status, recovered[l - 1]) << "from " << statuses[l - 1];
    }
}

TEST_F(StateLoyalty, AnUngovernedTheatreStirsUnrestInALessLoyalState) {
    for (int s : {6, 7}) {
        g.States[s].Controller = g.States[s].Theatre = 1;
        g.States[s].Loyalty = static_cast<U8>(s == 6 ? 60 : 40);
    }
    g.States[6].Name = "Ohio";
    g.States[9].Controller = 2;
    g.States[9].EventCooldown = g.States[19].EventCooldown = 5;
    g.States[19].Controller = 1;
    g.Nations[1].CorpsInTheatre[1] = 3;  // corps but no army
    g.Nations[1].TheatrePressure[1] = 3;
    // Leaders draw 99; Ohio draws 70, Indiana 65 (no better), then the cooldown 5; 11 theatres draw for idleness.
    std::vector<int> script(kLeaderCount, 99);
    script.insert(script.end(), {70, 65, 5});
    script.insert(script.end(), 11, 19);
    DrawRanges(script, [] { UpdateStateLoyalty(); });
    EXPECT_EQ(Pair(g.States[6].EventCooldown, g.States[7].EventCooldown), Pair(5 + 120 + 50, 0));
    EXPECT_EQ(Pair(g.States[9].EventCooldown, g.States[19].EventCooldown), Pair(4, 5)) << "a border state keeps it";
    EXPECT_EQ(Pair(g.Nations[1].Will, g.Nations[1].TheatreIdle[1]), Pair(499, 0)) << "the idle count stops at 0";
    ASSERT_EQ(fe.notices.size(), 1u);
    EXPECT_EQ(fe.notices[0].lines[2] + "/" + fe.notices[0].lines[4], "Ohio/text 76");
}

}  // namespace
}  // namespace kvt

// The computer players: the driver and rail moves, theatre balance, the leader reshuffle, army
// operations and the orders of corps outside armies, on small synthetic worlds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/forces/command_slots.h"
#include "engine/forces/force_tally.h"
#include "engine/movement/corps_movement.h"
#include "engine/players/army_operations.h"
#include "engine/players/computer_players.h"
#include "engine/players/independent_corps.h"
#include "engine/players/leader_reshuffle.h"
#include "engine/players/theatre_balance.h"
#include "engine/world/notice.h"
#include "tests/engine/movement_world.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using testing::DrawRanges;
using testing::ScriptedFrontend;
using Ints = std::vector<int>;

// Theatre 1 alone is planned; France and Britain are not at war.
class ComputerWorld : public testing::MovementWorld {
protected:
    void SetUp() override {
        MovementWorld::SetUp();
        GameRec->TheatreFlag[1] = 1;
        GameRec->Month = 6;
    }
    void TearDown() override {
        EXPECT_EQ(CheckedAccessFaults(), 0u);
        MovementWorld::TearDown();
    }
    static TCityRec& City(int c) { return GameRec->Cities[c]; }
    static TArmyRec& Army(int a) { return GameRec->Armies[a]; }
    static TNationRec& Nation(int n) { return GameRec->Nations[n]; }
    static TLeaderRec& L(int l) { return GameRec->Leaders[l]; }
    static THexPos Dest(int c) { return P(C(c).DestX, C(c).DestY); }
    static THexPos CityHex(int c) { return P(City(c).HexX, City(c).HexY); }
};


class ComputerDriver : public ComputerWorld {
protected:
    // Confederate-held land with a single-track line along row 10 from column 10, `length` hexes
    // long, with a rail city of `nation` at each end; answers the far city.
    int LayLine(int length, int nation, int gap = 0) {
        FillMap(1, kConfederacy, 1);
        for (int x = 10; x <= 10 + length; ++x) Hex(x, 10).SetRail(x != gap);
        const int from = AddCity("From", 10, 10, kConfederacy), to = AddCity("To", 10 + length, 10, kConfederacy);
        for (int c : {from, to}) City(c).Nation = static_cast<U8>(nation), City(c).RailLink = 1;
        return to;
    }
};

TEST_F(ComputerDriver, TheRailTrialWalksACursorAndLeavesTheCorpsWhereItStands) {
    struct Case { const char* what; int length, gap, nation; bool station, reached; };
    const Case cases[] = {
        {"one search", 20, 0, 2, true, true},     {"a line longer than one search", 35, 0, 2, true, true},
        {"a broken line", 20, 18, 2, true, false}, {"too short a ride", 3, 0, 2, true, false},
        {"no station there", 20, 0, 2, false, false}, {"France rides its ally's line", 35, 0, 3, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        Nation(3).Side = kConfederacy;
        const int to = LayLine(c.length, c.nation, c.gap);
        City(to).RailLink = c.station;
        const int k = AddCorps(c.nation, 10, 10);
        EXPECT_TRUE(DrawRanges({}, [&] {
                        EXPECT_EQ(CanReachByRail(k, 10, 10, c.nation, 10, 10 + c.length), c.reached);
                    }).empty()) << "a single track offers no ties to draw for";
        EXPECT_EQ(At(k), P(10, 10));
    }
}

TEST_F(ComputerDriver, CorpsTakeTheTrainWhileCapacityLastsAndAPersonIsAskedFirst) {
    // Seven brigades need four units of capacity; an automatic move books one, a person's four.
    // A corps aboard a fleet stays aboard.
    struct Case { int nation, capacity, answer, mode, used; };
    const Case cases[] = {{kNationFrance, 3, 0, kOrderDefend, 0}, {kNationFrance, 4, 0, kOrderRail, 1},
                          {kNationFrance, 4, 0, kOrderEmbarked, 0},
                          {kNationConfederacy, 9, 1, kOrderRail, 4}, {kNationConfederacy, 9, 2, kOrderDefend, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "nation " << c.nation << " capacity " << c.capacity);
        SetUp();
        Nation(3).Side = kConfederacy;
        Nation(2).Human = c.nation == kNationConfederacy;
        Nation(c.nation).RailCapacity = static_cast<U8>(c.capacity);
        const int to = LayLine(20, c.nation);
        const int k = AddCorps(c.nation, 10, 10);
        C(k).LineCount = 7, C(k).DestX = City(to).HexX;
        if (c.mode == kOrderEmbarked) C(k).OrderMode = kOrderEmbarked;
        ScriptedFrontend fe;
        if (c.answer != 0) fe.ExpectNotice(0, c.answer);
        PlanRailMoves(c.nation);
        EXPECT_EQ((Ints{C(k).OrderMode, Nation(c.nation).RailUsed}), (Ints{c.mode, c.used}));
        if (c.answer != 0) {
            EXPECT_EQ(fe.notices.at(0).lines[2], "T223");
        }
        if (c.answer == 1) fe.ExpectNotice(6);  // a person sees his own corps ride
        PlanCorpsMoves();
        EXPECT_EQ(At(k), c.mode == kOrderRail ? CityHex(to) : P(10, 10)) << "the rail move of the turn's planning";
    }
}

TEST_F(ComputerDriver, CityScoresFollowThePostureAndHugeTalliesStillMeetTheCap) {
    // Value 10, fort 1 and an enemy of 100 a hex off: tally 50, score 5 + 50 + 50 + 2 = 107.
    struct Case { int posture, owner, enemies, draw, score; };
    const Case cases[] = {{0, 1, 1, -1, 3}, {1, 1, 1, -1, 214}, {1, 2, 1, -1, 53}, {1, 0, 1, -1, 214},
                          {2, 2, 1, -1, 214}, {2, 1, 1, -1, 53}, {3, 2, 1, -1, 214}, {3, 1, 1, -1, 26},
                          {2, 0, 1, -1, 642}, {1, 1, 20, 7, 2007}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "posture " << c.posture << " owner " << c.owner << " x" << c.enemies);
        SetUp();
        const int city = AddCity("City", 30, 30, c.owner);
        City(city).Value = 10, City(city).Fortifications = 1;
        for (int e = 0; e < c.enemies; ++e) C(AddCorps(kNationConfederacy, 30, 31)).Strength = 60000;
        if (c.enemies == 1) C(1).Strength = 100;
        Nation(1).TheatrePosture[1] = static_cast<U8>(c.posture);
        const Ints draws = DrawRanges(c.draw < 0 ? Ints{} : Ints{c.draw}, [] { ScoreCities(kNationUnion); });
        EXPECT_EQ(draws, c.draw < 0 ? Ints{} : Ints{1000});
        EXPECT_EQ(CityScore(City(city)), c.score);
    }
    // A capital held by the enemy is lost even with no enemy near it, and is worth 50 more.
    SetUp();
    Nation(1).Capital = static_cast<U8>(AddCity("Capital", 30, 30, kConfederacy));
    Nation(1).TheatrePosture[1] = 1;
    ScoreCities(kNationUnion);
    EXPECT_EQ(Nation(1).CapitalThreat, 2);
    EXPECT_EQ(CityScore(City(1)), 50);
}

TEST_F(ComputerDriver, FranceAndBritainAtPeaceStillValueTheirFortsAndDepots) {
    // Fort 1 and 2 garrison brigades: France adds 3 + 5 + 4, Britain 10 + 50 + 40; a depot (codes
    // 1..3 only) 10 or 50 more.
    struct Case { int nation, source, score; };
    const Case cases[] = {{kNationFrance, 0, 12}, {kNationFrance, 2, 22}, {kNationFrance, 4, 12},
                          {kNationBritain, 1, 150}, {kNationBritain, 4, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "nation " << c.nation << " source " << c.source);
        SetUp();
        const int city = AddCity("Fort", 30, 30, kSideNone, c.source);
        City(city).Nation = static_cast<U8>(c.nation), City(city).Fortifications = 1, City(city).Garrison = 2;
        c.nation == kNationFrance ? RunFrancePlan() : RunBritainPlan();
        EXPECT_EQ(CityScore(City(city)), c.score);
    }
}

TEST_F(ComputerDriver, EachNationPlansOnlyForItselfAndTheSidePlayedComesBack) {
    const int depot = AddCity("Depot", 40, 40, kConfederacy);
    Nation(2).Human = 1;
    const int landing = AddCorps(kNationUnion, 20, 22);      // the computer's, disordered, tagged 9
    const int person = AddCorps(kNationConfederacy, 40, 30);  // a person's, in good order
    const int routed = AddCorps(kNationConfederacy, 41, 30);  // a person's, disordered
    const int french = AddCorps(kNationFrance, 60, 50);       // France at peace
    for (int k : {landing, person, routed, french}) AddBrigade(k, kBrigadeInfantry, 50);
    C(landing).Disruption = C(routed).Disruption = 2;
    C(landing).PlanTag = 9;
    // A landing being prepared: an enemy port, a gunner supplied from the seaboard, and a transport
    // fleet based in another theatre, which finds no corps to carry, so the marks stay.
    City(AddCity("Port", 50, 50, kConfederacy)).Port = 1;
    const int harbour = AddCity("Harbour", 70, 40, kUnion);
    City(harbour).Theatre = 2;
    TFleetRec& fleet = GameRec->Fleets[1];
    fleet = TFleetRec{};
    fleet.Owner = kNationUnion, fleet.Side = kUnion, fleet.WaterType = 1, fleet.Transports = 2;
    fleet.Supplies = 6, fleet.HomePort = static_cast<U8>(harbour);
    const int gunner = AddCorps(kNationUnion, 30, 22);
    AddBrigade(gunner, kBrigadeArtillery, 8);
    C(gunner).SupplyCity = static_cast<U8>(depot);
    C(routed).SupplyCity = static_cast<U8>(depot);
    C(person).DestX = C(french).DestX = 5;
    SidePlayed = 0;
    RunComputerPlayers();
    EXPECT_EQ(SidePlayed, 0);
    EXPECT_EQ(C(landing).PlanTag, 9) << "the Union keeps its landing corps tagged";
    EXPECT_EQ(C(person).DestX, 5) << "a person's orders are his own";
    EXPECT_EQ(Dest(routed), CityHex(depot)) << "a person's disordered corps falls back to supply";
    EXPECT_EQ(C(french).DestX, 5) << "France at peace gives no orders";
    Nation(2).Human = 0;
    C(routed).PlanTag = 9;
    RunComputerPlayers();
    EXPECT_EQ(C(routed).PlanTag, 0) << "a disordered Confederate corps leaves any plan";
}

TEST_F(ComputerDriver, TheTallyVariantsDifferInStartsWeightsAndTheCorpsTheyAnswer) {
    // Around a Union city: an army corps on a plan 1 hex off, a free corps of another theatre 3 off,
    // an enemy of 90 2 off and a disordered enemy of 60 on the city; range 5.
    const int city = AddCity("City", 30, 30, kUnion);
    auto add = [&](int nation, int y, int strength) {
        const int k = AddCorps(nation, 30, y);
        C(k).Strength = static_cast<std::uint16_t>(strength);
        return k;
    };
    const int army = add(kNationUnion, 31, 100), free = add(kNationUnion, 33, 50);
    const int enemy = add(kNationConfederacy, 32, 90), routed = add(kNationConfederacy, 30, 60);
    C(army).Army = 1, C(army).PlanTag = 3, C(free).Region = 2;
    C(routed).Disruption = 1, C(routed).FatigueLimit = 7;
    struct Case { TallyVariant variant; Ints expected; };
    const Case cases[] = {{TallyVariant::Near, {0, 151, 30 + 60, 12, 2}},
                          {TallyVariant::AroundCity, {free, 150, 150, 12, enemy}},
                          {TallyVariant::ConfederateNearest, {0, 100, 90, 5, 1}},
                          {TallyVariant::UnionNearest, {free, 101, 91, 5, 1}}};
    for (const Case& c : cases) {
        const int answer = TallyForcesNearCity(city, kNationUnion, 5, c.variant);
        EXPECT_EQ((Ints{answer, OwnTally, EnemyTally, EnemyReadinessTally, EnemyCorpsTally}), c.expected)
            << static_cast<int>(c.variant);
    }
    TallyAroundCity(city, kNationUnion, 5);
    EXPECT_EQ((Ints{NearestEnemyDist, NearestOwnDist}), (Ints{0, 1}));
}


class ArmyTally : public ComputerWorld {};

TEST_F(ArmyTally, FromSortedCorpsItClaimsInListOrderAsTheRescanDoes) {
    // Range 5 around (30, 30): an unplanned own corps and an ordered enemy share one running limit
    // from 10, taken in list order; the nearest of each side is measured however far.
    struct Placed { int nation, x; bool planned = false, disordered = false; };
    // Expected: the answer, the enemy corps, the nearest enemy and own distances, the holder's corps.
    struct Case { const char* what; std::vector<Placed> corps; Ints expected; };
    const Case cases[] = {
        {"a nearer enemy listed first bars the own corps", {{2, 33}, {1, 35}}, {0, 1, 3, 5, 0}},
        {"an own corps listed first keeps its claim", {{1, 35}, {2, 33}}, {1, 2, 3, 5, 0}},
        {"of two at one distance the first listed wins", {{1, 32}, {1, 28}}, {1, 0, 100, 2, 0}},
        {"planned and disordered corps claim nothing", {{1, 31, true}, {2, 29, false, true}}, {0, 0, 1, 1, 0}},
        {"a far enemy is still the nearest", {{1, 30}, {2, 52}, {2, 8}}, {1, 0, 22, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int city = AddCity("City", 30, 30, kUnion);
        for (const Placed& p : c.corps) {
            TCorpsRec& k = C(AddCorps(p.nation, p.x, 30));
            k.PlanTag = p.planned ? 3 : 0;
            k.Disruption = p.disordered ? 1 : 0;
        }
        auto words = [](int answer) {
            return Ints{answer, EnemyCorpsTally, NearestEnemyDist, NearestOwnDist, HolderCorpsOnCity,
                        OwnTally, EnemyTally, EnemyReadinessTally};
        };
        const Ints rescanned = words(TallyForcesNearCityFullRescan(city, kNationUnion, 5, TallyVariant::AroundCity));
        const TTallyCorps sorted;
        EXPECT_EQ(words(sorted.TallyAround(city, kNationUnion, 5)), rescanned);
        EXPECT_EQ(Ints(rescanned.begin(), rescanned.begin() + 5), c.expected);
        // Kept tallies answer again as at first, and a range or nation not asked before afresh.
        TAroundTallies kept;
        for (int nation : {kNationUnion, kNationConfederacy})
            for (int range : {5, 2, 5, 2}) {
                const Ints plain = words(TallyForcesNearCityFullRescan(city, nation, range, TallyVariant::AroundCity));
                EXPECT_EQ(words(kept.TallyAround(city, nation, range)), plain) << "range " << range << ", nation " << nation;
            }
    }
}

TEST_F(ArmyTally, ACorpsLetGoByItsPlanAfterSortingClaimsAsTheRescanFindsIt) {
    // Two planned own corps in one column; the farther is let go after the corps were sorted.
    const int city = AddCity("City", 30, 30, kUnion);
    const int nearer = AddCorps(kNationUnion, 31, 30), farther = AddCorps(kNationUnion, 31, 33);
    C(nearer).PlanTag = C(farther).PlanTag = 3;
    TTallyCorps sorted;
    C(farther).PlanTag = 0;
    sorted.Unplan(farther);
    auto words = [](int answer) {
        return Ints{answer, EnemyCorpsTally, NearestEnemyDist, NearestOwnDist, HolderCorpsOnCity, OwnTally};
    };
    const Ints rescanned = words(TallyForcesNearCityFullRescan(city, kNationUnion, 5, TallyVariant::AroundCity));
    EXPECT_EQ(rescanned[0], farther);
    EXPECT_EQ(words(sorted.TallyAround(city, kNationUnion, 5)), rescanned);
}

TEST_F(ArmyTally, TheNationsScoringInARowShareOneTallyThatFollowsTheCorps) {
    // A Union city of theatre 1 (range 6): a Union corps 1 hex off, a Confederate one further.
    const int city = AddCity("Held", 30, 30, kUnion);
    AddCorps(kNationUnion, 31, 30);
    const int enemy = AddCorps(kNationConfederacy, 33, 30);
    C(enemy).Strength = 90;
    struct Case { const char* what; int nation, franceSide, enemyX, enemyTally; };
    const Case cases[] = {
        {"the Union meets the enemy 3 hexes off", kNationUnion, 0, 33, 90 / 4},
        {"the Confederacy meets the Union corps 1 hex off", kNationConfederacy, 0, 33, 100 / 2},
        {"France at peace meets both", kNationFrance, 0, 33, 100 / 2 + 90 / 4},
        {"France beside the Union meets the Confederate alone", kNationFrance, kUnion, 33, 90 / 4},
        {"the enemy closing in is met again", kNationUnion, kUnion, 32, 90 / 3},
        {"and out of range not at all", kNationUnion, kUnion, 40, 0},
    };
    TCityTallies shared;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Nation(kNationFrance).Side = static_cast<U8>(c.franceSide);
        C(enemy).HexX = static_cast<U8>(c.enemyX);
        ScoreCities(c.nation, shared);
        const Ints fromShared{City(city).EnemyTally, City(city).ScoreValue};
        ScoreCities(c.nation);
        EXPECT_EQ(City(city).EnemyTally, c.enemyTally);
        EXPECT_EQ(fromShared, (Ints{City(city).EnemyTally, City(city).ScoreValue}));
    }
}

class TheatreBalance : public ComputerWorld {};

TEST_F(TheatreBalance, PressureAndPostureWeighStrengthCorpsWeightsLoadAndTheCapital) {
    // With one theatre its weight bonus and malus cancel; no corps in it and a balance above -500
    // add 2. E is the negated sum of the other nations' corps x weight products, each a 16-bit word.
    struct Case {
        const char* what;
        int nation, idle, own, enemy, factor, weight, load, threat, month, pressure, posture;
    };
    const Case cases[] = {
        {"an even balance costs 1", 1, 0, 0, 0, 0, 0, 0, 0, 6, 1, 1},
        {"an enemy twice as strong plus one costs 3", 1, 0, 100, 201, 0, 0, 0, 0, 6, -1, 1},
        {"a surplus adds 2", 1, 0, 201, 100, 0, 0, 0, 0, 6, 4, 2},
        {"E plain", 1, 0, 0, 0, 5, 10, 0, 0, 6, 1, 1},
        {"E wrapping", 1, 0, 0, 0, 200, 200, 0, 0, 6, 4, 2},
        {"a supply load costs at most 2", 1, 0, 0, 0, 0, 0, 1000, 0, 6, -1, 1},
        {"a lost capital in winter", 1, 0, 0, 0, 0, 0, 0, 2, 1, 2, 1},
        {"a lost capital in summer", 1, 0, 0, 0, 0, 0, 0, 2, 6, 3, 2},
        {"pressure 6 is posture 2 for the Union", 1, 60, 1, 0, 0, 0, 0, 0, 6, 6, 2},
        {"and posture 3 for the Confederacy", 2, 60, 1, 0, 0, 0, 0, 0, 6, 6, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        TNationRec& n = Nation(c.nation);
        n.TheatreIdle[1] = static_cast<U8>(c.idle), n.CapitalThreat = static_cast<U8>(c.threat);
        n.TheatreStrength[1] = static_cast<std::uint16_t>(c.own), n.TheatreLoad[1] = static_cast<std::uint16_t>(c.load);
        Nation(3 - c.nation).TheatreStrength[1] = static_cast<std::uint16_t>(c.enemy);
        Nation(4).CorpsInTheatre[1] = static_cast<U8>(c.factor);
        Nation(4).TheatreReadiness[1] = static_cast<std::uint16_t>(c.weight);
        n.Capital = static_cast<U8>(AddCity("Capital", 5, 5, c.nation));
        GameRec->Month = static_cast<std::uint16_t>(c.month);
        UpdateTheatreBalance(c.nation);
        EXPECT_EQ(n.TheatrePressure[1], c.pressure);
        EXPECT_EQ(n.TheatrePosture[1], c.posture);
        EXPECT_EQ(n.TheatrePressure[2], 0) << "an inactive theatre keeps its values";
    }
    SetUp();
    UpdateTheatreBalance(kNationUnion);  // no capital: nothing is read from city 0
    EXPECT_EQ(Nation(1).TheatrePosture[1], 1);
}

TEST_F(TheatreBalance, AThreatenedCapitalMovesItsTheatresPressureEvenWhileThatTheatreIsNotPlanned) {
    // The capital lies in theatre 2, which is not planned: its stored pressure takes the threat and
    // the winter halving (toward zero); its posture stays.
    struct Case { int before, threat, month, after; };
    const Case cases[] = {{3, 0, 6, 3}, {3, 1, 6, 4}, {3, 2, 6, 5}, {3, 2, 1, 2}, {-5, 0, 12, -2}, {-5, 2, 2, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "pressure " << c.before << " threat " << c.threat << " month " << c.month);
        SetUp();
        TNationRec& n = Nation(kNationConfederacy);
        const int capital = AddCity("Capital", 5, 5, kConfederacy);
        City(capital).Theatre = 2;
        n.Capital = static_cast<U8>(capital), n.CapitalThreat = static_cast<U8>(c.threat);
        n.TheatrePressure[2] = static_cast<std::int16_t>(c.before), n.TheatrePosture[2] = 3;
        GameRec->Month = static_cast<std::uint16_t>(c.month);
        UpdateTheatreBalance(kNationConfederacy);
        EXPECT_EQ((Ints{n.TheatrePressure[2], n.TheatrePosture[2]}), (Ints{c.after, 3}));
        EXPECT_EQ(n.TheatrePressure[1], 1) << "the planned theatre is weighed as without a capital in it";
    }
}

TEST_F(TheatreBalance, StatePrioritiesOverwriteInOrderAndRaiseLostHomeCities) {
    struct Case { int control, controller, enemy, own, side, priority; };
    const Case cases[] = {{1, 1, 0, 0, 1, 25}, {1, 1, 10, 20, 1, 150}, {1, 1, 30, 20, 1, 350}, {2, 2, 0, 0, 1, 20},
                          {2, 2, 5, 0, 1, 70}, {0, 0, 5, 0, 1, 300}, {2, 2, 5, 0, 0, 0}};
    for (const Case& c : cases) {
        SetUp();
        Nation(1).Side = static_cast<U8>(c.side);
        TStateRec& st = GameRec->States[1];
        st.CapitalCity = 1, st.ControlSide = static_cast<U8>(c.control), st.Controller = static_cast<U8>(c.controller);
        st.EnemyStrength = static_cast<std::uint16_t>(c.enemy), st.OwnStrength = static_cast<std::uint16_t>(c.own);
        SetStatePriorities(kNationUnion);
        EXPECT_EQ(st.Priority, c.priority) << c.control << c.controller << " enemy " << c.enemy << " side " << c.side;
    }
    // A Union home city the Confederacy holds is worth ten times as much to the Union, up to 1000.
    for (int score : {40, 100}) {
        SetUp();
        GameRec->States[1].CapitalCity = GameRec->States[1].Controller = 1;
        const int c = AddCity("Lost", 10, 10, kConfederacy);
        City(c).OriginalOwner = City(c).State = 1;
        StoreCityScore(City(c), score);
        SetStatePriorities(kNationUnion);
        EXPECT_EQ(CityScore(City(c)), std::min((score + 25) * 10, 1000));
    }
}

TEST_F(TheatreBalance, TheBestCityBecomesTheFocusAndRaisesItsNeighbours) {
    const int far = AddCity("Far", 10, 10, kUnion), focus = AddCity("Focus", 30, 10, kUnion);
    const int near = AddCity("Near", 35, 10, kConfederacy);
    StoreCityScore(City(far), 100);
    StoreCityScore(City(focus), 300);
    City(near).EnemyTally = 40;
    Nation(1).TheatrePosture[1] = 2;
    ChooseFocusCities(kNationUnion);
    EXPECT_EQ(Nation(1).FocusCity[1], focus);
    EXPECT_EQ((Ints{CityScore(City(far)), CityScore(City(focus)), CityScore(City(near))}), (Ints{100, 330, 20 + 40}));
}


class LeaderReshuffle : public ComputerWorld {};

TEST_F(LeaderReshuffle, AnArmyCommanderBelowMinus21MakesWayForACorpsCommanderWhoBecomesRank5) {
    for (int prestige : {-21, -22}) {
        SetUp();
        const int old = AddLeader(1, 30, 0, 0, "Old"), star = AddLeader(1, 40, 0, 0, "Star");
        const int spare = AddLeader(1, 30, 0, 0, "Spare");
        TLeaderRec& l = L(star);
        L(old).Political = static_cast<I8>(prestige), l.Political = 30, l.Rank = L(spare).Rank = 3;
        L(spare).Status = kLeaderAvailable;
        const int corps = AddCorps(kNationUnion, 10, 10, star);
        AddArmy(kNationUnion, AddCity("Base", 10, 10, kUnion), old);
        SidePlayed = 1;
        ScriptedFrontend fe;
        if (prestige == -22) fe.ExpectNotice(0);
        const Ints draws = DrawRanges(prestige == -22 ? Ints{0, 0, 0} : Ints{}, [] { ReshuffleComputerLeaders(); });
        EXPECT_EQ((Ints{Army(1).Leader, C(corps).Leader}), prestige == -21 ? (Ints{old, star}) : (Ints{star, spare}));
        if (prestige == -21) continue;
        EXPECT_EQ(draws, (Ints{50, 50, 50})) << "the army's choice, then the successor in the star's corps";
        EXPECT_EQ((Ints{L(star).Rank, L(old).Status}), (Ints{5, kLeaderRemoved}));
        const auto& lines = fe.notices.at(0).lines;
        EXPECT_EQ(lines[1] + "|" + lines[2] + "|" + lines[3] + "|" + lines[4], "Old|T567|and replaced with |Star");
    }
}

TEST_F(LeaderReshuffle, ACorpsCommanderBelowMinus20CostsLoyaltyOnlyWhenReplaced) {
    struct Case { int prestige; bool successor; Ints draws; int loyalty; };
    const Case cases[] = {
        {-20, true, {}, 50}, {-21, true, {50, 10, 10, 10, 10}, 47}, {-21, false, {10, 10, 10, 10}, 50}};
    for (const Case& c : cases) {
        SetUp();
        const int old = AddLeader(1, 30, 0, 0, "Old"), next = AddLeader(1, 40, 0, 0, "Next");
        L(old).Political = static_cast<I8>(c.prestige), L(old).Rank = L(next).Rank = 3, L(next).Rating = 4;
        L(next).Political = 20;  // pays 10 when appointed: every draw below 10 + 20
        L(next).Status = c.successor ? kLeaderAvailable : kLeaderKilled;
        const int corps = AddCorps(kNationUnion, 10, 10, old);
        GameRec->States[1].Owner = 1;
        GameRec->States[1].Loyalty = 50;
        SidePlayed = 1;
        ScriptedFrontend fe;
        const bool replaced = c.successor && c.prestige == -21;
        if (replaced) fe.ExpectNotice(0);
        EXPECT_EQ(DrawRanges(Ints(c.draws.size(), 9), [] { ReshuffleComputerLeaders(); }), c.draws) << c.prestige;
        EXPECT_EQ(C(corps).Leader, replaced ? next : old);
        EXPECT_EQ(C(corps).LeaderRating, replaced ? 4 : 0);
        EXPECT_EQ(GameRec->States[1].Loyalty, c.loyalty);
    }
}


class ArmyOperations : public ComputerWorld {
protected:
    // A Union army of `corps` corps of 100 at (20, 23), based on a rail city at (20, 20).
    int Raise(int corps, int sizeBand, int leader = -1) {
        const int base = AddCity("Base", 20, 20, kUnion);
        City(base).RailLink = 1, City(base).Value = 10;
        const int a = AddArmy(kNationUnion, base, leader < 0 ? AddLeader(1, 40) : leader);
        Army(a).Condition = static_cast<U8>(sizeBand), Army(a).Readiness = 10, Army(a).ArmyValue = 30;
        for (int k = 0; k < corps; ++k) C(AddCorps(kNationUnion, 20, 23)).Army = static_cast<U8>(a);
        Army(a).CorpsCount = static_cast<U8>(corps);
        return a;
    }
};

TEST_F(ArmyOperations, AnArmyLeftWithOneCorpsBreaksUpAndLeavesACleanSlot) {
    struct Case { int sizeBand; bool leader, abandoned; };
    for (const Case& c : {Case{5, true, true}, Case{6, true, false}, Case{5, false, true}}) {
        SetUp();
        const int a = Raise(1, c.sizeBand, c.leader ? AddLeader(1, 40, 0, 0, "Grant") : 0);
        Army(a).Name = "Army of the Ohio";
        GameRec->ArmyNamePool[1][2].Name = "Army of the Ohio";
        GameRec->ArmyNamePool[1][2].Used = 2, Army(a).PlanTag = 4;
        ScriptedFrontend fe;
        if (c.abandoned) fe.ExpectInformationBox();
        RunArmyOperations(kNationUnion);
        EXPECT_EQ(fe.messages, c.abandoned ? std::vector<std::string>{c.leader ? "Army under Grant\n abandoned"
                                                                                : "Army under \n abandoned"}
                                           : std::vector<std::string>{});
        EXPECT_EQ(ArmySlotFree(Army(a)), c.abandoned);
        EXPECT_EQ(C(1).Army, c.abandoned ? 0 : a);
        if (!c.abandoned) continue;
        EXPECT_EQ(GameRec->ArmyNamePool[1][2].Used, 0) << "the name goes back to the pool";
        EXPECT_EQ(L(1).Status, c.leader ? kLeaderAvailable : kLeaderActive) << "the commander, if any, is free again";
        EXPECT_EQ(AllocateArmySlot(kNationUnion), a);
        EXPECT_EQ((Ints{Army(a).PlanTag, Army(a).Objective, Army(a).Leader, Army(a).CorpsCount}), (Ints{0, 0, 0, 0}));
    }
}

TEST_F(ArmyOperations, AnAbandonedArmysCommanderIsAvailableWhateverHisMarkUnlessDeadOrCaptured) {
    struct Case { const char* what; int status, after; };
    const Case cases[] = {{"in command", kLeaderActive, kLeaderAvailable}, {"not yet available", 50, kLeaderAvailable},
                          {"wounded", 201, kLeaderAvailable}, {"to be relieved", 249, kLeaderAvailable},
                          {"captured", 254, 254}, {"killed", 255, 255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int leader = AddLeader(1, 40, 0, 0, "Buell");
        L(leader).Status = static_cast<U8>(c.status);
        const int a = Raise(1, 5, leader);
        ScriptedFrontend fe;
        fe.ExpectInformationBox();
        RunArmyOperations(kNationUnion);
        ASSERT_TRUE(ArmySlotFree(Army(a)));
        EXPECT_EQ(L(leader).Status, c.after);
    }
}

TEST_F(ArmyOperations, ALeaderlessArmyGathersFromFourHexesWhileUnderTwoCorpsAndOrdersItsPlannedCorpsToo) {
    // With no commander every rating reads 0: a corps drawing on the base joins from up to 4 hexes,
    // and only while the army has fewer than 2 corps. The army's first corps was claimed by a plan
    // and sent elsewhere.
    struct Case { const char* what; int corps, distance; bool joins; };
    const Case cases[] = {{"one corps: a depot corps 4 hexes off joins", 1, 4, true},
                          {"5 hexes off it stays out", 1, 5, false},
                          {"two corps: the army takes no more", 2, 4, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int a = Raise(c.corps, 8, 0);
        const int base = Army(a).BaseCity;
        const int planned = 1;
        C(planned).PlanTag = 1, C(planned).OrderMode = kOrderAdvance, C(planned).DestX = C(planned).DestY = 40;
        const int joiner = AddCorps(kNationUnion, 20, 20 + c.distance);
        C(joiner).SupplyCity = static_cast<U8>(base);
        RunArmyOperations(kNationUnion);
        EXPECT_EQ((Ints{C(joiner).Army, Army(a).CorpsCount}), (Ints{c.joins ? a : 0, c.corps + c.joins}));
        // The army orders every corps of its own: the planned one draws on the base and marches there.
        EXPECT_EQ((Ints{C(planned).PlanTag, C(planned).SupplyCity, C(planned).OrderMode}),
                  (Ints{1, base, kOrderWithdraw}));
        EXPECT_EQ(Dest(planned), CityHex(base));
    }
}

TEST_F(ArmyOperations, TheArmyScoreSetsTheStance) {
    // Score = value + 50 x posture + 2 x idle - 5 x losses + the commander's tactics; here posture 0.
    struct Case { int value, losses, sizeBand, stance; };
    const Case cases[] = {{50, 0, 8, 2}, {0, 4, 8, 0}, {1, 4, 8, 1}, {50, 0, 7, 1}};
    for (const Case& c : cases) {
        SetUp();
        const int a = Raise(2, c.sizeBand);
        Army(a).ArmyValue = static_cast<std::uint16_t>(c.value), Army(a).Losses = static_cast<U8>(c.losses);
        AddCorps(kNationConfederacy, 22, 20);  // an enemy near the base: no training
        RunArmyOperations(kNationUnion);
        EXPECT_EQ(Army(a).Stance, c.stance) << c.value << " - 5 x " << c.losses << ", size band " << c.sizeBand;
    }
    // Far from every enemy, with its second target on its base, a defending army trains.
    SetUp();
    const int a = Raise(2, 8);
    C(2).Disruption = 1, C(2).OrderMode = kOrderEmbarked;  // aboard a fleet, it keeps that order
    const int better = AddCity("Better", 24, 20, kUnion);
    City(better).Value = 40, City(better).RailLink = 1;
    RunArmyOperations(kNationUnion);
    EXPECT_EQ((Ints{Army(a).Objective, Army(a).SupplyBase, Army(a).Stance}), (Ints{better, 1, 3}));
    EXPECT_EQ(C(2).OrderMode, kOrderEmbarked);
    // A plan's own objective and second target stay.
    Army(a).PlanTag = 5, Army(a).SupplyBase = 2, Army(a).Objective = static_cast<U8>(better), Army(a).Stance = 2;
    RunArmyOperations(kNationUnion);
    EXPECT_EQ((Ints{Army(a).Objective, Army(a).SupplyBase}), (Ints{better, better}));
}

TEST_F(ArmyOperations, ACityWithoutRailIsDefendedOnlyByItsOwnGroupAndNotInRetreat) {
    // A richer town 5 hexes from the rail base scores 85 against the base's 44 when it qualifies.
    struct Case { int rail, nation, fromScore; bool town; };
    const Case cases[] = {{1, kNationUnion, 0, true}, {0, kNationUnion, 0, false}, {0, kNationUnion, 1, true},
                          {0, kNationFrance, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "rail " << c.rail << " nation " << c.nation << " from " << c.fromScore);
        SetUp();
        const int a = Raise(2, 8);
        const int town = AddCity("Town", 25, 20, kUnion);
        City(town).Value = 40, City(town).RailLink = static_cast<U8>(c.rail), City(town).Nation = static_cast<U8>(c.nation);
        EXPECT_EQ(ChooseDefenceCities(a, 20, 20, c.fromScore).Best, c.town ? town : Army(a).BaseCity);
    }
}

TEST_F(ArmyOperations, CorpsDefendTheBaseOnlyAgainstAnEnemyTheyOutnumber) {
    // Two corps of 100 three hexes from the base; an enemy a hex from it. Each of the 21 picks of
    // the base takes its garrison off the enemy again, until the corps outnumber what is left.
    struct Case { int enemy, garrison; bool advance; };
    for (const Case& c : {Case{150, 0, true}, Case{250, 0, false}, Case{250, 30, true}, Case{800, 30, true},
                          Case{800, 0, false}}) {
        SetUp();
        const int a = Raise(2, 8);
        const int e = AddCorps(kNationConfederacy, 21, 20);
        C(e).Strength = static_cast<std::uint16_t>(c.enemy);
        if (c.garrison != 0)
            GameRec->Brigades[1] = {1, static_cast<U8>(Army(a).BaseCity), kBrigadeInfantry, static_cast<U8>(c.garrison),
                                    1, 1, 1, 1, kAttachGarrison, 0};
        RunArmyOperations(kNationUnion);
        for (int k : {1, 2}) {
            SCOPED_TRACE(::testing::Message() << "enemy " << c.enemy << ", garrison " << c.garrison << ", corps " << k);
            EXPECT_EQ(C(k).OrderMode, c.advance ? kOrderAdvance : kOrderDefend);
            EXPECT_EQ(Dest(k), c.advance ? At(e) : CityHex(Army(a).BaseCity));
        }
    }
}

TEST_F(ArmyOperations, ATargetRowReadsTheGarrisonFromOneCountAsFromItsOwnLook) {
    const int a = Raise(2, 8);
    const int held = AddCity("Held", 24, 20, kUnion), crowded = AddCity("Crowded", 26, 20, kUnion),
              bare = AddCity("Bare", 28, 20, kConfederacy);
    int next = 0;
    auto brigade = [&](int kind, int index, int strength) {
        GameRec->Brigades[++next] = {1, static_cast<U8>(index), kBrigadeInfantry, static_cast<U8>(strength), 1, 1, 1, 1,
                                     static_cast<U8>(kind), 0};
    };
    brigade(kAttachGarrison, held, 30);
    brigade(kAttachCorps, held, 40);  // the corps numbered like the city is no garrison
    brigade(kAttachGarrison, held, 12);
    brigade(kAttachWaiting, held, 50);
    // 300 brigades of 255 men pass what the row can hold.
    for (int i = 0; i < 300; ++i) brigade(kAttachGarrison, crowded, 255);
    const struct { int city, garrison; } cases[] = {{Army(a).BaseCity, 0}, {held, 42}, {crowded, 65535}, {bare, 0}};
    const TGarrisonMen garrisons;
    for (const auto& c : cases) {
        SCOPED_TRACE(GameRec->Cities[c.city].Name.str());
        FillTargetRow(1, kNationUnion, c.city, 5);
        FillTargetRow(2, kNationUnion, c.city, 5, garrisons);
        const TTargetRow& own = TargetTable[1];
        const TTargetRow& counted = TargetTable[2];
        EXPECT_EQ(own.Garrison, c.garrison);
        EXPECT_EQ((Ints{counted.City, counted.X, counted.Y, counted.Value, counted.NearestEnemy, counted.EnemyStrength,
                        counted.NearestOwn, counted.OwnStrength, counted.Garrison}),
                  (Ints{own.City, own.X, own.Y, own.Value, own.NearestEnemy, own.EnemyStrength, own.NearestOwn,
                        own.OwnStrength, own.Garrison}));
    }
}


TEST_F(ArmyOperations, NearbyTargetRowsListEachHeldCityWithinReachOnceInCityOrderUntilTheTableIsFull) {
    // Base (20, 20) and objective 4 hexes east fill rows 1 and 2; the reach is then 6 hexes.
    const int a = Raise(2, 8);
    const int base = Army(a).BaseCity;
    const int objective = AddCity("Objective", 24, 20, kConfederacy);
    const int held = AddCity("Held", 22, 21, kUnion);
    AddCity("Unheld", 21, 20, 0);
    AddCity("Far", 40, 20, kConfederacy);
    const int enemy = AddCity("Enemy", 23, 22, kConfederacy);
    auto listed = [&] {
        ClearTargetTable();
        const TGarrisonMen garrisons;
        TAroundTallies tallies;
        FillTargetRow(1, kNationUnion, base, 5, garrisons, tallies);
        FillTargetRow(2, kNationUnion, objective, 5, garrisons, tallies);
        const int rows = AddNearbyTargetRows(kNationUnion, 2, a, garrisons, tallies);
        Ints cities;
        for (int r = 1; r <= kTargetRows; ++r)
            if (TargetTable[r].City != 0) cities.push_back(TargetTable[r].City);
        EXPECT_EQ(static_cast<int>(cities.size()), rows);
        return cities;
    };
    EXPECT_EQ(listed(), (Ints{base, objective, held, enemy}));
    Ints crowd;
    for (int x = 18; x <= 25; ++x) crowd.push_back(AddCity("Crowd", x, 23, kUnion));
    EXPECT_EQ(listed(), (Ints{base, objective, held, enemy, crowd[0], crowd[1], crowd[2], crowd[3]}));
}

class IndependentCorps : public ComputerWorld {
protected:
    // A Union corps on its supply city at (20, 20); an enemy city 11 hexes east guarded 4 beyond.
    void SetUp() override {
        ComputerWorld::SetUp();
        supply = AddCity("Depot", 20, 20, kUnion, 2);
        enemyCity = AddCity("Target", 31, 20, kConfederacy, 2);
        corps = AddCorps(kNationUnion, 20, 20);
        AddCorps(kNationConfederacy, 35, 20);
        Nation(1).TheatrePosture[1] = 2;
    }
    int supply = 0, enemyCity = 0, corps = 0;
};

TEST_F(IndependentCorps, AQuietCorpsAttacksInReachAndAPortHolds) {
    // A threatened depot (an enemy 4 hexes off) is held, or left to strike when on the attack.
    struct Case { const char* what; int tempo, port, source, mode; bool threatened, attacks; };
    const Case cases[] = {
        {"tempo 6 reaches 11: out of reach", 6, 0, 2, kOrderDefend, false, false},
        {"tempo 7 reaches 12", 7, 0, 2, kOrderAdvance, false, true},
        {"tempo 9 reaches 12", 9, 0, 2, kOrderAdvance, false, true},
        {"a sea port holds", 9, 1, 2, kOrderDefend, false, false},
        {"a port source holds", 9, 0, 1, kOrderDefend, false, false},
        {"threatened, it strikes", 7, 0, 2, kOrderAdvance, true, true},
        {"a threatened port holds", 7, 1, 2, kOrderDefend, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.threatened) AddCorps(kNationConfederacy, 20, 24);
        Nation(1).TheatreIdle[1] = static_cast<U8>(c.tempo);
        City(supply).Port = static_cast<U8>(c.port), City(supply).SupplySource = static_cast<U8>(c.source);
        PlanIndependentCorps(kNationUnion);
        EXPECT_EQ(C(corps).OrderMode, c.mode);
        EXPECT_EQ(Dest(corps), c.attacks ? CityHex(enemyCity) : CityHex(supply));
        EXPECT_EQ(C(corps).March, c.attacks ? 2 : 0) << "a corps holding where it stands rests";
        EXPECT_EQ(C(corps).SupplyCity, supply);
    }
}

TEST_F(IndependentCorps, AThreatenedDepotStaysHeldWhenTheSearchForATargetMeetsOnlyUnguardedCities) {
    // An enemy 4 hexes off the depot; the one enemy city in reach stands unguarded, so none is
    // attacked. The depot is still threatened afterwards: its corps holds it rather than joining
    // the army camped 4 hexes away.
    AddCorps(kNationConfederacy, 20, 24);
    AddCity("Open", 20, 10, kConfederacy, 2);
    const int a = AddArmy(kNationUnion, AddCity("Camp", 24, 20, kUnion), AddLeader(1, 40));
    Nation(1).TheatreIdle[1] = 6;
    PlanIndependentCorps(kNationUnion);
    EXPECT_EQ((Ints{C(corps).OrderMode, C(corps).Army, Army(a).CorpsCount}), (Ints{kOrderDefend, 0, 0}));
    EXPECT_EQ(Dest(corps), CityHex(supply));
}

TEST_F(IndependentCorps, ArmiesTakeQuietCorpsAndAThreatenedCapitalCallsThemBack) {
    const int base = AddCity("Camp", 24, 20, kUnion);
    const int a = AddArmy(kNationUnion, base, AddLeader(1, 40));
    PlanIndependentCorps(kNationUnion);
    EXPECT_EQ((Ints{C(corps).Army, Army(a).CorpsCount}), (Ints{a, 1}));
    EXPECT_EQ(Dest(corps), CityHex(base));
    for (int distance : {14, 15}) {
        SetUp();
        Nation(1).Capital = static_cast<U8>(AddCity("Capital", 20, 20 + distance, kUnion));
        Nation(1).CapitalThreat = 1;
        PlanIndependentCorps(kNationUnion);
        EXPECT_EQ(Dest(corps), distance == 14 ? CityHex(Nation(1).Capital) : CityHex(supply)) << distance;
    }
    // No supply city within reach: the corps falls back but keeps its destination.
    SetUp();
    City(supply).SupplySource = 0, C(corps).DestX = 25;
    PlanIndependentCorps(kNationUnion);
    EXPECT_EQ((Ints{C(corps).OrderMode, C(corps).DestX}), (Ints{kOrderWithdraw, 25}));
}

TEST_F(IndependentCorps, AnArmyOfAnotherTheatreKeepsTheCorpsCloseForItselfAndTheArmiesAfterIt) {
    // Two armies in index order, each `column` hexes west of the quiet corps (0 = no such army); the
    // first may be based in the corps' home state, where its distance counts half.
    struct Case {
        const char* what;
        int firstTheatre, firstColumn, firstState, secondTheatre, secondColumn, joins;
    };
    const Case cases[] = {
        {"an own-theatre army 10 hexes off alone", 1, 10, 0, 0, 0, 1},
        {"is refused after a far army of another theatre", 2, 20, 0, 1, 10, 0},
        {"but taken when it comes first", 1, 10, 0, 2, 20, 1},
        {"another theatre's army 4 hexes off", 2, 4, 0, 0, 0, 1},
        {"wins over a nearer army before it", 1, 3, 0, 2, 4, 2},
        {"another theatre's army 8 hexes off", 2, 8, 0, 0, 0, 0},
        {"counts 4 based in the corps' home state", 2, 8, 7, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        C(corps).HomeState = 7;
        int armies[3] = {};
        for (int i : {1, 2}) {
            const int column = i == 1 ? c.firstColumn : c.secondColumn;
            if (column == 0) continue;
            const int camp = AddCity("Camp", 20 - column, 20, kUnion);
            City(camp).State = static_cast<U8>(i == 1 ? c.firstState : 0);
            armies[i] = AddArmy(kNationUnion, camp, AddLeader(1, 40));
            Army(armies[i]).Theatre = static_cast<U8>(i == 1 ? c.firstTheatre : c.secondTheatre);
        }
        PlanIndependentCorps(kNationUnion);
        const int joined = armies[c.joins];
        EXPECT_EQ(C(corps).Army, joined);
        EXPECT_EQ(Dest(corps), joined != 0 ? CityHex(Army(joined).BaseCity) : CityHex(supply));
        for (int i : {1, 2})
            if (armies[i] != 0) EXPECT_EQ(Army(armies[i]).CorpsCount, armies[i] == joined ? 1 : 0) << "army " << i;
    }
}

TEST_F(IndependentCorps, APersonsDisorderedCorpsFallsBackFurtherOnlyWithAnEnemyAtItsDepot) {
    const int rear = AddCity("Rear", 20, 5, kUnion, 2);
    C(corps).HexY = 8;
    C(2).HexX = 20;
    // An enemy 3 or 2 hexes from the depot; a corps aboard a fleet falls back only once ashore.
    struct Case { int enemyRow, mode, after, dest; };
    const Case cases[] = {{23, kOrderDefend, kOrderDefend, supply}, {22, kOrderDefend, kOrderWithdraw, rear},
                          {22, kOrderEmbarked, kOrderEmbarked, 0}};
    for (const Case& c : cases) {
        C(corps).Disruption = 3, C(corps).SupplyCity = static_cast<U8>(supply);
        C(corps).OrderMode = static_cast<U8>(c.mode), C(corps).DestX = C(corps).DestY = 0;
        C(2).HexY = static_cast<U8>(c.enemyRow);
        ReturnCorpsToSupplyCity(kNationUnion);
        EXPECT_EQ(C(corps).OrderMode, c.after) << "enemy at row " << c.enemyRow;
        EXPECT_EQ(Dest(corps), c.dest == 0 ? P(0, 0) : CityHex(c.dest)) << "enemy at row " << c.enemyRow;
    }
}

}  // namespace
}  // namespace kvt

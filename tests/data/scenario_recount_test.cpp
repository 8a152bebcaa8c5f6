// What the scenario compiler computes as a load would, on small worlds with figures worked out by
// hand: corps capacity, readiness, odds and leader ratings; army values; hex control around corps;
// and the supply sources of cities.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "engine/core/game_record.h"
#include "engine/core/map_grid.h"
#include "tests/support/engine_fixture.h"
#include "tools/scenario_compiler/scenario_recount.h"
#include "tools/scenario_compiler/scenario_routes.h"

namespace kvt {
namespace {

using namespace kvt::scenario;

// An empty world: every corps and fleet slot free, all land clear and in state 1 held by the Union.
class SmallWorld : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(static_cast<void*>(rec.get()), 0, sizeof(TGameRec));
        std::memset(static_cast<void*>(grid.get()), 0, sizeof(TMapGrid));
        for (TCorpsRec& k : g().Corps) k.Unused = 1;
        for (TFleetRec& f : g().Fleets) f.BuildCounter = kFleetGone;
        g().Nations[kNationUnion].Side = kUnion;
        g().Nations[kNationConfederacy].Side = kConfederacy;
        for (int st : {1, 2}) {
            g().States[st].Theatre = static_cast<U8>(st);
            g().States[st].ControlSide = g().States[st].Owner = kUnion;
            g().States[st].Controller = kNationUnion;
        }
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y) {
                MapCell& c = map().Cell(x, y);
                c.SetTerrain(1);
                c.SetState(1);
                c.SetControlSide(kUnion);
            }
    }
    TGameRec& g() { return *rec; }
    TMapGrid& map() { return *grid; }
    int Leader(int initiative, int rating = 5) {
        const int l = ++leaders;
        g().Leaders[l].Nation = kNationUnion;
        g().Leaders[l].Initiative = static_cast<U8>(initiative);
        g().Leaders[l].Rating = static_cast<U8>(rating);
        return l;
    }
    // A corps of `side` at x, y with `strength` men in one line brigade, led by a new leader.
    int Corps(int side, int x, int y, int strength, int initiative = 30, int kind = 0) {
        const int k = ++corps;
        TCorpsRec& c = g().Corps[k];
        c.Unused = 0;
        c.HexX = static_cast<U8>(x);
        c.HexY = static_cast<U8>(y);
        c.Side = static_cast<U8>(side);
        c.Nation = static_cast<U8>(side);
        c.Kind = static_cast<U8>(kind);
        c.Leader = static_cast<U8>(Leader(initiative));
        g().Leaders[c.Leader].Nation = static_cast<U8>(side);
        c.Strength = static_cast<std::uint16_t>(strength);
        c.LineCount = 1;
        return k;
    }
    int City(int x, int y, int state, int side) {
        const int i = ++cities;
        TCityRec& c = g().Cities[i];
        c.HexX = static_cast<U8>(x);
        c.HexY = static_cast<U8>(y);
        c.State = static_cast<U8>(state);
        c.Theatre = g().States[state].Theatre;
        c.Owner = static_cast<U8>(side);
        c.Nation = static_cast<U8>(side);
        map().Cell(x, y).SetTerrain(kTerrainCity);
        return i;
    }
    std::unique_ptr<TGameRec> rec = std::make_unique<TGameRec>();
    std::unique_ptr<TMapGrid> grid = std::make_unique<TMapGrid>();
    int leaders = 0, corps = 0, cities = 0;
};

TEST_F(SmallWorld, CapacityAndReadinessComeFromTheCommanderAndTheMen) {
    struct Case {
        int initiative, kind, strength;
        int capacity, readiness;
    };
    const Case cases[] = {
        {60, 0, 36, 9, 1},    // 360 / 720 is 0, stored as 1
        {60, 1, 200, 3, 8},   // a division's capacity: 60 div 35 + 2
        {25, 0, 400, 6, 8},   // 4000 / 480
        {10, 0, 800, 4, 10},  // 8000 / 320 is 25, capped at 10
        {34, 2, 150, 2, 9},   // a cavalry division
    };
    for (const Case& c : cases) {
        SetUp();
        const int k = Corps(kUnion, 10, 10, c.strength, c.initiative, c.kind);
        RecountForcesOf(g(), map());
        EXPECT_EQ(g().Corps[k].BrigadeLimit, c.capacity) << "initiative " << c.initiative << " kind " << c.kind;
        EXPECT_EQ(g().Corps[k].FatigueLimit, c.readiness) << "initiative " << c.initiative << " kind " << c.kind;
        EXPECT_EQ(g().Corps[k].HomeState, 1);
        EXPECT_EQ(g().Corps[k].Region, 1);
    }
}

TEST_F(SmallWorld, ACorpsInAnArmyGainsAThirdOfItsCommandersInitiative) {
    const int inArmy = Corps(kUnion, 10, 10, 300, 30);
    const int alone = Corps(kUnion, 30, 30, 300, 30);
    TArmyRec& a = g().Armies[1];
    a.BaseCity = static_cast<U8>(City(10, 11, 1, kUnion));
    a.Nation = kNationUnion;
    a.Side = kUnion;
    a.Leader = static_cast<U8>(Leader(47, 8));
    g().Corps[inArmy].Army = 1;
    RecountForcesOf(g(), map());
    EXPECT_EQ(g().Corps[inArmy].LeaderInitiative, 30 + 47 / 3);
    EXPECT_EQ(g().Corps[alone].LeaderInitiative, 30);
    EXPECT_EQ(g().Corps[inArmy].LeaderRating, 5) << "the rating is the corps commander's own";
    EXPECT_EQ(a.CorpsCount, 1);
    EXPECT_EQ(a.Theatre, 1);
    EXPECT_EQ(g().Nations[kNationUnion].CorpsTally, 2);
    EXPECT_EQ(g().Nations[kNationUnion].ArmyTally, 1);
    EXPECT_EQ(g().Nations[kNationUnion].CorpsInTheatre[1], 2);
}

// Two friendly corps of readiness 5 and one enemy of readiness 4 within two hexes.
TEST_F(SmallWorld, LocalOddsCountTheReadinessOfCorpsWithinTwoHexes) {
    // Capacity 6 (initiative 24) and readiness strength x 10 / 480: 240 gives 5, 192 gives 4.
    const int a = Corps(kUnion, 10, 10, 240, 24);
    const int b = Corps(kUnion, 10, 11, 240, 24);
    const int e = Corps(kConfederacy, 10, 12, 192, 24);
    const int far = Corps(kConfederacy, 20, 20, 192, 24);
    RecountForcesOf(g(), map());
    EXPECT_EQ(g().Corps[a].OwnNearby, 10);
    EXPECT_EQ(g().Corps[a].Opponent, 4);
    EXPECT_EQ(g().Corps[a].SizeClass, 4);
    EXPECT_EQ(g().Corps[b].SizeClass, 4);
    EXPECT_EQ(g().Corps[e].SizeClass, 1) << "4 against 10 is more than twice outnumbered";
    EXPECT_EQ(g().Corps[far].Opponent, 0);
    EXPECT_EQ(g().Corps[far].SizeClass, 4) << "alone, 4 against none";
}

TEST_F(SmallWorld, AnArmysValueWeighsTheStrengthAroundItsBase) {
    struct Case {
        int own, enemy, enemyDistance;
        int value;
    };
    const Case cases[] = {
        {400, 90, 0, 91},  // own 41, enemy 10: k 4, r 1
        {100, 100, 0, 50},  // 11 against 11
        {90, 400, 0, 11},   // 41 against 10 exceeds 2, 3 and 4 times it: k 1, r (41 - 40) div 1
        {100, 300, 2, 50},  // 300 two hexes off counts a third: 11 against 11
    };
    for (const Case& c : cases) {
        SetUp();
        const int base = City(10, 10, 1, kUnion);
        Corps(kUnion, 10, 10, c.own);
        Corps(kConfederacy, 10, 10 + c.enemyDistance, c.enemy);
        EXPECT_EQ(ArmyValueAt(g(), base, kNationUnion), c.value) << c.own << " against " << c.enemy;
    }
}

TEST_F(SmallWorld, CorpsPullTheHexesOfAContestedStateToTheirSide) {
    // State 1 has a city of each side, so neither side's control is settled.
    City(5, 5, 1, kUnion);
    City(40, 40, 1, kConfederacy);
    const int enemy = Corps(kConfederacy, 20, 20, 100);
    Corps(kUnion, 30, 20, 100);
    RecountForcesOf(g(), map());
    UpdateHexControlOf(g(), map());
    struct Case {
        int x, y, side;
        const char* why;
    };
    const Case cases[] = {
        {20, 20, kConfederacy, "an enemy corps takes its own hex"},
        {20, 21, kConfederacy, "and the hexes next to it"},
        {20, 22, kUnion, "two hexes off it adds 2, short of the controller's 3"},
        {30, 20, kUnion, "a corps of the controller holds its hex"},
        {40, 40, kConfederacy, "a city hex shows its holder"},
    };
    for (const Case& c : cases) EXPECT_EQ(map().Cell(c.x, c.y).ControlSide(), c.side) << c.why;
    EXPECT_EQ(g().Corps[enemy].HomeState, 1);
}

TEST_F(SmallWorld, AStateWithoutEnemiesKeepsEveryHex) {
    Corps(kConfederacy, 60, 50, 100);  // in state 2 below
    for (int x = 50; x <= 70; ++x)
        for (int y = 40; y <= 54; ++y) map().Cell(x, y).SetState(2);
    // State 1 holds no enemy and no foreign city: its side keeps even the hexes next to a corps
    // standing just across the border.
    Corps(kConfederacy, 49, 45, 100);
    map().Cell(49, 45).SetState(2);
    RecountForcesOf(g(), map());
    UpdateHexControlOf(g(), map());
    EXPECT_EQ(map().Cell(48, 45).ControlSide(), kUnion);
    EXPECT_EQ(map().Cell(60, 50).ControlSide(), kConfederacy) << "state 2 holds an enemy corps, which takes its hex";
}

// Supply sources on a line of rail cities: a capital joined to another city of its state is 3, the
// cities it reaches 2, a city no nation holds joins nothing, and a lone capital supplies itself.
TEST_F(SmallWorld, SupplySourcesFollowTheCapitalsRoutes) {
    for (int x = 10; x <= 20; ++x) map().Cell(x, 10).SetRail(true);
    const int capital = City(10, 10, 1, kUnion);
    const int joined = City(16, 10, 1, kUnion);
    const int neutral = City(20, 10, 1, 0);
    const int lone = City(40, 40, 2, kUnion);
    const int cutOff = City(50, 10, 1, kUnion);
    for (int c : {capital, joined, neutral}) g().Cities[c].RailLink = 1;
    g().States[1].CapitalCity = static_cast<U8>(capital);
    g().States[2].CapitalCity = static_cast<U8>(lone);
    ComputeSupplySources(g(), map());
    EXPECT_EQ(CityRouteKind(g(), map(), capital, joined), 1) << "own rail within 25 hexes";
    EXPECT_EQ(CityRouteKind(g(), map(), neutral, capital), 0) << "a city of no nation reaches nothing";
    EXPECT_EQ(g().Cities[capital].SupplySource, 3);
    EXPECT_EQ(g().Cities[joined].SupplySource, 2);
    EXPECT_EQ(g().Cities[neutral].SupplySource, 0) << "its side (none) is not the state's";
    EXPECT_EQ(g().Cities[lone].SupplySource, 2) << "a capital reaches itself";
    EXPECT_EQ(g().Cities[cutOff].SupplySource, 4) << "a city of the state's side with no route";
}

}  // namespace
}  // namespace kvt

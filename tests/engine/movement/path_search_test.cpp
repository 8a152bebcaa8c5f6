// Path search on small synthetic maps: breadth-first rail, river and sea routes, the land walks,
// their limits and the order of their draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>

#include "engine/movement/path_search.h"
#include "engine/world/random.h"
#include "tests/engine/movement_world.h"

namespace kvt {
namespace {

using testing::MovementWorld;

class PathSearch : public MovementWorld {
protected:
    // The hexes of the stored route from (x, y), in order, ending with PathEnd.
    static std::vector<THexPos> RouteHexes(int x, int y) {
        std::vector<THexPos> hexes;
        for (int k = 1; k <= kPathMaxSteps && PathSteps[k] != 0; ++k) {
            StepHexAt(x, y, PathSteps[k]);
            hexes.push_back({static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)});
        }
        return hexes;
    }
};

TEST_F(PathSearch, SameHexGivesEmptyRouteAndKeepsResult) {
    for (int mode : {1, 2, 3, 4}) {
        PathSteps[3] = 5;
        PathResult = 7;
        FindPath(10, 10, 10, 10, 9, mode, 1, 1);
        EXPECT_EQ(PathStepCount, 0) << "mode " << mode;
        EXPECT_EQ(PathSteps[3], 0) << "mode " << mode;
        EXPECT_EQ(PathEnd, P(10, 10)) << "mode " << mode;
        EXPECT_EQ(PathResult, 7) << "mode " << mode;
    }
}

TEST_F(PathSearch, BreadthFirstModesUseOnlyTheHexesTheyAdmit) {
    // A water channel along row 20 between two port cities, rail along row 30 held by the Union,
    // a navigable river along row 40.
    for (int x = 5; x <= 25; ++x) {
        Hex(x, 20).SetTerrain(kTerrainWater);
        Hex(x, 30).SetRail(true);
        Hex(x, 30).SetControlSide(kUnion);
        Hex(x, 40).SetRiverNavigable(true);
    }
    Hex(4, 20).SetTerrain(kTerrainCity);
    Hex(26, 20).SetTerrain(kTerrainCity);
    Hex(18, 30).SetControlSide(kConfederacy);  // the enemy holds one rail hex
    Hex(26, 30).SetControlSide(kConfederacy);
    Hex(26, 30).SetRail(true);
    Hex(4, 40).SetRiverNavigable(false);

    auto sea = [](const MapCell& c) { return c.Terrain() == kTerrainWater || c.Terrain() == kTerrainCity; };
    auto river = [](const MapCell& c) { return c.RiverNavigable(); };
    auto rail = [](const MapCell& c) { return (c.Rail() || c.Terrain() == kTerrainCity) && c.ControlSide() == kUnion; };
    struct Case {
        const char* what;
        int mode, nation, x1, y1, x2, y2;
        bool reached;
        std::function<bool(const MapCell&)> admits;
    };
    const Case cases[] = {
        {"sea from port to port", 4, 0, 4, 20, 26, 20, true, sea},
        {"sea into land", 4, 0, 4, 20, 26, 21, false, sea},
        {"rail up to the enemy hex", 2, 1, 5, 30, 17, 30, true, rail},
        {"rail through the enemy hex", 2, 1, 5, 30, 20, 30, false, rail},
        {"rail onto an enemy-held destination", 2, 1, 19, 30, 26, 30, false, rail},
        {"river from a start without the river bit", 3, 0, 4, 40, 25, 40, true, river},
        {"river to a destination without the river bit", 3, 0, 25, 40, 4, 40, false, river},
    };
    for (const Case& c : cases) {
        PathEnd = P(1, 1);
        const std::vector<int> draws = testing::DrawRanges({}, [&] {
            EXPECT_EQ(RouteExists(c.x1, c.y1, c.x2, c.y2, c.mode, c.nation), c.reached) << c.what;
        });
        EXPECT_TRUE(draws.empty() && PathEnd == P(1, 1)) << c.what << ": asking costs no draw and keeps the last route";
        FindPath(c.x1, c.y1, c.x2, c.y2, 0, c.mode, c.nation, 0);
        EXPECT_EQ(PathResult == kPathReached, c.reached) << c.what;
        if (!c.reached) {
            EXPECT_EQ(PathStepCount, 0) << c.what;
            EXPECT_EQ(PathEnd, P(1, 1)) << c.what << ": a failed search keeps the previous end";
            continue;
        }
        auto hexes = RouteHexes(c.x1, c.y1);
        ASSERT_FALSE(hexes.empty()) << c.what;
        EXPECT_EQ(hexes.back(), P(c.x2, c.y2)) << c.what;
        EXPECT_EQ(PathEnd, P(c.x2, c.y2)) << c.what;
        EXPECT_EQ(PathStepCount, hexes.size()) << c.what;
        EXPECT_EQ(static_cast<int>(hexes.size()), HexDistance(c.x1, c.y1, c.x2, c.y2)) << c.what << ": a shortest route";
        for (const THexPos& h : hexes) EXPECT_TRUE(c.admits(Hex(h.X, h.Y))) << c.what << " at " << h.X << "," << h.Y;
        EXPECT_TRUE(PathReached(c.mode, c.x1, c.y1, c.x2, c.y2)) << c.what;
    }
}

TEST_F(PathSearch, BreadthFirstRouteIsCutToThirtySteps) {
    for (int y = 5; y <= 40; ++y) Hex(10, y).SetRiverNavigable(true);
    FindPath(10, 5, 10, 40, 0, kPathRiver, 0, 0);
    EXPECT_EQ(PathResult, kPathReached);
    EXPECT_EQ(PathStepCount, 30);
    for (int k = 1; k <= 30; ++k) EXPECT_EQ(PathSteps[k], 4) << "step " << k;
    EXPECT_EQ(PathEnd, P(10, 35));
    EXPECT_FALSE(PathReached(kPathRiver, 10, 5, 10, 40)) << "the cut route stops short of the destination";
}

TEST_F(PathSearch, BreadthFirstTraceTakesEqualNeighboursAtEvenOdds) {
    FillMap(kTerrainWater, 0, 0);
    constexpr int x1 = 10, y1 = 10, x2 = 12, y2 = 15;
    // On open water a hex's wave is its distance from the start plus 1, so the trace back from the
    // destination may go to any neighbour one hex nearer the start: the first found in direction
    // order is kept without a draw, and each later one replaces it when its draw is below 50.
    auto expectedTrace = [](int draw, int& draws) {
        std::vector<int> steps(kPathMaxSteps, 0);
        draws = 0;
        int x = x2, y = y2;
        for (int d = HexDistance(x1, y1, x, y); d > 0; --d) {
            int chosen = 0;
            for (int dir = 1; dir <= 6; ++dir) {
                int nx = x, ny = y;
                StepHexAt(nx, ny, dir);
                if (!OnMap(nx, ny) || HexDistance(x1, y1, nx, ny) != d - 1) continue;
                if (chosen == 0) {
                    chosen = dir;
                } else {
                    ++draws;
                    if (draw < 50) chosen = dir;
                }
            }
            StepHexAt(x, y, chosen);
            steps[d - 1] = OppositeDirection(chosen);
        }
        return steps;
    };
    std::set<std::vector<int>> routes;
    for (int draw : {0, 49, 50, 99}) {
        int draws = 0;
        const std::vector<int> expected = expectedTrace(draw, draws);
        ASSERT_GT(draws, 0) << "the route must offer equal neighbours to test the odds";
        ScriptRandomDraws(Repeat(draws, draw));
        FindPath(x1, y1, x2, y2, 0, kPathSea, 0, 0);
        EXPECT_EQ(ScriptedDrawsLeft(), 0u) << "draw " << draw;
        ASSERT_EQ(PathResult, kPathReached) << "draw " << draw;
        EXPECT_EQ(std::vector<int>(PathSteps.begin(), PathSteps.end()), expected) << "draw " << draw;
        EXPECT_EQ(PathStepCount, HexDistance(x1, y1, x2, y2));
        EXPECT_EQ(PathEnd, P(x2, y2));
        routes.insert(expected);
    }
    EXPECT_EQ(routes.size(), 2u) << "the draws decide between equally short routes";
}

TEST_F(PathSearch, LandRouteShunsAValueTwoHexsideWhenTheEqualAlternativeIsOnePointBetter) {
    // Two equally good ways round a block north of the start, each two hexes from the destination:
    // north-west by A and A2, north-east by B and B2. Every other hex is impassable.
    FillMap(kTerrainImpassable, 0, 0);
    constexpr int sx = 20, sy = 20, dx = 20, dy = 18;
    for (THexPos h : {P(sx, sy), P(19, 20), P(19, 19), P(21, 20), P(21, 19), P(dx, dy)}) Hex(h.X, h.Y).SetTerrain(1);
    ASSERT_EQ(HexDistance(19, 20, dx, dy), HexDistance(21, 20, dx, dy));
    const std::vector<int> viaWest = {6, 1, 2}, viaEast = {2, 1, 6};
    enum Side { kNone, kEast, kWest };
    struct Case {
        const char* what;
        Side side;
        int value, draw;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"open: the first equal direction kept", kNone, 0, 99, viaEast},
        {"open: the later equal direction taken", kNone, 0, 0, viaWest},
        {"a value-1 hexside costs nothing", kEast, 1, 99, viaEast},
        {"value 2 to the east, draws keep", kEast, 2, 99, viaWest},
        {"value 2 to the east, draws replace", kEast, 2, 0, viaWest},
        {"value 2 to the west, draws keep", kWest, 2, 99, viaEast},
        {"value 2 to the west, draws replace", kWest, 2, 0, viaEast},
    };
    for (const Case& c : cases) {
        SetHexsideBetween(sx, sy, 21, 20, c.side == kEast ? c.value : 0);
        SetHexsideBetween(sx, sy, 19, 20, c.side == kWest ? c.value : 0);
        ScriptRandomDraws(Repeat(LandSearchDraws(sx, sy, dx, dy, 9, 0, kRuleAnyHex, c.draw), c.draw));
        FindPath(sx, sy, dx, dy, 9, kPathLand, 0, kRuleAnyHex);
        EXPECT_EQ(ScriptedDrawsLeft(), 0u) << c.what;
        std::vector<int> route(PathSteps.begin(), PathSteps.begin() + PathStepCount);
        EXPECT_EQ(route, c.expected) << c.what;
        EXPECT_EQ(PathEnd, P(dx, dy)) << c.what;
    }
}

TEST_F(PathSearch, LandRouteOnOpenGroundIsShortest) {
    struct Case { int x1, y1, x2, y2; };
    const Case cases[] = {{5, 10, 5, 5}, {5, 10, 10, 10}, {20, 20, 14, 26}, {31, 7, 38, 3}};
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        SetRandomSeed(seed);
        for (const Case& c : cases) {
            FindPath(c.x1, c.y1, c.x2, c.y2, 9, kPathLand, 1, kRuleAnyHex);
            EXPECT_EQ(PathEnd, P(c.x2, c.y2)) << "seed " << seed;
            EXPECT_EQ(PathStepCount, HexDistance(c.x1, c.y1, c.x2, c.y2)) << "seed " << seed;
            EXPECT_EQ(RouteHexes(c.x1, c.y1).back(), P(c.x2, c.y2));
        }
    }
}

TEST_F(PathSearch, LandWalksAreCappedAtTwentySteps) {
    FindPath(10, 5, 10, 45, 40, kPathLand, 1, kRuleAnyHex);
    EXPECT_EQ(PathStepCount, 20);
    EXPECT_EQ(PathEnd, P(10, 25));
    EXPECT_NE(PathEnd, P(10, 45));
}

TEST_F(PathSearch, LandRouteNeverCrossesImpassableHexsideNorEntersWaterOrRough) {
    // A wall of heaviest hexsides between rows 14 and 15, open only into a lake and rough ground:
    // the walks must end short, and never on the far side.
    for (int x = 1; x <= kMapColumns; ++x)
        for (int d = 1; d <= 6; ++d) {
            int nx = x, ny = 14;
            StepHexAt(nx, ny, d);
            if (OnMap(nx, ny) && ny >= 15) SetHexsideBetween(x, 14, nx, ny, 3);
        }
    for (int x : {12, 13}) {
        Hex(x, 14).SetTerrain(x == 12 ? kTerrainWater : kTerrainImpassable);
        for (int d = 1; d <= 6; ++d) {
            int nx = x, ny = 14;
            StepHexAt(nx, ny, d);
            if (OnMap(nx, ny) && ny >= 15) SetHexsideBetween(x, 14, nx, ny, 0);
        }
    }
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        SetRandomSeed(seed);
        FindPath(12, 20, 12, 8, 9, kPathLand, 0, kRuleAnyHex);
        int x = 12, y = 20;
        for (int k = 1; k <= PathStepCount; ++k) {
            EXPECT_LT(HexsideValue(*MapGrid, x, y, PathSteps[k]), 3) << "seed " << seed;
            StepHexAt(x, y, PathSteps[k]);
            EXPECT_NE(Hex(x, y).Terrain(), kTerrainWater);
            EXPECT_NE(Hex(x, y).Terrain(), kTerrainImpassable);
        }
        EXPECT_GE(PathEnd.Y, 15) << "seed " << seed << ": the route stays south of the wall";
    }
}

TEST_F(PathSearch, TerritoryRulesKeepRoutesInOwnHexes) {
    // The Union holds columns up to 15; the Confederacy the rest.
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) Hex(x, y).SetControlSide(x <= 15 ? kUnion : kConfederacy);
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        SetRandomSeed(seed);
        FindPath(10, 10, 22, 10, 9, kPathLand, 1, kRuleOwnOnly);
        EXPECT_NE(PathEnd, P(22, 10)) << "rule 0 ends short of a hostile destination";
        int farthest = 0;
        for (const THexPos& h : RouteHexes(10, 10)) {
            EXPECT_EQ(Hex(h.X, h.Y).ControlSide(), kUnion);
            farthest = std::max<int>(farthest, h.X);
        }
        EXPECT_EQ(farthest, 15) << "the route reaches the edge of own territory";

        FindPath(14, 10, 22, 10, 2, kPathLand, 1, kRuleHostileNearStart);
        EXPECT_EQ(PathEnd.X, 16) << "rule 2 enters hostile hexes only within 2 of the start";
        for (const THexPos& h : RouteHexes(14, 10)) EXPECT_LE(HexDistance(14, 10, h.X, h.Y), 2);

        FindPath(10, 10, 18, 10, 9, kPathLand, 1, kRuleAnyHex);
        EXPECT_EQ(PathEnd, P(18, 10)) << "rule 1 goes anywhere";
    }
}

TEST_F(PathSearch, EnemyOnStartSteersRuleOneAwayFromHostileHexes) {
    // From (20, 20) toward (20, 14): the first step north-east and north-west are equally good;
    // only the north-east hex is hostile.
    FillMap(1, kUnion, 0);
    Hex(21, 20).SetControlSide(kConfederacy);
    Hex(20, 19).SetTerrain(kTerrainImpassable);
    auto firstSteps = [&] {
        std::set<int> seen;
        for (std::uint64_t seed = 1; seed <= 40; ++seed) {
            SetRandomSeed(seed);
            FindPath(20, 20, 20, 14, 9, kPathLand, 1, kRuleAnyHex);
            seen.insert(PathSteps[1]);
        }
        return seen;
    };
    const std::set<int> free = firstSteps();
    EXPECT_EQ(free, (std::set<int>{2, 6}));
    const int enemy = AddCorps(2, 20, 20);
    EXPECT_EQ(firstSteps(), (std::set<int>{6})) << "hostile hexes count half with an enemy on the start";
    GameRec->Corps[enemy].Unused = 1;
}

TEST_F(PathSearch, LandSearchDrawsOnceForEveryCandidateThatBecomesOrTiesTheBest) {
    // A one-hex corridor north: every step sees one usable neighbour (the start behind it scores lower).
    FillMap(kTerrainImpassable, 0, 0);
    for (int y = 5; y <= 7; ++y) Hex(5, y).SetTerrain(1);
    SetRandomDrawLogging(true);
    FindPath(5, 7, 5, 5, 9, kPathLand, 0, kRuleAnyHex);
    EXPECT_EQ(RandomDrawLog(), std::vector<int>(7 * 2, 100));
    EXPECT_EQ(PathStepCount, 2);
    EXPECT_EQ(PathSteps[1], 1);
    EXPECT_EQ(PathSteps[2], 1);
    EXPECT_EQ(PathEnd, P(5, 5));
}

TEST_F(PathSearch, EarlierSearchesLeaveNoTraceInLaterOnes) {
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) {
            const int t = 1 + (x * 7 + y * 3) % 7;
            Hex(x, y).SetTerrain(t == kTerrainImpassable ? 2 : t);
        }
    auto search = [](std::uint64_t seed, int x1, int y1, int x2, int y2) {
        SetRandomSeed(seed);
        FindPath(x1, y1, x2, y2, 9, kPathLand, 1, kRuleAnyHex);
        return std::vector<int>(PathSteps.begin(), PathSteps.end());
    };
    const auto first = search(99, 3, 3, 12, 11);
    search(7, 4, 4, 11, 12);  // walks over many of the same hexes
    search(8, 12, 11, 3, 3);
    EXPECT_EQ(search(99, 3, 3, 12, 11), first);
}

}  // namespace
}  // namespace kvt

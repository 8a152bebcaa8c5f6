// The fast path search against a plain, slow reading of the same rules (whole-map score grids and
// wave sweeps) on random maps: the same routes, ends, results and the same draws in the same order.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <vector>

#include "engine/movement/path_search.h"
#include "engine/world/random.h"
#include "tests/engine/movement_world.h"

namespace kvt {
namespace {

using testing::MovementWorld;

struct Outcome {
    std::vector<int> steps;
    int count = 0;  // PathStepCount, or the reference's non-zero steps
    THexPos end;
    int result = 0;
    std::vector<int> draws;
    bool operator==(const Outcome&) const = default;
    friend void PrintTo(const Outcome& o, std::ostream* os) {
        *os << "steps";
        for (int d : o.steps) *os << ' ' << d;
        *os << ", count " << o.count << ", end " << o.end.X << ',' << o.end.Y << ", result " << o.result << ", " << o.draws.size() << " draws";
    }
};

// ---- reference land search: every hex scored, the walk grid copied whole for every walk ----
void ReferenceLand(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule, int steps[31],
                   THexPos& end, int& result) {
    const int side = nation == 0 ? 0 : GameRec->Nations[nation].Side;
    const bool rules = mode == kPathLand;
    const int D = HexDistance(x1, y1, x2, y2);
    bool enemyOnStart = false;
    for (const TCorpsRec& k : GameRec->Corps)
        if (CorpsInUse(k) && k.Side != side && k.HexX == x1 && k.HexY == y1 && !enemyOnStart) enemyOnStart = true;
    static int base[77][55], walkScore[77][55];
    for (int x = 1; x <= 76; ++x)
        for (int y = 1; y <= 54; ++y) {
            const MapCell& c = MapGrid->Cell(x, y);
            int s = 1;
            const bool hostile = c.ControlSide() != side;
            if (rules) {
                if (c.Terrain() == 0 || c.Terrain() == 3) s = 0;
                if (rule == 0 && hostile) s = 0;
                if (rule == 2 && hostile && HexDistance(x1, y1, x, y) > 2) s = 0;
            }
            if (s != 0) {
                s += 2 * (D + 20) - 2 * HexDistance(x, y, x2, y2);
                if (x == x2 && y == y2) s += 500;
                if (rules && rule == 1 && hostile && enemyOnStart) s /= 2;
            }
            if (x == x1 && y == y1 && s != 0) s -= 1;
            base[x][y] = s;
        }
    for (int k = 0; k <= 30; ++k) steps[k] = 0;
    const int length = std::min(std::max(maxSteps, 0), 20);
    struct Entry { int x, y, dir, score; };
    Entry walks[8][21] = {};
    int totals[8] = {};
    for (int t = 1; t <= 7; ++t) {
        for (int x = 1; x <= 76; ++x)
            for (int y = 1; y <= 54; ++y) walkScore[x][y] = std::max(base[x][y], 0);
        result = 0;
        int cx = x1, cy = y1, stepsTried = length;
        bool reached = false;
        for (int k = 1; k <= length; ++k) {
            int best = 0, bestDir = 0;
            for (int dir = 1; dir <= 6; ++dir) {
                int nx = cx, ny = cy;
                StepHexAt(nx, ny, dir);
                int cand = 0;
                if (OnMap(nx, ny)) {
                    bool entered = false;
                    for (int e = 1; e < k; ++e)
                        if (walks[t][e].x == nx && walks[t][e].y == ny && !(nx == x1 && ny == y1)) entered = true;
                    if (!entered) cand = walkScore[nx][ny];
                }
                if (cand != 0 && rules) {
                    const int hs = HexsideValue(*MapGrid, cx, cy, dir);
                    if (hs == 3) cand = 0;
                    else if (hs == 2) cand -= 1;
                }
                if (cand > best) { best = cand; bestDir = dir; }
                if (cand != 0 && cand == best && Random(100) < 50) bestDir = dir;
            }
            if (bestDir == 0) continue;
            StepHexAt(cx, cy, bestDir);
            walks[t][k] = {cx, cy, bestDir, walkScore[cx][cy]};
            totals[t] += walkScore[cx][cy];
            base[cx][cy] = base[cx][cy] >= 3 ? base[cx][cy] - 2 : 1;
            if (cx == x2 && cy == y2) {
                result = 2;
                reached = true;
                stepsTried = k;
                break;
            }
        }
        if (!reached) totals[t] /= 2;
        totals[t] /= stepsTried + 1;
    }
    int chosen = 0, bestTotal = 0;
    for (int t = 1; t <= 7; ++t)
        if (totals[t] > bestTotal) { bestTotal = totals[t]; chosen = t; }
    end = {static_cast<std::uint16_t>(x1), static_cast<std::uint16_t>(y1)};
    if (chosen == 0) return;
    for (int k = 1; k <= length && walks[chosen][k].score != 0; ++k) {
        steps[k] = walks[chosen][k].dir;
        end = {static_cast<std::uint16_t>(walks[chosen][k].x), static_cast<std::uint16_t>(walks[chosen][k].y)};
    }
}

// ---- reference breadth-first search: the whole map swept once per wave ----
bool RefPassable(int mode, int nation, int x, int y) {
    const MapCell& c = MapGrid->Cell(x, y);
    if (mode == 2) return (c.Terrain() == 4 || c.Rail()) && c.ControlSide() == nation;
    if (mode == 3) return c.RiverNavigable();
    return c.Terrain() == 0 || c.Terrain() == 4;
}

void ReferenceBreadthFirst(int x1, int y1, int x2, int y2, int mode, int nation, int steps[31], THexPos& end,
                           int& result) {
    static int wave[77][55];
    for (int k = 0; k <= 30; ++k) steps[k] = 0;
    for (auto& col : wave) std::fill(std::begin(col), std::end(col), 0);
    result = 2;
    wave[x1][y1] = 1;
    for (int w = 1; wave[x2][y2] == 0; ++w) {
        bool any = false;
        for (int x = 1; x <= 76; ++x)
            for (int y = 1; y <= 54; ++y) {
                if (wave[x][y] != w) continue;
                for (int d = 1; d <= 6; ++d) {
                    int nx = x, ny = y;
                    StepHexAt(nx, ny, d);
                    if (OnMap(nx, ny) && wave[nx][ny] == 0 && RefPassable(mode, nation, nx, ny)) {
                        wave[nx][ny] = w + 1;
                        any = true;
                    }
                }
            }
        // Waves are one byte: the sweep of wave 254 is the last that can mark a hex (with 255).
        if (wave[x2][y2] == 0 && (!any || w >= 254)) {
            result = 0;
            return;
        }
    }
    result = 0;
    int cx = x2, cy = y2;
    while (true) {
        int bestCost = 100, bestDir = 0;
        for (int d = 1; d <= 6; ++d) {
            int nx = cx, ny = cy;
            StepHexAt(nx, ny, d);
            if (!OnMap(nx, ny) || wave[nx][ny] != wave[cx][cy] - 1) continue;
            const int cost = RefPassable(mode, nation, nx, ny) ? 2 : 0;
            if (cost < bestCost) { bestCost = cost; bestDir = d; }
            else if (cost == bestCost && Random(100) < 50) bestDir = d;
        }
        if (bestDir == 0) return;
        StepHexAt(cx, cy, bestDir);
        const int w = wave[cx][cy];
        if (w >= 1 && w <= 30) steps[w] = OppositeDirection(bestDir);
        if (w == 1) { result = 2; break; }
    }
    int x = x1, y = y1;
    end = {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
    for (int k = 1; k <= 30 && steps[k] != 0; ++k) {
        StepHexAt(x, y, steps[k]);
        end = {static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)};
        if (x == x2 && y == y2) break;
    }
}

class PathSearchReference : public MovementWorld {
protected:
    // A rough random map: every terrain class, hexsides of every value, rail, river and control.
    void RandomMap(std::uint64_t seed) {
        SetRandomSeed(seed);
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y) {
                MapCell& c = Hex(x, y);
                c.b[0] = static_cast<std::uint8_t>(Random(256) & (Random(3) == 0 ? 0xFF : 0xC0));
                c.b[1] = 0;
                c.SetTerrain(Random(10) < 6 ? 1 + Random(2) : Random(8));
                c.SetRail(Random(3) == 0);
                c.SetControlSide(Random(4) == 0 ? 2 : 1);
                c.SetRiverNavigable(Random(3) != 0);
            }
    }

    // Runs one search from a fixed seed, with the result globals spoilt first, and keeps its draws.
    template <typename F>
    static Outcome Observe(std::uint64_t drawSeed, F search) {
        SetRandomSeed(drawSeed);
        ClearRandomDrawLog();
        SetRandomDrawLogging(true);
        PathEnd = {1, 1};
        PathResult = 9;
        Outcome o = search();
        SetRandomDrawLogging(false);
        o.draws = RandomDrawLog();
        return o;
    }

    // What the game's search left in the result globals.
    static Outcome ResultGlobals() {
        Outcome o;
        for (int k = 1; k <= 30; ++k) o.steps.push_back(PathSteps[k]);
        o.count = PathStepCount;
        o.end = PathEnd;
        o.result = PathResult;
        return o;
    }

    // One search by the game's FindPath or by the plain reading, from a fixed seed, with its draws.
    static Outcome Run(bool reference, int sx, int sy, int x2, int y2, int steps, int mode, int nation, int rule,
                       std::uint64_t drawSeed) {
        return Observe(drawSeed, [&] {
            if (!reference) {
                FindPath(sx, sy, x2, y2, steps, mode, nation, rule);
                return ResultGlobals();
            }
            int refSteps[31];
            THexPos refEnd{1, 1};
            int refResult = 9;
            if (mode >= 2 && mode <= 4) ReferenceBreadthFirst(sx, sy, x2, y2, mode, nation, refSteps, refEnd, refResult);
            else ReferenceLand(sx, sy, x2, y2, steps, mode, nation, rule, refSteps, refEnd, refResult);
            Outcome o;
            for (int k = 1; k <= 30; ++k) o.steps.push_back(refSteps[k]);
            o.count = static_cast<int>(std::count_if(o.steps.begin(), o.steps.end(), [](int d) { return d != 0; }));
            o.end = refEnd;
            o.result = refResult;
            return o;
        });
    }

    // What a fleet search through the kept water waves leaves, read as Run reads a search made alone.
    static Outcome RunThroughWaterRoutes(int sx, int sy, int x2, int y2, int mode, std::uint64_t drawSeed) {
        return Observe(drawSeed, [&] {
            WaterRoutes().FindPath(sx, sy, x2, y2, 20, mode, 1, 0);
            return ResultGlobals();
        });
    }

    // What a search through kept areas leaves, read as Run reads a search made alone.
    static Outcome RunThroughAreas(TRouteAreas& areas, int sx, int sy, int x2, int y2, std::uint64_t drawSeed,
                                   bool* found = nullptr) {
        return Observe(drawSeed, [&] {
            const bool reached = areas.Search(sx, sy, x2, y2);
            if (found) *found = reached;
            return ResultGlobals();
        });
    }
};

TEST_F(PathSearchReference, EveryModeMatchesThePlainReading) {
    int compared = 0, reached = 0;
    for (std::uint64_t mapSeed = 1; mapSeed <= 6; ++mapSeed) {
        RandomMap(mapSeed);
        if (mapSeed % 2 == 0) AddCorps(2, 30, 30);  // an enemy on some starts for the territory halving
        for (int trial = 0; trial < 40; ++trial) {
            SetRandomSeed(mapSeed * 1000 + trial);
            const int x1 = 1 + Random(76), y1 = 1 + Random(54);
            const int x2 = std::clamp(x1 + Random(25) - 12, 1, 76), y2 = std::clamp(y1 + Random(25) - 12, 1, 54);
            const int sx = trial % 5 == 0 ? 30 : x1, sy = trial % 5 == 0 ? 30 : y1;
            const int mode = 1 + trial % 5;  // 5 = the land walks without their rules
            const int rule = Random(3), steps = Random(25), nation = Random(3);
            if (sx == x2 && sy == y2) continue;
            const std::uint64_t drawSeed = 77 + trial;
            const Outcome fast = Run(false, sx, sy, x2, y2, steps, mode, nation, rule, drawSeed);
            const Outcome slow = Run(true, sx, sy, x2, y2, steps, mode, nation, rule, drawSeed);
            ASSERT_EQ(fast, slow) << "map " << mapSeed << " trial " << trial << " mode " << mode << " from " << sx << ","
                                  << sy << " to " << x2 << "," << y2;
            ++compared;
            if (fast.end.X == x2 && fast.end.Y == y2) ++reached;
        }
    }
    EXPECT_GT(compared, 200);
    EXPECT_GT(reached, 40) << "the random maps must let many searches succeed to be worth comparing";
}

TEST(PathSearchDistances, EveryPairOfHexesHasTheMapsHexDistance) {
    // The table is filled far from the map; every pair on it must read what HexDistance says.
    int mismatches = 0, farthest = 0;
    for (int x1 = 1; x1 <= kMapColumns; ++x1)
        for (int y1 = 1; y1 <= kMapRows; ++y1)
            for (int x2 = 1; x2 <= kMapColumns; ++x2)
                for (int y2 = 1; y2 <= kMapRows; ++y2) {
                    const int d = SearchHexDistance(x1, y1, x2, y2);
                    if (d != HexDistance(x1, y1, x2, y2) && ++mismatches <= 5)
                        ADD_FAILURE() << x1 << "," << y1 << " to " << x2 << "," << y2 << ": " << d;
                    farthest = std::max(farthest, d);
                }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(farthest, HexDistance(1, 1, kMapColumns, kMapRows));
}

TEST_F(PathSearchReference, LandWalksFromOffTheMapMatchThePlainReading) {
    // A start just off each edge: with the terrain rules every hexside leaving it reads as 3, so the
    // walks are stuck at once; without them they step onto the map.
    struct Case { int x, y; };
    int compared = 0, moved = 0;
    for (std::uint64_t mapSeed = 21; mapSeed <= 23; ++mapSeed) {
        RandomMap(mapSeed);
        for (const Case c : {Case{0, 20}, Case{77, 30}, Case{40, 0}, Case{41, 55}, Case{0, 0}}) {
            for (const int mode : {int{kPathLand}, 5}) {
                const int x2 = std::clamp(c.x, 4, 72), y2 = std::clamp(c.y, 4, 50);
                const Outcome fast = Run(false, c.x, c.y, x2, y2, 9, mode, 1, kRuleAnyHex, 900 + mapSeed);
                const Outcome slow = Run(true, c.x, c.y, x2, y2, 9, mode, 1, kRuleAnyHex, 900 + mapSeed);
                ASSERT_EQ(fast, slow) << "map " << mapSeed << " mode " << mode << " from " << c.x << "," << c.y;
                ++compared;
                if (mode == kPathLand) EXPECT_EQ(fast.count, 0) << "no step leaves an off-map hex under the rules";
                moved += fast.count > 0;
            }
        }
    }
    EXPECT_EQ(compared, 30);
    EXPECT_GT(moved, 5) << "walks without the rules must leave the edge to be worth comparing";
}

TEST_F(PathSearchReference, LongRailRiverAndSeaSearchesMatchTheWholeSweep) {
    // Ends anywhere on the map: the waves are then worked out far from the start, round the
    // random map's obstacles, and many searches fail.
    int compared = 0, reached = 0;
    for (std::uint64_t mapSeed = 11; mapSeed <= 14; ++mapSeed) {
        RandomMap(mapSeed);
        for (int trial = 0; trial < 45; ++trial) {
            SetRandomSeed(mapSeed * 1000 + trial);
            const int x1 = 1 + Random(76), y1 = 1 + Random(54), x2 = 1 + Random(76), y2 = 1 + Random(54);
            const int mode = 2 + trial % 3, nation = 1 + Random(2);
            if (x1 == x2 && y1 == y2) continue;
            const Outcome fast = Run(false, x1, y1, x2, y2, 30, mode, nation, 0, 500 + trial);
            const Outcome slow = Run(true, x1, y1, x2, y2, 30, mode, nation, 0, 500 + trial);
            ASSERT_EQ(fast, slow) << "map " << mapSeed << " trial " << trial << " mode " << mode << " from " << x1 << ","
                                  << y1 << " to " << x2 << "," << y2;
            ++compared;
            reached += fast.result == kPathReached;
        }
    }
    EXPECT_GT(compared, 150);
    EXPECT_GT(reached, 30) << "the random maps must let many long searches succeed to be worth comparing";
}

TEST_F(PathSearchReference, RouteAreasAnswerSearchesFromSharedStartsAsTheirOwnSearchesDo) {
    // Searches leave a few starts for many destinations, near and far in mixed order and coming
    // back to an earlier start, as the supply sweep asks them: each must give the route, the
    // answer and the draws of the same search made alone.
    int compared = 0, reached = 0, drawn = 0;
    for (std::uint64_t mapSeed = 31; mapSeed <= 34; ++mapSeed) {
        RandomMap(mapSeed);
        for (const int mode : {int{kPathRail}, int{kPathRiver}, int{kPathSea}}) {
            const int nation = 1 + static_cast<int>(mapSeed % 2);
            auto areas = std::make_unique<TRouteAreas>(mode, nation);
            SetRandomSeed(mapSeed * 7 + mode);
            const THexPos starts[] = {{static_cast<std::uint16_t>(20 + Random(40)), static_cast<std::uint16_t>(10 + Random(30))},
                                      {static_cast<std::uint16_t>(1 + Random(76)), static_cast<std::uint16_t>(1 + Random(54))}};
            for (int trial = 0; trial < 260; ++trial) {
                // Then more starts than the areas keep waves for, each to a near destination, and
                // back to the first.
                THexPos s = starts[(trial / 20) % 2 == 0 ? 0 : 1];
                const bool fresh = trial >= 40 && trial < 240;
                if (fresh) s = {static_cast<std::uint16_t>(1 + Random(76)), static_cast<std::uint16_t>(1 + Random(54))};
                const int far = fresh ? 3 : trial % 3 == 0 ? 30 : 8;
                const int x2 = std::clamp(s.X + Random(2 * far + 1) - far, 1, 76);
                const int y2 = std::clamp(s.Y + Random(2 * far + 1) - far, 1, 54);
                const std::uint64_t drawSeed = 300 + trial;
                bool found = false;
                const Outcome kept = RunThroughAreas(*areas, s.X, s.Y, x2, y2, drawSeed, &found);
                const Outcome alone = Run(false, s.X, s.Y, x2, y2, 0, mode, nation, 0, drawSeed);
                ASSERT_EQ(kept, alone) << "map " << mapSeed << " mode " << mode << " trial " << trial << " from " << s.X
                                       << "," << s.Y << " to " << x2 << "," << y2;
                EXPECT_EQ(found, PathReached(mode, s.X, s.Y, x2, y2)) << "map " << mapSeed << " trial " << trial;
                ++compared;
                reached += found;
                drawn += !kept.draws.empty();
            }
        }
    }
    EXPECT_EQ(compared, 3120);
    EXPECT_GT(reached, 150) << "many searches must find their route to be worth comparing";
    EXPECT_GT(drawn, 50) << "many routes must meet equal ways back to be worth comparing";
}

TEST_F(PathSearchReference, RouteAreasRenewedAfterHexesChangeAnswerAsTheirOwnSearchesDo) {
    // Areas and waves made on one map, then hexes opened and closed to the mode (among them hexes on
    // the routes found, and hexes that join areas) and the areas told which: every search must
    // then give what the same search made alone on the changed map gives.
    int compared = 0, reached = 0;
    for (std::uint64_t mapSeed = 41; mapSeed <= 44; ++mapSeed) {
        RandomMap(mapSeed);
        for (const int mode : {int{kPathRail}, int{kPathRiver}}) {
            const int nation = 1 + static_cast<int>(mapSeed % 2);
            auto areas = std::make_unique<TRouteAreas>(mode, nation);
            SetRandomSeed(mapSeed * 11 + mode);
            std::vector<THexPos> starts;
            for (int k = 0; k < 6; ++k)
                starts.push_back({static_cast<std::uint16_t>(10 + Random(56)), static_cast<std::uint16_t>(10 + Random(34))});
            for (int round = 0; round < 4; ++round) {
                for (int trial = 0; trial < 30; ++trial) {
                    const THexPos s = starts[static_cast<std::size_t>(trial % 6)];
                    const int x2 = std::clamp(s.X + Random(21) - 10, 1, 76), y2 = std::clamp(s.Y + Random(21) - 10, 1, 54);
                    const std::uint64_t drawSeed = 700 + trial;
                    const Outcome kept = RunThroughAreas(*areas, s.X, s.Y, x2, y2, drawSeed);
                    ASSERT_EQ(kept, Run(false, s.X, s.Y, x2, y2, 0, mode, nation, 0, drawSeed))
                        << "map " << mapSeed << " mode " << mode << " round " << round << " trial " << trial;
                    ++compared;
                    reached += kept.result == kPathReached;
                }
                // Open and close hexes near the starts, where the kept waves and areas lie.
                const TMapGrid before = *MapGrid;
                std::vector<int> changed;
                for (int k = 0; k < 40; ++k) {
                    const THexPos s = starts[static_cast<std::size_t>(Random(6))];
                    const int x = std::clamp(s.X + Random(9) - 4, 1, 76), y = std::clamp(s.Y + Random(9) - 4, 1, 54);
                    MapCell& c = Hex(x, y);
                    if (mode == kPathRiver) c.SetRiverNavigable(!c.RiverNavigable());
                    else if (Random(2) == 0) c.SetRail(!c.Rail());
                    else c.SetControlSide(c.ControlSide() == nation ? 3 - nation : nation);
                    changed.push_back((x - 1) * kMapRows + (y - 1));
                }
                areas->Renew(before.cells, changed);
            }
        }
    }
    EXPECT_EQ(compared, 960);
    EXPECT_GT(reached, 200) << "many searches must find their route to be worth comparing";
}

TEST_F(PathSearchReference, FleetSearchesFromKeptWatersAnswerAsTheirOwnSearchesDo) {
    // Fleets head for a few ports from everywhere, turn after turn, while a map read in between may
    // open or close waters: each search must give the route, the answer and the draws of the same
    // search made alone, and the waves swept before the change must not be read after it.
    int compared = 0, reached = 0, drawn = 0;
    for (std::uint64_t mapSeed = 41; mapSeed <= 43; ++mapSeed) {
        RandomMap(mapSeed);
        SetRandomSeed(mapSeed * 11);
        std::vector<THexPos> ports;
        for (int p = 0; p < 5; ++p)
            ports.push_back({static_cast<std::uint16_t>(1 + Random(76)), static_cast<std::uint16_t>(1 + Random(54))});
        for (int round = 0; round < 2; ++round) {
            for (int trial = 0; trial < 120; ++trial) {
                const int mode = trial % 2 == 0 ? kPathSea : kPathRiver;
                const THexPos to = ports[static_cast<std::size_t>(Random(5))];
                const int far = trial % 3 == 0 ? 40 : 6;
                const int sx = std::clamp(to.X + Random(2 * far + 1) - far, 1, 76);
                const int sy = std::clamp(to.Y + Random(2 * far + 1) - far, 1, 54);
                if (sx == to.X && sy == to.Y) continue;
                const std::uint64_t drawSeed = 600 + trial;
                const Outcome kept = RunThroughWaterRoutes(sx, sy, to.X, to.Y, mode, drawSeed);
                const Outcome alone = Run(false, sx, sy, to.X, to.Y, 20, mode, 1, 0, drawSeed);
                ASSERT_EQ(kept, alone) << "map " << mapSeed << " round " << round << " trial " << trial << " mode "
                                       << mode << " from " << sx << "," << sy << " to " << to.X << "," << to.Y;
                EXPECT_EQ(WaterRoutes().RouteExists(sx, sy, to.X, to.Y, mode, 1), RouteExists(sx, sy, to.X, to.Y, mode, 1))
                    << "map " << mapSeed << " round " << round << " trial " << trial;
                ++compared;
                reached += kept.result == kPathReached;
                drawn += !kept.draws.empty();
            }
            // A city marked on land or a river opened or closed, round the ports, between two turns.
            for (int k = 0; k < 60; ++k) {
                const THexPos p = ports[static_cast<std::size_t>(Random(5))];
                MapCell& c = Hex(std::clamp(p.X + Random(9) - 4, 1, 76), std::clamp(p.Y + Random(9) - 4, 1, 54));
                if (Random(2) == 0) c.SetRiverNavigable(!c.RiverNavigable());
                else c.SetTerrain(c.Terrain() == kTerrainWater ? 1 : kTerrainCity);
            }
        }
    }
    EXPECT_GT(compared, 600);
    EXPECT_GT(reached, 150) << "many searches must find their route to be worth comparing";
    EXPECT_GT(drawn, 50) << "many routes must meet equal ways back to be worth comparing";
}

TEST_F(PathSearchReference, RouteAreasTraceTheSameDestinationAgainWithTheDrawsOfThatSearch) {
    // A rail plain of one side: far destinations have many equal ways back, so every search of the
    // same pair draws again and another seed may take another route. Asked over and over from one
    // start (far, then nearer hexes on the way, then far again), and again once hexes on the
    // ways back are closed, each answer must be the one the search made alone gives.
    FillMap(1, 1, 0);
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y) Hex(x, y).SetRail(true);
    const auto areas = std::make_unique<TRouteAreas>(kPathRail, 1);
    struct Case { int x2, y2; };
    const Case cases[] = {{46, 34}, {40, 30}, {46, 34}, {31, 28}, {46, 34}, {52, 12}, {40, 30}};
    const THexPos start{30, 20};
    int compared = 0, drawn = 0;
    std::vector<std::vector<int>> routesToFar;
    for (int round = 0; round < 2; ++round) {
        for (int k = 0; k < static_cast<int>(std::size(cases)); ++k) {
            const Case c = cases[k];
            const std::uint64_t drawSeed = 40 + 7 * k + round;
            const Outcome kept = RunThroughAreas(*areas, start.X, start.Y, c.x2, c.y2, drawSeed);
            ASSERT_EQ(kept, Run(false, start.X, start.Y, c.x2, c.y2, 0, kPathRail, 1, 0, drawSeed))
                << "round " << round << " search " << k << " to " << c.x2 << "," << c.y2;
            EXPECT_EQ(kept.result, kPathReached) << "round " << round << " search " << k;
            ++compared;
            drawn += !kept.draws.empty();
            if (c.x2 == 46 && round == 0) routesToFar.push_back(kept.steps);
        }
        // Close hexes around the middle of the ways to the far destination.
        const TMapGrid before = *MapGrid;
        std::vector<int> changed;
        for (int y = 24; y <= 30; ++y) {
            Hex(38, y).SetRail(false);
            changed.push_back((38 - 1) * kMapRows + (y - 1));
        }
        areas->Renew(before.cells, changed);
    }
    EXPECT_EQ(compared, 14);
    EXPECT_GE(drawn, 10) << "the ways back must tie to be worth comparing";
    std::sort(routesToFar.begin(), routesToFar.end());
    EXPECT_GT(std::unique(routesToFar.begin(), routesToFar.end()) - routesToFar.begin(), 1)
        << "other draws must take another route to the same hex";
}

TEST_F(PathSearchReference, RouteAreasFollowRailLinesLaidCutAndBridgedHexByHex) {
    // Two rail lines on one side's ground, changed a few hexes at a time between rounds of
    // searches from both lines' ends: the second line grows toward the first, a bridge joins them,
    // the first is cut and mended. Each search must find the route the search made alone finds.
    FillMap(1, 1, 0);
    for (int x = 10; x <= 30; ++x) Hex(x, 20).SetRail(true);   // the first line
    for (int x = 34; x <= 40; ++x) Hex(x, 22).SetRail(true);   // the second, two rows below
    const auto areas = std::make_unique<TRouteAreas>(kPathRail, 1);
    struct Step {
        const char* what;
        std::vector<THexPos> open, close;
        bool firstJoinsSecond, firstWhole;
    };
    const Step steps[] = {
        {"as laid", {}, {}, false, true},
        {"second line laid west", {{33, 22}, {32, 22}}, {}, false, true},
        {"second line laid on", {{31, 22}}, {}, false, true},
        {"bridged", {{31, 21}}, {}, true, true},
        {"first cut", {}, {{20, 20}}, true, false},
        {"first mended", {{20, 20}}, {}, true, true},
        {"bridge taken up", {}, {{31, 21}}, false, true},
    };
    int compared = 0;
    for (const Step& step : steps) {
        const TMapGrid before = *MapGrid;
        std::vector<int> changed;
        for (const THexPos p : step.open) Hex(p.X, p.Y).SetRail(true);
        for (const THexPos p : step.close) Hex(p.X, p.Y).SetRail(false);
        for (const auto* list : {&step.open, &step.close})
            for (const THexPos p : *list) changed.push_back((p.X - 1) * kMapRows + (p.Y - 1));
        areas->Renew(before.cells, changed);
        struct Ask { THexPos from, to; bool reached; };
        const bool joined = step.firstJoinsSecond && step.firstWhole;
        const Ask asks[] = {{{10, 20}, {40, 22}, joined},
                            {{40, 22}, {12, 20}, joined},
                            {{10, 20}, {29, 20}, step.firstWhole},
                            {{40, 22}, {35, 22}, true}};
        for (const Ask& a : asks) {
            const Outcome kept = RunThroughAreas(*areas, a.from.X, a.from.Y, a.to.X, a.to.Y, 60 + compared);
            ASSERT_EQ(kept, Run(false, a.from.X, a.from.Y, a.to.X, a.to.Y, 0, kPathRail, 1, 0, 60 + compared))
                << step.what << ": " << a.from.X << "," << a.from.Y << " to " << a.to.X << "," << a.to.Y;
            EXPECT_EQ(kept.result == kPathReached, a.reached)
                << step.what << ": " << a.from.X << "," << a.from.Y << " to " << a.to.X << "," << a.to.Y;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 28);
}

TEST_F(PathSearchReference, BreadthFirstWavesReachADestination254StepsAwayAndNoFarther) {
    // A winding river one hex wide: down one even column, round through the odd column below or
    // above, up the next even column, and so on. No two of its hexes touch but neighbours along
    // it, so the n-th hex lies exactly n steps from the first by river.
    FillMap(1, 0, 0);
    std::vector<THexPos> hexes = {{2, 2}};
    std::vector<int> dirs = {0};
    auto step = [&](int dir) {
        int x = hexes.back().X, y = hexes.back().Y;
        StepHexAt(x, y, dir);
        hexes.push_back({static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)});
        dirs.push_back(dir);
    };
    for (int column = 0; hexes.size() <= 300; ++column) {
        const bool down = column % 2 == 0;
        for (int i = 0; i < 51; ++i) step(down ? 4 : 1);
        step(down ? 3 : 2);
        step(down ? 2 : 3);
    }
    for (std::size_t i = 0; i < hexes.size(); ++i) {
        ASSERT_TRUE(OnMap(hexes[i].X, hexes[i].Y)) << i;
        for (std::size_t j = i + 1; j < hexes.size(); ++j)
            ASSERT_EQ(HexDistance(hexes[i].X, hexes[i].Y, hexes[j].X, hexes[j].Y) <= 1, j == i + 1) << i << " and " << j;
        Hex(hexes[i].X, hexes[i].Y).SetRiverNavigable(true);
    }

    struct Case { int distance; bool reached; };
    const auto areas = std::make_unique<TRouteAreas>(kPathRiver, 0);
    for (const Case c : {Case{253, true}, Case{254, true}, Case{255, false}}) {
        const THexPos start = hexes[0], dest = hexes[static_cast<std::size_t>(c.distance)];
        const Outcome fast = Run(false, start.X, start.Y, dest.X, dest.Y, 0, kPathRiver, 0, 0, 5);
        const Outcome slow = Run(true, start.X, start.Y, dest.X, dest.Y, 0, kPathRiver, 0, 0, 5);
        EXPECT_EQ(fast, slow) << c.distance << " steps";
        EXPECT_EQ(RunThroughWaterRoutes(start.X, start.Y, dest.X, dest.Y, kPathRiver, 5), fast) << c.distance << " steps";
        EXPECT_EQ(WaterRoutes().RouteExists(start.X, start.Y, dest.X, dest.Y, kPathRiver, 0), c.reached) << c.distance;
        // The areas' kept waves stop where the search's own do, however far the last search swept.
        // Either way the destination lies beyond the 30 steps a route keeps, so it is not reached.
        PathEnd = {1, 1};
        EXPECT_FALSE(areas->Search(start.X, start.Y, dest.X, dest.Y)) << c.distance << " steps";
        EXPECT_EQ(PathResult, c.reached ? kPathReached : 0) << c.distance << " steps";
        EXPECT_EQ(PathEnd, c.reached ? hexes[30] : (THexPos{1, 1})) << c.distance << " steps";
        EXPECT_TRUE(fast.draws.empty()) << c.distance << " steps: every hex has one way back";
        if (c.reached) {
            EXPECT_EQ(fast.result, kPathReached) << c.distance << " steps";
            EXPECT_EQ(fast.steps, std::vector<int>(dirs.begin() + 1, dirs.begin() + 31)) << c.distance << " steps";
            EXPECT_EQ(fast.end, hexes[30]) << c.distance << " steps: the route is cut to its first 30 steps";
        } else {
            EXPECT_EQ(fast.result, 0) << c.distance << " steps";
            EXPECT_EQ(fast.steps, std::vector<int>(30, 0)) << c.distance << " steps";
            EXPECT_EQ(fast.end, (THexPos{1, 1})) << c.distance << " steps: a failed search keeps the previous end";
        }
    }
}

}  // namespace
}  // namespace kvt

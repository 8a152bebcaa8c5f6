// Speed of land movement: one path search of each mode (median per search) and a whole turn's
// planning plus nine movement steps for every corps, on the 1861 start point (built with the game data).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <queue>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bench/start_point_world.h"
#include "engine/movement/path_search.h"
#include "engine/turn/engine_reset.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"
#include "engine/world/random.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/movement_campaign.h"

namespace {

using Clock = std::chrono::steady_clock;

using kvt::bench::RestoreWorld;
using World = kvt::bench::TKeptWorld;

// The start point with every corps ordered forward; unlike the computer's 1861 world it is loaded
// without a seed of its own.
const World& TheWorld() {
    static World world = [] {
        World w;
        kvt::ResetEngineGlobals();
        kvt::UseClockForRandomize(false);
        w.loaded = kvt::testing::LoadStartPoint("1861");
        // Its corps stand on their destinations: march them on the enemy, the computer's way.
        for (kvt::TNationRec& n : kvt::GameRec->Nations) n.Human = 0;
        kvt::testing::OrderEveryCorpsForward();
        kvt::bench::KeepWorld(w);
        return w;
    }();
    return world;
}

struct Pair { int x1, y1, x2, y2; };

// Start and end hexes that the mode admits, up to `reach` hexes apart.
std::vector<Pair> Pairs(int mode, int reach) {
    auto admits = [mode](int x, int y) {
        const kvt::MapCell& c = kvt::MapGrid->Cell(x, y);
        switch (mode) {
            case kvt::kPathRail: return (c.Terrain() == kvt::kTerrainCity || c.Rail()) && c.ControlSide() == kvt::kUnion;
            case kvt::kPathRiver: return c.RiverNavigable();
            case kvt::kPathSea: return c.Terrain() == kvt::kTerrainWater || c.Terrain() == kvt::kTerrainCity;
            default: return c.Terrain() != kvt::kTerrainWater && c.Terrain() != kvt::kTerrainImpassable;
        }
    };
    std::vector<std::pair<int, int>> hexes;
    for (int x = 1; x <= kvt::kMapColumns; ++x)
        for (int y = 1; y <= kvt::kMapRows; ++y)
            if (admits(x, y)) hexes.push_back({x, y});
    std::vector<Pair> pairs;
    kvt::SetRandomSeed(17);
    for (int tries = 0; tries < 200000 && pairs.size() < 512 && hexes.size() > 1; ++tries) {
        auto a = hexes[kvt::Random(static_cast<int>(hexes.size()))];
        auto b = hexes[kvt::Random(static_cast<int>(hexes.size()))];
        const int d = kvt::HexDistance(a.first, a.second, b.first, b.second);
        if (d >= 2 && d <= reach) pairs.push_back({a.first, a.second, b.first, b.second});
    }
    return pairs;
}

void ReportMedian(benchmark::State& state, std::vector<double>& micros) {
    if (micros.empty()) return;
    std::nth_element(micros.begin(), micros.begin() + micros.size() / 2, micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
}

void FindPathBench(benchmark::State& state, int mode, int steps, int reach) {
    const World& w = TheWorld();
    RestoreWorld(w);
    const std::vector<Pair> pairs = Pairs(mode, reach);
    if (!w.loaded) {
        state.SkipWithError("the 1861 start point is not built");
        return;
    }
    if (pairs.empty()) {
        state.SkipWithError("no hexes of this mode on the map");
        return;
    }
    kvt::SetRandomSeed(1);
    std::vector<double> micros;
    std::size_t i = 0, reached = 0;
    for (auto _ : state) {
        const Pair& p = pairs[i++ % pairs.size()];
        const auto t0 = Clock::now();
        kvt::FindPath(p.x1, p.y1, p.x2, p.y2, steps, mode, 1, kvt::kRuleAnyHex);
        const auto t1 = Clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        if (kvt::PathEnd.X == p.x2 && kvt::PathEnd.Y == p.y2) ++reached;
        benchmark::DoNotOptimize(kvt::PathStepCount);
    }
    ReportMedian(state, micros);
    state.counters["reached_pct"] = 100.0 * static_cast<double>(reached) / static_cast<double>(std::max<std::size_t>(i, 1));
}

void BM_FindPathLand(benchmark::State& state) { FindPathBench(state, kvt::kPathLand, 9, 9); }
void BM_FindPathRail(benchmark::State& state) { FindPathBench(state, kvt::kPathRail, 30, 30); }
void BM_FindPathRiver(benchmark::State& state) { FindPathBench(state, kvt::kPathRiver, 30, 30); }
void BM_FindPathSea(benchmark::State& state) { FindPathBench(state, kvt::kPathSea, 30, 30); }
BENCHMARK(BM_FindPathLand)->Unit(benchmark::kMicrosecond);

// A* over the land search's own move costs, timed on the same pairs beside it: a step enters a hex
// for 1, or 2 across a river side (hexside 2); water, impassable hexes and impassable sides (3) are
// never entered; the estimate is the hex distance. Each answers the route, as FindPath does.
bool Enterable(int x, int y, int nx, int ny, int dir, int& cost) {
    if (!kvt::OnMap(nx, ny)) return false;
    const int terrain = kvt::MapGrid->Cell(nx, ny).Terrain();
    const int side = kvt::HexsideValue(*kvt::MapGrid, x, y, dir);
    cost = side == 2 ? 2 : 1;
    return terrain != kvt::kTerrainWater && terrain != kvt::kTerrainImpassable && side != 3;
}

// As the textbooks write it: a priority queue of the frontier, maps of the cost so far and of where
// each hex was reached from, the route read back from the destination.
std::vector<int> TextbookAStar(int x1, int y1, int x2, int y2) {
    auto hex = [](int x, int y) { return x << 8 | y; };
    using Entry = std::pair<int, int>;  // estimate, hex
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> frontier;
    std::unordered_map<int, int> cameFrom, costSoFar;
    const int start = hex(x1, y1), goal = hex(x2, y2);
    frontier.emplace(0, start);
    cameFrom[start] = start;
    costSoFar[start] = 0;
    while (!frontier.empty()) {
        const int current = frontier.top().second;
        frontier.pop();
        if (current == goal) break;
        const int x = current >> 8, y = current & 255;
        for (int dir = 1; dir <= 6; ++dir) {
            int nx = x, ny = y, cost = 0;
            kvt::StepHexAt(nx, ny, dir);
            if (!Enterable(x, y, nx, ny, dir, cost)) continue;
            const int next = hex(nx, ny), newCost = costSoFar[current] + cost;
            const auto known = costSoFar.find(next);
            if (known == costSoFar.end() || newCost < known->second) {
                costSoFar[next] = newCost;
                frontier.emplace(newCost + kvt::HexDistance(nx, ny, x2, y2), next);
                cameFrom[next] = current;
            }
        }
    }
    std::vector<int> route;
    if (cameFrom.find(goal) == cameFrom.end()) return route;
    for (int h = goal; h != start; h = cameFrom[h]) route.push_back(h);
    std::reverse(route.begin(), route.end());
    return route;
}

// The same search tuned: whole-map arrays stamped per search instead of maps, no route read back.
int ArrayAStar(int x1, int y1, int x2, int y2) {
    constexpr int kHexes = kvt::kMapColumns * kvt::kMapRows;
    static int cost[kHexes];
    static std::uint32_t seenIn[kHexes];
    static std::uint32_t search = 0;
    ++search;
    auto index = [](int x, int y) { return (x - 1) * kvt::kMapRows + (y - 1); };
    using Entry = std::pair<int, int>;  // estimate, hex index
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    const int start = index(x1, y1), goal = index(x2, y2);
    cost[start] = 0;
    seenIn[start] = search;
    open.push({kvt::HexDistance(x1, y1, x2, y2), start});
    while (!open.empty()) {
        const auto [estimate, i] = open.top();
        open.pop();
        if (i == goal) return cost[i];
        const int x = i / kvt::kMapRows + 1, y = i % kvt::kMapRows + 1;
        if (estimate > cost[i] + kvt::HexDistance(x, y, x2, y2)) continue;  // already reached cheaper
        for (int dir = 1; dir <= 6; ++dir) {
            int nx = x, ny = y, step = 0;
            kvt::StepHexAt(nx, ny, dir);
            if (!Enterable(x, y, nx, ny, dir, step)) continue;
            const int n = index(nx, ny);
            const int c = cost[i] + step;
            if (seenIn[n] == search && cost[n] <= c) continue;
            seenIn[n] = search;
            cost[n] = c;
            open.push({c + kvt::HexDistance(nx, ny, x2, y2), n});
        }
    }
    return -1;
}

template <typename Search>
void AStarBench(benchmark::State& state, Search search) {
    const World& w = TheWorld();
    RestoreWorld(w);
    const std::vector<Pair> pairs = Pairs(kvt::kPathLand, 9);
    if (!w.loaded || pairs.empty()) {
        state.SkipWithError("the 1861 start point is not built");
        return;
    }
    std::vector<double> micros;
    std::size_t i = 0;
    for (auto _ : state) {
        const Pair& p = pairs[i++ % pairs.size()];
        const auto t0 = Clock::now();
        auto route = search(p.x1, p.y1, p.x2, p.y2);
        const auto t1 = Clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        benchmark::DoNotOptimize(route);
    }
    ReportMedian(state, micros);
}

void BM_TextbookAStarLand(benchmark::State& state) { AStarBench(state, TextbookAStar); }
void BM_ArrayAStarLand(benchmark::State& state) { AStarBench(state, ArrayAStar); }
BENCHMARK(BM_TextbookAStarLand)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ArrayAStarLand)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindPathRail)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindPathRiver)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindPathSea)->Unit(benchmark::kMicrosecond);

// Planning plus nine steps of every corps, from the same position each time.
void BM_PlanAndNineSteps(benchmark::State& state) {
    const World& w = TheWorld();
    if (!w.loaded) {
        state.SkipWithError("the 1861 start point is not built");
        return;
    }
    std::vector<double> micros;
    std::uint64_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        RestoreWorld(w);
        kvt::SetRandomSeed(seed++);
        state.ResumeTiming();
        const auto t0 = Clock::now();
        kvt::testing::RunLandMovementTurn();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    ReportMedian(state, micros);
}
BENCHMARK(BM_PlanAndNineSteps)->Unit(benchmark::kMicrosecond);

}  // namespace

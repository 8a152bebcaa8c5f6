// Speed of the game's own path searches: the 1861 campaign (seed 1) is played once to find, for each
// mode, the 90th percentile of the distances it searches over (searches from a hex to itself are
// none), then again to keep the world as it stood at up to 256 of its searches of that distance;
// each is timed on that world. The time shown is the mean search, "median_us" the median.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "bench/start_point_world.h"
#include "engine/movement/path_search.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/engine_reset.h"
#include "engine/view/turn_menus.h"
#include "engine/world/random.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kModes = 4;           // land, rail, river, sea
constexpr std::size_t kKept = 256;  // searches kept per mode

struct TQuery {
    int x1, y1, x2, y2, maxSteps, mode, nation, rule;
};

struct TKeptSearch {
    TQuery query;
    kvt::bench::TKeptWorld world;
    kvt::RandomState random;
};

struct TCollection {
    std::array<std::vector<int>, kModes + 1> distances;  // pass 1
    std::array<int, kModes + 1> percentile90{};
    std::array<std::vector<std::unique_ptr<TKeptSearch>>, kModes + 1> kept;  // pass 2
    bool keeping = false;
    bool played = false;
};

TCollection& Collected() {
    static TCollection c;
    return c;
}

void Watch(int x1, int y1, int x2, int y2, int maxSteps, int mode, int nation, int rule) {
    TCollection& c = Collected();
    if (mode < 1 || mode > kModes || (x1 == x2 && y1 == y2)) return;
    const int d = kvt::HexDistance(x1, y1, x2, y2);
    if (!c.keeping) {
        c.distances[mode].push_back(d);
        return;
    }
    if (d != c.percentile90[mode] || c.kept[mode].size() >= kKept) return;
    auto s = std::make_unique<TKeptSearch>();
    s->query = {x1, y1, x2, y2, maxSteps, mode, nation, rule};
    kvt::bench::KeepWorld(s->world);
    s->random = kvt::GetRandomState();
    c.kept[mode].push_back(std::move(s));
}

bool PlayCampaign() {
    static kvt::AutomaticFrontend frontend;
    kvt::InstallFrontend(&frontend);
    if (!kvt::bench::LoadHeadless1861(1)) return false;
    while (kvt::PlayHeadlessTurn()) {
    }
    return kvt::GameStatus != 0;
}

const TCollection& Searches() {
    TCollection& c = Collected();
    if (c.played) return c;
    c.played = true;
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / "kvt_path_search_bench";
    fs::create_directories(folder);
    fs::current_path(folder);
    kvt::SetPathSearchWatcher(Watch);
    if (PlayCampaign()) {
        for (int m = 1; m <= kModes; ++m) {
            std::vector<int>& d = c.distances[m];
            if (d.empty()) continue;
            std::sort(d.begin(), d.end());
            c.percentile90[m] = d[(d.size() * 9) / 10];
        }
        c.keeping = true;
        PlayCampaign();
    }
    kvt::SetPathSearchWatcher(nullptr);
    fs::current_path(previous);
    return c;
}

void TimeSearches(benchmark::State& state, int mode) {
    const TCollection& c = Searches();
    const auto& kept = c.kept[mode];
    if (kept.empty()) return state.SkipWithError("the campaign made no search of this mode");
    std::vector<double> micros;
    std::size_t i = 0;
    for (auto _ : state) {
        const TKeptSearch& s = *kept[i++ % kept.size()];
        kvt::bench::RestoreWorld(s.world);
        kvt::SetRandomState(s.random);
        const TQuery& q = s.query;
        const auto t0 = Clock::now();
        kvt::FindPath(q.x1, q.y1, q.x2, q.y2, q.maxSteps, q.mode, q.nation, q.rule);
        const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        benchmark::DoNotOptimize(kvt::PathStepCount);
        state.SetIterationTime(seconds);
        micros.push_back(seconds * 1e6);
    }
    std::nth_element(micros.begin(), micros.begin() + micros.size() / 2, micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["distance"] = c.percentile90[mode];
    state.counters["searches"] = static_cast<double>(c.distances[mode].size());
}

void BM_GameFindPathLandP90(benchmark::State& state) { TimeSearches(state, kvt::kPathLand); }
void BM_GameFindPathRailP90(benchmark::State& state) { TimeSearches(state, kvt::kPathRail); }
void BM_GameFindPathRiverP90(benchmark::State& state) { TimeSearches(state, kvt::kPathRiver); }
void BM_GameFindPathSeaP90(benchmark::State& state) { TimeSearches(state, kvt::kPathSea); }
BENCHMARK(BM_GameFindPathLandP90)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(4096)->Repetitions(3);
BENCHMARK(BM_GameFindPathRailP90)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(4096)->Repetitions(3);
BENCHMARK(BM_GameFindPathRiverP90)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(4096)->Repetitions(3);
BENCHMARK(BM_GameFindPathSeaP90)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(4096)->Repetitions(3);

}  // namespace

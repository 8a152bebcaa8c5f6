// Speed of the shared geometry and of saving and loading a whole game.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "engine/turn/engine_reset.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/map_grid.h"

namespace {

void BM_HexDistance(benchmark::State& state) {
    int x = 1, y = 1, sum = 0;
    for (auto _ : state) {
        sum += kvt::HexDistance(x, y, 77 - x, 55 - y);
        x = x % 76 + 1;
        y = y % 54 + 1;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_HexDistance);

void BM_SaveAndLoadGame(benchmark::State& state) {
    kvt::ResetEngineGlobals();
    // A whole game: the 1861 start point from the game folder.
    if (!kvt::LoadGameImages(std::string(KVT_GAME_DIR) + "/1861.kvt")) {
        state.SkipWithError("the 1861 start point is not built");
        return;
    }
    const std::string base =
        (std::filesystem::temp_directory_path() / ("kvt_bench_game_" + std::to_string(::getpid()))).string();
    for (auto _ : state) {
        if (!kvt::SaveGameFiles(base) || !kvt::LoadGameImages(base + ".KVT")) {
            state.SkipWithError("save or load failed");
            break;
        }
    }
    std::remove((base + ".KVT").c_str());
    std::remove((base + ".KVM").c_str());
}
BENCHMARK(BM_SaveAndLoadGame)->Unit(benchmark::kMicrosecond);

}  // namespace

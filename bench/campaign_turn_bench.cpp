// Speed of a whole 1861 campaign with the computer on both sides, every rule in play: its average
// turn with the Autosave written to the game folder as in play, the same with the Autosave in
// memory (no disk writes), and the headless runner playing it to its end as one process.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "bench/start_point_world.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/turn/engine_reset.h"
#include "engine/view/turn_menus.h"
#include "engine/world/random.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The 1861 game as the runner brings it into play with seed 1, kept to start every campaign from.
struct TStart {
    kvt::bench::TKeptWorld world;
    kvt::RandomState random{};
};

const TStart& Start() {
    static TStart start = [] {
        TStart s;
        static kvt::AutomaticFrontend frontend;
        kvt::InstallFrontend(&frontend);
        if (kvt::bench::LoadHeadless1861(1)) {
            kvt::bench::KeepWorld(s.world);
            s.random = kvt::GetRandomState();
            s.world.loaded = true;
        }
        return s;
    }();
    return start;
}

// Plays the campaign to its end with the Autosave going to `folder`; the time shown is the average
// turn, the whole campaign's time is the "campaign_ms" counter.
void PlayCampaign(benchmark::State& state, const fs::path& folder) {
    const TStart& start = Start();
    if (!start.world.loaded) return state.SkipWithError("1861.kvt has not been built or could not be played");
    const fs::path previous = fs::current_path();
    fs::create_directories(folder);
    fs::current_path(folder);
    int turns = 0;
    double campaign = 0;
    for (auto _ : state) {
        kvt::bench::RestoreWorld(start.world);
        kvt::SetRandomState(start.random);
        kvt::GameStatus = 0;
        kvt::SetMenuItem(kvt::MenuItem::Execute1, true);
        const auto t0 = Clock::now();
        for (turns = 0; kvt::PlayHeadlessTurn(); ++turns) {
        }
        campaign = std::chrono::duration<double>(Clock::now() - t0).count();
        if (kvt::GameStatus == 0 || turns == 0) {
            state.SkipWithError("a turn did not run to its end");
            break;
        }
        state.SetIterationTime(campaign / turns);
    }
    state.counters["turns"] = turns;
    state.counters["campaign_ms"] = campaign * 1000.0;
    fs::current_path(previous);
}

// As in play: the Autosave goes to the game folder, written and flushed every turn.
void BM_CampaignTurn1861_AutosaveToGameFolder(benchmark::State& state) { PlayCampaign(state, KVT_GAME_DIR); }

// The same turns with the Autosave in memory, where the system has a memory folder.
void BM_CampaignTurn1861_AutosaveInMemory(benchmark::State& state) {
    const fs::path memory = "/dev/shm";
    if (!fs::is_directory(memory)) return state.SkipWithError("no memory folder on this system");
    PlayCampaign(state, memory / "kvt_campaign_turn_bench");
}

BENCHMARK(BM_CampaignTurn1861_AutosaveToGameFolder)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_CampaignTurn1861_AutosaveInMemory)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The runner as a player would start it: a new process reading the start point, playing to the end
// and writing its Autosave beside it, in a folder on the game folder's disk.
void BM_RunnerCampaign1861(benchmark::State& state) {
    const fs::path game = KVT_GAME_DIR;
    const fs::path folder = game.parent_path() / "bench_runner_campaign";
    fs::create_directories(folder);
    for (const char* name : {"1861.kvt", "1861.KVM", "KVT_ENG.TXT"})
        fs::copy_file(game / name, folder / name, fs::copy_options::overwrite_existing);
    const std::string runner = KVT_RUNNER;
    char* argv[] = {const_cast<char*>(runner.c_str()), const_cast<char*>("1861.kvt"), const_cast<char*>("end"),
                    const_cast<char*>("--seed"), const_cast<char*>("1"), nullptr};
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        const auto t0 = Clock::now();
        pid_t pid = 0;
        int status = -1;
        if (posix_spawn(&pid, runner.c_str(), &quiet, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the runner did not play the campaign to its end");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    posix_spawn_file_actions_destroy(&quiet);
    fs::current_path(previous);
}
BENCHMARK(BM_RunnerCampaign1861)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

// PCG32 (O'Neill): 64-bit state, 32-bit output, fixed arithmetic on every compiler.
#include "engine/world/random.h"

#include <chrono>
#include <deque>

namespace kvt {

namespace random_detail {
RandomState generator{0x853c49e6748fea9bULL, 0xda3e39cb94b95bdbULL};
bool watched = false;
}  // namespace random_detail

namespace {
RandomState& rng = random_detail::generator;
bool clockSeeding = false;
std::deque<int> script;
bool scriptActive = false;
std::size_t drawsPastScript = 0;
std::vector<int> drawLog;
bool logging = false;

using random_detail::Next32;

void UpdateWatched() { random_detail::watched = logging || scriptActive; }
}  // namespace

void SetRandomSeed(std::uint64_t seed) {
    rng.state = 0;
    rng.inc = (seed << 1u) | 1u;
    Next32();
    rng.state += seed ^ 0x9E3779B97F4A7C15ULL;
    Next32();
}

int random_detail::WatchedDraw(int n) {
    if (logging) drawLog.push_back(n);
    if (!script.empty()) {
        int v = script.front();
        script.pop_front();
        v %= n;
        return v < 0 ? v + n : v;
    }
    if (scriptActive) ++drawsPastScript;
    return Draw(static_cast<std::uint32_t>(n));
}

void Randomize() {
    if (clockSeeding) {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        SetRandomSeed(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        return;
    }
    std::uint64_t next = (static_cast<std::uint64_t>(Next32()) << 32) | Next32();
    SetRandomSeed(next);
}

void UseClockForRandomize(bool on) { clockSeeding = on; }

void ScriptRandomDraws(const std::vector<int>& draws) {
    script.assign(draws.begin(), draws.end());
    scriptActive = !draws.empty();
    UpdateWatched();
}
std::size_t DrawsPastScript() { return drawsPastScript; }
void ResetDrawsPastScript() { drawsPastScript = 0; }
std::size_t ScriptedDrawsLeft() { return script.size(); }

const std::vector<int>& RandomDrawLog() { return drawLog; }
void ClearRandomDrawLog() { drawLog.clear(); }
void SetRandomDrawLogging(bool on) {
    logging = on;
    UpdateWatched();
}

RandomState GetRandomState() { return rng; }
void SetRandomState(const RandomState& s) { rng = s; }

}  // namespace kvt

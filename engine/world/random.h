// The game's own random generator: small, portable and seedable, so the same seed and the same
// answers give a byte-identical game on every machine (no rand(), no standard distributions).
// Random(n) is uniform in 0..n-1; n <= 0 gives 0 and consumes no draw.
#pragma once

#include <cstdint>
#include <vector>

namespace kvt {

// The generator's whole state, to snapshot and restore around a computation.
struct RandomState {
    std::uint64_t state;
    std::uint64_t inc;
};

namespace random_detail {
// Read by the inline draw below; nothing else touches them.
extern RandomState generator;
extern bool watched;  // a log or a script takes the draws: WatchedDraw serves them
int WatchedDraw(int n);

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;

// The value drawn from a state.
inline std::uint32_t Output(std::uint64_t state) {
    const std::uint32_t xorshifted = static_cast<std::uint32_t>(((state >> 18u) ^ state) >> 27u);
    const std::uint32_t rot = static_cast<std::uint32_t>(state >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

inline std::uint32_t Next32() {
    const std::uint64_t old = generator.state;
    generator.state = old * kMultiplier + generator.inc;
    return Output(old);
}

inline int Draw(std::uint32_t bound) {
    // Rejection keeps every value equally likely.
    const std::uint32_t threshold = (0u - bound) % bound;
    for (;;) {
        const std::uint32_t r = Next32();
        if (r >= threshold) return static_cast<int>(r % bound);
    }
}
}  // namespace random_detail

// Inline, so that a draw from a fixed range costs no division: the path search alone draws
// thousands of times a turn.
inline int Random(int n) {
    if (n <= 0) return 0;
    if (random_detail::watched) return random_detail::WatchedDraw(n);
    return random_detail::Draw(static_cast<std::uint32_t>(n));
}

// Seeds again, as every turn does. With the clock source (the real program) the seed comes from
// the time of day; otherwise it is drawn from the generator itself, so a seeded run stays repeatable.
void Randomize();

void SetRandomSeed(std::uint64_t seed);
void UseClockForRandomize(bool on);

// Scripted draws for tests: each Random(n) returns the next value (reduced modulo n) until the
// script runs out, after which the generator resumes. A non-empty script stays active until the
// next call; an empty one ends it.
void ScriptRandomDraws(const std::vector<int>& draws);
// Draws taken from the generator while a script was active but already used up: a test that
// pins draws sees here that the rules took more than it expected. Only the reset clears it.
std::size_t DrawsPastScript();
void ResetDrawsPastScript();
// The n of every Random(n) call since the last reset, to pin the order of draws.
const std::vector<int>& RandomDrawLog();
void ClearRandomDrawLog();
void SetRandomDrawLogging(bool on);
// Draws left in the script.
std::size_t ScriptedDrawsLeft();

RandomState GetRandomState();
void SetRandomState(const RandomState& s);

}  // namespace kvt

// The game's own random generator: small, portable and seedable, so the same seed and the same
// answers give a byte-identical game on every machine (no rand(), no standard distributions).
// Random(n) is uniform in 0..n-1; n <= 0 gives 0 and consumes no draw.
#pragma once

#include <cstdint>
#include <vector>

namespace kvt {

int Random(int n);

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

// The generator's whole state, to snapshot and restore around a computation.
struct RandomState {
    std::uint64_t state;
    std::uint64_t inc;
};
RandomState GetRandomState();
void SetRandomState(const RandomState& s);

}  // namespace kvt

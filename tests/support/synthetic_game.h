// A small game built in memory for tests and benchmarks that must not depend on the start points:
// two sides with a few cities, states, leaders, corps and fleets, every other record slot free.
#pragma once

#include <string>

namespace kvt::testing {

// Cities 1..6, states 1..3, leaders 1..12, corps 1..4 (Union 1, 2; Confederate 3, 4), fleets 1..2;
// dated 1 April 1861, the campaign ending in June 1865, the start date a month earlier. Replaces
// the whole record and map.
void BuildSyntheticGame(bool unionPersonPlayed, bool confederacyPersonPlayed);

// Line N of the text table reads "text N", so tests can tell which text was shown.
void UseNumberedTexts();

// Runs movement ticks until the movement timer stops; the number of ticks, or -1 past the limit.
int RunMovement(int limit = 100000);

// Makes a folder the current one for its lifetime (the game writes "Autosave" there).
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::string previous_;
};

}  // namespace kvt::testing

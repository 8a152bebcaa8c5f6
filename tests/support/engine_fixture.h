// A fixture that gives every engine test a fresh program state and a pinned random generator.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "engine/world/globals.h"
#include "engine/world/random.h"

namespace kvt::testing {

class EngineTest : public ::testing::Test {
protected:
    // Tests that loop over cases may call SetUp again: each call checks the case before it.
    void SetUp() override;
    void TearDown() override;
    // For a test that scripts only the first draws on purpose and lets the generator take the rest.
    void AllowDrawsPastScript() { drawsPastScriptAllowed_ = true; }

private:
    void CheckScriptedDraws(const char* when);
    bool setUpBefore_ = false;
    bool drawsPastScriptAllowed_ = false;
};

// Runs `action` with `script` as the scripted draws and answers the range n of every Random(n) it took.
template <class Action>
std::vector<int> DrawRanges(const std::vector<int>& script, Action&& action) {
    ScriptRandomDraws(script);
    ClearRandomDrawLog();
    SetRandomDrawLogging(true);
    action();
    SetRandomDrawLogging(false);
    std::vector<int> ranges = RandomDrawLog();
    ClearRandomDrawLog();
    return ranges;
}

// Path of a file in the game folder (start points, texts, pictures).
std::string GameFile(const std::string& name);
// The bytes of a file (none when it cannot be read).
std::vector<char> FileBytes(const std::string& path);
// A fresh temporary folder for files a test writes.
std::string TempFolder(const std::string& tag);
// Names the record holding byte `at` of the game record ("corps 3 +12"), for a failure message.
std::string RecordByte(std::size_t at);
// Loads a start point ("1861", "1862", "1863") from the game folder through the game's loader;
// false when it has not been built.
bool LoadStartPoint(const std::string& year);

}  // namespace kvt::testing

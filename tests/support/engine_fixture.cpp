// Shared test set-up: a reset engine, a fixed seed and no scripted draws left behind.
#include "tests/support/engine_fixture.h"

#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/world/game_files.h"
#include "engine/world/record_types.h"

namespace kvt::testing {

void EngineTest::CheckScriptedDraws(const char* when) {
    EXPECT_EQ(ScriptedDrawsLeft(), 0u) << "the test scripted draws that the rules never took (" << when << ")";
    if (!drawsPastScriptAllowed_)
        EXPECT_EQ(DrawsPastScript(), 0u) << "the rules drew more than the test scripted (" << when << ")";
}

void EngineTest::SetUp() {
    if (setUpBefore_) CheckScriptedDraws("a case before this SetUp");
    setUpBefore_ = true;
    ResetDrawsPastScript();
    ResetEngineGlobals();
    UseClockForRandomize(false);
    SetRandomSeed(12345);
    ScriptRandomDraws({});
    ClearRandomDrawLog();
    SetRandomDrawLogging(false);
}

void EngineTest::TearDown() {
    EXPECT_EQ(CheckedAccessFaults(), 0u) << "a rule used a record index past the end of its array";
    CheckScriptedDraws("at the end of the test");
    ScriptRandomDraws({});
    ResetDrawsPastScript();
    SetRandomDrawLogging(false);
}

std::string GameFile(const std::string& name) { return std::string(KVT_GAME_DIR) + "/" + name; }

std::vector<char> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string TempFolder(const std::string& tag) {
    namespace fs = std::filesystem;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = tag;
    if (info) name += std::string("_") + info->test_suite_name() + "_" + info->name();
    fs::path dir = fs::temp_directory_path() / ("kvt_tests_" + std::to_string(::getpid())) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

bool LoadStartPoint(const std::string& year) {
    const std::string path = GameFile(year + ".kvt");
    if (!std::filesystem::exists(path)) return false;
    return LoadGameFiles(path);
}

std::string RecordByte(std::size_t at) {
    struct Span {
        const char* name;
        std::size_t base, size, count;
    };
    const Span spans[] = {{"army", offsetof(TGameRec, Armies), sizeof(TArmyRec), kArmyCount},
                          {"city", offsetof(TGameRec, Cities), sizeof(TCityRec), kCityCount},
                          {"corps", offsetof(TGameRec, Corps), sizeof(TCorpsRec), kCorpsCount},
                          {"leader", offsetof(TGameRec, Leaders), sizeof(TLeaderRec), kLeaderCount},
                          {"nation", offsetof(TGameRec, Nations), sizeof(TNationRec), kNationCount},
                          {"state", offsetof(TGameRec, States), sizeof(TStateRec), kStateCount},
                          {"fleet", offsetof(TGameRec, Fleets), sizeof(TFleetRec), kFleetCount},
                          {"brigade", offsetof(TGameRec, Brigades), sizeof(TBrigadeRec), kBrigadeCount}};
    for (const Span& s : spans)
        if (at >= s.base && at < s.base + s.size * s.count)
            return std::string(s.name) + " " + std::to_string((at - s.base) / s.size + 1) + " +" +
                   std::to_string((at - s.base) % s.size);
    return "header byte " + std::to_string(at);
}

}  // namespace kvt::testing

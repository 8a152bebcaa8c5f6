// Saved games: byte-exact round trips, refusal of damaged files with the game in play kept,
// and the file-name rules.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "engine/forces/command_slots.h"
#include "engine/turn/engine_reset.h"
#include "engine/turn/game_load.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::ScriptedFrontend;

class GameFiles : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        dir = testing::TempFolder("files");
        FillValidGame();
    }
    // A small but valid game with distinctive bytes everywhere a rule never looks.
    void FillValidGame() {
        TGameRec& g = *GameRec;
        std::uint8_t* raw = reinterpret_cast<std::uint8_t*>(&g);
        for (std::size_t i = 38025; i < kGameRecSize; ++i) raw[i] = static_cast<std::uint8_t>(i * 7);
        // Bytes no rule reads must come back exactly as they went out.
        auto seed = [](auto& field, std::uint8_t v) { std::memset(static_cast<void*>(&field), v, sizeof field); };
        seed(g.Reserved102, 0xA1);
        seed(g.Reserved108, 0xA2);
        seed(g.Reserved112, 0xA3);
        seed(g.Reserved122, 0xA4);
        seed(g.Reserved138, 0xA5);
        seed(g.Reserved265, 0xA6);
        for (auto& n : g.Nations) seed(n.Reserved25, 0xB1);
        for (auto& st : g.States) seed(st.Reserved55, 0xB2);
        for (auto& w : g.WeaponTable) seed(w.Reserved0, 0xB3);
        for (auto& pl : g.Plans) seed(pl.Reserved6, 0xB4);
        for (auto& c : g.Cities) seed(c.Name.Chars, 'x');  // characters past the length are kept too
        g.Month = 4;
        for (int i = 1; i <= kCorpsCount; ++i) g.Corps[i].Unused = 1;
        for (int i = 1; i <= kFleetCount; ++i) g.Fleets[i].BuildCounter = kFleetGone;
        g.Day = 11;
        g.Month = 4;
        g.Year = 1861;
        g.Cities[17].Name = "Richmond";
        g.Cities[17].State = 22;
        g.Cities[17].HexX = 60;
        g.Cities[17].HexY = 20;
        g.Corps[4].Unused = 0;
        g.Corps[4].Leader = 12;
        g.Corps[4].HexX = 60;
        g.Corps[4].HexY = 21;
        g.Brigades[9].AttachKind = kAttachCorps;
        g.Brigades[9].AttachIndex = 4;
        g.Brigades[9].HomeState = 22;
        g.Nations[2].Will = -3;
        for (int x = 1; x <= kMapColumns; ++x)
            for (int y = 1; y <= kMapRows; ++y) MapGrid->Cell(x, y).b[2] = static_cast<std::uint8_t>((x + y) % 38);
        MapGrid->Cell(76, 54).b[0] = 0xC5;
    }
    std::string Path(const std::string& name) const { return dir + "/" + name; }
    std::string dir;
};

TEST_F(GameFiles, SavedAndLoadedGameIsByteIdentical) {
    TGameRec savedRec = *GameRec;
    TMapGrid savedMap = *MapGrid;
    ASSERT_TRUE(SaveGameFiles(Path("game")));
    EXPECT_EQ(FileBytes(Path("game.KVT")).size(), kGameRecSize);
    EXPECT_EQ(FileBytes(Path("game.KVM")).size(), kMapGridSize);
    ResetEngineGlobals();
    ASSERT_TRUE(LoadGameImages(Path("game.KVT")));
    EXPECT_EQ(std::memcmp(GameRec, &savedRec, kGameRecSize), 0) << "reserved stretches and battle block included";
    EXPECT_EQ(std::memcmp(MapGrid, &savedMap, kMapGridSize), 0) << "last cell included";
    EXPECT_EQ(GameFileBase, Path("game."));
}

TEST_F(GameFiles, ASaveReplacesTheWholePairOrLeavesTheOldOneAsItWas) {
    std::ofstream(Path("pair.KVT"), std::ios::binary) << std::string(kGameRecSize, 'r');
    std::ofstream(Path("pair.KVM"), std::ios::binary) << std::string(kMapGridSize, 'm');
    const std::vector<char> oldRec = FileBytes(Path("pair.KVT")), oldMap = FileBytes(Path("pair.KVM"));
    // The disk refuses the map's rename, the last step of a save.
    SetFileRenamer([](const char* from, const char* to) { return std::string(to).ends_with(".KVM") ? -1 : std::rename(from, to); });
    for (const char* base : {"pair", "new"}) {
        ScriptedFrontend fe;
        fe.ExpectInformationBox();
        EXPECT_FALSE(SaveGameFiles(Path(base))) << base;
    }
    EXPECT_EQ(FileBytes(Path("pair.KVT")), oldRec);
    EXPECT_EQ(FileBytes(Path("pair.KVM")), oldMap);
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"pair.KVT", "pair.KVM"})) << "nothing half-written is left";
}

TEST_F(GameFiles, AGameWhoseFilesAreLinksIsSavedOverTheLinksOrGetsThemBack) {
    // The linked files lie in another folder and are never written: a save puts files in place of
    // the links, and a save the disk refuses puts the links back as they were, a dangling one too.
    const std::string elsewhere = testing::TempFolder("linked");
    std::ofstream(elsewhere + "/old.KVT", std::ios::binary) << std::string(kGameRecSize, 'r');
    std::ofstream(elsewhere + "/old.KVM", std::ios::binary) << std::string(kMapGridSize, 'm');
    const std::vector<char> oldRec = FileBytes(elsewhere + "/old.KVT"), oldMap = FileBytes(elsewhere + "/old.KVM");
    const std::string rec(reinterpret_cast<const char*>(GameRec), kGameRecSize);
    const struct {
        const char* name;
        bool dangling, mapRenameFails;
    } cases[] = {{"links to files, saved", false, false},
                 {"links to files, refused", false, true},
                 {"a dangling link, refused", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
        const std::string recTarget = elsewhere + (c.dangling ? "/gone.KVT" : "/old.KVT");
        fs::create_symlink(recTarget, Path("game.KVT"));
        fs::create_symlink(elsewhere + "/old.KVM", Path("game.KVM"));
        SetFileRenamer(c.mapRenameFails ? [](const char* from, const char* to) {
            return std::string(to).ends_with(".KVM") ? -1 : std::rename(from, to);
        } : FileRenamer{nullptr});
        ScriptedFrontend fe;
        if (c.mapRenameFails) fe.ExpectInformationBox();
        EXPECT_EQ(SaveGameFiles(Path("game")), !c.mapRenameFails);
        if (c.mapRenameFails) {
            ASSERT_TRUE(fs::is_symlink(Path("game.KVT")));
            ASSERT_TRUE(fs::is_symlink(Path("game.KVM")));
            EXPECT_EQ(fs::read_symlink(Path("game.KVT")).string(), recTarget);
            EXPECT_EQ(fs::read_symlink(Path("game.KVM")).string(), elsewhere + "/old.KVM");
        } else {
            EXPECT_FALSE(fs::is_symlink(Path("game.KVT")));
            EXPECT_FALSE(fs::is_symlink(Path("game.KVM")));
            EXPECT_EQ(FileBytes(Path("game.KVT")), std::vector<char>(rec.begin(), rec.end()));
        }
        EXPECT_EQ(FileBytes(elsewhere + "/old.KVT"), oldRec) << "a linked file was written";
        EXPECT_EQ(FileBytes(elsewhere + "/old.KVM"), oldMap) << "a linked file was written";
        EXPECT_FALSE(fs::exists(elsewhere + "/gone.KVT"));
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
        EXPECT_EQ(names, (std::set<std::string>{"game.KVT", "game.KVM"})) << "nothing half-written is left";
    }
}

TEST_F(GameFiles, AGameNamedUpToTheLongestNameTheDiskAllowsSaves) {
    const std::string base = Path(std::string(250, 'g'));  // 254 bytes with ".KVT"
    ASSERT_TRUE(SaveGameFiles(base));
    const TGameRec saved = *GameRec;
    ResetEngineGlobals();
    ASSERT_TRUE(LoadGameImages(base + ".KVT"));
    EXPECT_EQ(std::memcmp(GameRec, &saved, kGameRecSize), 0);
}

TEST_F(GameFiles, PipesAndOversizedFilesAreRefusedUnread) {
    ASSERT_TRUE(SaveGameFiles(Path("good")));
    ASSERT_EQ(::mkfifo(Path("pipe.KVT").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(Path("pipe.BTL").c_str(), 0600), 0);
    // Sparse files: nothing lies on the disk until a byte is asked for.
    std::ofstream(Path("huge.KVT")).put('x');
    fs::resize_file(Path("huge.KVT"), std::uintmax_t{2} << 30);
    std::ofstream(Path("huge.BTL")).put('x');
    fs::resize_file(Path("huge.BTL"), kBattleLogMaxBytes + 1);
    for (const char* map : {"pipe.KVM", "huge.KVM"}) fs::copy(Path("good.KVM"), Path(map));
    const struct { const char* file; const char* why; } cases[] = {
        {"pipe.KVT", "is not a file"}, {"huge.KVT", "holds 2147483648 bytes"},
        {"pipe.BTL", "is not a file"}, {"huge.BTL", "more than any game writes"},
    };
    for (const auto& c : cases) {
        std::string why;
        ScriptedFrontend fe;
        if (std::string(c.file).ends_with(".BTL")) {
            EXPECT_FALSE(LoadBattleLog(Path(c.file), &why)) << c.file;
        } else {
            fe.ExpectInformationBox();
            EXPECT_FALSE(LoadGameImages(Path(c.file))) << c.file;
            why = fe.messages.empty() ? "" : fe.messages[0];
        }
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
    }
}

TEST_F(GameFiles, AnEngagementTallyAbove120IsNotTakenForDamage) {
    // The corps' engagement byte also carries the recount's tally of enemy readiness nearby.
    GameRec->Corps[4].Opponent = 200;
    ASSERT_TRUE(SaveGameFiles(Path("tally")));
    ResetEngineGlobals();
    ASSERT_TRUE(LoadGameImages(Path("tally.KVT")));
    EXPECT_EQ(GameRec->Corps[4].Opponent, 200);
}

TEST_F(GameFiles, DamagedFilesAreRefusedAndTheGameInPlayIsKept) {
    ASSERT_TRUE(SaveGameFiles(Path("good")));
    struct Damage {
        const char* name;
        std::function<void(std::vector<char>& rec, std::vector<char>& map)> apply;
    };
    const Damage cases[] = {
        {"short record", [](auto& rec, auto&) { rec.resize(41000); }},
        {"oversized record", [](auto& rec, auto&) { rec.push_back(0); }},
        {"empty record", [](auto& rec, auto&) { rec.clear(); }},
        {"short map", [](auto&, auto& map) { map.resize(100); }},
        {"corps leader past 210", [](auto& rec, auto&) { rec[6430 + 70 * 3 + 26] = char(211); }},
        {"city state past 37", [](auto& rec, auto&) { rec[926 + 64 * 16 + 24] = 38; }},
        {"brigade attached to corps 121", [](auto& rec, auto&) { rec[33025 + 10 * 8 + 1] = 121; }},
        {"brigade of an unknown attachment kind", [](auto& rec, auto&) { rec[33025 + 10 * 8 + 8] = 3; }},
        {"army base city past 86", [](auto& rec, auto&) { rec[266 + 23] = 87; }},
        {"army number past 15", [](auto& rec, auto&) { rec[266 + 23] = 17; rec[266 + 25] = 16; }},
        {"nation capital past 86", [](auto& rec, auto&) { rec[21340 + 16] = char(200); }},
        {"map state byte past 37", [](auto&, auto& map) { map[5] = 40; }},
        {"oversized map", [](auto&, auto& map) { map.push_back(0); }},
        {"month 0", [](auto& rec, auto&) { rec[2] = 0; }},
        {"side to move 3", [](auto& rec, auto&) { rec[116] = 3; }},
        {"theatre weather 12", [](auto& rec, auto&) { rec[142] = 12; }},
        {"weather table entry 12", [](auto& rec, auto&) { rec[157 + 12 * 8 + 11] = 12; }},
        {"city theatre 4", [](auto& rec, auto&) { rec[926 + 25] = 4; }},
        {"city row 55", [](auto& rec, auto&) { rec[926 + 18] = 55; }},
        {"state theatre 4", [](auto& rec, auto&) { rec[21912 + 29] = 4; }},
        {"nation focus city 87", [](auto& rec, auto&) { rec[21340 + 48] = 87; }},
    };
    // The game in play differs from the file in both images, so any half-done load would show.
    GameRec->Day = 21;
    MapGrid->Cell(40, 40).SetTerrain(6);
    const TGameRec keep = *GameRec;
    const TMapGrid keepMap = *MapGrid;
    for (const Damage& d : cases) {
        auto rec = FileBytes(Path("good.KVT"));
        auto map = FileBytes(Path("good.KVM"));
        d.apply(rec, map);
        std::ofstream(Path("bad.KVT"), std::ios::binary).write(rec.data(), static_cast<std::streamsize>(rec.size()));
        std::ofstream(Path("bad.KVM"), std::ios::binary).write(map.data(), static_cast<std::streamsize>(map.size()));
        GameFileBase = "in play.";
        ScriptedFrontend fe;
        fe.ExpectInformationBox();
        EXPECT_FALSE(LoadGameImages(Path("bad.KVT"))) << d.name;
        EXPECT_EQ(std::memcmp(GameRec, &keep, kGameRecSize), 0) << d.name << ": the game in play changed";
        EXPECT_EQ(std::memcmp(MapGrid, &keepMap, kMapGridSize), 0) << d.name << ": the map in play changed";
        EXPECT_EQ(GameFileBase, "in play.") << d.name;
        ASSERT_EQ(fe.messages.size(), 1u);
        EXPECT_NE(fe.messages[0].find("kept"), std::string::npos) << fe.messages[0];
    }
}

TEST_F(GameFiles, ADateNoTurnCanHoldIsRefusedNamingTheDay) {
    // A turn is ten days: only the 1st, 11th and 21st are ever saved. Any other day would be carried
    // past the month's end by the next turn (255 + 10 wraps to 9).
    ASSERT_TRUE(SaveGameFiles(Path("dated")));
    const std::vector<char> good = FileBytes(Path("dated.KVT"));
    const struct {
        int day;
        bool loads;
    } cases[] = {{1, true}, {11, true}, {21, true}, {0, false}, {2, false}, {10, false}, {22, false}, {254, false}, {255, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("day " + std::to_string(c.day));
        std::vector<char> rec = good;
        rec[0] = static_cast<char>(c.day);  // the record's first byte
        std::ofstream(Path("dated.KVT"), std::ios::binary | std::ios::trunc).write(rec.data(), static_cast<std::streamsize>(rec.size()));
        GameRec->Day = 21;
        GameRec->Month = 9;
        ScriptedFrontend fe;
        if (!c.loads) fe.ExpectInformationBox();
        EXPECT_EQ(LoadGameImages(Path("dated.KVT")), c.loads);
        if (c.loads) {
            EXPECT_EQ(GameRec->Day, c.day);
            EXPECT_EQ(GameRec->Month, 4);
            continue;
        }
        ASSERT_EQ(fe.messages.size(), 1u);
        EXPECT_EQ(fe.messages[0], "The game \"" + Path("dated.KVT") + "\" is damaged: The date has day " + std::to_string(c.day) +
                                      ", which is out of range. The game in play is kept.");
        EXPECT_EQ(GameRec->Day, 21) << "the date in play is kept";
        EXPECT_EQ(GameRec->Month, 9);
    }
}

TEST_F(GameFiles, ANationsTenthArmyAndItsLastOneSaveAndLoad) {
    for (int armies : {10, kArmyCount}) {
        SCOPED_TRACE(std::to_string(armies) + " armies");
        SetUp();
        for (int n = 1; n <= armies; ++n) {
            const int a = AllocateArmySlot(kNationUnion);
            ASSERT_NE(a, 0);
            GameRec->Armies[a].BaseCity = 17;
        }
        ASSERT_EQ(GameRec->Armies[armies].ArmyNumber, armies);
        const TGameRec saved = *GameRec;
        ASSERT_TRUE(SaveGameFiles(Path("armies")));
        ResetEngineGlobals();
        ScriptedFrontend fe;
        ASSERT_TRUE(LoadGameImages(Path("armies.KVT"))) << (fe.messages.empty() ? "" : fe.messages[0]);
        EXPECT_EQ(std::memcmp(GameRec, &saved, kGameRecSize), 0);
        EXPECT_EQ(GameRec->Armies[armies].ArmyNumber, armies);
    }
}

TEST_F(GameFiles, MissingFileIsReportedAndChangesNothing) {
    const TGameRec keep = *GameRec;
    const TMapGrid keepMap = *MapGrid;
    ScriptedFrontend fe;
    fe.ExpectInformationBox();
    EXPECT_FALSE(LoadGameFiles(Path("nothing.kvt")));
    EXPECT_NE(fe.messages.at(0).find("nothing.kvt"), std::string::npos);
    EXPECT_EQ(std::memcmp(GameRec, &keep, kGameRecSize), 0);
    EXPECT_EQ(std::memcmp(MapGrid, &keepMap, kMapGridSize), 0);
}

TEST_F(GameFiles, SavingOverAGameOfAnotherCaseReplacesIt) {
    ASSERT_TRUE(SaveGameFiles(Path("1861")));
    fs::rename(Path("1861.KVT"), Path("1861.kvt"));
    fs::rename(Path("1861.KVM"), Path("1861.kvm"));
    GameRec->Day = 21;
    ASSERT_TRUE(SaveGameFiles(Path("1861")));
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"1861.kvt", "1861.kvm"})) << "no stale copy beside the new save";
    ResetEngineGlobals();
    ASSERT_TRUE(LoadGameImages(Path("1861.kvt")));
    EXPECT_EQ(GameRec->Day, 21);
}

TEST(GameFileNames, BasesUseTheRealSuffix) {
    EXPECT_EQ(GameBaseOf("1861.kvt"), "1861.");
    EXPECT_EQ(GameBaseOf("/saves/game.KVT"), "/saves/game.");
    EXPECT_EQ(GameBaseOf("/saves.d/game"), "/saves.d/game.");
    EXPECT_EQ(GameBaseOf("old.orn"), "old.");
    EXPECT_EQ(SaveBaseOf("/tmp/game.kvt"), "/tmp/game");
    EXPECT_EQ(SaveBaseOf("/tmp/game"), "/tmp/game");
    EXPECT_EQ(SaveBaseOf("/tmp.x/game"), "/tmp.x/game");
    EXPECT_EQ(SaveBaseOf("mine.long"), "mine");
}

TEST_F(GameFiles, BringingIntoPlayAppliesTheDataFixUps) {
    GameRec->Cities[5].OriginalOwner = 7;
    GameRec->Cities[6].OriginalOwner = 2;
    GameRec->Cities[83].State = 3;
    ASSERT_TRUE(SaveGameFiles(Path("fix")));
    ResetEngineGlobals();
    ASSERT_TRUE(LoadGameFiles(Path("fix.KVT")));
    EXPECT_EQ(GameRec->Cities[5].OriginalOwner, 1);
    EXPECT_EQ(GameRec->Cities[6].OriginalOwner, 2);
    EXPECT_EQ(GameRec->Cities[83].State, 21);
}

TEST_F(GameFiles, OpenDialogDataMarksFixRiversRailAndShotguns) {
    TGameRec& g = *GameRec;
    g.Cities[50].HexX = 30; g.Cities[50].HexY = 30;
    g.Cities[67].HexX = 31; g.Cities[67].HexY = 40;
    g.Cities[55].HexX = 20; g.Cities[55].HexY = 20;
    g.Cities[38].RiverLink = 1;
    g.Cities[60].RiverLink = 1;
    MapGrid->Cell(32, 26).SetRail(true);
    MapGrid->Cell(65, 14).b[1] = 0x4D;
    ApplyLoadDataMarks();
    EXPECT_TRUE(MapGrid->Cell(26, 19).RiverNavigable());
    EXPECT_TRUE(MapGrid->Cell(30, 29).RiverNavigable()) << "north of city 50";
    EXPECT_TRUE(MapGrid->Cell(30, 40).RiverNavigable()) << "south-west of odd-column city 67";
    EXPECT_TRUE(MapGrid->Cell(19, 21).RiverNavigable()) << "south-west of even-column city 55";
    EXPECT_EQ(MapGrid->Cell(65, 15).b[1], 0x4D);
    EXPECT_EQ(g.Cities[38].RiverLink, 0);
    EXPECT_FALSE(MapGrid->Cell(32, 26).Rail());
    EXPECT_TRUE(MapGrid->Cell(32, 27).Rail());
    EXPECT_TRUE(MapGrid->Cell(12, 38).Rail());
    EXPECT_TRUE(MapGrid->Cell(13, 38).Rail());
    EXPECT_EQ(g.Cities[60].RiverLink, 0);
    EXPECT_EQ(g.WeaponTable[5].FireFactor1, 1);
    EXPECT_EQ(g.WeaponTable[5].FireFactor2, 2);
}

TEST_F(GameFiles, BattleHistoryEndsItsLinesWithCarriageReturnAndLineFeedAndIsReadEitherWay) {
    const std::vector<std::string> history = {"No History", "Battle", "", "TurnOver"};
    BattleLog = history;
    ASSERT_TRUE(SaveBattleLog(Path("mail.BTL")));
    const std::vector<char> bytes = FileBytes(Path("mail.BTL"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "No History\r\nBattle\r\n\r\nTurnOver\r\n");
    BattleLog.clear();
    ASSERT_TRUE(LoadBattleLog(BattleLogFileFor(Path("mail.kvt"))));
    EXPECT_EQ(BattleLog, history);

    std::ofstream(Path("lf.BTL"), std::ios::binary) << "No History\nBattle\n\nTurnOver\n";
    ASSERT_TRUE(LoadBattleLog(Path("lf.BTL")));
    EXPECT_EQ(BattleLog, history) << "line feeds alone";
}

}  // namespace
}  // namespace kvt

// Saves that are stopped partway, saves of one game by two programs at once, and names taken by
// something that is not a file: the folder always holds one whole game under a name, and nothing of
// a stopped save outlives the next load.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/save_in_child.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;
// Under AddressSanitizer most of the address space is taken at start: no limit can be put on it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceCanBeLimited = false;
#else
constexpr bool kAddressSpaceCanBeLimited = true;
#endif
using testing::ChildSaveEnd;
using testing::FileBytes;
using testing::ScriptedFrontend;
using testing::TChildSave;

// The bytes of a game's files as they lie on the disk; a missing file, or what is not a file, reads
// as empty.
struct TGameOnDisk {
    std::vector<char> rec, map, history;
    bool operator==(const TGameOnDisk&) const = default;
};

class SaveJournal : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        dir = testing::TempFolder("saves");
        testing::BuildSyntheticGame(true, false);
    }
    std::string Path(const std::string& name) const { return dir + "/" + name; }
    // Marks both images and the history with `mark` (0..255), so files of two saves never look alike.
    void MarkGame(int mark) {
        GameRec->Day = static_cast<U8>(mark % 28 + 1);
        auto* raw = reinterpret_cast<std::uint8_t*>(GameRec);
        raw[kGameRecSize - 1] = static_cast<std::uint8_t>(mark);
        MapGrid->Cell(76, 54).b[0] = static_cast<std::uint8_t>(mark);
        BattleLog = {"No History", "mark " + std::to_string(mark)};
    }
    TGameOnDisk OnDisk(const std::string& base) const {
        auto bytes = [](const std::string& path) { return fs::is_regular_file(path) ? FileBytes(path) : std::vector<char>{}; };
        return {bytes(base + ".KVT"), bytes(base + ".KVM"), bytes(base + ".BTL")};
    }
    // Every name in the folder that is not a game's file.
    std::set<std::string> Leftovers() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename().string();
            const std::string ext = e.path().extension().string();
            if (ext != ".KVT" && ext != ".KVM" && ext != ".BTL") names.insert(name);
        }
        return names;
    }
    std::string dir;
};

TEST_F(SaveJournal, AStopAtAnyStepLeavesTheWholeOldOrTheWholeNewGame) {
    struct Case {
        bool history, linksFail, oldGame;
    };
    const Case cases[] = {{false, false, true}, {true, false, true}, {false, true, true},
                          {true, true, true},   {false, false, false}, {true, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.history ? "with" : "without") + " the history, links " +
                     (c.linksFail ? "refused" : "made") + (c.oldGame ? ", over an old game" : ", a first save"));
        const std::string base = Path("game");
        int oldSeen = 0, newSeen = 0;
        for (int step = 1;; ++step) {
            ASSERT_LT(step, 40) << "the save never ran to its end";
            for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
            MarkGame(1);
            if (c.oldGame) ASSERT_TRUE(SaveGameFiles(base, c.history));
            const TGameOnDisk before = OnDisk(base);
            MarkGame(2);
            const std::string rec(reinterpret_cast<const char*>(GameRec), kGameRecSize);
            const std::string map(reinterpret_cast<const char*>(MapGrid), kMapGridSize);
            const std::string history = "No History\r\nmark 2\r\n";
            const TGameOnDisk after{{rec.begin(), rec.end()},
                                    {map.begin(), map.end()},
                                    c.history ? std::vector<char>(history.begin(), history.end()) : before.history};

            const ChildSaveEnd end = testing::SaveKilledAtStep(base, step, {c.history, c.linksFail});
            ASSERT_NE(end, ChildSaveEnd::Refused) << "step " << step;
            MarkGame(3);
            auto loadedRec = std::make_unique<TGameRec>();
            auto loadedMap = std::make_unique<TMapGrid>();
            const bool loaded = ReadGameImages(base + ".KVT", *loadedRec, *loadedMap, nullptr);
            if (c.history) LoadBattleLog(base + ".BTL");

            const TGameOnDisk found = OnDisk(base);
            EXPECT_TRUE(found == before || found == after) << "a mixed game after a stop at step " << step;
            EXPECT_EQ(Leftovers(), std::set<std::string>{}) << "step " << step;
            if (found == after) {
                ++newSeen;
                ASSERT_TRUE(loaded) << "step " << step;
                EXPECT_EQ(std::memcmp(loadedRec.get(), rec.data(), kGameRecSize), 0) << "step " << step;
                EXPECT_EQ(std::memcmp(loadedMap.get(), map.data(), kMapGridSize), 0) << "step " << step;
            } else {
                ++oldSeen;
                EXPECT_EQ(loaded, c.oldGame) << "step " << step;
            }
            if (end == ChildSaveEnd::Saved) {
                EXPECT_TRUE(found == after) << "a save that ran to its end";
                break;
            }
        }
        // Stops fell on both sides of the commit.
        EXPECT_GT(oldSeen, 1);
        EXPECT_GT(newSeen, 1);
    }
}

TEST_F(SaveJournal, TwoProgramsSavingOneGameNeverMixTheirFiles) {
    constexpr int kSaves = 200;
    const std::string base = Path("Autosave");
    pid_t children[2];
    for (int who = 0; who < 2; ++who) {
        std::fflush(nullptr);
        children[who] = ::fork();
        if (children[who] != 0) continue;
        // Each save is read back at once, while the other program saves: a record beside the
        // other program's map ends the child with a failure.
        int status = 0;
        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        for (int i = 0; i < kSaves && status == 0; ++i) {
            MarkGame(who * 128 + i % 128);
            if (!SaveGameFiles(base, true)) status = 2;
            else if (!ReadGameImages(base + ".KVT", *rec, *map, nullptr)) status = 3;
            else if (reinterpret_cast<const std::uint8_t*>(rec.get())[kGameRecSize - 1] != map->Cell(76, 54).b[0]) status = 4;
        }
        ::_exit(status);
    }
    for (pid_t child : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    // The last save standing is whole, its history included.
    ASSERT_TRUE(ReadGameImages(base + ".KVT", *GameRec, *MapGrid, nullptr));
    const int mark = reinterpret_cast<const std::uint8_t*>(GameRec)[kGameRecSize - 1];
    EXPECT_EQ(MapGrid->Cell(76, 54).b[0], mark);
    ASSERT_TRUE(LoadBattleLog(base + ".BTL"));
    EXPECT_EQ(BattleLog, (std::vector<std::string>{"No History", "mark " + std::to_string(mark)}));
    EXPECT_EQ(Leftovers(), std::set<std::string>{});
}

TEST_F(SaveJournal, TidyingTheFolderFinishesStoppedSavesAndLeavesARunningOneAlone) {
    MarkGame(1);
    for (const char* name : {"running", "early", "late"}) ASSERT_TRUE(SaveGameFiles(Path(name)));
    const TGameOnDisk old = OnDisk(Path("early"));
    MarkGame(2);
    // Paused with both new files written, before its journal: still another program's save.
    const pid_t running = testing::SavePausedAtStep(Path("running"), 3);
    ASSERT_GT(running, 0);
    const std::set<std::string> ofTheRunningSave = Leftovers();
    ASSERT_FALSE(ofTheRunningSave.empty());
    // Killed with its first new file written, and killed after its journal.
    ASSERT_EQ(testing::SaveKilledAtStep(Path("early"), 2), ChildSaveEnd::Killed);
    ASSERT_EQ(testing::SaveKilledAtStep(Path("late"), 4), ChildSaveEnd::Killed);
    ASSERT_NE(Leftovers(), ofTheRunningSave);

    TGameFilesLock::FinishInterruptedSaves(dir);
    EXPECT_EQ(Leftovers(), ofTheRunningSave);
    EXPECT_TRUE(OnDisk(Path("early")) == old) << "undone";
    const TGameOnDisk late = OnDisk(Path("late"));
    const std::string rec(reinterpret_cast<const char*>(GameRec), kGameRecSize);
    EXPECT_TRUE(late.rec == std::vector<char>(rec.begin(), rec.end())) << "finished";
    EXPECT_TRUE(OnDisk(Path("running")) == old) << "the running save's old game is untouched";

    ::kill(running, SIGCONT);
    EXPECT_EQ(testing::WaitForChildSave(running), ChildSaveEnd::Saved);
    EXPECT_TRUE(OnDisk(Path("running")).rec == late.rec);
    EXPECT_EQ(Leftovers(), std::set<std::string>{});
}

TEST_F(SaveJournal, AJournalWithoutItsEndIsASaveThatNeverCommitted) {
    MarkGame(1);
    ASSERT_TRUE(SaveGameFiles(Path("game")));
    const TGameOnDisk old = OnDisk(Path("game"));
    MarkGame(2);
    // Stopped with its journal written and nothing renamed; the journal then loses its last
    // entry, the end, as a stop while it was being written would leave it.
    ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), 4), ChildSaveEnd::Killed);
    std::string journal;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".jnl") journal = e.path().string();
    ASSERT_FALSE(journal.empty());
    fs::resize_file(journal, fs::file_size(journal) - 4);
    auto rec = std::make_unique<TGameRec>();
    auto map = std::make_unique<TMapGrid>();
    EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, nullptr));
    EXPECT_TRUE(OnDisk(Path("game")) == old);
    EXPECT_EQ(Leftovers(), std::set<std::string>{});
}

TEST_F(SaveJournal, ANewFileTheDiskLostBeforeItsFlushUndoesTheSave) {
    // The new files and the journal are flushed together: a stop before the flush is through may
    // leave a whole journal beside a new file cut short or never written. Each way of losing the
    // first or last new file must leave the old game, not a mix.
    enum class Loss { CutShort, Zeroed, OneByte };
    for (const Loss loss : {Loss::CutShort, Loss::Zeroed, Loss::OneByte})
        for (const bool last : {false, true}) {
            SCOPED_TRACE("loss " + std::to_string(static_cast<int>(loss)) + (last ? ", last file" : ", first file"));
            for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
            MarkGame(1);
            ASSERT_TRUE(SaveGameFiles(Path("game"), true));
            const TGameOnDisk old = OnDisk(Path("game"));
            MarkGame(2);
            // Stopped with the journal written and nothing renamed yet: three new files, then the
            // journal, are steps 1 to 4.
            ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), 5, {true, false}), ChildSaveEnd::Killed);
            std::vector<std::string> scratch;
            for (const auto& e : fs::directory_iterator(dir))
                if (e.path().extension() == ".tmp") scratch.push_back(e.path().string());
            ASSERT_EQ(scratch.size(), 3u);
            std::sort(scratch.begin(), scratch.end(), [](const std::string& a, const std::string& b) {
                return std::stoi(a.substr(a.rfind('-') + 1)) < std::stoi(b.substr(b.rfind('-') + 1));
            });
            const std::string lost = last ? scratch.back() : scratch.front();
            const std::uintmax_t size = fs::file_size(lost);
            if (loss == Loss::CutShort) fs::resize_file(lost, size / 2);
            if (loss == Loss::Zeroed) {
                fs::resize_file(lost, 0);
                fs::resize_file(lost, size);
            }
            if (loss == Loss::OneByte) {
                std::fstream f(lost, std::ios::in | std::ios::out | std::ios::binary);
                f.seekp(static_cast<std::streamoff>(size / 2));
                f.put('\x5a');
            }
            auto rec = std::make_unique<TGameRec>();
            auto map = std::make_unique<TMapGrid>();
            EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, nullptr));
            EXPECT_TRUE(LoadBattleLog(Path("game.BTL")));
            EXPECT_TRUE(OnDisk(Path("game")) == old) << "the old game, whole";
            EXPECT_EQ(Leftovers(), std::set<std::string>{});
        }
}

TEST_F(SaveJournal, AByteTheDiskChangedAnywhereInANewFileUndoesTheSave) {
    // Bytes of the first words, of a word near the end and of the last few bytes, which the sum
    // takes a byte at a time: a change in any of them must be found.
    for (const std::size_t at : {std::size_t{0}, std::size_t{8}, std::size_t{16}, std::size_t{31}, kGameRecSize / 32 * 32 + 3,
                                 kGameRecSize - 1}) {
        SCOPED_TRACE("byte " + std::to_string(at) + " of the record");
        for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game")));
        const TGameOnDisk old = OnDisk(Path("game"));
        MarkGame(2);
        // Stopped with the record and the map written and the journal naming them.
        ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), 4), ChildSaveEnd::Killed);
        std::string record;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".tmp" && fs::file_size(e.path()) == kGameRecSize) record = e.path().string();
        ASSERT_FALSE(record.empty());
        std::fstream f(record, std::ios::in | std::ios::out | std::ios::binary);
        f.seekg(static_cast<std::streamoff>(at));
        const char was = static_cast<char>(f.get());
        f.seekp(static_cast<std::streamoff>(at));
        f.put(static_cast<char>(was ^ 0x5a));
        f.close();
        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, nullptr));
        EXPECT_TRUE(OnDisk(Path("game")) == old) << "the old game, whole";
        EXPECT_EQ(Leftovers(), std::set<std::string>{});
    }
}

TEST_F(SaveJournal, AGrownScratchFileIsJudgedByItsSizeAndNeverRead) {
    // A scratch file grown to 2 GiB, once beside a journal that names its true size and once beside
    // one that names the grown size: either way the file is judged unread, in a program that could
    // not hold it in memory.
    for (const bool journalSaysGrown : {false, true}) {
        SCOPED_TRACE(journalSaysGrown ? "the journal names the grown size" : "the journal names the true size");
        for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game")));
        const TGameOnDisk old = OnDisk(Path("game"));
        MarkGame(2);
        // Stopped with the record and the map written and the journal naming them.
        ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), 4), ChildSaveEnd::Killed);
        std::string record, journal;
        for (const auto& e : fs::directory_iterator(dir)) {
            if (e.path().extension() == ".tmp" && fs::file_size(e.path()) == kGameRecSize) record = e.path().string();
            if (e.path().extension() == ".jnl") journal = e.path().string();
        }
        ASSERT_FALSE(record.empty());
        constexpr std::uintmax_t kGrown = std::uintmax_t{2} << 30;
        fs::resize_file(record, kGrown);  // sparse: nothing lies on the disk until it is read
        if (journalSaysGrown) {
            std::vector<char> text = FileBytes(journal);
            std::string s(text.begin(), text.end());
            const std::size_t at = s.find("000000000000a18c");  // the record's size, 41,356
            ASSERT_NE(at, std::string::npos);
            s.replace(at, 16, "0000000080000000");
            std::ofstream(journal, std::ios::binary | std::ios::trunc) << s;
        }
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            if (kAddressSpaceCanBeLimited) {
                const rlimit limit{1u << 30, 1u << 30};
                ::setrlimit(RLIMIT_AS, &limit);
            }
            auto rec = std::make_unique<TGameRec>();
            auto map = std::make_unique<TMapGrid>();
            try {
                ::_exit(ReadGameImages(Path("game.KVT"), *rec, *map, nullptr) ? 0 : 1);
            } catch (const std::bad_alloc&) {
                ::_exit(2);
            }
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << (WEXITSTATUS(status) == 2 ? "the load ran out of memory" : "the load was refused");
        EXPECT_TRUE(OnDisk(Path("game")) == old) << "the old game, whole";
        EXPECT_EQ(Leftovers(), std::set<std::string>{});
    }
}

TEST_F(SaveJournal, ANameTakenByAFolderDeviceOrPipeIsRefusedLikeAnUnwritableFolder) {
    enum class Thing { Folder, Pipe, Device, NoFolder };
    struct Case {
        const char* ext;  // the file of an old game that the thing takes the place of
        Thing thing;
        bool history;
    };
    const Case cases[] = {{".KVT", Thing::Folder, false}, {".KVM", Thing::Folder, true}, {".BTL", Thing::Folder, true},
                          {".KVM", Thing::Pipe, false},   {".KVT", Thing::Device, true}, {".KVT", Thing::NoFolder, false}};
    auto kindOf = [](const std::string& path) {
        const fs::file_status st = fs::symlink_status(path);
        return fs::is_symlink(st) ? "link to " + fs::read_symlink(path).string() : std::to_string(static_cast<int>(st.type()));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.ext) + " thing " + std::to_string(static_cast<int>(c.thing)));
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game"), true));
        const std::string base = c.thing == Thing::NoFolder ? Path("gone/game") : Path("game");
        const std::string blocked = base + c.ext;
        if (c.thing != Thing::NoFolder) fs::remove(blocked);
        if (c.thing == Thing::Folder) fs::create_directory(blocked);
        if (c.thing == Thing::Pipe) ASSERT_EQ(::mkfifo(blocked.c_str(), 0600), 0);
        if (c.thing == Thing::Device) fs::create_symlink("/dev/null", blocked);
        std::map<std::string, std::string> before;
        for (const auto& e : fs::directory_iterator(dir)) before[e.path().filename().string()] = kindOf(e.path().string());
        const TGameOnDisk old = OnDisk(Path("game"));

        MarkGame(2);
        ScriptedFrontend fe;
        fe.ExpectInformationBox();
        EXPECT_FALSE(SaveGameFiles(base, c.history));
        ASSERT_EQ(fe.messages.size(), 1u);
        EXPECT_EQ(fe.messages[0], "The game could not be saved as \"" + base + "\".");
        std::map<std::string, std::string> after;
        for (const auto& e : fs::directory_iterator(dir)) after[e.path().filename().string()] = kindOf(e.path().string());
        EXPECT_EQ(after, before) << "nothing moved aside, nothing left behind";
        EXPECT_TRUE(OnDisk(Path("game")) == old) << "the old game's files are as they were";
    }
}

}  // namespace
}  // namespace kvt

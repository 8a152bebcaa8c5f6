// Saves that are stopped partway, saves of one game by two programs at once, and names taken by
// something that is not a file: the folder always holds one whole game under a name, and nothing of
// a stopped save outlives the next load. Where a second fault leaves nothing to prove what a stopped
// save did, every copy is kept and no game is loaded.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>

#include "engine/world/fnv_hash.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/save_in_child.h"
#include "tests/support/scripted_frontend.h"
#include "tests/support/synthetic_game.h"

namespace kvt {
namespace {

// A child's report through its pipe: written whole, read to the end.
bool WriteWhole(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}
std::string ReadWhole(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

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

// The last byte of a record and a byte of a map, which MarkGame sets.
int RecordMark(const TGameRec& rec) { return reinterpret_cast<const std::uint8_t*>(&rec)[kGameRecSize - 1]; }
int MapMark(const TMapGrid& map) { return map.Cell(76, 54).b[0]; }

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
        GameRec->Day = static_cast<U8>(mark % 3 * 10 + 1);
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
    std::set<std::string> Leftovers(bool withTheLock = true) const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename().string();
            const std::string ext = e.path().extension().string();
            if (ext != ".KVT" && ext != ".KVM" && ext != ".BTL" && (withTheLock || ext != ".lck")) names.insert(name);
        }
        return names;
    }
    // Every file in the folder with its bytes, but the lock file, which comes and goes with each
    // load and save.
    std::map<std::string, std::vector<char>> Folder() const {
        std::map<std::string, std::vector<char>> files;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() != ".lck") files[e.path().filename().string()] = FileBytes(e.path().string());
        return files;
    }
    // The copies a stopped save left: its scratch files and the old files' second names.
    std::vector<std::string> Copies() const {
        std::vector<std::string> paths;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".tmp") paths.push_back(e.path().string());
        return paths;
    }
    // The file whose name holds `part`, or "" when none does.
    std::string FileNamed(const std::string& part) const {
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().filename().string().find(part) != std::string::npos) return e.path().string();
        return "";
    }
    // A stopped save's new files, first to last, each with the name it was to take.
    std::vector<std::pair<std::string, std::string>> NewFiles(bool history) const {
        const std::vector<std::string> names = history ? std::vector<std::string>{"game.BTL", "game.KVT", "game.KVM"}
                                                       : std::vector<std::string>{"game.KVT", "game.KVM"};
        std::vector<std::pair<std::string, std::string>> files;
        for (std::size_t i = 0; i < names.size(); ++i)
            for (const auto& path : Copies())
                if (path.ends_with("-new-of" + std::to_string(names.size()) + "-" + std::to_string(i + 1) + ".tmp"))
                    files.emplace_back(path, names[i]);
        return files;
    }
    // The game marked 1 saved, then a save of it marked 2 killed before its `step`th change.
    bool SaveOneThenStopTwoAt(int step) {
        MarkGame(1);
        if (!SaveGameFiles(Path("game"))) return false;
        MarkGame(2);
        return testing::SaveKilledAtStep(Path("game"), step) == ChildSaveEnd::Killed;
    }
    // Saves the game marked 2 over the game marked 1 (or as a first save) in a child killed with the
    // new record in place and the old map (or none) beside it: the step is found by trying each.
    bool CutBetweenRenames(bool linksFail, bool oldGame) {
        for (int step = 1; step < 40; ++step) {
            for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
            MarkGame(1);
            if (oldGame && !SaveGameFiles(Path("game"))) return false;
            const TGameOnDisk before = OnDisk(Path("game"));
            MarkGame(2);
            const std::string rec(reinterpret_cast<const char*>(GameRec), kGameRecSize);
            if (testing::SaveKilledAtStep(Path("game"), step, {false, linksFail}) != ChildSaveEnd::Killed) return false;
            const TGameOnDisk found = OnDisk(Path("game"));
            if (found.rec == std::vector<char>(rec.begin(), rec.end()) && found.map == before.map) return true;
        }
        return false;
    }
    // Saves the game marked 2 over the game marked 1 in a child killed at the first step where
    // `stopped` holds of the old game and the files found; `prepare` runs after the old game's save.
    // The step, or 0 when no stop leaves such files.
    int CutWhere(const std::function<bool(const TGameOnDisk& old, const TGameOnDisk& found)>& stopped, const TChildSave& how,
                 const std::function<void()>& prepare = {}, const std::string& name = "game") {
        for (int step = 1; step < 40; ++step) {
            for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
            MarkGame(1);
            if (!SaveGameFiles(Path(name), how.withHistory)) return 0;
            if (prepare) prepare();
            const TGameOnDisk old = OnDisk(Path(name));
            MarkGame(2);
            if (testing::SaveKilledAtStep(Path(name), step, how) != ChildSaveEnd::Killed) return 0;
            if (stopped(old, OnDisk(Path(name)))) return step;
        }
        return 0;
    }
    // The game marked 2 as a save writes it.
    TGameOnDisk MarkedGame(int mark, bool withHistory) {
        MarkGame(mark);
        const char* rec = reinterpret_cast<const char*>(GameRec);
        const char* map = reinterpret_cast<const char*>(MapGrid);
        const std::string history = withHistory ? "No History\r\nmark " + std::to_string(mark) + "\r\n" : std::string();
        return {{rec, rec + kGameRecSize}, {map, map + kMapGridSize}, {history.begin(), history.end()}};
    }
    // What a load by a program of another user ("nobody") found, in a child that gives up the
    // superuser's rights: the marks of the game it read, or why it read none. Nothing where the
    // tests do not run as the superuser.
    struct TOtherLoad {
        bool loaded = false;
        int rec = 0, map = 0;
        std::string why;
    };
    // Lets every user reach the folder and read every file in it, as it lets the tests' user.
    void OpenToOthers() {
        fs::permissions(fs::path(dir).parent_path(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
        for (const auto& e : fs::directory_iterator(dir)) fs::permissions(e.path(), fs::perms::others_read, fs::perm_options::add);
    }
    // `whileLoading` runs once the child is about to load.
    std::optional<TOtherLoad> LoadAsAnotherUser(const std::string& file, const std::function<void()>& whileLoading = {}) {
        if (::geteuid() != 0) return std::nullopt;
        int channel[2];
        if (::pipe(channel) != 0) return std::nullopt;
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
            if (::write(channel[1], "!", 1) != 1) ::_exit(3);
            auto rec = std::make_unique<TGameRec>();
            auto map = std::make_unique<TMapGrid>();
            std::string why;
            const bool loaded = ReadGameImages(file, *rec, *map, &why);
            const std::string report =
                loaded ? "+" + std::to_string(RecordMark(*rec)) + " " + std::to_string(MapMark(*map)) : "-" + why;
            if (!WriteWhole(channel[1], report)) ::_exit(3);
            ::_exit(0);
        }
        ::close(channel[1]);
        char ready = 0;
        const bool started = ::read(channel[0], &ready, 1) == 1;
        if (started && whileLoading) whileLoading();
        const std::string report = ReadWhole(channel[0]);
        ::close(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        TOtherLoad load;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report.empty()) {
            load.why = "the child failed, status " + std::to_string(status);
        } else if (report[0] == '+') {
            load.loaded = true;
            std::istringstream(report.substr(1)) >> load.rec >> load.map;
        } else {
            load.why = report.substr(1);
        }
        return load;
    }
    // What `work` reports, run in a child as this user or as another ("nobody"); "hung" when it
    // had not ended after half a minute. Nothing when another user is asked for and the tests do
    // not run as the superuser. Started children run side by side until each is finished.
    struct TChild {
        pid_t pid = -1;
        int channel = -1;
    };
    std::optional<TChild> StartInChild(const std::function<std::string()>& work, bool anotherUser = false) {
        if (anotherUser && ::geteuid() != 0) return std::nullopt;
        int channel[2];
        if (::pipe(channel) != 0) return std::nullopt;
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            if (anotherUser && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
            ::alarm(30);
            const std::string report = work();
            if (!WriteWhole(channel[1], report)) ::_exit(3);
            ::_exit(0);
        }
        ::close(channel[1]);
        return TChild{child, channel[0]};
    }
    static std::string Finish(const TChild& child) {
        const std::string report = ReadWhole(child.channel);
        ::close(child.channel);
        int status = 0;
        ::waitpid(child.pid, &status, 0);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) return "hung";
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child failed, status " + std::to_string(status);
        return report;
    }
    std::optional<std::string> InChild(const std::function<std::string()>& work, bool anotherUser = false) {
        const std::optional<TChild> child = StartInChild(work, anotherUser);
        if (!child) return std::nullopt;
        return Finish(*child);
    }
    // A load's refusal, or "loaded" with the marks of the game read.
    std::string Load(const std::string& file, std::string* note = nullptr) {
        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        std::string why;
        if (!ReadGameImages(file, *rec, *map, &why, nullptr, note)) return why;
        return "loaded " + std::to_string(RecordMark(*rec)) + " " + std::to_string(MapMark(*map));
    }
    // A save's message, or "saved".
    static std::string Save(const std::string& base, bool withHistory = false) {
        ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        if (SaveGameFiles(base, withHistory)) return std::string("saved");
        return fe.messages.empty() ? std::string("refused unsaid") : fe.messages[0];
    }
    // The name of a game's lock file, journal or scratch files begin with.
    static std::string TagOf(const std::string& lowerCaseName) {
        std::ostringstream hash;
        hash << "~kvt-" << std::hex << std::setw(16) << std::setfill('0')
             << Fnv1a(kFnvOffsetBasis, lowerCaseName.data(), lowerCaseName.size());
        return hash.str();
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

TEST_F(SaveJournal, AStopWhileFinishingACutSaveStillLeavesTheWholeOldOrTheWholeNewGame) {
    // A save stopped at each of its steps, then the load that finishes or undoes it stopped at each
    // of its own: the load after that finds one whole game and nothing left over.
    for (const TChildSave how : {TChildSave{true, false}, TChildSave{false, true}}) {
        SCOPED_TRACE(how.withHistory ? "with the history" : "links refused");
        int stopsInAFinish = 0;
        bool saved = false;
        for (int step = 1; !saved; ++step) {
            ASSERT_LT(step, 40) << "the save never ran to its end";
            for (int finishStep = 1;; ++finishStep) {
                ASSERT_LT(finishStep, 40) << "finishing the save never ran to its end";
                SCOPED_TRACE("save stopped at " + std::to_string(step) + ", its finish at " + std::to_string(finishStep));
                for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
                MarkGame(1);
                ASSERT_TRUE(SaveGameFiles(Path("game"), how.withHistory));
                const TGameOnDisk before = OnDisk(Path("game"));
                MarkGame(2);
                const char* recBytes = reinterpret_cast<const char*>(GameRec);
                const char* mapBytes = reinterpret_cast<const char*>(MapGrid);
                const std::string history = "No History\r\nmark 2\r\n";
                const TGameOnDisk after{{recBytes, recBytes + kGameRecSize},
                                        {mapBytes, mapBytes + kMapGridSize},
                                        how.withHistory ? std::vector<char>(history.begin(), history.end()) : before.history};
                saved = testing::SaveKilledAtStep(Path("game"), step, how) == ChildSaveEnd::Saved;
                const bool stopped = !saved && testing::LoadKilledAtStep(Path("game.KVT"), finishStep);
                stopsInAFinish += stopped;

                auto rec = std::make_unique<TGameRec>();
                auto map = std::make_unique<TMapGrid>();
                EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, nullptr));
                if (how.withHistory) LoadBattleLog(Path("game.BTL"));
                const TGameOnDisk found = OnDisk(Path("game"));
                EXPECT_TRUE(found == before || found == after) << "a mixed game";
                EXPECT_TRUE(std::equal(found.rec.begin(), found.rec.end(), reinterpret_cast<const char*>(rec.get())));
                EXPECT_EQ(Leftovers(), std::set<std::string>{});
                if (!stopped) break;
            }
        }
        EXPECT_GT(stopsInAFinish, 10) << "stops fell inside the finishing of saves";
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

TEST_F(SaveJournal, FilesNamedOnlyLikeASavesAreNeitherRemovedNorInTheWayOfALoad) {
    // A person's own files, or another program's, that a save never writes: a field where the
    // process id and counter go that is not two numbers, an upper-case tag, a leading zero, a new
    // file numbered past its count.
    const std::string name = "game";
    std::ostringstream hash;
    hash << std::hex << std::setw(16) << std::setfill('0') << Fnv1a(kFnvOffsetBasis, name.data(), name.size());
    const std::string tag = "~kvt-" + hash.str();
    std::string upperHash = hash.str();
    std::transform(upperHash.begin(), upperHash.end(), upperHash.begin(), [](unsigned char c) { return std::toupper(c); });
    const std::vector<std::string> alike = {tag + "-my notes-new-of1-1.tmp", "~kvt-ABCDEF0123456789-12-1-new-of1-1.tmp",
                                            "~kvt-" + upperHash + "-12-1-new-of1-1.tmp", tag + "--new-of1-1.tmp",
                                            tag + "-012-1-new-of1-1.tmp", tag + "-12-3-new-of2-3.tmp", tag + "-12-3-old-1-x.tmp"};
    std::vector<std::vector<std::string>> cases;
    for (const std::string& n : alike) cases.push_back({n});
    cases.push_back(alike);
    for (const auto& names : cases) {
        SCOPED_TRACE(names.size() == 1 ? names[0] : "all of them");
        for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path(name)));
        for (const std::string& n : names) std::ofstream(Path(n)) << "a person's notes";
        const auto before = Folder();
        ASSERT_EQ(before.size(), names.size() + 2);

        TGameFilesLock::FinishInterruptedSaves(dir);
        EXPECT_TRUE(Folder() == before) << "removed by the tidying at start-up";
        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        std::string why;
        EXPECT_TRUE(ReadGameImages(Path(name + ".KVT"), *rec, *map, &why)) << why;
        EXPECT_TRUE(Folder() == before) << "removed by a load";
        MarkGame(2);
        EXPECT_TRUE(SaveGameFiles(Path(name)));
        for (const std::string& n : names) EXPECT_TRUE(fs::exists(Path(n))) << n << " removed by a save";
    }
}

TEST_F(SaveJournal, FilesAnEarlierVersionLeftStandInNoLoadsOrSavesWay) {
    // An earlier version named every file of a save "<tag>-<pid>-<n>.tmp", wrote its journal before
    // moving anything and removed it only after every rename: without its journal the game is
    // whole, and what it left lies where it is, in nobody's way. Its journal, which later saves
    // still read, finishes its save; damaged, it proves nothing, and nothing is read or removed.
    const std::string tag = TagOf("game");
    const TGameOnDisk one = MarkedGame(1, false), two = MarkedGame(2, false);
    auto text = [](const std::vector<char>& bytes) { return std::string(bytes.begin(), bytes.end()); };
    // The journal as that version wrote it: scratch, second and target names, size and checksum;
    // damaged, it has a byte garbled, or names as the map's target a file of another kind or game.
    // Whole, it may name a new file the disk changed since.
    enum class Damage { None, AByte, AnotherKind, AnotherGame, ScratchChanged };
    auto journal = [&](Damage damage) {
        auto hex = [](std::uint64_t v) {
            std::ostringstream s;
            s << std::hex << std::setw(16) << std::setfill('0') << v;
            return s.str();
        };
        auto sum = [](const std::vector<char>& b) {
            std::uint64_t h = kFnvOffsetBasis;
            std::size_t i = 0;
            for (; i + 8 <= b.size(); i += 8) {
                std::uint64_t word = 0;
                for (int k = 7; k >= 0; --k) word = word << 8 | static_cast<std::uint8_t>(b[i + static_cast<std::size_t>(k)]);
                h = (h ^ word) * 0x100000001b3ULL;
            }
            return Fnv1a(h, b.data() + i, b.size() - i);
        };
        std::string j = std::string("kvt save journal 2") + '\0';
        for (const auto& [scratch, backup, target, bytes] :
             {std::tuple{tag + "-4242-1.tmp", tag + "-4242-2.tmp", "game.KVT", two.rec},
              std::tuple{tag + "-4242-3.tmp", tag + "-4242-4.tmp",
                         damage == Damage::AnotherKind ? "game.KVL" : damage == Damage::AnotherGame ? "gamd.KVM" : "game.KVM", two.map}})
            for (const std::string& field : {scratch, backup, std::string(target), hex(bytes.size()), hex(sum(bytes))})
                j += field + '\0';
        j += std::string("end") + '\0';
        if (damage == Damage::AByte) j[j.size() / 2] ^= 0x5a;
        return j;
    };
    enum class Left { ScratchBeforeItsJournal, OldFileAfterItsJournal, JournalBetweenRenames, JournalBeforeRenames };
    const struct {
        Left left;
        Damage damage;
        int loads;  // the mark of the game loaded, 0 for none
        std::set<std::string> leftAlone;
    } cases[] = {{Left::ScratchBeforeItsJournal, Damage::None, 1, {tag + "-4242-1.tmp"}},
                 {Left::OldFileAfterItsJournal, Damage::None, 2, {tag + "-4242-2.tmp"}},
                 {Left::JournalBetweenRenames, Damage::None, 2, {}},
                 {Left::JournalBeforeRenames, Damage::None, 2, {}},
                 {Left::JournalBetweenRenames, Damage::AByte, 0, {}},
                 {Left::JournalBetweenRenames, Damage::AnotherKind, 0, {}},
                 {Left::JournalBetweenRenames, Damage::AnotherGame, 0, {}},
                 {Left::JournalBeforeRenames, Damage::ScratchChanged, 1, {tag + "-4242-1.tmp", tag + "-4242-3.tmp"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE("left " + std::to_string(static_cast<int>(c.left)) + ", damage " + std::to_string(static_cast<int>(c.damage)));
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
        auto put = [&](const std::string& name, const std::string& bytes) {
            std::ofstream(Path(name), std::ios::binary | std::ios::trunc) << bytes;
        };
        const bool recPlaced = c.left != Left::ScratchBeforeItsJournal && c.left != Left::JournalBeforeRenames;
        const bool mapPlaced = c.left == Left::OldFileAfterItsJournal;
        put("game.KVT", text(recPlaced ? two.rec : one.rec));
        put("game.KVM", text(mapPlaced ? two.map : one.map));
        if (!recPlaced) put(tag + "-4242-1.tmp", text(two.rec));
        if (recPlaced) put(tag + "-4242-2.tmp", text(one.rec));
        if (c.left != Left::ScratchBeforeItsJournal && !mapPlaced) put(tag + "-4242-3.tmp", text(two.map));
        if (c.left >= Left::JournalBetweenRenames) put(tag + ".jnl", journal(c.damage));
        if (c.damage == Damage::ScratchChanged) put(tag + "-4242-1.tmp", text(one.rec));
        const auto before = Folder();

        EXPECT_EQ(Load(Path("game.KVT")), c.loads ? "loaded " + std::to_string(c.loads) + " " + std::to_string(c.loads)
                                                  : "The last save of \"" + Path("game.KVT") + "\" was interrupted, and what it "
                                                    "left cannot be proved whole: nothing was read or removed. The game lies in \"" +
                                                        Path("game.KVT") + "\", \"" + Path("game.KVM") + "\" and what that save left: \"" +
                                                        Path(tag + "-4242-2.tmp") + "\" (a file of that save), \"" +
                                                        Path(tag + "-4242-3.tmp") + "\" (a file of that save) and \"" +
                                                        Path(tag + ".jnl") + "\" (that save's journal).");
        if (!c.loads) {
            EXPECT_TRUE(Folder() == before) << "nothing removed";
            continue;
        }
        EXPECT_EQ(Leftovers(), c.leftAlone);
        MarkGame(3);
        EXPECT_EQ(Save(Path("game")), "saved");
        EXPECT_EQ(Load(Path("game.KVT")), "loaded 3 3");
        EXPECT_EQ(Leftovers(), c.leftAlone);
        TGameFilesLock::FinishInterruptedSaves(dir);
        EXPECT_EQ(Leftovers(), c.leftAlone) << "left alone by the tidying at start-up";
    }
}

TEST_F(SaveJournal, ProgramsSetForAnyLanguageShareAGamesLockJournalAndFiles) {
    // Set for Turkish, the C library lowers "I" to itself (its small letter is a dotless i). A
    // program set so still names a game's lock and journal, and finds its files ignoring case, as
    // every other program does: a save cut by either is finished by the other, and a save under
    // the name in capitals replaces the game's files.
    const std::string locales = testing::TempFolder("locales");
    if (std::system(("localedef -i tr_TR -f UTF-8 " + locales + "/tr_TR.UTF-8 >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "no Turkish locale can be made here";
    struct TLocalePath {
        explicit TLocalePath(const std::string& folder) { ::setenv("LOCPATH", folder.c_str(), 1); }
        ~TLocalePath() { ::unsetenv("LOCPATH"); }
    } localePath(locales);
    struct TInTurkish {
        TInTurkish() { std::setlocale(LC_ALL, "tr_TR.UTF-8"); }
        ~TInTurkish() { std::setlocale(LC_ALL, "C"); }
    };
    {
        const TInTurkish turkish;
        const volatile int capitalI = 'I';  // asked of the library as it runs, not folded by the compiler
        if (std::tolower(capitalI) == 'i') GTEST_SKIP() << "this C library lowers \"I\" as everywhere else";
    }
    auto mixedStop = [](const TGameOnDisk& old, const TGameOnDisk& found) {
        return !found.rec.empty() && found.rec != old.rec && found.map == old.map;
    };
    for (const bool cutInTurkish : {false, true}) {
        SCOPED_TRACE(cutInTurkish ? "cut in Turkish, loaded here" : "cut here, loaded in Turkish");
        int step = 0;
        if (cutInTurkish) {
            const TInTurkish turkish;
            step = CutWhere(mixedStop, {}, {}, "Invasion");
        } else {
            step = CutWhere(mixedStop, {}, {}, "Invasion");
        }
        ASSERT_GT(step, 0);
        std::string loaded;
        if (cutInTurkish) {
            loaded = Load(Path("Invasion.KVT"));
        } else {
            const TInTurkish turkish;
            loaded = Load(Path("Invasion.KVT"));
        }
        EXPECT_EQ(loaded, "loaded 2 2");
        EXPECT_EQ(Leftovers(), std::set<std::string>{});
    }
    MarkGame(3);
    {
        const TInTurkish turkish;
        EXPECT_EQ(Save(Path("INVASION")), "saved");
    }
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"Invasion.KVT", "Invasion.KVM"})) << "the game's own files replaced";
    EXPECT_EQ(Load(Path("Invasion.KVT")), "loaded 3 3");
}

TEST_F(SaveJournal, AJournalWithoutItsEndIsASaveThatNeverCommitted) {
    MarkGame(1);
    ASSERT_TRUE(SaveGameFiles(Path("game")));
    const TGameOnDisk old = OnDisk(Path("game"));
    MarkGame(2);
    // Stopped with its journal written but not put in place; the journal then loses its last
    // entry, the end, as a stop while it was being written would leave it.
    ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), 3), ChildSaveEnd::Killed);
    std::string journal;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().string().ends_with("-journal.tmp")) journal = e.path().string();
    ASSERT_FALSE(journal.empty());
    fs::resize_file(journal, fs::file_size(journal) - 4);
    auto rec = std::make_unique<TGameRec>();
    auto map = std::make_unique<TMapGrid>();
    EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, nullptr));
    EXPECT_TRUE(OnDisk(Path("game")) == old);
    EXPECT_EQ(Leftovers(), std::set<std::string>{});
}

TEST_F(SaveJournal, ANewFileTheDiskLostAfterTheCommitLeavesTheOldGameAndKeepsTheSavesFiles) {
    // Flushed before the commit, a new file lost beside a whole journal is a second fault: the old
    // game stays, and every file the save wrote is kept where the player is told. With the middle
    // one gone, the first still under its scratch name shows that nothing was put in place.
    enum class Loss { CutShort, Zeroed, OneByte, Gone };
    for (const Loss loss : {Loss::CutShort, Loss::Zeroed, Loss::OneByte, Loss::Gone})
        for (const bool last : {false, true}) {
            if (loss == Loss::Gone && !last) continue;
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
            const std::string lost = loss == Loss::Gone ? scratch[1] : last ? scratch.back() : scratch.front();
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
            if (loss == Loss::Gone) fs::remove(lost);
            std::erase_if(scratch, [](const std::string& path) { return !fs::exists(path); });
            auto rec = std::make_unique<TGameRec>();
            auto map = std::make_unique<TMapGrid>();
            std::string note;
            EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, nullptr, nullptr, &note));
            EXPECT_TRUE(LoadBattleLog(Path("game.BTL")));
            EXPECT_TRUE(OnDisk(Path("game")) == old) << "the old game, whole";
            std::set<std::string> kept;
            for (const std::string& path : scratch) kept.insert(fs::path(path).filename().string());
            for (const std::string& path : scratch) EXPECT_NE(note.find('"' + path + '"'), std::string::npos) << note;
            EXPECT_EQ(Leftovers(), kept);
            EXPECT_EQ(Load(Path("game.KVT")), "loaded 1 1") << "and again, without the journal";
            EXPECT_EQ(Leftovers(), kept);
        }
}

TEST_F(SaveJournal, AByteTheDiskChangedAnywhereInANewFileIsFoundAndTheOldGameRead) {
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
        std::string note;
        EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, nullptr, nullptr, &note));
        EXPECT_TRUE(OnDisk(Path("game")) == old) << "the old game, whole";
        EXPECT_NE(note.find("\"" + record + "\" (to be \"game.KVT\")"), std::string::npos) << note;
        EXPECT_EQ(Leftovers().size(), 2u) << "the save's record and map, kept";
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
        // Whatever size the journal names, nothing proves the new files scratch: they stay.
        EXPECT_EQ(Leftovers().size(), 2u);
        for (const std::string& name : Leftovers()) EXPECT_TRUE(name.ends_with(".tmp")) << name;
    }
}

TEST_F(SaveJournal, ACutSaveThatItsJournalCannotProveIsKeptWholeAndNotLoaded) {
    // Stopped with the new record in place and the old map beside it, then a second fault: the
    // journal lost, garbled or cut short, or the map's scratch file changed. Nothing says what
    // the save had done: every copy stays, and the mixed pair is not loaded.
    enum class Damage { JournalLost, JournalGarbled, JournalCutShort, ScratchChanged };
    const struct {
        Damage damage;
        bool linksFail, oldGame;
    } cases[] = {{Damage::JournalLost, false, true},     {Damage::JournalLost, true, true},
                 {Damage::JournalLost, false, false},    {Damage::JournalGarbled, false, true},
                 {Damage::JournalCutShort, true, true},  {Damage::JournalCutShort, false, false},
                 {Damage::ScratchChanged, false, true},  {Damage::ScratchChanged, true, true},
                 {Damage::ScratchChanged, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("damage " + std::to_string(static_cast<int>(c.damage)) + (c.linksFail ? ", links refused" : "") +
                     (c.oldGame ? ", over an old game" : ", a first save"));
        ASSERT_TRUE(CutBetweenRenames(c.linksFail, c.oldGame));
        std::string journal;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".jnl") journal = e.path().string();
        ASSERT_FALSE(journal.empty());
        switch (c.damage) {
            case Damage::JournalLost: fs::remove(journal); break;
            case Damage::JournalGarbled: {
                const std::uintmax_t size = fs::file_size(journal);
                std::ofstream(journal, std::ios::binary | std::ios::trunc) << std::string(size, '?');
                break;
            }
            case Damage::JournalCutShort: fs::resize_file(journal, fs::file_size(journal) - 4); break;
            case Damage::ScratchChanged:
                for (const std::string& copy : Copies())
                    if (fs::file_size(copy) == kMapGridSize) {
                        std::fstream f(copy, std::ios::in | std::ios::out | std::ios::binary);
                        f.seekp(100);
                        f.put('\x5a');
                    }
                break;
        }
        const std::vector<std::string> copies = Copies();
        ASSERT_FALSE(copies.empty());
        const auto before = Folder();
        MarkGame(3);
        const std::vector<char> inPlay(reinterpret_cast<const char*>(GameRec),
                                       reinterpret_cast<const char*>(GameRec) + kGameRecSize);

        ScriptedFrontend fe;
        fe.ExpectInformationBox();
        const bool loaded = LoadGameImages(Path("game.KVT"));
        const bool mixed = reinterpret_cast<const std::uint8_t*>(GameRec)[kGameRecSize - 1] == 2 && MapGrid->Cell(76, 54).b[0] == 1;
        EXPECT_FALSE(loaded) << (mixed ? "the new record was loaded with the old map" : "a game was loaded");
        EXPECT_EQ(fe.messages.size(), 1u);
        const std::string told = fe.messages.empty() ? std::string() : fe.messages[0];
        EXPECT_EQ(told.find("The last save of \"" + Path("game.KVT") + "\" was interrupted"), 0u) << told;
        std::vector<std::string> named = {Path("game.KVT"), Path("game.KVM")};
        named.insert(named.end(), copies.begin(), copies.end());
        for (const std::string& file : named) EXPECT_NE(told.find("\"" + file + "\""), std::string::npos) << file << " in " << told;
        if (!loaded) EXPECT_EQ(std::memcmp(GameRec, inPlay.data(), kGameRecSize), 0) << "the game in play is kept";
        EXPECT_TRUE(Folder() == before) << "nothing removed or moved by the load";

        // Neither the tidying at start-up nor a save under that name takes a copy away.
        TGameFilesLock::FinishInterruptedSaves(dir);
        fe.ExpectInformationBox();
        EXPECT_FALSE(SaveGameFiles(Path("game")));
        EXPECT_TRUE(Folder() == before) << "nothing removed or moved by a tidy or a save";
    }
}

TEST_F(SaveJournal, AJournalGarbledInOneByteNeitherLoadsAMixedGameNorLosesOneNorTouchesAnotherFile) {
    // A save stopped at each step that leaves its journal, then one byte of the journal garbled (a
    // bit flipped, a letter's case changed, the byte zeroed): each byte of the names of the files
    // it puts in place each way, every fifth of the others one way, the ways taken in turn. The load reads a whole game or
    // none; refused, it keeps every game that lay whole; and the player's own "game.KVL", one
    // letter from the map's name, is never written.
    for (const bool history : {false, true}) {
        SCOPED_TRACE(history ? "with the history" : "without the history");
        int garbled = 0;
        for (int step = 1;; ++step) {
            ASSERT_LT(step, 40) << "the save never ran to its end";
            for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
            std::ofstream(Path("game.KVL")) << "a player's own";
            const TGameOnDisk one = MarkedGame(1, history);
            ASSERT_TRUE(SaveGameFiles(Path("game"), history));
            const TGameOnDisk two = MarkedGame(2, history);
            if (testing::SaveKilledAtStep(Path("game"), step, {history, false}) == ChildSaveEnd::Saved) break;
            const std::string journal = Path(TagOf("game") + ".jnl");
            if (!fs::exists(journal)) continue;
            // The folder as the stop left it, hard links kept as links.
            auto bytesOf = [](const std::string& path) {
                std::ostringstream bytes;
                bytes << std::ifstream(path, std::ios::binary).rdbuf();
                return bytes.str();
            };
            struct TEntry {
                std::string name, bytes, linkOf;
            };
            std::vector<TEntry> stopped;
            std::map<std::pair<dev_t, ino_t>, std::string> firstName;
            for (const auto& e : fs::directory_iterator(dir)) {
                struct stat st {};
                ASSERT_EQ(::stat(e.path().c_str(), &st), 0);
                const auto [at, first] = firstName.emplace(std::pair{st.st_dev, st.st_ino}, e.path().filename().string());
                stopped.push_back({e.path().filename().string(), bytesOf(e.path().string()), first ? "" : at->second});
            }
            auto holds = [&](const TGameOnDisk& game) {
                std::set<std::string> contents;
                for (const auto& e : fs::directory_iterator(dir))
                    if (fs::is_regular_file(e.path())) contents.insert(bytesOf(e.path().string()));
                auto has = [&](const std::vector<char>& bytes) { return contents.count(std::string(bytes.begin(), bytes.end())) > 0; };
                return has(game.rec) && has(game.map) && (!history || has(game.history));
            };
            // What the stop left, journal aside, is put back as it was for every garbling.
            const bool oneWhole = holds(one), twoWhole = holds(two);
            const std::string original = bytesOf(journal);
            std::set<std::size_t> ofTargets;
            for (const std::string target : {"game.KVT", "game.KVM", "game.BTL"})
                for (std::size_t at = original.find(target); at != std::string::npos; at = original.find(target, at + 1))
                    for (std::size_t i = 0; i < target.size(); ++i) ofTargets.insert(at + i);
            std::vector<std::pair<std::size_t, int>> garbles;
            for (std::size_t at = 0; at < original.size(); ++at) {
                if (ofTargets.count(at))
                    for (const int how : {0, 1, 2}) garbles.emplace_back(at, how);
                else if (at % 5 == 0)
                    garbles.emplace_back(at, static_cast<int>((at / 5 + static_cast<std::size_t>(step)) % 3));
            }
            for (const auto& [at, how] : garbles) {
                std::string bytes = original;
                bytes[at] = how == 2 ? '\0' : static_cast<char>(bytes[at] ^ (how == 0 ? 0x01 : 0x20));
                if (bytes == original) continue;
                for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
                for (const TEntry& e : stopped)
                    if (e.linkOf.empty()) std::ofstream(Path(e.name), std::ios::binary) << (e.name == fs::path(journal).filename() ? bytes : e.bytes);
                for (const TEntry& e : stopped)
                    if (!e.linkOf.empty()) fs::create_hard_link(Path(e.linkOf), Path(e.name));
                ++garbled;

                auto rec = std::make_unique<TGameRec>();
                auto map = std::make_unique<TMapGrid>();
                TBattleLogRead read;
                const bool loaded = ReadGameImages(Path("game.KVT"), *rec, *map, nullptr, history ? &read : nullptr);
                const std::string where = "step " + std::to_string(step) + ", byte " + std::to_string(at) + ", garbled " +
                                          std::to_string(how);
                if (loaded) {
                    const int mark = RecordMark(*rec);
                    EXPECT_TRUE((mark == 1 || mark == 2) && MapMark(*map) == mark) << where << ": record " << mark << ", map "
                                                                                   << MapMark(*map);
                    if (history)
                        EXPECT_EQ(read.lines, (std::vector<std::string>{"No History", "mark " + std::to_string(mark)})) << where;
                } else {
                    EXPECT_TRUE(!oneWhole || holds(one)) << where << ": the old game lost";
                    EXPECT_TRUE(!twoWhole || holds(two)) << where << ": the new game lost";
                }
                EXPECT_EQ(bytesOf(Path("game.KVL")), "a player's own") << where;
                if (::testing::Test::HasFailure()) return;
            }
        }
        EXPECT_GT(garbled, 300) << "journals garbled after stops on both sides of the commit";
    }
}

TEST_F(SaveJournal, AWholeJournalWhoseFilesCannotBeProvedIsKeptAndNotLoaded) {
    // Stopped with the new record in place beside the old map, then every scratch file and
    // second name removed (a cleaner of "*.tmp" files): the journal alone is left, naming a map
    // that is not in place. Nothing proves the game whole, so nothing is read or removed.
    for (const bool linksFail : {false, true})
        for (const bool history : {false, true}) {
            SCOPED_TRACE(std::string(linksFail ? "links refused" : "links made") + (history ? ", with the history" : ""));
            const int step = CutWhere([](const TGameOnDisk& old, const TGameOnDisk& found) {
                return !found.rec.empty() && found.rec != old.rec && found.map == old.map;
            }, {history, linksFail});
            ASSERT_GT(step, 0);
            for (const std::string& copy : Copies()) fs::remove(copy);
            const auto before = Folder();
            std::string journal;
            for (const auto& [name, bytes] : before)
                if (name.ends_with(".jnl")) journal = Path(name);
            ASSERT_FALSE(journal.empty());

            ScriptedFrontend fe;
            fe.ExpectInformationBox();
            MarkGame(3);
            EXPECT_FALSE(LoadGameImages(Path("game.KVT")));
            EXPECT_EQ(RecordMark(*GameRec), 3) << "the game in play is kept";
            ASSERT_EQ(fe.messages.size(), 1u);
            const std::string& told = fe.messages[0];
            EXPECT_EQ(told.find("The last save of \"" + Path("game.KVT") + "\" was interrupted"), 0u) << told;
            for (const std::string& file : {Path("game.KVT"), Path("game.KVM"), journal})
                EXPECT_NE(told.find("\"" + file + "\""), std::string::npos) << file << " in " << told;
            EXPECT_TRUE(Folder() == before) << "nothing removed by the load";
            TGameFilesLock::FinishInterruptedSaves(dir);
            fe.ExpectInformationBox();
            EXPECT_FALSE(SaveGameFiles(Path("game"), history));
            EXPECT_TRUE(Folder() == before) << "nothing removed by a tidy or a save";
        }
}

TEST_F(SaveJournal, AReadOnlyFolderLoadsWhatItsJournalProvesAndNothingElse) {
    // Read by another user, who may not write there. A save through but for old files' second
    // names the disk kept: every file is in place and proved, and the game is read. A journal whose
    // scratch files a cleaner removed after a stop between renames: nothing proves the map.
    enum class Left { SecondNames, JournalAlone };
    const struct {
        Left left;
        bool loads;
    } cases[] = {{Left::SecondNames, true}, {Left::JournalAlone, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.left == Left::SecondNames ? "second names left" : "the journal alone");
        if (c.left == Left::SecondNames) {
            for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
            MarkGame(1);
            ASSERT_TRUE(SaveGameFiles(Path("game")));
            MarkGame(2);
            SetFileRemover([](const char* path) {
                if (std::string_view(path).find("-old-") == std::string_view::npos) return ::unlink(path);
                errno = EROFS;
                return -1;
            });
            EXPECT_TRUE(SaveGameFiles(Path("game")));
            SetFileRemover(nullptr);
        } else {
            ASSERT_GT(CutWhere([](const TGameOnDisk& old, const TGameOnDisk& found) {
                return !found.rec.empty() && found.rec != old.rec && found.map == old.map;
            }, {}), 0);
            for (const std::string& copy : Copies()) fs::remove(copy);
        }
        std::string journal;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".jnl") journal = e.path().string();
        ASSERT_FALSE(journal.empty());
        const auto before = Folder();
        OpenToOthers();
        fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
        const auto load = LoadAsAnotherUser(Path("game.KVT"));
        fs::permissions(dir, fs::perms::owner_all);
        if (!load) GTEST_SKIP() << "only the superuser can load as another user";
        EXPECT_EQ(load->loaded, c.loads) << load->why;
        if (load->loaded) {
            EXPECT_EQ(load->rec, 2);
            EXPECT_EQ(load->map, 2);
        } else {
            const std::string told = "The last save of \"" + Path("game.KVT") + "\" was interrupted, and what it left cannot be proved";
            EXPECT_EQ(load->why.find(told), 0u)
                << load->why;
            EXPECT_NE(load->why.find("\"" + journal + "\""), std::string::npos) << load->why;
        }
        EXPECT_TRUE(Folder() == before);
    }
}

TEST_F(SaveJournal, AFolderOrJournalThatCannotBeReadRefusesTheLoadAndKeepsEverything) {
    // Stopped with the new record in place beside the old map, or with every new file in place
    // and the old files' second names still there; then another user loads, who may not list the
    // folder, or may not read the journal that a cleaner of "*.tmp" files left alone. Without them
    // what the save did cannot be told: nothing is read or removed, and the message names what
    // could not be read. The owner's next load finishes the save.
    enum class Unread { FolderWritable, FolderNotWritable, Journal };
    const struct {
        Unread unread;
        bool placed;  // every new file in place
    } cases[] = {{Unread::FolderWritable, false}, {Unread::FolderWritable, true}, {Unread::FolderNotWritable, false},
                 {Unread::Journal, false}};
    for (const auto& c : cases) {
        const Unread unread = c.unread;
        SCOPED_TRACE("unread " + std::to_string(static_cast<int>(unread)) + (c.placed ? ", every new file placed" : ""));
        ASSERT_GT(CutWhere([&](const TGameOnDisk& old, const TGameOnDisk& found) {
            return !found.rec.empty() && found.rec != old.rec && (c.placed ? found.map != old.map : found.map == old.map);
        }, {}), 0);
        std::string journal;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".jnl") journal = e.path().string();
        ASSERT_FALSE(journal.empty());
        if (unread == Unread::Journal)
            for (const std::string& copy : Copies()) fs::remove(copy);
        // The stopped save's lock file goes too, so that the other user makes one of his own.
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".lck") fs::remove(e.path());
        const auto before = Folder();
        const TGameOnDisk saved = MarkedGame(2, false);

        const fs::perms all = fs::perms::owner_all | fs::perms::group_all | fs::perms::others_all;
        const fs::perms writeAndSearch = fs::perms::others_write | fs::perms::others_exec;
        fs::permissions(dir, unread == Unread::FolderWritable      ? fs::perms::owner_all | writeAndSearch
                             : unread == Unread::FolderNotWritable ? fs::perms::owner_all | fs::perms::others_exec
                                                                   : all);
        OpenToOthers();
        // Another user's journal, as a save under a strict mask leaves it.
        if (unread == Unread::Journal) fs::permissions(journal, fs::perms::owner_read | fs::perms::owner_write);
        const std::optional<TOtherLoad> load = LoadAsAnotherUser(Path("game.KVT"));
        fs::permissions(dir, fs::perms::owner_all);
        if (!load) GTEST_SKIP() << "only the superuser can load as another user";
        EXPECT_FALSE(load->loaded) << "a game read, record " << load->rec << " map " << load->map;
        const std::string named = unread == Unread::Journal ? journal : dir;
        EXPECT_EQ(load->why.find("The game \"" + Path("game.KVT") + "\" cannot be opened: "), 0u) << load->why;
        EXPECT_NE(load->why.find("\"" + named + "\" cannot be "), std::string::npos) << load->why;
        EXPECT_TRUE(Folder() == before) << "nothing removed";

        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        std::string why;
        if (unread == Unread::Journal) {
            EXPECT_FALSE(ReadGameImages(Path("game.KVT"), *rec, *map, &why)) << "the journal alone proves no map";
        } else {
            EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, &why)) << why;
            EXPECT_TRUE(OnDisk(Path("game")) == saved) << "the save finished by its owner";
            EXPECT_EQ(Leftovers(), std::set<std::string>{});
        }
    }
}

TEST_F(SaveJournal, AnotherUsersLockFileIsTakenAsALockWhereverTheFolderLetsHimWrite) {
    // The game's owner saves; another user, who may write in the folder (or not), loads. The
    // owner's lock file is as a save makes it, or allows others only to read it (a save under
    // another mask), or not even that.
    enum class Owner { Saving, CutAfterItsJournal };
    enum class Lock { AsMade, OthersRead, OthersNothing };
    const struct {
        Owner owner;
        Lock lock;
        bool folderWritable;
        bool loads;
        const char *toldBefore, *toldAfter;  // the refusal's words before and after the game's name
    } cases[] = {
        {Owner::Saving, Lock::AsMade, true, true, "", ""},
        {Owner::Saving, Lock::OthersRead, true, true, "", ""},
        {Owner::CutAfterItsJournal, Lock::OthersRead, true, true, "", ""},
        {Owner::CutAfterItsJournal, Lock::OthersNothing, true, false, "The game ", " cannot be opened: its lock file"},
        {Owner::CutAfterItsJournal, Lock::OthersRead, false, false, "The last save of ", " was interrupted, and its folder"},
        {Owner::CutAfterItsJournal, Lock::OthersNothing, false, false, "The last save of ", " was interrupted, and its folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.owner == Owner::Saving ? "saving" : "cut after its journal") + ", lock " +
                     std::to_string(static_cast<int>(c.lock)) + (c.folderWritable ? ", a folder he may write in" : ""));
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game")));
        MarkGame(2);
        // Paused before its first step, holding the lock.
        pid_t saving = -1;
        if (c.owner == Owner::Saving) saving = testing::SavePausedAtStep(Path("game"), 1);
        else ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), 4), ChildSaveEnd::Killed);
        std::string lockFile;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".lck") lockFile = e.path().string();
        ASSERT_FALSE(lockFile.empty());
        OpenToOthers();
        if (c.lock != Lock::AsMade)
            fs::permissions(lockFile, fs::perms::owner_read | fs::perms::owner_write |
                                          (c.lock == Lock::OthersRead ? fs::perms::others_read : fs::perms::none));
        fs::permissions(dir, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec |
                                 (c.folderWritable ? fs::perms::others_write : fs::perms::none));
        const auto before = Folder();
        // The owner's save goes on once the other user waits for it.
        const auto load = LoadAsAnotherUser(Path("game.KVT"), [&] {
            if (saving <= 0) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            ::kill(saving, SIGCONT);
        });
        fs::permissions(dir, fs::perms::owner_all);
        if (saving > 0) {
            ::kill(saving, SIGCONT);
            EXPECT_EQ(testing::WaitForChildSave(saving), ChildSaveEnd::Saved);
        }
        if (!load) GTEST_SKIP() << "only the superuser can load as another user";
        EXPECT_EQ(load->loaded, c.loads) << load->why;
        if (load->loaded) {
            EXPECT_EQ(load->rec, 2) << "the owner's save, read whole after it";
            EXPECT_EQ(load->map, 2);
            EXPECT_EQ(Leftovers(), std::set<std::string>{});
        } else {
            EXPECT_EQ(load->why.find(c.toldBefore + ("\"" + Path("game.KVT") + "\"") + c.toldAfter), 0u) << load->why;
            if (c.lock == Lock::OthersNothing && c.folderWritable)
                EXPECT_NE(load->why.find("\"" + lockFile + "\""), std::string::npos) << load->why;
            EXPECT_TRUE(Folder() == before) << "nothing removed";
        }
    }
}

// The file a reader pauses before (the first time), or whose record it touches before each read
// of the map, as a save of another program would change it.
std::string pauseBefore;
bool paused = false;
std::string touched;

TEST_F(SaveJournal, AReaderWhoMayNotWriteThereReadsOneWholeGameWhileAnotherProgramSaves) {
    // Another user, who may not write in the folder, reads the game without a lock where none
    // can be had: no lock file there (a writer removes it as it lets go), or only one he may not
    // open. Paused between the record and the map, or the map and the history, while the owner
    // saves the next turn, he reads one whole game; files changing all the while are refused.
    enum class Lock { None, OwnersOnly };
    const struct {
        Lock lock;
        const char* pauseBefore;  // the extension
        bool changing;            // the record changes before every read of the map
        const char* read;         // the marks of the record, map and history read, or the refusal's end
    } cases[] = {{Lock::None, ".KVM", false, "loaded 2 2 2"},
                 {Lock::None, ".BTL", false, "loaded 2 2 2"},
                 {Lock::OwnersOnly, ".KVM", false, "loaded 2 2 2"},
                 {Lock::OwnersOnly, ".BTL", false, "loaded 2 2 2"},
                 {Lock::None, "", true, "cannot be opened: another program is saving this game; try again when it has finished."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lock == Lock::None ? "no lock file" : "the owner's lock file") + ", paused before " +
                     c.pauseBefore + (c.changing ? ", the record changing" : ""));
        fs::permissions(dir, fs::perms::owner_all);
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game"), true));
        OpenToOthers();
        if (c.lock == Lock::OwnersOnly) {
            std::ofstream(Path(TagOf("game") + ".lck")).close();
            fs::permissions(Path(TagOf("game") + ".lck"), fs::perms::owner_read | fs::perms::owner_write);
        }
        if (c.changing) fs::permissions(Path("game.KVT"), fs::perms::others_write, fs::perm_options::add);
        fs::permissions(dir, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
        pauseBefore = c.pauseBefore;
        touched = c.changing ? Path("game.KVT") : "";
        const auto reader = StartInChild([&] {
            SetGameFileReadWatcher([](const std::string& path) {
                if (!touched.empty() && path.ends_with(".KVM")) ::utimensat(AT_FDCWD, touched.c_str(), nullptr, 0);
                if (pauseBefore.empty() || !path.ends_with(pauseBefore) || paused) return;
                paused = true;
                ::raise(SIGSTOP);
            });
            auto rec = std::make_unique<TGameRec>();
            auto map = std::make_unique<TMapGrid>();
            std::string why;
            TBattleLogRead history;
            if (!ReadGameImages(Path("game.KVT"), *rec, *map, &why, &history)) return why;
            return "loaded " + std::to_string(RecordMark(*rec)) + " " + std::to_string(MapMark(*map)) + " " +
                   (history.lines.size() == 2 ? history.lines[1].substr(5) : std::string("?"));
        }, true);
        if (!reader) GTEST_SKIP() << "only the superuser can load as another user";
        if (!c.changing) {
            int status = 0;
            ASSERT_EQ(::waitpid(reader->pid, &status, WUNTRACED), reader->pid);
            ASSERT_TRUE(WIFSTOPPED(status)) << "the reader read on without pausing";
            MarkGame(2);
            EXPECT_EQ(Save(Path("game"), true), "saved");
            ::kill(reader->pid, SIGCONT);
        }
        const std::string read = Finish(*reader);
        EXPECT_TRUE(read.ends_with(c.read)) << read;
    }
    fs::permissions(dir, fs::perms::owner_all);
}

TEST_F(SaveJournal, ALockNameTakenByAPipeALinkOrAFolderRefusesTheLoadAndTheSaveNamingIt) {
    // Only a plain file locks a game: a pipe would keep the program waiting for a writer that never
    // comes, a link would lead the lock elsewhere. The load, the save and the tidying at start-up
    // end at once, naming it, and leave it and the game as they were.
    enum class Thing { Pipe, Link, LinkToAPipe, Folder };
    const struct {
        Thing thing;
        bool anotherUser, folderWritable;
    } cases[] = {{Thing::Pipe, false, true}, {Thing::Pipe, true, true},   {Thing::Pipe, true, false},
                 {Thing::Link, false, true}, {Thing::LinkToAPipe, false, true}, {Thing::Folder, true, false}};
    const std::string lock = Path(TagOf("game") + ".lck");
    for (const auto& c : cases) {
        SCOPED_TRACE("thing " + std::to_string(static_cast<int>(c.thing)) + (c.anotherUser ? ", another user" : "") +
                     (c.folderWritable ? "" : ", a folder he may only read"));
        fs::permissions(dir, fs::perms::owner_all);
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game")));
        const TGameOnDisk game = OnDisk(Path("game"));
        OpenToOthers();
        // Made by the owner, readable by others, writable by nobody else.
        if (c.thing == Thing::Pipe) ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0);
        if (c.thing == Thing::Link) fs::create_symlink("nowhere", lock);
        if (c.thing == Thing::LinkToAPipe) {
            ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
            fs::create_symlink("pipe", lock);
        }
        if (c.thing == Thing::Folder) fs::create_directory(lock);
        const fs::file_type made = fs::symlink_status(lock).type();
        fs::permissions(dir, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec |
                                 (c.folderWritable ? fs::perms::others_write : fs::perms::none));
        const std::string named = "its lock file \"" + lock + "\" is not a plain file.";
        const auto load = InChild([&] { return Load(Path("game.KVT")); }, c.anotherUser);
        if (!load) GTEST_SKIP() << "only the superuser can load as another user";
        EXPECT_EQ(*load, "The game \"" + Path("game.KVT") + "\" cannot be opened: " + named);
        const auto save = InChild([&] {
            MarkGame(2);
            return Save(Path("game"));
        }, c.anotherUser);
        EXPECT_EQ(*save, "The game could not be saved as \"" + Path("game") + "\": " + named);
        const auto tidy = InChild([&] {
            TGameFilesLock::FinishInterruptedSaves(dir);
            return std::string("tidied");
        }, c.anotherUser);
        EXPECT_EQ(*tidy, "tidied");
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(fs::symlink_status(lock).type(), made) << "what lies under the lock's name is left there";
        EXPECT_TRUE(OnDisk(Path("game")) == game);
    }
}

TEST_F(SaveJournal, ALoadOrSaveThatAnotherProgramKeepsWaitingSaysWhy) {
    // Another copy of the program holds the game's lock for longer than a load or a save waits
    // for it (its save paused midway): both are refused saying so, and its save then goes through.
    MarkGame(1);
    ASSERT_TRUE(SaveGameFiles(Path("game")));
    MarkGame(2);
    const pid_t running = testing::SavePausedAtStep(Path("game"), 2);
    ASSERT_GT(running, 0);
    // The two wait side by side.
    const auto load = StartInChild([&] { return Load(Path("game.KVT")); });
    const auto save = StartInChild([&] {
        MarkGame(3);
        return Save(Path("game"));
    });
    ASSERT_TRUE(load && save);
    const std::string busy = "another program is using this game's files; try again when it has finished.";
    EXPECT_EQ(Finish(*load), "The game \"" + Path("game.KVT") + "\" cannot be opened: " + busy);
    EXPECT_EQ(Finish(*save), "The game could not be saved as \"" + Path("game") + "\": " + busy);
    ::kill(running, SIGCONT);
    EXPECT_EQ(testing::WaitForChildSave(running), ChildSaveEnd::Saved);
    EXPECT_EQ(Load(Path("game.KVT")), "loaded 2 2");
}

TEST_F(SaveJournal, AnOldFileWithAnotherNameOutsideTheGameIsStillItsOnlyCopy) {
    // The player keeps a name of his own for the old record, "copy.KVT", a hard link. A save whose
    // links the disk refuses moves the old record aside and is stopped before the new one takes
    // its place; then a second fault. The second name is the only copy under the game's name, and
    // stays. A second name of the very file at the game's name goes, as before.
    enum class Fault { None, JournalLost, ScratchChanged };
    const struct {
        Fault fault;
        bool linksFail;
        bool loads;
        int mark;  // of the game loaded
    } cases[] = {{Fault::None, true, true, 2},
                 {Fault::JournalLost, true, false, 0},
                 {Fault::ScratchChanged, true, false, 0},
                 {Fault::JournalLost, false, true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE("fault " + std::to_string(static_cast<int>(c.fault)) + (c.linksFail ? ", links refused" : ", links made"));
        auto oldMovedAside = [&](const TGameOnDisk& old, const TGameOnDisk& found) {
            bool secondName = false;
            for (const std::string& copy : Copies()) secondName = secondName || copy.find("-old-1.tmp") != std::string::npos;
            return secondName && (c.linksFail ? found.rec.empty() : found.rec == old.rec);
        };
        auto playersOwnName = [&] { fs::create_hard_link(Path("game.KVT"), Path("copy.KVT")); };
        ASSERT_GT(CutWhere(oldMovedAside, {false, c.linksFail}, playersOwnName), 0);
        const std::vector<char> oldRec = FileBytes(Path("copy.KVT"));
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename().string();
            if (c.fault == Fault::JournalLost && name.ends_with(".jnl")) fs::remove(e.path());
            if (c.fault == Fault::ScratchChanged && name.ends_with("-new-of2-2.tmp")) {
                std::fstream f(e.path(), std::ios::in | std::ios::out | std::ios::binary);
                f.seekp(100);
                f.put('\x5a');
            }
        }
        const auto before = Folder();

        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        std::string why;
        const bool loaded = ReadGameImages(Path("game.KVT"), *rec, *map, &why);
        EXPECT_EQ(loaded, c.loads) << why;
        if (loaded) {
            EXPECT_EQ(RecordMark(*rec), c.mark);
            EXPECT_EQ(MapMark(*map), c.mark);
            EXPECT_TRUE(OnDisk(Path("game")) == MarkedGame(c.mark, false)) << "the game loaded, whole under its name";
            // Without its journal, nothing proves scratch the new files of a save that placed none.
            EXPECT_EQ(Leftovers().size(), c.fault == Fault::JournalLost ? 2u : 0u);
            for (const std::string& name : Leftovers()) EXPECT_NE(name.find("-new-of2-"), std::string::npos) << name;
        } else {
            EXPECT_TRUE(Folder() == before) << "nothing removed or moved by the load";
        }
        EXPECT_EQ(FileBytes(Path("copy.KVT")), oldRec) << "the player's own name";
    }
}

TEST_F(SaveJournal, AReadOnlyFolderHoldingACutSaveIsNotLoaded) {
    // Where no lock can be made nothing can be finished: a save that its journal says had
    // committed is refused, while the scratch files of one that never did leave the old game to read.
    enum class Cut { BeforeTheJournal, AfterTheJournal, BetweenRenames };
    const struct {
        Cut cut;
        bool loads;
    } cases[] = {{Cut::BetweenRenames, false}, {Cut::AfterTheJournal, false}, {Cut::BeforeTheJournal, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE("cut " + std::to_string(static_cast<int>(c.cut)));
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game")));
        const TGameOnDisk old = OnDisk(Path("game"));
        MarkGame(2);
        // Two new files then the journal are steps 1 to 3.
        if (c.cut == Cut::BetweenRenames) ASSERT_TRUE(CutBetweenRenames(false, true));
        else ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), c.cut == Cut::AfterTheJournal ? 4 : 3), ChildSaveEnd::Killed);

        // Read by a program that may not write there: one that is not the superuser.
        fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
        fs::permissions(fs::path(dir).parent_path(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
        for (const auto& e : fs::directory_iterator(dir)) fs::permissions(e.path(), fs::perms::others_read, fs::perm_options::add);
        fs::permissions(dir, fs::perms::owner_write, fs::perm_options::remove);
        int channel[2];
        ASSERT_EQ(::pipe(channel), 0);
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
            if (::access(dir.c_str(), W_OK) == 0) ::_exit(3);
            auto rec = std::make_unique<TGameRec>();
            auto map = std::make_unique<TMapGrid>();
            std::string why;
            const bool loaded = ReadGameImages(Path("game.KVT"), *rec, *map, &why);
            std::string report = loaded ? "+" + std::string(reinterpret_cast<const char*>(rec.get()), kGameRecSize) : "-" + why;
            if (!WriteWhole(channel[1], report)) ::_exit(4);
            ::_exit(0);
        }
        ::close(channel[1]);
        const std::string report = ReadWhole(channel[0]);
        ::close(channel[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "this system lets every program write to that folder";
        ASSERT_EQ(WEXITSTATUS(status), 0);
        ASSERT_FALSE(report.empty());
        if (c.loads) {
            EXPECT_EQ(report[0], '+') << report;
            EXPECT_TRUE(std::equal(report.begin() + 1, report.end(), old.rec.begin(), old.rec.end())) << "the old game";
        } else {
            EXPECT_EQ(report[0], '-') << "a game read beside a save it could not finish";
            EXPECT_EQ(report.find("-The last save of \"" + Path("game.KVT") + "\" was interrupted"), 0u) << report;
            EXPECT_NE(report.find("its folder \"" + dir + "\" must be writable to finish it"), std::string::npos) << report;
        }
    }
}

TEST_F(SaveJournal, OldFilesTheDiskWouldNotLetGoAreTidiedByTheNextLoadOrSave) {
    for (const bool nextIsASave : {false, true}) {
        SCOPED_TRACE(nextIsASave ? "the next save" : "the next load");
        for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game"), true));
        MarkGame(2);
        // The disk refuses to remove the old files' second names, the last changes of a save.
        SetFileRemover([](const char* path) {
            const std::string name = fs::path(path).filename().string();
            if (!name.starts_with("~kvt-") || !name.ends_with(".tmp")) return ::unlink(path);
            errno = EROFS;
            return -1;
        });
        EXPECT_TRUE(SaveGameFiles(Path("game"), true)) << "every new file is in place";
        SetFileRemover(nullptr);
        ASSERT_FALSE(Copies().empty());
        TGameOnDisk expected = OnDisk(Path("game"));
        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        if (nextIsASave) {
            MarkGame(3);
            ASSERT_TRUE(SaveGameFiles(Path("game"), true));
            const char* recBytes = reinterpret_cast<const char*>(GameRec);
            const char* mapBytes = reinterpret_cast<const char*>(MapGrid);
            const std::string history = "No History\r\nmark 3\r\n";
            expected = {{recBytes, recBytes + kGameRecSize}, {mapBytes, mapBytes + kMapGridSize}, {history.begin(), history.end()}};
        } else {
            std::string why;
            ASSERT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, &why)) << why;
            EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(rec.get())[kGameRecSize - 1], 2) << "the game as saved";
        }
        EXPECT_EQ(Leftovers(), std::set<std::string>{});
        EXPECT_TRUE(OnDisk(Path("game")) == expected);
    }
}

TEST_F(SaveJournal, ASaveKeptFromItsFolderByAnOldFileTheDiskWillNotLetGoNamesItAndWhy) {
    // The disk was mounted read-only after a save had put every new file in place: the old
    // file's second name stays, and every later save under that name, the Autosave too, is
    // refused for it.
    for (const std::string name : {"game", kAutosaveName}) {
        SCOPED_TRACE(name);
        for (const auto& e : fs::directory_iterator(dir)) fs::remove(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path(name)));
        SetFileRemover([](const char* path) {
            if (std::string_view(path).find("-old-") == std::string_view::npos) return ::unlink(path);
            errno = EROFS;
            return -1;
        });
        const TGameOnDisk saved = MarkedGame(2, false);
        ASSERT_TRUE(SaveGameFiles(Path(name)));
        const std::vector<std::string> copies = Copies();
        ASSERT_EQ(copies.size(), 1u);

        MarkGame(3);
        ScriptedFrontend fe;
        fe.ExpectInformationBox();
        EXPECT_FALSE(SaveGameFiles(Path(name)));
        SetFileRemover(nullptr);
        ASSERT_EQ(fe.messages.size(), 1u);
        EXPECT_EQ(fe.messages[0], "The game could not be saved as \"" + Path(name) + "\": its last save left \"" + copies[0] +
                                      "\", which cannot be removed (Read-only file system).");
        EXPECT_TRUE(OnDisk(Path(name)) == saved) << "the game as last saved";
    }
}

TEST_F(SaveJournal, ACutSaveThatCannotBeFinishedSaysWhichFileCannotTakeItsPlace) {
    // Stopped with the new record in place beside the old map; then the map cannot be replaced:
    // the disk refuses (the map made unchangeable), or the folder lets only a file's owner rename
    // it and another user loads. The load and a save say which file and why; the game is whole
    // once the owner loads it, or the disk lets the map go.
    for (const bool otherUser : {false, true}) {
        SCOPED_TRACE(otherUser ? "another user, a folder that keeps others' files" : "a map the disk will not replace");
        ASSERT_GT(CutWhere([](const TGameOnDisk& old, const TGameOnDisk& found) {
            return !found.rec.empty() && found.rec != old.rec && found.map == old.map;
        }, {}), 0);
        const TGameOnDisk saved = MarkedGame(2, false);
        std::string scratchMap;
        for (const std::string& copy : Copies())
            if (copy.ends_with("-new-of2-2.tmp")) scratchMap = copy;
        ASSERT_FALSE(scratchMap.empty());
        const auto before = Folder();
        const std::string told = "The last save of \"" + Path("game.KVT") + "\" was interrupted, and it cannot be finished: \"" +
                                 scratchMap + "\" cannot take the place of \"" + Path("game.KVM") + "\" (Operation not permitted).";
        if (otherUser) {
            OpenToOthers();
            fs::permissions(dir, fs::perms::all | fs::perms::sticky_bit);
            const auto load = LoadAsAnotherUser(Path("game.KVT"));
            fs::permissions(dir, fs::perms::owner_all);
            if (!load) GTEST_SKIP() << "only the superuser can load as another user";
            EXPECT_FALSE(load->loaded) << "record " << load->rec << ", map " << load->map;
            EXPECT_EQ(load->why.find(told), 0u) << load->why;
        } else {
            SetFileRenamer([](const char* from, const char* to) {
                if (std::string_view(to).ends_with("/game.KVM")) {
                    errno = EPERM;
                    return -1;
                }
                return std::rename(from, to);
            });
            ScriptedFrontend fe;
            fe.ExpectInformationBox();
            MarkGame(3);
            EXPECT_FALSE(LoadGameImages(Path("game.KVT")));
            fe.ExpectInformationBox();
            EXPECT_FALSE(SaveGameFiles(Path("game")));
            SetFileRenamer(nullptr);
            ASSERT_EQ(fe.messages.size(), 2u);
            EXPECT_EQ(fe.messages[0].find(told), 0u) << fe.messages[0];
            EXPECT_EQ(fe.messages[1].find("The game could not be saved as \"" + Path("game") +
                                          "\": its last save was interrupted, and it cannot be finished: \"" + scratchMap + "\""),
                      0u)
                << fe.messages[1];
        }
        EXPECT_TRUE(Folder() == before) << "no file put in place, none removed";

        auto rec = std::make_unique<TGameRec>();
        auto map = std::make_unique<TMapGrid>();
        std::string why;
        EXPECT_TRUE(ReadGameImages(Path("game.KVT"), *rec, *map, &why)) << why;
        EXPECT_TRUE(OnDisk(Path("game")) == saved);
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
        EXPECT_EQ(fe.messages[0], "The game could not be saved as \"" + base + "\": " +
                                      (c.thing == Thing::NoFolder ? "its folder \"" + Path("gone") +
                                                                        "\" cannot be written (No such file or directory)."
                                                                  : "\"" + blocked + "\" is not a plain file."));
        std::map<std::string, std::string> after;
        for (const auto& e : fs::directory_iterator(dir)) after[e.path().filename().string()] = kindOf(e.path().string());
        EXPECT_EQ(after, before) << "nothing moved aside, nothing left behind";
        EXPECT_TRUE(OnDisk(Path("game")) == old) << "the old game's files are as they were";
    }
}

TEST_F(SaveJournal, AFirstSavesOnlyCopyIsKeptWhenNothingProvesItScratch) {
    // A first save stopped after its commit, then a second fault: with no game under the name, what
    // it wrote may be the only copy, so nothing removes it and the player is told what each file is.
    enum class Fault { JournalLost, JournalGarbled, JournalCutShort, LinkToItself };
    for (const bool history : {false, true})
        for (const Fault fault : {Fault::JournalLost, Fault::JournalGarbled, Fault::JournalCutShort, Fault::LinkToItself}) {
            SCOPED_TRACE(std::string(history ? "with the history" : "without") + ", fault " + std::to_string(static_cast<int>(fault)));
            for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
            const TGameOnDisk two = MarkedGame(2, history);
            // The new files, then the commit: the first rename is the step after.
            ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), history ? 5 : 4, {history, false}), ChildSaveEnd::Killed);
            const std::string journal = Path(TagOf("game") + ".jnl");
            const auto files = NewFiles(history);
            ASSERT_TRUE(fs::exists(journal) && files.size() == (history ? 3u : 2u));
            if (fault == Fault::JournalLost) fs::remove(journal);
            if (fault == Fault::JournalGarbled) std::ofstream(journal, std::ios::in) << std::string(fs::file_size(journal), '?');
            if (fault == Fault::JournalCutShort) fs::resize_file(journal, fs::file_size(journal) - 4);
            if (fault == Fault::LinkToItself && fs::remove(files[0].first))
                fs::create_symlink(fs::path(files[0].first).filename(), files[0].first);
            auto before = Folder();
            // A whole journal naming a file lost gives way, its files kept as if it never committed.
            if (fault == Fault::LinkToItself) before.erase(TagOf("game") + ".jnl");
            ScriptedFrontend fe;
            fe.ExpectInformationBox();
            MarkGame(3);
            EXPECT_FALSE(LoadGameImages(Path("game.KVT"), LoadTime::StartUp));
            EXPECT_EQ(RecordMark(*GameRec), 3) << "the game in play is kept";
            ASSERT_EQ(fe.messages.size(), 1u);
            const std::string& told = fe.messages[0];
            EXPECT_TRUE(told.starts_with("The game \"" + Path("game.KVT") + "\" cannot be opened: a save of it was interrupted "
                                         "before its files were put in place, and no game stands under its name. What that save "
                                         "wrote is kept as it is: ")) << told;
            for (const auto& [file, name] : files)
                EXPECT_NE(told.find("\"" + file + "\" (to be \"" + name + "\")"), std::string::npos) << file << " in " << told;
            EXPECT_TRUE(told.ends_with(". If it holds the only copy of the game, give each file the name it is to have; otherwise "
                                       "remove them. Please choose another game.")) << told;
            EXPECT_TRUE(Folder() == before) << "nothing removed by the load";
            TGameFilesLock::FinishInterruptedSaves(dir);
            EXPECT_TRUE(Folder() == before) << "nothing removed by the tidying at start-up";
            EXPECT_EQ(Save(Path("other")), "saved");
            ASSERT_TRUE(fs::remove(Path("other.KVT")) && fs::remove(Path("other.KVM")));
            EXPECT_TRUE(Folder() == before) << "nothing removed by a save of another game";
            EXPECT_EQ(fs::is_symlink(files[0].first), fault == Fault::LinkToItself);
            if (fault == Fault::LinkToItself) continue;
            for (const auto& [file, name] : files) fs::rename(file, Path(name));
            EXPECT_EQ(Load(Path("game.KVT")), "loaded 2 2");
            EXPECT_TRUE(OnDisk(Path("game")) == two) << "the game that save was writing, whole";
        }
}

TEST_F(SaveJournal, ASaveStoppedBesideAnOldGameLeavesItWholeAndItsFilesWhereThePlayerIsToldTheyLieApartFromAnotherSaves) {
    // Saves stopped after their commit, each journal then lost or garbled: the old game is read, and
    // each save's files stay, named and told apart, through a load, the tidying and the next save.
    enum class Stop { JournalLost, JournalGarbled, TwoJournalsLost };
    for (const Stop stop : {Stop::JournalLost, Stop::JournalGarbled, Stop::TwoJournalsLost}) {
        SCOPED_TRACE("stop " + std::to_string(static_cast<int>(stop)));
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
        ASSERT_TRUE(SaveOneThenStopTwoAt(4));
        const std::string journal = Path(TagOf("game") + ".jnl");
        ASSERT_TRUE(fs::exists(journal));
        if (stop == Stop::JournalGarbled) std::ofstream(journal, std::ios::binary | std::ios::trunc) << "kvt save journal 3";
        else fs::remove(journal);
        MarkGame(3);
        if (stop == Stop::TwoJournalsLost) {
            ASSERT_EQ(testing::SaveKilledAtStep(Path("game"), 4), ChildSaveEnd::Killed);
            ASSERT_TRUE(fs::remove(journal));
        }
        const auto files = NewFiles(false);
        ASSERT_EQ(files.size(), stop == Stop::TwoJournalsLost ? 4u : 2u);
        std::set<std::string> kept;
        for (const auto& [file, name] : files) kept.insert(fs::path(file).filename().string());
        ScriptedFrontend fe;
        fe.ExpectInformationBox();
        EXPECT_TRUE(LoadGameImages(Path("game.KVT")));
        EXPECT_EQ(std::pair(RecordMark(*GameRec), MapMark(*MapGrid)), std::pair(1, 1)) << "the game saved before";
        ASSERT_EQ(fe.messages.size(), 1u);
        const std::string told = fe.messages[0];
        EXPECT_TRUE(told.starts_with("A save of \"" + Path("game.KVT") + "\" was interrupted before its files were put in place: "
                                     "the game read is the one that stands under its name, and what that save wrote is kept as "
                                     "it is: ")) << told;
        // Of two saves, each one's files on one side of the words between them.
        const std::size_t apart = told.find("; and of another save, ");
        EXPECT_EQ(apart != std::string::npos, stop == Stop::TwoJournalsLost) << told;
        EXPECT_EQ(told.find("; and of another save, ", apart + 1), std::string::npos) << told;
        std::map<std::string, std::set<bool>> sides;
        for (const auto& [file, name] : files) sides[file.substr(0, file.find("-new-of"))].insert(told.find(file) < apart);
        for (const auto& [save, side] : sides) EXPECT_EQ(side.size(), 1u) << save << " in " << told;
        EXPECT_TRUE(OnDisk(Path("game")) == MarkedGame(1, false));
        TGameFilesLock::FinishInterruptedSaves(dir);
        MarkGame(3);
        EXPECT_EQ(Save(Path("game")), "saved");
        EXPECT_EQ(Load(Path("game.KVT")), "loaded 3 3");
        // The game under the name then cut short: the refusal still says where the kept files lie.
        fs::resize_file(Path("game.KVT"), 10);
        const std::string why = Load(Path("game.KVT"));
        EXPECT_TRUE(why.starts_with("The game \"" + Path("game.KVT") + "\" holds 10 bytes, not ")) << why;
        for (const std::string& text : {told, why})
            for (const auto& [file, name] : files)
                EXPECT_NE(text.find("\"" + file + "\" (to be \"" + name + "\")"), std::string::npos) << file << " in " << text;
        EXPECT_EQ(Leftovers(), kept) << "kept through the load, the tidying and the next save";
    }
}

TEST_F(SaveJournal, TheOldGamesSecondNameGoesWithTheJournalOfASaveWhoseFilesAreKept) {
    // Stopped with the old record under its second name too, then the new map changed: the next
    // save keeps the stopped save's files and drops the second name, which no later load mistakes.
    ASSERT_TRUE(SaveOneThenStopTwoAt(5));
    const std::string secondName = FileNamed("-old-"), map = FileNamed("-new-of2-2.tmp");
    ASSERT_FALSE(secondName.empty() || map.empty());
    std::fstream(map, std::ios::in | std::ios::out | std::ios::binary).seekp(100).put('\x5a');
    MarkGame(3);
    EXPECT_EQ(Save(Path("game")), "saved");
    EXPECT_FALSE(fs::exists(secondName));
    EXPECT_EQ(Load(Path("game.KVT")), "loaded 3 3");
    EXPECT_EQ(Leftovers().size(), 2u) << "the stopped save's record and map, kept";
}

TEST_F(SaveJournal, ANewFileThatCannotBeReadNowIsNoProofAndNothingIsTouched) {
    // Another user who may write in the folder but not read a committed save's new map cannot tell
    // whether the save is whole: his load touches nothing, and the owner's then finishes the save.
    ASSERT_TRUE(SaveOneThenStopTwoAt(4));
    OpenToOthers();
    fs::permissions(dir, fs::perms::all);
    const std::string map = FileNamed("-new-of2-2.tmp");
    fs::permissions(map, fs::perms::owner_read | fs::perms::owner_write);
    const auto before = Folder();
    const auto load = InChild([&] { return Load(Path("game.KVT")); }, true);
    if (!load) GTEST_SKIP() << "only the superuser can load as another user";
    EXPECT_EQ(*load, "The game \"" + Path("game.KVT") + "\" cannot be opened: its last save's file \"" + map +
                         "\" cannot be read (Permission denied), so whether its last save was finished cannot be told. "
                         "Nothing was read or removed.");
    EXPECT_TRUE(Folder() == before) << "nothing removed";
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(Load(Path("game.KVT")), "loaded 2 2");
    EXPECT_EQ(Leftovers(false), std::set<std::string>{});
}

TEST_F(SaveJournal, AFolderUnderAJournalsNameProvesNothingScratchAndBlocksNoSave) {
    // Stopped after its first new file, its journal then replaced by a folder: no journal, it
    // proves nothing scratch, nobody removes it, and the next save writes past both.
    ASSERT_TRUE(SaveOneThenStopTwoAt(2));
    const std::string journal = FileNamed("-journal.tmp");
    ASSERT_TRUE(fs::remove(journal));
    fs::create_directories(journal + "/inside");
    const std::set<std::string> before = Leftovers(false);
    ASSERT_EQ(before.size(), 2u) << "the folder and the save's first new file";
    EXPECT_EQ(Load(Path("game.KVT")), "loaded 1 1");
    EXPECT_EQ(Leftovers(false), before);
    MarkGame(3);
    EXPECT_EQ(Save(Path("game")), "saved");
    EXPECT_EQ(Load(Path("game.KVT")), "loaded 3 3");
    EXPECT_EQ(Leftovers(false), before);
    EXPECT_TRUE(fs::is_directory(journal + "/inside"));
}

TEST_F(SaveJournal, AReaderWhoMayNotWriteThereWaitsForASaveBegunAfterHeLookedForItsLockButNotForALinkToNowhere) {
    // Another user who may not write in the folder reads the game beside a link to nowhere under the
    // journal's name at once, as nothing changes while he looks; a save begun since he looked he waits for.
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can load as another user";
    MarkGame(1);
    ASSERT_TRUE(SaveGameFiles(Path("game")));
    OpenToOthers();
    fs::permissions(dir, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::create_symlink("nowhere", Path(TagOf("game") + ".jnl"));
    EXPECT_EQ(InChild([&] { return Load(Path("game.KVT")); }, true), "loaded 1 1");
    fs::remove(Path(TagOf("game") + ".jnl"));
    // He finds no lock, then the owner's save takes it and commits before he looks at the folder.
    ASSERT_FALSE(fs::exists(Path(TagOf("game") + ".lck")));
    const auto reader = StartInChild([&] {
        SetLockLookWatcher([] {  // the reader stops at its first look
            static int looks = 0;
            if (looks++ == 0) ::raise(SIGSTOP);
        });
        return Load(Path("game.KVT"));
    }, true);
    ASSERT_TRUE(reader);
    int status = 0;
    ASSERT_TRUE(::waitpid(reader->pid, &status, WUNTRACED) == reader->pid && WIFSTOPPED(status)) << "he never looked";
    MarkGame(2);
    // New files 1 and 2 and the commit are steps 1 to 3: paused before the first link, holding the lock.
    const pid_t saver = testing::SavePausedAtStep(Path("game"), 4);
    ASSERT_TRUE(saver > 0 && fs::exists(Path(TagOf("game") + ".jnl")));
    ::kill(reader->pid, SIGCONT);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::kill(saver, SIGCONT);
    EXPECT_EQ(testing::WaitForChildSave(saver), ChildSaveEnd::Saved);
    EXPECT_EQ(Finish(*reader), "loaded 2 2");
}

// The renames the test below refuses: to a name holding the first, failing with the second.
std::pair<const char*, int> refusing;
TEST_F(SaveJournal, EveryFailedSaveNamesTheFileOrFolderAndTheSystemsReasonAndKeepsTheOldGame) {
    const struct {
        const char* refused;  // in the names renames to which are refused; none for a folder
        int with;             // read-only to the user saving (EACCES) or files that may not grow (EFBIG)
        std::string reason;   // what follows "The game could not be saved as "...": "
    } cases[] = {
        {nullptr, EACCES, "its folder \"" + dir + "\" cannot be written (Permission denied)."},
        {nullptr, EFBIG, " cannot be written in \"" + dir + "\" (File too large)."},
        {".KVT", ENOSPC, "the new \"" + Path("game.KVT") + "\" cannot take its place (No space left on device)."},
        {"-old-", EROFS, "the old \"" + Path("game.KVT") + "\" cannot be moved aside (Read-only file system)."},
        {".jnl", EIO, "its journal cannot be put in place as \"" + Path(TagOf("game") + ".jnl") + "\" (Input/output error)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
        MarkGame(1);
        ASSERT_TRUE(SaveGameFiles(Path("game")));
        const TGameOnDisk old = OnDisk(Path("game"));
        MarkGame(2);
        OpenToOthers();
        fs::permissions(dir, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
        const auto told = InChild([&] {  // the limits and the refusing disk go with the child
            const rlimit small{16, 16};
            if (c.with == EFBIG && ::signal(SIGXFSZ, SIG_IGN) != SIG_ERR) ::setrlimit(RLIMIT_FSIZE, &small);
            refusing = {c.refused, c.with};
            if (c.refused) SetFileRenamer([](const char* from, const char* to) {
                return std::strstr(to, refusing.first) ? (errno = refusing.second, -1) : std::rename(from, to);
            });
            if (c.with == EROFS) SetFileLinker([](const char*, const char*) { return errno = EROFS, -1; });  // so moved by a rename
            return Save(Path("game"));
        }, c.with == EACCES);
        if (!told) GTEST_SKIP() << "only the superuser can save as another user";
        EXPECT_TRUE(told->starts_with("The game could not be saved as \"" + Path("game") + "\": ")) << *told;
        EXPECT_TRUE(told->ends_with(c.reason)) << *told;
        EXPECT_TRUE(OnDisk(Path("game")) == old) << "the old game as it was";
        EXPECT_EQ(Leftovers(), std::set<std::string>{});
    }
}

}  // namespace
}  // namespace kvt

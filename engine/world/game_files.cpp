// Reading and writing saved games. Reads take plain files of a known size into temporaries and check
// them whole (size and every stored index) before the game in play is replaced; writes go through
// the game's lock and journal (save_journal.h), which also finish a save cut short before a read.
#include "engine/world/game_files.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "engine/world/file_reading.h"
#include "engine/world/frontend.h"
#include "engine/world/globals.h"

namespace kvt {

namespace fs = std::filesystem;

namespace {

std::size_t ExtensionDot(const std::string& name) {
    std::size_t slash = name.find_last_of('/');
    std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) return std::string::npos;
    if (slash != std::string::npos && dot < slash) return std::string::npos;
    if (dot == (slash == std::string::npos ? 0 : slash + 1)) return std::string::npos;  // ".hidden"
    return dot;
}

std::string HistoryText() {
    std::string content;
    for (const std::string& line : BattleLog) content += line + "\r\n";
    return content;
}

std::string programFolder;
GameFileReadWatcher readWatcher = nullptr;

std::string Bad(const char* what, int index, const char* field, int value) {
    std::ostringstream s;
    s << what;
    if (index != 0) s << " " << index;
    s << " has " << field << " " << value << ", which is out of range.";
    return s.str();
}

// Reads the history at `path` into `lines`; false, with the reason, when it cannot be.
bool ReadBattleLogLines(const std::string& path, std::vector<std::string>& lines, std::string* error) {
    std::string content;
    std::uint64_t size = 0;
    lines.clear();
    const ReadOutcome outcome = ReadRegularFile(path, kBattleLogMaxBytes, content, size);
    if (outcome != ReadOutcome::Read) {
        if (error) {
            *error = "The battle history \"" + path + "\" ";
            *error += outcome == ReadOutcome::NotAFile   ? "is not a file."
                      : outcome == ReadOutcome::TooLarge ? "holds " + std::to_string(size) + " bytes, more than any game writes."
                                                         : "is missing.";
        }
        return false;
    }
    std::istringstream in(content);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return true;
}

// The kept files of a save cut short, each with the name it was to have: a save writes the battle
// history (when it writes one) first, then the record, then the map.
std::string KeptFilesText(const std::vector<TKeptFile>& kept, const std::string& fileName) {
    const std::string base = fs::path(SaveBaseOf(fileName)).filename().string();
    std::string text;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const TKeptFile& f = kept[i];
        static constexpr const char* kOfTwo[] = {".KVT", ".KVM"};
        static constexpr const char* kOfThree[] = {".BTL", ".KVT", ".KVM"};
        const char* ext = f.count == 1                       ? ".BTL"
                          : f.count == 2 && f.index <= 2     ? kOfTwo[f.index - 1]
                          : f.count == 3 && f.index <= 3     ? kOfThree[f.index - 1]
                                                             : nullptr;
        // Files of two saves given one name each must not be taken for one save's.
        const bool nextSave = i > 0 && f.save != kept[i - 1].save;
        const bool lastOfSave = i + 1 == kept.size() || kept[i + 1].save != f.save;
        text += i == 0 ? "" : nextSave ? "; and of another save, " : lastOfSave ? " and " : ", ";
        text += "\"" + f.path + "\"";
        text += ext ? " (to be \"" + base + ext + "\")" : " (file " + std::to_string(f.index) + " of " + std::to_string(f.count) + ")";
    }
    return text;
}

}  // namespace

std::string GameBaseOf(const std::string& fileName) {
    std::size_t dot = ExtensionDot(fileName);
    if (dot == std::string::npos) return fileName + ".";
    return fileName.substr(0, dot + 1);
}

std::string ResolveFileCaseInsensitive(const std::string& path) {
    std::error_code ec;
    if (fs::exists(path, ec)) return path;
    std::string found = FileNamedIgnoringCase(path);
    return found.empty() ? path : found;
}

std::string MapFileFor(const std::string& fileName) { return ResolveFileCaseInsensitive(GameBaseOf(fileName) + "KVM"); }
std::string BattleLogFileFor(const std::string& fileName) {
    return ResolveFileCaseInsensitive(GameBaseOf(fileName) + "BTL");
}

std::string SaveBaseOf(const std::string& chosenName) {
    std::size_t dot = ExtensionDot(chosenName);
    return dot == std::string::npos ? chosenName : chosenName.substr(0, dot);
}

std::string OpenNameFor(const std::string& typed) {
    std::error_code ec;
    if (typed.empty() || fs::exists(typed, ec)) return typed;
    const std::string game = ResolveFileCaseInsensitive(typed + ".KVT");
    return fs::exists(game, ec) ? game : typed;
}

std::string SaveWouldReplace(const std::string& chosenName) {
    const std::string base = SaveBaseOf(chosenName);
    std::error_code ec;
    // A mail game's save writes its history too.
    const bool mail = GameRec != nullptr && GameRec->GameKind >= 2;
    for (const char* suffix : {".KVT", ".KVM", ".BTL"}) {
        if (std::string_view(suffix) == ".BTL" && !mail) continue;
        const std::string file = ResolveFileCaseInsensitive(base + suffix);
        if (fs::exists(file, ec)) return file;
    }
    return {};
}

void SetProgramFolder(const std::string& folder) { programFolder = folder; }

std::string GameDataFolder() {
    // The texts decide: a folder without them is not the game's, however many saves it holds.
    constexpr const char* kTexts = "KVT_ENG.TXT";
    std::error_code ec;
    if (fs::exists(ResolveFileCaseInsensitive(kTexts), ec) || programFolder.empty()) return {};
    if (fs::exists(ResolveFileCaseInsensitive((fs::path(programFolder) / kTexts).string()), ec)) return programFolder;
    return {};
}

std::string GameDataFile(const std::string& name) {
    const std::string folder = GameDataFolder();
    return ResolveFileCaseInsensitive(folder.empty() ? name : (fs::path(folder) / name).string());
}

std::string ValidateGameImages(const TGameRec& g, const TMapGrid& map) {
    auto city = [](int v) { return v >= 0 && v <= kCityCount; };
    auto col = [](int v) { return v >= 0 && v <= kMapColumns; };
    auto row = [](int v) { return v >= 0 && v <= kMapRows; };
    auto side = [](int v) { return v >= 0 && v <= 2; };
    auto nation = [](int v) { return v >= 0 && v <= kNationCount; };
    auto state = [](int v) { return v >= 0 && v <= kStateCount; };
    auto leader = [](int v) { return v >= 0 && v <= kLeaderCount; };

    auto theatre = [](int v) { return v >= 0 && v <= kTheatreCount; };
    if (g.Month < 1 || g.Month > 12) return Bad("The date", 0, "month", g.Month);
    // A turn is ten days from the 1st, 11th or 21st: any other day would be carried into the next
    // month by the turn, skipping part of this one.
    if (g.Day != 1 && g.Day != 11 && g.Day != 21) return Bad("The date", 0, "day", g.Day);
    if (g.SideToMove > 2) return Bad("The game", 0, "side to move", g.SideToMove);
    for (int t = 1; t <= kTheatreCount; ++t)
        if (g.TheatreWeather[t] > 11) return Bad("Theatre", t, "weather", g.TheatreWeather[t]);
    // Weather codes come out of this table and index its columns on the next turn.
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 12; ++c)
            if (g.WeatherTable[r][c] > 11) return Bad("Weather table row", r, "entry", g.WeatherTable[r][c]);
    for (int i = 1; i <= kArmyCount; ++i) {
        const TArmyRec& a = g.Armies[i];
        if (ArmySlotFree(a)) continue;
        // Numbers are the lowest a nation leaves free, so one nation holding every record
        // reaches the record count.
        if (a.ArmyNumber > kArmyCount) return Bad("Army", i, "number", a.ArmyNumber);
        if (!theatre(a.Theatre)) return Bad("Army", i, "theatre", a.Theatre);
        if (!city(a.BaseCity)) return Bad("Army", i, "base city", a.BaseCity);
        if (!side(a.Side)) return Bad("Army", i, "side", a.Side);
        if (!leader(a.Leader)) return Bad("Army", i, "leader", a.Leader);
        if (!city(a.SupplyBase)) return Bad("Army", i, "supply base", a.SupplyBase);
        if (!city(a.Objective)) return Bad("Army", i, "objective", a.Objective);
        if (!nation(a.Nation)) return Bad("Army", i, "nation", a.Nation);
    }
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& c = g.Cities[i];
        if (!col(c.HexX)) return Bad("City", i, "column", c.HexX);
        if (!row(c.HexY)) return Bad("City", i, "row", c.HexY);
        if (!theatre(c.Theatre)) return Bad("City", i, "theatre", c.Theatre);
        if (!side(c.Owner)) return Bad("City", i, "owner", c.Owner);
        if (!state(c.State)) return Bad("City", i, "state", c.State);
        if (!nation(c.Nation)) return Bad("City", i, "nation", c.Nation);
    }
    for (int i = 1; i <= kCorpsCount; ++i) {
        const TCorpsRec& c = g.Corps[i];
        if (!CorpsInUse(c)) continue;
        if (!col(c.HexX)) return Bad("Corps", i, "column", c.HexX);
        if (!row(c.HexY)) return Bad("Corps", i, "row", c.HexY);
        if (!col(c.DestX)) return Bad("Corps", i, "destination column", c.DestX);
        if (!row(c.DestY)) return Bad("Corps", i, "destination row", c.DestY);
        if (!theatre(c.Region)) return Bad("Corps", i, "theatre", c.Region);
        // No range on Opponent: the force recount stores a tally of nearby enemy readiness in
        // the same byte, which can pass 120 in a game saved by the program itself.
        if (!side(c.Side)) return Bad("Corps", i, "side", c.Side);
        if (!state(c.HomeState)) return Bad("Corps", i, "home state", c.HomeState);
        if (c.Army > kArmyCount) return Bad("Corps", i, "army", c.Army);
        if (!city(c.SupplyCity)) return Bad("Corps", i, "supply city", c.SupplyCity);
        if (!leader(c.Leader)) return Bad("Corps", i, "leader", c.Leader);
        if (!nation(c.Nation)) return Bad("Corps", i, "nation", c.Nation);
    }
    for (int i = 1; i <= kLeaderCount; ++i)
        if (!nation(g.Leaders[i].Nation)) return Bad("Leader", i, "nation", g.Leaders[i].Nation);
    for (int i = 1; i <= kNationCount; ++i) {
        const TNationRec& n = g.Nations[i];
        if (!side(n.Side)) return Bad("Nation", i, "side", n.Side);
        if (!city(n.Capital)) return Bad("Nation", i, "capital", n.Capital);
        for (int t = 1; t <= kTheatreCount; ++t)
            if (!city(n.FocusCity[t])) return Bad("Nation", i, "focus city", n.FocusCity[t]);
    }
    for (int i = 1; i <= kStateCount; ++i) {
        const TStateRec& s = g.States[i];
        if (!side(s.Owner)) return Bad("State", i, "owner", s.Owner);
        if (!side(s.ControlSide)) return Bad("State", i, "controlling side", s.ControlSide);
        if (!city(s.CapitalCity)) return Bad("State", i, "capital", s.CapitalCity);
        if (!nation(s.Controller)) return Bad("State", i, "controller", s.Controller);
        if (!theatre(s.Theatre)) return Bad("State", i, "theatre", s.Theatre);
    }
    for (int i = 1; i <= kFleetCount; ++i) {
        const TFleetRec& f = g.Fleets[i];
        if (!FleetInUse(f)) continue;
        if (!col(f.HexX)) return Bad("Fleet", i, "column", f.HexX);
        if (!row(f.HexY)) return Bad("Fleet", i, "row", f.HexY);
        if (!col(f.DestX)) return Bad("Fleet", i, "destination column", f.DestX);
        if (!row(f.DestY)) return Bad("Fleet", i, "destination row", f.DestY);
        if (!side(f.Side)) return Bad("Fleet", i, "side", f.Side);
        if (!city(f.HomePort)) return Bad("Fleet", i, "home port", f.HomePort);
        if (!city(f.TargetCity)) return Bad("Fleet", i, "target city", f.TargetCity);
        if (f.Cargo > kCorpsCount) return Bad("Fleet", i, "cargo", f.Cargo);
        if (!nation(f.Owner)) return Bad("Fleet", i, "owner", f.Owner);
    }
    for (int i = 1; i <= kPlanCount; ++i)
        if (!city(g.Plans[i].TargetCity)) return Bad("Plan", i, "target city", g.Plans[i].TargetCity);
    for (int i = 1; i <= kBrigadeCount; ++i) {
        const TBrigadeRec& b = g.Brigades[i];
        if (!BrigadeInUse(b)) continue;
        switch (b.AttachKind) {
            case kAttachCorps:
                if (b.AttachIndex < 1 || b.AttachIndex > kCorpsCount) return Bad("Brigade", i, "corps", b.AttachIndex);
                break;
            case kAttachGarrison:
            case kAttachWaiting:
            case kAttachUnarmed:
                if (!city(b.AttachIndex)) return Bad("Brigade", i, "city", b.AttachIndex);
                break;
            default:
                return Bad("Brigade", i, "attachment kind", b.AttachKind);
        }
        if (!nation(b.Nation)) return Bad("Brigade", i, "nation", b.Nation);
        if (b.BrigadeType > 3) return Bad("Brigade", i, "type", b.BrigadeType);
        if (b.Weapon > kWeaponKinds) return Bad("Brigade", i, "weapon", b.Weapon);
        if (!state(b.HomeState)) return Bad("Brigade", i, "home state", b.HomeState);
    }
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y)
            if (!state(map.Cell(x, y).State())) {
                std::ostringstream s;
                s << "Map hex " << x << "," << y << " has state " << map.Cell(x, y).State() << ", which is out of range.";
                return s.str();
            }
    return {};
}

bool ReadGameImages(const std::string& fileName, TGameRec& rec, TMapGrid& map, std::string* error, TBattleLogRead* history,
                    std::string* note) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    const auto deadline = std::chrono::steady_clock::now() + kGameFilesPatience;
    for (;;) {
        // Held while both are read, so that another copy of the program saving this game cannot
        // slip its record in beside the old map; a reader's lock where this program may not write.
        const TGameFilesLock lock(SaveBaseOf(fileName));
        const std::string trouble = lock.Trouble();
        if (lock.state() == TGameFilesLock::State::Busy)
            return fail("The game \"" + fileName + "\" cannot be opened" + (trouble.empty() ? "" : ": " + trouble) + ".");
        if (lock.state() == TGameFilesLock::State::Unreadable)
            return fail("The game \"" + fileName + "\" cannot be opened: " + trouble +
                        ", so whether its last save was finished cannot be told. Nothing was read or removed.");
        const std::string mapName = MapFileFor(fileName);
        if (lock.state() == TGameFilesLock::State::Interrupted || lock.state() == TGameFilesLock::State::Unfinished ||
            lock.state() == TGameFilesLock::State::Blocked) {
            const std::string interrupted = "The last save of \"" + fileName + "\" was interrupted, and ";
            const std::string where = " The game lies in \"" + fileName + "\", \"" + mapName + "\" and what that save left: " +
                                      lock.LeftFiles() + ".";
            // A lock file that cannot be made in a writable folder is told as it is.
            if (lock.state() == TGameFilesLock::State::Blocked ||
                (lock.state() == TGameFilesLock::State::Unfinished && !trouble.empty()))
                return fail(interrupted + "it cannot be finished: " + trouble + "." + where);
            if (lock.state() == TGameFilesLock::State::Unfinished)
                return fail(interrupted + "its folder \"" + FolderOf(fileName) + "\" must be writable to finish it." + where);
            return fail(interrupted + "what it left cannot be proved whole: nothing was read or removed." + where);
        }
        // New files of a save cut short that nothing proves scratch: beside no game they may be its
        // only copy, and the player is told how to put them in place; beside one, where they lie.
        const std::vector<TKeptFile>& kept = lock.Kept();
        std::error_code noGame;
        if (!kept.empty() && !fs::is_regular_file(fileName, noGame))
            return fail("The game \"" + fileName + "\" cannot be opened: a save of it was interrupted before its files were "
                        "put in place, and no game stands under its name. What that save wrote is kept as it is: " +
                        KeptFilesText(kept, fileName) +
                        ". If it holds the only copy of the game, give each file the name it is to have; otherwise "
                        "remove them.");
        // A game that cannot be read beside them leaves them the player's best copy: he is told where.
        const std::string keptToo = kept.empty() ? std::string()
                                                 : " A save of it was interrupted before its files were put in place, and what "
                                                   "that save wrote is kept as it is: " + KeptFilesText(kept, fileName) + ".";
        // Each file as it stood just before it was read, for a reading without a lock.
        std::vector<std::pair<std::string, TFileIdentity>> seen;
        auto watch = [&seen](const std::string& path) {
            if (readWatcher) readWatcher(path);
            seen.emplace_back(path, IdentityOf(path));
        };
        // Why a file cannot be one of the images; empty when it was read at its exact size.
        auto read = [&watch](const std::string& path, std::size_t exact, std::string& bytes, const std::string& what,
                             const char* sizeNote) {
            watch(path);
            std::uint64_t size = 0;
            switch (ReadRegularFile(path, exact, bytes, size)) {
                case ReadOutcome::Missing:
                case ReadOutcome::Failed: return what + " cannot be opened.";
                case ReadOutcome::NotAFile: return what + " is not a file.";
                case ReadOutcome::TooLarge:
                case ReadOutcome::Read: break;
            }
            if (size == exact) return std::string();
            return what + " holds " + std::to_string(size) + " bytes, not " + std::to_string(exact) + "." + sizeNote;
        };
        std::string recBytes, mapBytes;
        std::string why = read(fileName, kGameRecSize, recBytes, "The game \"" + fileName + "\"",
                               " It is not a saved game of this program.");
        if (why.empty()) why = read(mapName, kMapGridSize, mapBytes, "The map \"" + mapName + "\" of this game", "");
        TBattleLogRead historyRead;
        if (why.empty() && history) {
            const std::string historyName = BattleLogFileFor(fileName);
            watch(historyName);
            historyRead.read = ReadBattleLogLines(historyName, historyRead.lines, &historyRead.error);
        }
        // Read without a lock, the files may be of two saves, or a refusal tell of a save going on:
        // they are read again until they stand still, or for as long as a lock is waited for.
        if (lock.Unlocked() && !lock.Unchanged(seen)) {
            if (std::chrono::steady_clock::now() >= deadline)
                return fail("The game \"" + fileName + "\" cannot be opened: " + std::string(kGameBeingSaved) + ".");
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        if (!why.empty()) return fail(why + keptToo);
        auto tmpRec = std::make_unique<TGameRec>();
        auto tmpMap = std::make_unique<TMapGrid>();
        std::memcpy(static_cast<void*>(tmpRec.get()), recBytes.data(), kGameRecSize);
        std::memcpy(static_cast<void*>(tmpMap.get()), mapBytes.data(), kMapGridSize);
        why = ValidateGameImages(*tmpRec, *tmpMap);
        if (!why.empty()) return fail("The game \"" + fileName + "\" is damaged: " + why + keptToo);
        std::memcpy(static_cast<void*>(&rec), tmpRec.get(), kGameRecSize);
        std::memcpy(static_cast<void*>(&map), tmpMap.get(), kMapGridSize);
        if (history) *history = std::move(historyRead);
        if (note && !kept.empty())
            *note = "A save of \"" + fileName + "\" was interrupted before its files were put in place: the game read is "
                    "the one that stands under its name, and what that save wrote is kept as it is: " + KeptFilesText(kept, fileName) +
                    ". Remove those files when they are not wanted.";
        return true;
    }
}

void SetGameFileReadWatcher(GameFileReadWatcher watcher) { readWatcher = watcher; }

namespace {

// Writes the files of one game together under its lock; false, with why, when any is not written.
bool WriteUnderLock(const std::string& base, const std::vector<TFileImage>& files, std::string& why) {
    TGameFilesLock lock(base);
    if (lock.state() == TGameFilesLock::State::Interrupted) {
        why = "its last save was interrupted, and what it left is kept as it is: " + lock.LeftFiles();
        return false;
    }
    // Where the lock is not held nothing is written, and the lock says why.
    if (lock.WriteTogether(files)) return true;
    why = lock.Trouble();
    if (lock.state() == TGameFilesLock::State::Blocked) why = "its last save was interrupted, and it cannot be finished: " + why;
    return false;
}

}  // namespace

bool SaveGameFiles(const std::string& name, bool withHistory, std::string* why) {
    const std::string history = withHistory ? HistoryText() : std::string();
    // Found ignoring case by the save itself, under the lock once a save cut short has been
    // finished, as it looks at each old file anyway.
    std::vector<TFileImage> files;
    if (withHistory) files.push_back({name + ".BTL", history, true});
    files.push_back({name + ".KVT", std::string_view(reinterpret_cast<const char*>(GameRec), kGameRecSize), true});
    files.push_back({name + ".KVM", std::string_view(reinterpret_cast<const char*>(MapGrid), kMapGridSize), true});
    std::string reason;
    if (WriteUnderLock(name, files, reason)) return true;
    if (why) *why = reason;
    // Told after the lock is let go: the player may take his time over the message.
    CurrentFrontend().InformationBox("The game could not be saved as \"" + name + "\"" + (reason.empty() ? "" : ": " + reason) +
                                     ".");
    return false;
}

bool LoadGameImages(const std::string& fileName, LoadTime when, TBattleLogRead* history) {
    std::string why, note;
    if (!ReadGameImages(fileName, *GameRec, *MapGrid, &why, history, &note)) {
        CurrentFrontend().InformationBox(why + (when == LoadTime::StartUp ? " Please choose another game."
                                                                         : " The game in play is kept."));
        return false;
    }
    GameFileBase = GameBaseOf(fileName);
    if (!note.empty()) CurrentFrontend().InformationBox(note);
    return true;
}

void ApplyLoadDataMarks() {
    TMapGrid& m = *MapGrid;
    TGameRec& g = *GameRec;
    m.Cell(26, 19).SetRiverNavigable(true);
    auto markNeighbour = [&](int city, int direction) {
        int x = g.Cities[city].HexX, y = g.Cities[city].HexY;
        StepHexAt(x, y, direction);
        if (OnMap(x, y)) m.Cell(x, y).SetRiverNavigable(true);
    };
    markNeighbour(50, 1);
    markNeighbour(67, 5);
    markNeighbour(55, 5);
    m.Cell(65, 15).b[1] = m.Cell(65, 14).b[1];
    g.Cities[38].RiverLink = 0;
    g.Cities[60].RiverLink = 0;
    m.Cell(32, 26).SetRail(false);
    m.Cell(32, 27).SetRail(true);
    m.Cell(12, 38).SetRail(true);
    m.Cell(13, 38).SetRail(true);
    g.WeaponTable[5].FireFactor1 = 1;
    g.WeaponTable[5].FireFactor2 = 2;
}

bool SaveBattleLog(const std::string& path, std::string* why) {
    const std::string content = HistoryText();
    std::string reason;
    if (WriteUnderLock(SaveBaseOf(path), {{path, content}}, reason)) return true;
    if (why) *why = reason;
    return false;
}

bool LoadBattleLog(const std::string& path, std::string* error) {
    BattleLog.clear();
    // Each file is replaced whole, so the history is read whoever holds the lock; taking it
    // finishes a save of its game that was cut short.
    const TGameFilesLock lock(SaveBaseOf(path));
    if (lock.state() == TGameFilesLock::State::Interrupted || lock.state() == TGameFilesLock::State::Unfinished ||
        lock.state() == TGameFilesLock::State::Blocked) {
        if (error) *error = "The battle history \"" + path + "\" is not read: the last save of its game was interrupted.";
        return false;
    }
    if (lock.state() == TGameFilesLock::State::Unreadable) {
        if (error) *error = "The battle history \"" + path + "\" is not read: " + lock.Trouble() + ".";
        return false;
    }
    return ReadBattleLogLines(path, BattleLog, error);
}

}  // namespace kvt

// Saved games on disk: the raw record image (".KVT"), the raw map image (".KVM") and, in a mail
// game, the battle history (".BTL"). A load reads only plain files of a sound size and checks
// everything before it replaces the game in play; a save replaces its files together or not at all.
// Also where the game's own data lies: the current folder, else the program's folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/world/game_record.h"
#include "engine/world/map_grid.h"
#include "engine/world/save_journal.h"

namespace kvt {

// The file name without its extension, the dot kept: "saves/game." for "saves/game.kvt". A name
// without an extension gets a dot, so appending "KVM" always names the map beside it.
std::string GameBaseOf(const std::string& fileName);
// The map file read with a game: its base followed by "KVM", found case-insensitively.
std::string MapFileFor(const std::string& fileName);
// The battle history read with a game: its base followed by "BTL", found case-insensitively.
std::string BattleLogFileFor(const std::string& fileName);
// The base a chosen save name is written under: the name without its extension, if it has one.
std::string SaveBaseOf(const std::string& chosenName);
// The path itself when it exists, else an entry of its folder whose name matches ignoring case,
// else the path unchanged.
std::string ResolveFileCaseInsensitive(const std::string& path);

// The name typed in the Open dialog as a file: the name itself when it exists, else the saved game
// of that name with ".KVT" added (found ignoring case), else the name unchanged.
std::string OpenNameFor(const std::string& typed);
// The record, map or (for a mail game) battle history file that a save under the chosen name would
// replace; empty when none exists.
std::string SaveWouldReplace(const std::string& chosenName);

// The folder that holds the program; its data is read from there when the current folder lacks it.
void SetProgramFolder(const std::string& folder);
// The folder the game's own files (texts, pictures, help, start points) are read from: empty for
// the current folder when it holds the game's texts, else the program's folder when that does.
std::string GameDataFolder();
// One of the game's own files in that folder, found ignoring case.
std::string GameDataFile(const std::string& name);

// Why a pair of images cannot be a game: an empty text when both are sound.
std::string ValidateGameImages(const TGameRec& rec, const TMapGrid& map);

// A game's battle history read with its record and map, under the same lock: another program's
// save in between cannot pair the record with the next turn's history.
struct TBattleLogRead {
    bool read = false;
    std::string error;  // why it was not, in LoadBattleLog's words
    std::vector<std::string> lines;
};

// Reads a game and its map into the caller's blocks, under the game's lock once a save of it that
// was cut short has been finished; on failure leaves them untouched and returns the reason. A cut
// save that cannot be proved whole, or that only a writable folder could finish, is refused with
// the names of the files that hold the game. With `history`, the battle history beside the game is
// read too, once the pair is. Where no lock can be had the files are read again until no save
// changed them between the reads.
// A save cut short before it put its files in place, whose new files nothing proves scratch, has
// them kept: beside no game the load is refused, telling the player which name each file was to
// have; beside a game that game is read, and `note` says where they lie.
bool ReadGameImages(const std::string& fileName, TGameRec& rec, TMapGrid& map, std::string* error,
                    TBattleLogRead* history = nullptr, std::string* note = nullptr);
// Called with each file of a game just before ReadGameImages reads it, for tests, which may pause
// the program there; nullptr for none.
using GameFileReadWatcher = void (*)(const std::string& path);
void SetGameFileReadWatcher(GameFileReadWatcher watcher);

// Writes name + ".KVT" and name + ".KVM" (and, withHistory, BattleLog as name + ".BTL") as one,
// under the game's lock: either every file is replaced or, after a report, the old ones are left as
// they were. A folder, device or pipe under one of the names, or what a cut save left that cannot
// be proved whole, is refused the same way. A failed save is told through the frontend, naming
// the file or folder and the system's reason, which `why` receives when given ("its folder
// \"saves\" cannot be written (Permission denied)").
bool SaveGameFiles(const std::string& name, bool withHistory = false, std::string* why = nullptr);


// When a load is asked for: with a game in play, which a refused file leaves as it is, or at
// start-up, where the player is offered the choice of games again.
enum class LoadTime { InPlay, StartUp };

// Reads the images into the game in play and sets GameFileBase; a file that fails is reported
// through the frontend, in words that fit `when`, and the record is left as it was. Returns
// whether the game was replaced.
bool LoadGameImages(const std::string& fileName, LoadTime when = LoadTime::InPlay, TBattleLogRead* history = nullptr);

// The map and data marks applied to every game loaded through the Open dialog.
void ApplyLoadDataMarks();

// The game as ordered, written at every Execute.
inline constexpr const char* kAutosaveName = "Autosave";

// Battle history files: one line per entry, written ended by CR LF; a bare LF is read as well. No
// game writes a history near this size, so a larger file is refused unread.
inline constexpr std::uint64_t kBattleLogMaxBytes = 4u << 20;
static_assert(kBattleLogMaxBytes <= kSavedFileMaxBytes && kGameRecSize <= kSavedFileMaxBytes);
// False, with why when asked, when the history is not written.
bool SaveBattleLog(const std::string& path, std::string* why = nullptr);
// Reads the history into BattleLog (emptied first); false, with the reason, when the file is
// missing, not a plain file or too large.
bool LoadBattleLog(const std::string& path, std::string* error = nullptr);

}  // namespace kvt

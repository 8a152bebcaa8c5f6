// Saved games on disk: the raw record image (".KVT"), the raw map image (".KVM") and, in a mail
// game, the battle history (".BTL"). A load checks everything before it replaces the game in play;
// a save never leaves half a file behind.
#pragma once

#include <string>

#include "engine/core/game_record.h"
#include "engine/core/map_grid.h"

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

// Why a pair of images cannot be a game: an empty text when both are sound.
std::string ValidateGameImages(const TGameRec& rec, const TMapGrid& map);

// Reads a game and its map into the caller's blocks; on failure leaves them untouched and
// returns the reason.
bool ReadGameImages(const std::string& fileName, TGameRec& rec, TMapGrid& map, std::string* error);

// Writes name + ".KVT" and name + ".KVM". Returns false (and reports) when a file cannot be written.
bool SaveGameFiles(const std::string& name);

// When a load is asked for: with a game in play, which a refused file leaves as it is, or at
// start-up, where the player is offered the choice of games again.
enum class LoadTime { InPlay, StartUp };

// Reads the images into the game in play and sets GameFileBase; a file that fails is reported
// through the frontend, in words that fit `when`, and the record is left as it was. Returns
// whether the game was replaced.
bool LoadGameImages(const std::string& fileName, LoadTime when = LoadTime::InPlay);

// Reads the game files and brings the game into play.
bool LoadGameFiles(const std::string& fileName, LoadTime when = LoadTime::InPlay);

// Brings a game that has just been read into play: its fix-ups, derived state and side to play.
void BringGameIntoPlay(const std::string& fileName);

// The map and data marks applied to every game loaded through the Open dialog.
void ApplyLoadDataMarks();

// The game as ordered, written at every Execute.
inline constexpr const char* kAutosaveName = "Autosave";

// Battle history files: one line per entry, written ended by CR LF; a bare LF is read as well.
bool SaveBattleLog(const std::string& path);
bool LoadBattleLog(const std::string& path);

}  // namespace kvt

// Bringing a game that has been read into play: the load's fix-ups, the derived state the rules
// recount from the record, the menus and the side to play.
#pragma once

#include <string>

#include "engine/world/game_files.h"

namespace kvt {

// Reads the game files (with `history`, its battle history too) and brings the game into play.
bool LoadGameFiles(const std::string& fileName, LoadTime when = LoadTime::InPlay, TBattleLogRead* history = nullptr);

// Brings a game that has just been read into play: its fix-ups, derived state and side to play.
void BringGameIntoPlay(const std::string& fileName);

}  // namespace kvt

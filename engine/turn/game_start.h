// The first game of a run: the scenario choice until a start point or saved game is in play.
// Reading the default start point before the choice, and the start points' file names.
#pragma once

#include <string>

namespace kvt {

// The start point of answer 1, 2 or 3 of the scenario choice; empty for any other answer.
std::string ScenarioFileName(int answer);

// Why a game may not be saved under the chosen name: it would replace a start point in the folder
// the start points are read from (names compared ignoring case). Empty when it may.
std::string SaveNameRefusal(const std::string& chosenName);

// Reads "1861.kvt" into the record as the game shown behind the scenario choice (its map is read
// only when a game is chosen). False, with the reason, when the file is missing or unsound.
bool ReadDefaultStartPoint(std::string* error);

// The scenario choice and the first load: a start point, or a saved game through the Open dialog.
// A start point that cannot be read, a refused file or a cancelled Open dialog leads back to the
// scenario choice, so the game always starts with a game in play.
void StartUpGame();

}  // namespace kvt

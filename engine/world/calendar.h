// The calendar of the game: a turn is ten days, on days 1, 11 and 21 of each month.
#pragma once

#include <string>

namespace kvt {

// Moves the date in GameRec on by one turn.
void AdvanceDate();
// "Apr 11 1861": month name with its blank, the day, a blank and the year.
std::string DateText();
// The month name with its trailing blank; empty outside 1..12.
std::string MonthName(int month);
// True on the first turn of a month.
inline bool FirstTurnOfMonth(int day) { return day < 8; }

}  // namespace kvt

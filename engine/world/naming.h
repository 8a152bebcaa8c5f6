// Names built from numbers: ordinals of brigades and corps, weapon and nation names, brigade list
// entries.
#pragma once

#include <string>

#include "engine/world/game_record.h"

namespace kvt {

// "1st ", "2nd ", "3rd ", "4th ", "11th ", "21st ", "101st ", "112th ": the English ordinal with a
// trailing blank.
std::string OrdinalText(int n);
// "Muskets" .. "Whitworths" for weapon kinds 1..8; empty otherwise.
std::string WeaponName(int kind);
// "Union", "Confederacy", "France", "Britain" for nations 1..4; empty otherwise.
const char* NationName(int nation);
// A brigade's list entry: ordinal, home state's short name, " Arty ", " Inf " or " Cav ", weapon.
std::string BrigadeEntryText(const TBrigadeRec& b);
// The same with the weapon's name as that list spells it.
std::string BrigadeEntryText(const TBrigadeRec& b, const std::string& weapon);

}  // namespace kvt

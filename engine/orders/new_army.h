// Raising an army: a named headquarters in one of the side's cities under a senior leader, with the
// side's free corps and divisions put under it. Nothing is taken until the dialog closes with a city
// and a leader chosen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvt {

// Army names hold 22 characters of one byte each.
constexpr int kArmyNameLength = 22;

// Leaders of the side played of Rank 5 or more, available, removed or marked for removal, who head
// no command yet.
std::vector<int> ArmyLeaders();
// Every city of the side played.
std::vector<int> ArmyCities();
// The army's suggested name for a city: its state's name.
std::string ArmyNameForCity(int city);
// The side played's corps and divisions in no army.
std::vector<int> ArmyElements();
// "Ordinal Corps - Leader" (or a division's text).
std::string ArmyElementText(int corps);
// A typed name as the record stores it: Latin-1, "?" for any other character, cut to 22.
std::string StoredArmyName(std::string_view utf8);

// Creates the army under the name (UTF-8 as typed) with the listed corps under it; answers the army
// record, or 0, taking nothing, when the city or leader is not offered or all 15 records are taken.
int RaiseArmy(int city, int leader, std::string_view name, const std::vector<int>& corps);

}  // namespace kvt

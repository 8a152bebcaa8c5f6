// What the order dialogs' rules share: list rows that stand for records, the city row text and the
// national will a person's orders may cost.
#pragma once

#include <string>

namespace kvt {

// One row of a dialog's list and the record it stands for (a city or a leader).
struct TOrderRow {
    std::string text;
    int index = 0;
};

// A city as the lists show it: "Name,ShortName" of its state, no blanks.
std::string CityRowText(int city);

// Lowers a nation's will, stopping at the lowest value the word holds instead of wrapping round
// to a high will.
void LowerNationalWill(int nation, int amount);

}  // namespace kvt

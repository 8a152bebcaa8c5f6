// The general force status of the side played: troops by theatre, ships, the men and guns armed with
// each weapon kind, weapons on hand and made each month, yards and ships building, both capitals,
// and the move of its own capital at a cost in national will. Men are strength units x 50, guns x 2.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/orders/order_support.h"

namespace kvt {

struct TForceStatusView {
    // Label<n> := text; labels not named keep the form's own captions.
    std::vector<std::pair<int, std::string>> labels;
    std::vector<TOrderRow> capitals;  // ListBox1: cities that may become the capital
    int capitalRow = -1;              // the present capital's row
};

TForceStatusView OpenForceStatus();
// A month's production of weapon kind 1..8 for the nation: its cities' standing orders plus the
// off-map capacity of the states it controls that have no capital city.
int MonthlyWeaponProduction(int nation, int kind);
// The click on a capital row: asks first; on OK the row's city becomes the capital, the old
// capital's value comes off national will and 5 of value pass from it to the new one. Answers
// whether the capital moved.
bool ChooseCapital(const TForceStatusView& view, int row);

}  // namespace kvt

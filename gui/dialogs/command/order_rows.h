// The command dialogs' lists whose rows stand for records (the engine's TOrderRow): shown from the
// engine's rows and read back as the record of the row chosen. Holds no rule.
#pragma once

#include <vector>

#include "engine/orders/order_support.h"

namespace kvt::gui {

class TElAdvancedListBox;

// Replaces the list's lines with the rows' texts.
void ShowRows(TElAdvancedListBox* list, const std::vector<TOrderRow>& rows);
// As above, then chooses row `selected` (-1 none).
void ShowRows(TElAdvancedListBox* list, const std::vector<TOrderRow>& rows, int selected);
// The record behind the list's chosen row; 0 when none is chosen.
int ChosenRecord(const TElAdvancedListBox* list, const std::vector<TOrderRow>& rows);

}  // namespace kvt::gui

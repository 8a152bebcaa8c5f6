// The choice among several objects at a clicked hex: one row per object the click collected, and
// what choosing a row does: it selects the object and names the order dialog to open (city, army,
// fleet), describes an enemy corps in a notice, or offers an own corps' orders or its objective.
// The chosen entry's position is left in SelectionList.Count for the map click to finish.
#pragma once

#include <vector>

#include "engine/orders/order_support.h"

namespace kvt {

enum class TSelectionAct { Nothing, CityOrders, ArmyOrders, FleetOrders, CorpsChoice, EnemyCorpsDescribed };

// One showing of the choice.
class TSelectionChoice {
public:
    // Rows of the entries of SelectionList that name an object; each row's index is its entry's
    // position in the list.
    TSelectionChoice();

    const std::vector<TOrderRow>& Rows() const { return rows_; }
    // The person clicked a row.
    TSelectionAct ChooseRow(int row);
    // The own corps' choice: "Orders" (item 0) answers true, the corps orders to open; "Set
    // Objective" (item 1) starts drawing its route.
    bool ChooseCorpsItem(int item);
    // The choice closes: the count keeps the entry chosen last (the last entry when no row was
    // chosen); with that object gone, nothing is selected.
    void Close();

private:
    std::vector<TOrderRow> rows_;
};

}  // namespace kvt

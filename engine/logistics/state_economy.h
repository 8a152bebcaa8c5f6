// The monthly economy of the states: output turned into theatre supplies (and Confederate cotton),
// then each state's weapon orders delivered into its nation's pools, paid from the same stock.
// Supplies, cotton and weapons are whole units; outputs are in hundredths of a unit of income.
#pragma once

namespace kvt {

// Once a month (first turn): income of every state its owner controls, then weapon deliveries.
// Draws nothing and shows nothing.
void UpdateStateEconomy();

}  // namespace kvt

// End-of-turn upkeep: fleets under construction advance (every nation), and each computer nation
// does what a person does in the dialogs: refills brigades, garrisons cities, forms corps,
// divisions and armies, repairs ships, buys rail capacity, builds forts and harbour guns, promotes
// divisions, rearms brigades and plans its navy. Freed corps records are wiped last.
// Men are in units of 50 (guns for artillery); supplies in whole units.
#pragma once

namespace kvt {

// Once a turn after movement, battles and corps supply.
void ComputerSideUpkeep();
// The same upkeep sweeping every brigade and tallying every city afresh: the reference the tests
// hold ComputerSideUpkeep to.
void ComputerSideUpkeepFullRescan();

// Kinds of ReportBrigadeEvent.
enum : int { kBrigadeRefilled = 1, kBrigadeGarrisoned = 2, kBrigadeJoinedCorps = 3 };

// Tells the watching player that brigade b of the nation was refilled with `amount` men or guns
// (kind 1), made the garrison of city `index` (kind 2) or put into corps `index` (kind 3). Shown only
// when everything is shown, or when one side is watching and a person plays the nation.
void ReportBrigadeEvent(int nation, int index, int brigade, int amount, int kind);

}  // namespace kvt

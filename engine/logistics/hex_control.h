// Hex control: which side controls each hex of the map, from the corps, river fleets and cities
// near it. Recomputed on loading a game, before movement and after every movement pass.
//
// Each hex weighs three tallies (none, Union, Confederacy): its state's controlling side 2, its
// present controller 3, plus 7 for the state's side when no foreign city or enemy brigade is in the
// state; corps within 3 hexes (1 when engaged) and river fleets within 1 add to their side. A strict
// maximum takes the hex, ties keep it. A city hex always shows its holder. Draws no random number.
#pragma once

namespace kvt {

// Also refreshes each state's ForeignHeld and EnemyStrength, which the pass itself weighs. Weighs
// again only the hexes whose cell, state or nearby corps and river fleets changed since its last
// pass; the result is always that of the full rescan.
void UpdateHexControl();

// The same pass weighing every hex: the reference the tests hold UpdateHexControl to.
void UpdateHexControlFullRescan();

}  // namespace kvt

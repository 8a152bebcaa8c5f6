// Spotting (what each side sees of the other's corps) and army headquarters following their corps.
#pragma once

namespace kvt {

// Each corps and fleet is measured only against those in the columns within its reach.
void UpdateSpotting();
// The same pass measuring every corps, city and fleet against every other: the reference the tests
// hold UpdateSpotting to.
void UpdateSpottingFullRescan();
// A corps worn away to nothing leaves its brigades (the guns may outlast the men) to its supply city
// when its own side holds it; otherwise they disband.
void ReleaseSpentCorpsBrigades(int corps);
void MoveArmyHeadquarters();
// The same with every city scored against every corps: the reference for MoveArmyHeadquarters.
void MoveArmyHeadquartersFullRescan();

}  // namespace kvt

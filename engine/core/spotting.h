// Spotting (what each side sees of the other's corps) and army headquarters following their corps.
#pragma once

namespace kvt {

void UpdateSpotting();
// A corps worn away to nothing leaves its brigades (the guns may outlast the men) to its supply city
// when its own side holds it; otherwise they disband.
void ReleaseSpentCorpsBrigades(int corps);
void MoveArmyHeadquarters();

}  // namespace kvt

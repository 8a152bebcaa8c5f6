// Spotting (what each side sees of the other's corps) and army headquarters following their corps.
#pragma once

namespace kvt {

void UpdateSpotting();
void MoveArmyHeadquarters();

}  // namespace kvt

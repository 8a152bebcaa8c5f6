// Rules of other areas that the turn already calls but that are not written yet. Until each is
// written the turn runs without it; whoever writes a rule deletes its line here.
#include "engine/combat/brigade_rules.h"
#include "engine/core/corps_movement.h"
#include "engine/core/spotting.h"

namespace kvt {

void PlanCorpsMoves() {}
bool MoveCorpsStep(int) { return false; }
void UpdateSpotting() {}
void MoveArmyHeadquarters() {}
void InitBrigadeTypeTable() {}
void RecalcCorpsFromBrigades() {}

}  // namespace kvt

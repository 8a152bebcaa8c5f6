// Force recount: the derived totals of ships, troops and armies that the rules and overviews read.
#pragma once

namespace kvt {

void RecountForces();
// The same recount right after RecalcCorpsFromBrigades, with no brigade, corps or city changed
// since: the corps' figures are taken as they stand.
void RecountForcesOfCountedCorps();
// The same recount measuring every corps for the local odds and the army values: the reference the
// tests hold RecountForces to.
void RecountForcesFullRescan();

}  // namespace kvt

// Brigade rules: keep brigades and the corps figures derived from them in step.
#pragma once

namespace kvt {

// Rebuilds the table of brigade types by weapon kind (first turn of every month).
void InitBrigadeTypeTable();
// Recomputes every corps' strength, artillery and brigade counts from its brigades.
void RecalcCorpsFromBrigades();

}  // namespace kvt

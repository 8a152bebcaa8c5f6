// The turn's fleet missions, blockades, scuttling and unloading, and every fleet's planned route.
#pragma once

namespace kvt {

void NavalTurnStep();

}  // namespace kvt

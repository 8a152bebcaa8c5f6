// Short reads of the record in play for the rules.
#pragma once

#include "engine/core/globals.h"

namespace kvt {

inline TGameRec& G() { return *GameRec; }

}  // namespace kvt

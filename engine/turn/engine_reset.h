// The whole engine back to the state of a fresh program: the world's globals and every subsystem's
// own, so every test starts clean.
#pragma once

namespace kvt {

// Clears the record, the map and every shared global to the state of a fresh program.
void ResetEngineGlobals();

}  // namespace kvt

// The installed frontend, and the automatic one standing in while none is.
#include "engine/world/frontend.h"

// By exception a higher rung's: the automatic frontend answers until another is installed.
#include "engine/turn/automatic_frontend.h"

namespace kvt {

namespace {
AutomaticFrontend automaticFrontend;
Frontend* installed = nullptr;
}  // namespace

Frontend& CurrentFrontend() { return installed ? *installed : automaticFrontend; }

void InstallFrontend(Frontend* frontend) { installed = frontend; }

}  // namespace kvt

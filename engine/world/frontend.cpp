// The installed frontend, and the default standing in while none is.
#include "engine/world/frontend.h"

#include <cstdio>
#include <cstdlib>

namespace kvt {

namespace {
Frontend* installed = nullptr;
Frontend* standIn = nullptr;
}  // namespace

Frontend& CurrentFrontend() {
    if (installed) return *installed;
    if (standIn) return *standIn;
    // A wait nobody answers would go unnoticed; a program that forgot its default ends here.
    std::fputs("kvt: no frontend installed and no default set (InstallAutomaticFrontendAsDefault)\n", stderr);
    std::abort();
}

void InstallFrontend(Frontend* frontend) { installed = frontend; }

void SetDefaultFrontend(Frontend* frontend) { standIn = frontend; }

}  // namespace kvt

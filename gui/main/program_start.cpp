// The application's settings at the program's start.
#include "gui/main/program_start.h"

#include <QApplication>

#include "gui/platform/fonts.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/message_box.h"

namespace kvt::gui {
namespace {

// Qt keeps the count and the list it is given for the application's lifetime.
int gArgumentCount = 1;
char gDefaultName[] = "kvt";
char* gArguments[] = {gDefaultName, nullptr};

}  // namespace

std::unique_ptr<QApplication> StartApplication(int argc, char** argv) {
    if (argc > 0 && argv[0] != nullptr) gArguments[0] = argv[0];
    auto app = std::make_unique<QApplication>(gArgumentCount, gArguments);
    InstallPlatformLook(*app);
    SetApplicationHelpFile(QStringLiteral("KVT.HLP"));
    SetApplicationTitle(QStringLiteral("Drennovar III  v2.5"));
    return app;
}

}  // namespace kvt::gui

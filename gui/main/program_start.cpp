// The application's settings at the program's start.
#include "gui/main/program_start.h"

#include <QApplication>

#include "gui/platform/fonts.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/message_box.h"

namespace kvt::gui {

void PrepareApplication(QApplication& app) {
    InstallPlatformLook(app);
    SetApplicationHelpFile(QStringLiteral("KVT.HLP"));
    SetApplicationTitle(QStringLiteral("Drennovar III  v2.5"));
}

}  // namespace kvt::gui

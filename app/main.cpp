// The program's main block: the application, its help file and title, the main window and its
// event loop. The game's files are read from the current folder, else from the program's; without
// its texts, pictures or start point the program ends after the window has named the missing file.
#include <QApplication>

#include "engine/turn/automatic_frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/random.h"
#include "gui/main/kvt_sdi.h"
#include "gui/platform/fonts.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/message_box.h"

namespace {

int ProgramMain(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    QApplication app(argc, argv);
    // Started from another folder, the game still finds its own files beside the program.
    kvt::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    kvt::gui::InstallPlatformLook(app);
    kvt::gui::SetApplicationHelpFile(QStringLiteral("KVT.HLP"));
    kvt::gui::SetApplicationTitle(QStringLiteral("Drennovar III  v2.5"));
    kvt::UseClockForRandomize(true);
    kvt::gui::TKVTSDI window;
    if (!window.FormCreate()) return 1;
    window.show();
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) { return ProgramMain(argc, argv); }

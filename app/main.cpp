// The program's main block: the application, its help file and title, the main window and its
// event loop. The game's files are read from the current folder, else from the program's; without
// its texts, pictures or start point the program ends after the window has named the missing file.
#include <QApplication>

#include <memory>

#include "engine/turn/automatic_frontend.h"
#include "engine/world/game_files.h"
#include "engine/world/random.h"
#include "gui/main/kvt_sdi.h"
#include "gui/main/program_start.h"

namespace {

int ProgramMain(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    // The look, the help file and the title, given as the window tests give them.
    const std::unique_ptr<QApplication> app = kvt::gui::StartApplication(argc, argv);
    // Started from another folder, the game still finds its own files beside the program.
    kvt::SetProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    kvt::UseClockForRandomize(true);
    kvt::gui::TKVTSDI window;
    if (!window.FormCreate()) return 1;
    window.show();
    return app->exec();
}

}  // namespace

int main(int argc, char** argv) { return ProgramMain(argc, argv); }

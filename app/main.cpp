// The program's main block: the application, its title, and the main window's event loop.
#include <QApplication>
#include <QMainWindow>

#include "engine/core/random.h"
#include "gui/platform/fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kvt::gui::InstallPlatformLook(app);
    QApplication::setApplicationDisplayName(QStringLiteral("Drennovar III  v2.5"));
    kvt::UseClockForRandomize(true);
    kvt::Randomize();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Drennovar III  v2.5"));
    window.setFixedSize(1022, 722);
    window.show();
    return app.exec();
}

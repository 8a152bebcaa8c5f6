// The game's own main(), started as the player starts it (with a Qt option that would retitle its
// first main window), looked at once its first dialog is up: that dialog's title bar carries its
// caption alone, whatever the start sets before it. Anything main() adds is seen here, as the
// window tests start from their own main().
#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/world/text_table.h"
#include "tests/gui/gui_support.h"

#define main GameMain
#include "app/main.cpp"
#undef main

namespace {

constexpr int kScenarioChoiceCaption = 612;

// Once the application exists: wait for the first modal dialog, read its title bar, and end there.
void LookAtTheFirstDialog() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [deadline] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible()) {
            if (std::chrono::steady_clock::now() < deadline) return;
            std::fprintf(stderr, "FAILED: no dialog showed within a minute of the start\n");
            std::_Exit(1);
        }
        const std::string bar = kvt::testing::TitleBarText(dialog).toStdString();
        const std::string caption = kvt::Text(kScenarioChoiceCaption);
        if (bar != caption || caption.empty()) {
            std::fprintf(stderr, "FAILED: the first dialog's title bar reads \"%s\", its caption is \"%s\"\n", bar.c_str(),
                         caption.c_str());
            std::_Exit(1);
        }
        std::printf("The first dialog's title bar reads its caption alone: \"%s\"\n", bar.c_str());
        std::fflush(stdout);
        std::_Exit(0);
    });
    timer->start();
}

}  // namespace

int main(int argc, char** argv) {
    qAddPreRoutine(LookAtTheFirstDialog);
    GameMain(argc, argv);
    std::fprintf(stderr, "FAILED: the game ended before its first dialog showed\n");
    return 1;
}

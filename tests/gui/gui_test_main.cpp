// Window tests run offscreen in one QApplication.
#include <gtest/gtest.h>

#include <QApplication>

#include "engine/turn/automatic_frontend.h"
#include "gui/main/program_start.h"

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // The application as the program's start prepares it, so the tests see what the player sees.
    kvt::gui::PrepareApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Window tests run offscreen in one QApplication.
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "engine/turn/automatic_frontend.h"
#include "gui/main/program_start.h"

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    // The application as the program's start makes it, so the tests see what the player sees.
    const std::unique_ptr<QApplication> app = kvt::gui::StartApplication(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Window tests run offscreen in one QApplication.
#include <gtest/gtest.h>

#include <QApplication>

#include "engine/turn/automatic_frontend.h"
#include "gui/platform/fonts.h"
#include "gui/platform/message_box.h"

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    kvt::gui::InstallPlatformLook(app);
    kvt::gui::SetApplicationTitle(QStringLiteral("Drennovar III  v2.5"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

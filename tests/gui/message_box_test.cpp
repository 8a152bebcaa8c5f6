// The message boxes open modally, show their text, close on OK and report the choice.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui/platform/message_box.h"
#include "tests/gui/gui_support.h"

namespace kvt::gui {
namespace {

TEST(MessageBox, InformationBoxShowsItsTextAndClosesOnOk) {
    QString seen;
    bool pictureSaved = false;
    kvt::testing::WhenModalShows([&](QWidget* dialog) {
        auto* box = qobject_cast<TMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        seen = box->TextLabel()->text();
        const QString png = kvt::testing::SaveScreenshot(box, QStringLiteral("message_box_information"));
        pictureSaved = QFileInfo(png).size() > 0 && !QImage(png).isNull();
        EXPECT_EQ(box->CancelButton(), nullptr);
        QTest::mouseClick(box->OkButton(), Qt::LeftButton);
    });
    ShowInformationBox(nullptr, QStringLiteral("The Union has not yet given its orders."));
    EXPECT_EQ(seen, QStringLiteral("The Union has not yet given its orders."));
    EXPECT_TRUE(pictureSaved);
}

TEST(MessageBox, ConfirmBoxAnswersOkOrCancel) {
    kvt::testing::WhenModalShows([](QWidget* dialog) {
        QTest::mouseClick(qobject_cast<TMessageBox*>(dialog)->CancelButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(ShowConfirmBox(nullptr, QStringLiteral("Quit the game?")));
    kvt::testing::WhenModalShows([](QWidget* dialog) {
        QTest::mouseClick(qobject_cast<TMessageBox*>(dialog)->OkButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(ShowConfirmBox(nullptr, QStringLiteral("Quit the game?")));
}

}  // namespace
}  // namespace kvt::gui

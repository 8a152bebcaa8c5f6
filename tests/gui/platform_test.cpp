// The platform layer: fixed colours, text and edge drawing, the dialogs' modal-result rule,
// message boxes, and themed controls that open no handle where no visual styles are installed.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/platform/colors.h"
#include "gui/platform/edges.h"
#include "gui/platform/fonts.h"
#include "gui/platform/form.h"
#include "gui/platform/message_box.h"
#include "gui/platform/text_draw.h"
#include "gui/ui/button_control.h"
#include "gui/ui/themed_control.h"
#include "tests/gui/gui_support.h"

namespace kvt::gui {
namespace {

TEST(Colors, SystemColoursComeFromTheFixedTable) {
    EXPECT_EQ(ToQColor(clBtnFace), QColor(212, 208, 200));
    EXPECT_EQ(ToQColor(clBtnShadow), QColor(128, 128, 128));
    EXPECT_EQ(ToQColor(clWindow), QColor(255, 255, 255));
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0xF7F7F5u), QColor(0xF5, 0xF7, 0xF7));  // blue-green-red byte order
    EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGBColor(1, 2, 3));
}

TEST(TextDraw, MeasuresSingleAndSeveralLinesAndFindsAccelerators) {
    const QFont font = MakeFont(QStringLiteral("Times New Roman"), -13);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(QFontInfo(MakeFont(QStringLiteral("MS Sans Serif"), -11)).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(font.pixelSize(), 13);
    const QRect one = MeasureText(font, QStringLiteral("Done"), QRect(0, 0, 100, 0), DT_SINGLELINE);
    const QRect two = MeasureText(font, QStringLiteral("Done\r\nNow"), QRect(0, 0, 100, 0), 0);
    EXPECT_GT(one.width(), 10);
    EXPECT_EQ(two.height(), 2 * one.height());
    const QRect amp = MeasureText(font, QStringLiteral("&Done"), QRect(0, 0, 100, 0), DT_SINGLELINE);
    EXPECT_EQ(amp.width(), one.width());  // the accelerator mark takes no room

    const struct {
        const char* caption;
        QChar accel;
    } cases[] = {{"&OK", QLatin1Char('O')}, {"Save && &quit", QLatin1Char('q')}, {"A&&B", QChar()}, {"End&", QChar()}};
    for (const auto& c : cases) EXPECT_EQ(AcceleratorOf(QString::fromLatin1(c.caption)), c.accel) << c.caption;
    EXPECT_TRUE(IsAccel(QLatin1Char('o'), QStringLiteral("&OK")));
    EXPECT_FALSE(IsAccel(QLatin1Char('k'), QStringLiteral("&OK")));
}

TEST(TextDraw, EllipsisShortensAWideCaption) {
    QImage full(200, 20, QImage::Format_RGB32), cut(200, 20, QImage::Format_RGB32);
    full.fill(Qt::white);
    cut.fill(Qt::white);
    const auto draw = [](QImage& img, std::uint32_t flags) {
        QPainter p(&img);
        p.setFont(MakeFont(QStringLiteral("Arial"), -12));
        p.setPen(Qt::black);
        QRect r(0, 0, 60, 20);
        DrawText(p, QStringLiteral("A caption far too wide"), r, flags | DT_SINGLELINE | DT_NOCLIP);
    };
    draw(full, 0);
    draw(cut, DT_END_ELLIPSIS);
    const auto rightmostInk = [](const QImage& img) {
        int right = -1;
        for (int x = 0; x < img.width(); ++x)
            for (int y = 0; y < img.height(); ++y)
                if (QColor(img.pixel(x, y)).lightness() < 128) right = x;
        return right;
    };
    EXPECT_GT(rightmostInk(full), 60);
    EXPECT_LT(rightmostInk(cut), 60);
}

TEST(Edges, RaisedAndSunkenEdgesAndMarks) {
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QRect r(0, 0, 20, 20);
    {
        QPainter p(&img);
        DrawEdge(p, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    EXPECT_EQ(r, QRect(2, 2, 16, 16));
    EXPECT_EQ(QColor(img.pixel(5, 0)), ToQColor(cl3DLight));
    EXPECT_EQ(QColor(img.pixel(19, 5)), ToQColor(cl3DDkShadow));
    EXPECT_EQ(QColor(img.pixel(5, 1)), ToQColor(clBtnHighlight));
    EXPECT_EQ(QColor(img.pixel(18, 5)), ToQColor(clBtnShadow));

    const struct {
        std::uint32_t state;
        int x, y;
        QColor centre;
    } marks[] = {
        {DFCS_BUTTONCHECK, 5, 8, ToQColor(clWindow)},
        {DFCS_BUTTONCHECK | DFCS_CHECKED, 5, 8, ToQColor(clWindowText)},  // the tick's lowest column
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, 5, 8, ToQColor(clBtnShadow)},
        {DFCS_BUTTONCHECK | DFCS_CHECKED, 9, 9, ToQColor(clWindow)},
        {DFCS_BUTTONRADIO, 5, 6, ToQColor(clWindow)},
        {DFCS_BUTTONRADIO | DFCS_CHECKED, 5, 6, ToQColor(clWindowText)},  // the dot
        {DFCS_BUTTONRADIO | DFCS_INACTIVE, 5, 6, ToQColor(clBtnFace)},
        {DFCS_BUTTONRADIO, 0, 0, QColor(Qt::magenta)},  // round: the corner stays untouched
    };
    for (const auto& m : marks) {
        QImage mark(13, 13, QImage::Format_RGB32);
        mark.fill(Qt::magenta);
        {
            QPainter p(&mark);
            DrawFrameControl(p, QRect(0, 0, 13, 13), DFC_BUTTON, m.state);
        }
        EXPECT_EQ(QColor(mark.pixel(m.x, m.y)), m.centre) << std::hex << m.state;
    }
}

TEST(Edges, FocusRectangleInvertsEveryOtherPixelOnce) {
    QImage img(10, 6, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        DrawFocusRect(p, QRect(0, 0, 10, 6));
    }
    EXPECT_EQ(QColor(img.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(1, 0)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(5, 3)), QColor(Qt::white));
}

// A control that clicks on Escape (as a Cancel button does) and sets a result when clicked.
class ResultControl : public QWidget, public TDialogKeyTarget {
public:
    ResultControl(TForm* form, int result, bool cancel) : QWidget(form), form_(form), result_(result), cancel_(cancel) {}
    bool DialogKey(int key, Qt::KeyboardModifiers) override {
        if (key != Qt::Key_Escape || !cancel_) return false;
        Click();
        return true;
    }
    bool IsCancelControl() const override { return cancel_; }
    void Click() {
        ++clicks;
        form_->SetModalResult(result_);
        stillOpenInHandler = form_->isVisible();
    }
    int clicks = 0;
    bool stillOpenInHandler = false;

private:
    TForm* form_;
    int result_;
    bool cancel_;
};

// A handler that sets the dialog's result and then runs a loop of its own (a message box, a menu
// or a further dialog): the dialog stays open until the handler has returned.
TEST(Form, AHandlersOwnLoopNeverClosesTheDialogThatSetTheResult) {
    for (const std::string inner : {"message box", "menu", "dialog"}) {
        TForm form;
        auto* ok = new ResultControl(&form, mrOk, false);
        bool openWhileInner = false, openAfterInner = false, innerRan = false;
        kvt::testing::WhenModalShows([&](QWidget*) {
            ok->Click();  // the result is set first, as a button with a modal result does
            if (inner == "message box") {
                kvt::testing::WhenModalShows([&](QWidget* box) {
                    openWhileInner = form.isVisible() && box != &form;
                    QTest::keyClick(box, Qt::Key_Return);
                });
                ShowInformationBox(&form, QStringLiteral("Not enough supplies."));
                innerRan = true;
            } else if (inner == "menu") {
                QMenu menu;
                menu.addAction(QStringLiteral("Orders"));
                QTimer::singleShot(0, &menu, [&]() {
                    openWhileInner = form.isVisible();
                    menu.close();
                });
                menu.exec(QPoint(0, 0));
                innerRan = true;
            } else {
                TForm nested(&form);
                auto* done = new ResultControl(&nested, mrYes, false);
                kvt::testing::WhenModalShows([&](QWidget*) {
                    openWhileInner = form.isVisible();
                    done->Click();
                });
                innerRan = nested.ShowModal() == mrYes;
            }
            openAfterInner = form.isVisible();
        });
        EXPECT_EQ(form.ShowModal(), mrOk) << inner;
        EXPECT_TRUE(ok->stillOpenInHandler) << inner;
        EXPECT_TRUE(innerRan) << inner;
        EXPECT_TRUE(openWhileInner) << inner;
        EXPECT_TRUE(openAfterInner) << inner;
        EXPECT_FALSE(form.isVisible()) << inner;
    }
}

TEST(Form, EscapeAndCloseClickOnlyACancelControl) {
    for (const bool hasCancel : {false, true})
        for (const bool byEscape : {true, false}) {
            TForm form;
            auto* control = new ResultControl(&form, hasCancel ? mrCancel : mrOk, hasCancel);
            kvt::testing::WhenModalShows([&](QWidget* dialog) {
                if (byEscape) QTest::keyClick(dialog, Qt::Key_Escape);
                else dialog->close();
                if (hasCancel) return;
                QApplication::processEvents();
                EXPECT_TRUE(dialog->isVisible()) << byEscape;
                static_cast<TForm*>(dialog)->SetModalResult(mrRetry);
            });
            EXPECT_EQ(form.ShowModal(), hasCancel ? mrCancel : mrRetry) << hasCancel << byEscape;
            EXPECT_EQ(control->clicks, hasCancel ? 1 : 0) << hasCancel << byEscape;
        }
}

TEST(MessageBox, InformationBoxShowsItsTextAndClosesOnOk) {
    QString seen;
    bool pictureSaved = false;
    kvt::testing::WhenModalShows([&](QWidget* dialog) {
        auto* box = qobject_cast<TMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        seen = box->TextLabel()->text();
        const QString png = kvt::testing::SaveScreenshot(box, QStringLiteral("message_box_information"));
        pictureSaved = !QImage(png).isNull();
        EXPECT_EQ(box->CancelButton(), nullptr);
        QTest::mouseClick(box->OkButton(), Qt::LeftButton);
    });
    ShowInformationBox(nullptr, QStringLiteral("The Union has not yet given its orders."));
    EXPECT_EQ(seen, QStringLiteral("The Union has not yet given its orders."));
    EXPECT_TRUE(pictureSaved);
}

TEST(MessageBox, ItsTitleBarReadsTheProgramsTitleAlone) {
    // The application is as the program's start prepares it (the tests' main runs the same).
    QString titleBar;
    kvt::testing::WhenModalShows([&](QWidget* dialog) {
        titleBar = kvt::testing::TitleBarText(dialog);
        QTest::mouseClick(qobject_cast<TMessageBox*>(dialog)->OkButton(), Qt::LeftButton);
    });
    ShowInformationBox(nullptr, QStringLiteral("Maximum # of corps already in use."));
    EXPECT_EQ(titleBar.toStdString(), "Drennovar III  v2.5");
}

TEST(MessageBox, AnswersByButtonEscapeAndClose) {
    const struct {
        TMsgDlgButtons buttons;
        const char* action;
        int answer;
    } cases[] = {
        {TMsgDlgButtons::OkCancel, "ok", mrOk},       {TMsgDlgButtons::OkCancel, "cancel", mrCancel},
        {TMsgDlgButtons::OkCancel, "escape", mrCancel}, {TMsgDlgButtons::OkCancel, "close", mrCancel},
        {TMsgDlgButtons::Ok, "escape", mrOk},          {TMsgDlgButtons::Ok, "close", mrOk},
        {TMsgDlgButtons::OkCancel, "enter", mrOk},
    };
    for (const auto& c : cases) {
        const std::string action = c.action;
        kvt::testing::WhenModalShows([&](QWidget* dialog) {
            auto* box = static_cast<TMessageBox*>(dialog);
            if (action == "ok") QTest::mouseClick(box->OkButton(), Qt::LeftButton);
            if (action == "cancel") QTest::mouseClick(box->CancelButton(), Qt::LeftButton);
            if (action == "escape") QTest::keyClick(box, Qt::Key_Escape);
            if (action == "enter") QTest::keyClick(box, Qt::Key_Return);
            if (action == "close") box->close();
        });
        EXPECT_EQ(MessageDlg(nullptr, QStringLiteral("Quit the game?"), TMsgDlgType::Warning, c.buttons), c.answer)
            << c.action;
    }
}

class ProbeThemed : public TElXPThemedControl {
public:
    using TElXPThemedControl::TElXPThemedControl;
    QString ThemeClassName() const override { return QStringLiteral("SPIN"); }
};

TEST(ThemedControl, WithoutVisualStylesNoHandleIsEverOpened) {
    EXPECT_FALSE(ThemesAvailable());
    ProbeThemed control;
    control.show();
    EXPECT_TRUE(control.HandleAllocated());
    EXPECT_EQ(control.ThemeHandle(), 0u);
    EXPECT_FALSE(control.IsThemed());
    QSize size(5, 5);
    EXPECT_EQ(GetClassThemePartSize(QStringLiteral("BUTTON"), nullptr, 1, 1, nullptr, TS_TRUE, size), E_NOTIMPL);
}

class ProbeButtonControl : public TElButtonControl {
public:
    using TElButtonControl::TElButtonControl;
    bool GetChecked() const override { return checked; }
    void SetChecked(bool v) override { checked = v; }
    void TextChanged() override { ++textChanges; }
    void Click() override {
        checked = !checked;
        TElButtonControl::Click();
    }
    bool checked = false;
    int textChanges = 0;
};

TEST(ButtonControl, CaptionChangesOnceAndTheAcceleratorClicksOnlyAUsableItem) {
    TForm form;
    auto* item = new ProbeButtonControl(&form);
    int clicks = 0;
    QObject::connect(item, &TElButtonControl::OnClick, [&]() { ++clicks; });
    item->SetCaption(QStringLiteral("&Forced March"));
    item->SetCaption(QStringLiteral("&Forced March"));
    EXPECT_EQ(item->textChanges, 1);
    EXPECT_TRUE(item->DrawsFocusRect());
    EXPECT_TRUE(item->DrawsAccelerators());
    form.show();

    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(item->checked);
    item->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    item->setEnabled(true);
    item->hide();
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(&form, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace kvt::gui

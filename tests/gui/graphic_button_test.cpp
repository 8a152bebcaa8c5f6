// The dialogs' command buttons: clicks, the modal result, latching groups, keys, the pull-down
// menu, sounds, and what each state looks like.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "gui/ui/graphic_button.h"
#include "tests/gui/fake_visual_styles.h"
#include "tests/gui/gui_support.h"

namespace kvt::gui {
namespace {

class RecordingSoundMap : public TElSoundMapLink {
public:
    void Play(const QString& name) override { played << name; }
    QStringList played;
};

TEST(GraphicButton, ModalResultClosesTheDialogAfterTheClickHandler) {
    {
        TForm form;
        auto* ok = new TElGraphicButton(&form);
        ok->SetCaption(QStringLiteral("OK"));
        ok->SetModalResult(mrOk);
        kvt::testing::WhenModalShows([&](QWidget*) { QTest::mouseClick(ok, Qt::LeftButton); });
        EXPECT_EQ(form.ShowModal(), mrOk);
    }
    {
        // ModalResult 0 with a handler: the click first sets the form's result to 0, then the
        // handler decides.
        TForm form;
        auto* done = new TElGraphicButton(&form);
        int handled = 0;
        QObject::connect(done, &TElGraphicButton::OnClick, [&]() {
            ++handled;
            EXPECT_EQ(form.ModalResult(), mrNone);
            if (handled == 2) form.SetModalResult(mrYes);
        });
        kvt::testing::WhenModalShows([&](QWidget*) {
            QTest::mouseClick(done, Qt::LeftButton);
            QApplication::processEvents();
            EXPECT_TRUE(form.isVisible());
            QTest::mouseClick(done, Qt::LeftButton);
        });
        EXPECT_EQ(form.ShowModal(), mrYes);
        EXPECT_EQ(handled, 2);
    }
}

TEST(GraphicButton, ReleaseOutsideClicksNothingAndComingBackShowsItPressed) {
    QWidget parent;
    auto* b = new TElGraphicButton(&parent);
    int clicks = 0;
    QObject::connect(b, &TElGraphicButton::OnClick, [&]() { ++clicks; });
    parent.show();
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(b->State(), kStateDown);
    QTest::mouseMove(b, QPoint(120, 10));
    EXPECT_EQ(b->State(), kStateUp);
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(120, 10));
    EXPECT_EQ(clicks, 0);

    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseMove(b, QPoint(120, 10));
    QTest::mouseMove(b, QPoint(20, 12));
    EXPECT_EQ(b->State(), kStateDown);
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(20, 12));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), kStateUp);

    b->setEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}

TEST(GraphicButton, GroupedButtonsStayExclusiveAndSwitchesToggle) {
    QWidget parent;
    TElGraphicButton* g[3];
    for (int i = 0; i < 3; ++i) {
        g[i] = new TElGraphicButton(&parent);
        g[i]->setGeometry(0, i * 30, 75, 25);
        g[i]->SetGroupIndex(1);
    }
    parent.show();
    QTest::mouseClick(g[0], Qt::LeftButton);
    EXPECT_TRUE(g[0]->GetDown());
    EXPECT_EQ(g[0]->State(), kStateExclusive);
    QTest::mouseClick(g[2], Qt::LeftButton);
    EXPECT_FALSE(g[0]->GetDown());
    EXPECT_TRUE(g[2]->GetDown());
    QTest::mouseClick(g[2], Qt::LeftButton);  // AllowAllUp false: the down button stays down
    EXPECT_TRUE(g[2]->GetDown());
    g[1]->SetAllowAllUp(true);  // shared by the whole group
    EXPECT_TRUE(g[2]->AllowAllUp());
    QTest::mouseClick(g[2], Qt::LeftButton);
    EXPECT_FALSE(g[2]->GetDown());

    auto* sw = new TElGraphicButton(&parent);
    sw->SetIsSwitch(true);
    sw->show();
    QTest::mouseClick(sw, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(sw->GetDown());
    QTest::mouseClick(sw, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(sw->GetDown());

    auto* plain = new TElGraphicButton(&parent);
    plain->SetDown(true);  // neither grouped nor a switch: cannot be down
    EXPECT_FALSE(plain->GetDown());
}

TEST(GraphicButton, EscapeClicksTheCancelButtonAndAcceleratorsOnlyUsableOnes) {
    TForm form;
    auto* cancel = new TElGraphicButton(&form);
    cancel->SetCaption(QStringLiteral("Cancel"));
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* promote = new TElGraphicButton(&form);
    promote->SetCaption(QStringLiteral("&Promote"));
    promote->move(0, 30);
    int promotions = 0;
    QObject::connect(promote, &TElGraphicButton::OnClick, [&]() { ++promotions; });
    kvt::testing::WhenModalShows([&](QWidget* dialog) {
        QTest::keyClick(dialog, Qt::Key_P, Qt::AltModifier);
        promote->setEnabled(false);
        QTest::keyClick(dialog, Qt::Key_P, Qt::AltModifier);  // a disabled button ignores its letter
        promote->setEnabled(true);
        promote->hide();
        QTest::keyClick(dialog, Qt::Key_P, Qt::AltModifier);  // and so does a hidden one
        QTest::keyClick(dialog, Qt::Key_Escape, Qt::ShiftModifier);
        QApplication::processEvents();
        EXPECT_TRUE(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Return);  // Enter never clicks a graphic button
        QApplication::processEvents();
        EXPECT_TRUE(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(promotions, 1);
}

TEST(GraphicButton, HandlerThatDestroysItsDialogLeavesNothingToRepaint) {
    auto* form = new TForm;
    auto* b = new TElGraphicButton(form);
    QObject::connect(b, &TElGraphicButton::OnClick, [form]() { delete form; });
    form->show();
    QPointer<TElGraphicButton> watch(b);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_TRUE(watch.isNull());
}

TEST(GraphicButton, SoundsPlayOnPressReleaseAndClick) {
    QWidget parent;
    RecordingSoundMap sounds;
    auto* b = new TElGraphicButton(&parent);
    b->SetSoundMap(&sounds);
    b->DownSound = QStringLiteral("down");
    b->UpSound = QStringLiteral("up");
    b->ClickSound = QStringLiteral("click");
    parent.show();
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(sounds.played, (QStringList{QStringLiteral("down"), QStringLiteral("up"), QStringLiteral("click")}));
    {
        RecordingSoundMap gone;
        b->SetSoundMap(&gone);
    }
    EXPECT_EQ(b->SoundMap(), nullptr);  // a destroyed sound map is forgotten
    QTest::mouseClick(b, Qt::LeftButton);
}

TEST(GraphicButton, PullDownMenuOpensBelowAndClosesWithoutReopening) {
    QWidget parent;
    parent.move(100, 100);
    auto* b = new TElGraphicButton(&parent);
    b->move(20, 10);
    QMenu menu;
    menu.addAction(QStringLiteral("Orders"));
    menu.addAction(QStringLiteral("Set Objective"));
    b->SetPullDownMenu(&menu);
    parent.show();
    const QPoint tl = b->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(b->PopupPoint(), QPoint(tl.x() - 1, tl.y() + 25));
    b->SetPopupPlace(ppRight);
    EXPECT_EQ(b->PopupPoint(), QPoint(tl.x() + 75, tl.y() - 1));
    b->SetPopupPlace(ppTop);
    EXPECT_EQ(b->PopupPoint(), QPoint(tl.x() - 1, std::max(0, tl.y() - 2 * kMenuBarHeight)));
    for (int i = 0; i < 20; ++i) menu.addAction(QStringLiteral("More"));
    EXPECT_EQ(b->PopupPoint().y(), 0);  // never a negative position
    for (QAction* a : menu.actions().mid(2)) menu.removeAction(a);
    b->SetPopupPlace(ppDown);

    int shown = 0, clicks = 0;
    QObject::connect(&menu, &QMenu::aboutToShow, [&]() {
        ++shown;
        QTimer::singleShot(0, &menu, &QMenu::close);
    });
    QObject::connect(b, &TElGraphicButton::OnClick, [&]() { ++clicks; });
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b->MenuShown());
    QApplication::processEvents();
    EXPECT_FALSE(b->MenuShown());
    EXPECT_EQ(b->State(), kStateUp);
    b->SetDisableAutoPopup(true);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(shown, 1);
}

TEST(GraphicButton, CaptionWithLineBreakIsMultiLineAndCaptionSetsOnce) {
    TElGraphicButton b;
    b.SetCaption(QStringLiteral("View\r\nBrigades"));
    EXPECT_TRUE(b.MultiLine());
    b.SetCaption(QStringLiteral("Done"));
    EXPECT_FALSE(b.MultiLine());
}

QColor Px(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }

TEST(GraphicButton, FramesShowStateFlatnessAndTransparency) {
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette pal;
    pal.setColor(QPalette::Window, Qt::red);
    parent.setPalette(pal);
    auto* b = new TElGraphicButton(&parent);
    b->SetCaption(QStringLiteral("OK"));
    parent.resize(100, 40);
    parent.show();
    QImage up = b->grab().toImage();
    EXPECT_EQ(Px(up, 10, 0), ToQColor(clBtnHighlight));
    EXPECT_EQ(Px(up, 74, 10), ToQColor(clBtnShadow));
    EXPECT_EQ(Px(up, 5, 12), ToQColor(clBtnFace));
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QImage down = b->grab().toImage();
    EXPECT_EQ(Px(down, 10, 0), ToQColor(clBtnShadow));
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));

    b->SetFlat(true);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    QImage flat = b->grab().toImage();
    EXPECT_EQ(Px(flat, 10, 0), ToQColor(clBtnFace));  // no frame until the mouse is over it

    b->SetFlat(false);
    b->SetTransparent(true);
    const QImage see = parent.grab(b->geometry()).toImage();
    EXPECT_EQ(Px(see, 5, 12), QColor(Qt::red));  // what lies under shows where nothing is drawn
    EXPECT_EQ(Px(see, 10, 0), ToQColor(clBtnHighlight));

    b->SetTransparent(false);
    b->setEnabled(false);
    QImage disabled = b->grab().toImage();
    bool highlight = false, shadow = false, black = false;
    for (int y = 4; y < 21; ++y)
        for (int x = 4; x < 71; ++x) {
            const QColor c = Px(disabled, x, y);
            highlight |= c == ToQColor(clBtnHighlight);
            shadow |= c == ToQColor(clBtnShadow);
            black |= c == QColor(Qt::black);
        }
    EXPECT_TRUE(highlight && shadow);  // the engraved caption
    EXPECT_FALSE(black);
    EXPECT_EQ(b->State(), kStateDisabled);
}

TEST(GraphicButton, ThemedButtonDrawsFaceStateAndText) {
    kvt::testing::FakeVisualStyles styles;
    QWidget parent;
    auto* b = new TElGraphicButton(&parent);
    b->SetCaption(QStringLiteral("OK"));
    parent.show();
    EXPECT_TRUE(b->IsThemed());
    styles.calls.clear();
    b->grab();
    EXPECT_EQ(styles.calls.filter(QStringLiteral("Background")),
              (QStringList{QStringLiteral("Background BUTTON 1/0"), QStringLiteral("Background BUTTON 1/1")}));
    EXPECT_TRUE(styles.calls.contains(QStringLiteral("Text BUTTON 1/1 OK")));
    b->SetUseXPThemes(false);
    EXPECT_FALSE(b->IsThemed());
    EXPECT_EQ(styles.OpenHandles(), 0);
}

TEST(ButtonGlyph, StripCountsStatesAndTheSharedLists) {
    const struct {
        int w, h, count;
    } strips[] = {{64, 16, 4}, {80, 16, 1}, {16, 16, 1}, {32, 16, 2}, {50, 16, 2}};
    TElButtonGlyph glyph;
    glyph.SetNumGlyphs(2);
    for (const auto& s : strips) {
        QImage img(s.w, s.h, QImage::Format_RGB32);
        img.fill(Qt::white);
        glyph.SetGlyph(img);
        EXPECT_EQ(glyph.NumGlyphs(), s.count) << s.w << "x" << s.h;  // 50 x 16 keeps the count it had
    }

    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(QColor(0, 128, 128));
    QPainter(&strip).fillRect(2, 2, 10, 10, Qt::black);
    {
        TElButtonGlyph a, b;
        a.SetGlyph(strip);
        b.SetGlyph(strip);
        EXPECT_EQ(a.MakeStatePicture(kStateDown), a.MakeStatePicture(kStateUp));  // two pictures: down shows up
        b.MakeStatePicture(kStateUp);
        EXPECT_EQ(a.SharedList(), b.SharedList());
        ASSERT_NE(GlyphCache(), nullptr);
        EXPECT_EQ(GlyphCache()->ListCount(), 1);
    }
    EXPECT_EQ(GlyphCache(), nullptr);  // freeing both removed the list and the cache

    QImage one(16, 16, QImage::Format_RGB32);
    one.fill(QColor(128, 128, 0));  // bottom-left pixel: the transparent colour
    QPainter(&one).fillRect(4, 4, 6, 6, Qt::black);
    TElButtonGlyph g;
    g.SetGlyph(one);
    const int slot = g.MakeStatePicture(kStateDisabled);
    const QImage engraved = g.SharedList()->Image(slot);
    EXPECT_EQ(QColor(engraved.pixel(5, 5)), ToQColor(clBtnShadow));
    EXPECT_EQ(QColor(engraved.pixel(10, 10)), ToQColor(clBtnHighlight));  // the copy one down and right
    EXPECT_EQ(qAlpha(engraved.pixel(1, 1)), 0);
}

TEST(ButtonGlyph, LayoutCentresCaptionsAndDropsPicturesThatCannotFit) {
    const QRect c(2, 2, 71, 21);
    const struct {
        QSize glyph, text;
        TButtonLayout layout;
        int margin, spacing, arrow;
        QPoint glyphPos;
        QSize glyphSize;
        QRect textRect;
    } cases[] = {
        // No picture: the caption is centred in both directions.
        {QSize(), QSize(20, 15), blGlyphLeft, -1, 4, 0, QPoint(2, 5), QSize(0, 0), QRect(27, 5, 20, 15)},
        // Picture left of the caption, the pair centred with the spacing between.
        {QSize(16, 16), QSize(20, 15), blGlyphLeft, -1, 4, 0, QPoint(17, 4), QSize(16, 16), QRect(37, 5, 20, 15)},
        {QSize(16, 16), QSize(20, 15), blGlyphRight, 3, 4, 0, QPoint(54, 4), QSize(16, 16), QRect(30, 5, 20, 15)},
        // A picture taller than the client is scaled to fit.
        {QSize(30, 30), QSize(), blGlyphLeft, 0, 0, 0, QPoint(2, 3), QSize(27, 19), QRect()},
    };
    for (const auto& k : cases) {
        const TElGlyphLayout l =
            LayoutGlyphAndText(c, QPoint(), k.glyph, k.text, k.layout, k.margin, k.spacing, k.arrow, false);
        EXPECT_EQ(l.GlyphSize, k.glyphSize);
        if (!k.glyphSize.isEmpty()) EXPECT_EQ(l.GlyphPos, k.glyphPos);
        if (!k.text.isEmpty()) EXPECT_EQ(l.TextRect, k.textRect);
    }
    // A caption wider than the room starts at the content's edge (and is drawn with an ellipsis).
    EXPECT_EQ(LayoutGlyphAndText(c, QPoint(), QSize(), QSize(150, 15), blGlyphLeft, -1, 4, 0, false).TextRect,
              QRect(2, 5, 70, 15));
    // Room for nothing, or a picture that scales to no width: no picture, no division by zero.
    EXPECT_TRUE(LayoutGlyphAndText(QRect(0, 0, 40, 0), QPoint(), QSize(16, 16), QSize(), blGlyphLeft, -1, 4, 0, false)
                    .GlyphSize.isEmpty());
    EXPECT_TRUE(LayoutGlyphAndText(QRect(0, 0, 40, 3), QPoint(), QSize(1, 16), QSize(), blGlyphLeft, -1, 4, 0, false)
                    .GlyphSize.isEmpty());
    EXPECT_TRUE(LayoutGlyphAndText(QRect(0, 0, 2, 20), QPoint(), QSize(16, 16), QSize(), blGlyphTop, -1, 4, 0, false)
                    .GlyphSize.isEmpty());
}

}  // namespace
}  // namespace kvt::gui

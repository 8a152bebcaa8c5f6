// The dialogs' command buttons: clicks, the modal result, latching groups, keys, drags
// and what each state looks like.
#include <gtest/gtest.h>

#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <vector>

#include "gui/platform/application_hint.h"
#include "gui/platform/fonts.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/text_draw.h"
#include "gui/ui/graphic_button.h"
#include "tests/gui/control_fixture.h"
#include "tests/gui/gui_support.h"
#include "ui_graphic_button_layout_test.h"

namespace kvt::gui {
namespace {

using kvt::testing::Render;

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
            form.SetModalResult(mrAbort);  // set earlier in this event: the click's 0 replaces it
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

class ButtonLayoutDialog : public TForm {
public:
    Ui::GraphicButtonLayoutTest ui;
    ButtonLayoutDialog() { ui.setupUi(this); }
};

TEST(GraphicButton, ALayoutFileSetsOnlyPublishedPropertiesAndItsPictureComesFromTheGameFolder) {
    ButtonLayoutDialog dialog;
    const TElGraphicButton* b = dialog.ui.Options;
    EXPECT_TRUE(b->dynamicPropertyNames().isEmpty()) << "a property the button does not publish was set";
    EXPECT_EQ(b->Glyph().size(), QSize(83, 13)) << "a picture of the game folder";
    // The button told to show no text shows none: nothing dark inside its frame.
    const QImage image = Render(&dialog);
    EXPECT_EQ(kvt::testing::CountDarker(image, b->geometry().adjusted(4, 4, -4, -4), 80), 0);
}

TEST(GraphicButton, ALayoutsDownGivenBeforeItsGroupOrSwitchHoldsOnceShown) {
    ButtonLayoutDialog dialog;
    auto& ui = dialog.ui;
    const auto topRows = [](const QImage& image, const QWidget* b) { return image.copy(b->x(), b->y(), b->width(), 2); };
    const QImage shown = Render(&dialog);
    EXPECT_TRUE(ui.Infantry->GetDown());
    EXPECT_EQ(ui.Infantry->State(), kStateExclusive);
    EXPECT_TRUE(ui.Entrench->GetDown());
    EXPECT_EQ(ui.Entrench->State(), kStateDown);
    EXPECT_NE(topRows(shown, ui.Infantry), topRows(shown, ui.Artillery)) << "the latched button looks pressed";
    // It is latched in its group: the player choosing another releases it.
    QTest::mouseClick(ui.Cavalry, Qt::LeftButton);
    const QImage chosen = Render(&dialog);
    EXPECT_FALSE(ui.Infantry->GetDown());
    EXPECT_TRUE(ui.Cavalry->GetDown());
    EXPECT_EQ(topRows(shown, ui.Infantry), topRows(chosen, ui.Cavalry));
    EXPECT_EQ(topRows(chosen, ui.Infantry), topRows(chosen, ui.Artillery));
    QTest::mouseClick(ui.Entrench, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(ui.Entrench->GetDown()) << "the switch was down and a click releases it";

    // Code that puts another button of the group down before the dialog shows has the last word.
    ButtonLayoutDialog other;
    other.ui.Artillery->SetDown(true);
    Render(&other);
    EXPECT_TRUE(other.ui.Artillery->GetDown());
    EXPECT_FALSE(other.ui.Infantry->GetDown());
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
        for (const bool disable : {true, false}) {  // nor does Escape click a Cancel button out of reach
            cancel->setEnabled(!disable);
            cancel->setVisible(disable);
            QTest::keyClick(dialog, Qt::Key_Escape);
            QApplication::processEvents();
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(form.ModalResult(), mrNone);
        }
        cancel->setEnabled(true);
        cancel->show();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(promotions, 1);
}

// While the player goes through a button's pull-down menu, the highlighted item's text is the
// application's hint; F1 on an item opens the help at the item's context once the menu has closed,
// as a small pop-up where the window shows the help button.
TEST(GraphicButton, PullDownMenuItemsGiveTheirHintAndTheirHelp) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KVT.HLP"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><body><a name=\"Contents\"></a><h2>Contents</h2>"
                "<a name=\"12\"></a><h2>Rail</h2><p>Corps move by rail.</p></body></html>");
    }
    SetApplicationHelpFile(path);
    for (const bool helpButton : {false, true}) {
        QWidget form;  // a window that is no modal dialog itself, so the help is the only one
        form.setWindowFlag(Qt::WindowContextHelpButtonHint, helpButton);
        auto* orders = new TElGraphicButton(&form);
        orders->resize(80, 25);
        QMenu menu(&form);
        QAction* rail = menu.addAction(QStringLiteral("Rail move"));
        rail->setStatusTip(QStringLiteral("Moves the corps by rail"));
        rail->setProperty("HelpContext", 12);
        QAction* line = menu.addSeparator();
        QMenu* more = menu.addMenu(QStringLiteral("More"));
        more->addAction(QStringLiteral("Hold"))->setStatusTip(QStringLiteral("Stays where it is"));
        QAction* sea = menu.addAction(QStringLiteral("Sea move"));
        sea->setStatusTip(QStringLiteral("Needs a fleet in port"));
        sea->setEnabled(false);
        orders->SetPullDownMenu(&menu);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

        std::vector<QString> hints;
        QTimer::singleShot(0, &form, [&]() {
            QWidget* open = QApplication::activePopupWidget();
            ASSERT_NE(open, nullptr);
            QTest::keyClick(open, Qt::Key_Down);
            hints.push_back(ApplicationHint());
            QTest::keyClick(open, Qt::Key_Down);
            hints.push_back(ApplicationHint());
            QTest::keyClick(open, Qt::Key_Right);  // into the submenu
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
            hints.push_back(ApplicationHint());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
            QTest::keyClick(open, Qt::Key_Up);
            hints.push_back(ApplicationHint());

            // The pointer on the separator, on a disabled item or off the menu highlights no item
            // and leaves no hint; on an item, that item's.
            auto* shown = qobject_cast<QMenu*>(open);
            const auto pointAt = [&](QPoint at) {
                QMouseEvent move(QEvent::MouseMove, at, shown->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                                 Qt::NoModifier);
                QApplication::sendEvent(shown, &move);
                QCoreApplication::processEvents();
                hints.push_back(ApplicationHint());
            };
            pointAt(shown->actionGeometry(line).center());
            pointAt(shown->actionGeometry(rail).center());
            pointAt(shown->actionGeometry(sea).center());
            pointAt(shown->actionGeometry(rail).center());
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(shown, &leave);
            QCoreApplication::processEvents();
            hints.push_back(ApplicationHint());
            pointAt(shown->actionGeometry(rail).center());
            QTest::keyClick(open, Qt::Key_F1);
        });
        QString topic;
        QSize helpSize;
        bool menuOpenUnderHelp = true;
        kvt::testing::WhenModalShows([&](QWidget* w) {
            auto* viewer = qobject_cast<THelpViewer*>(w);
            ASSERT_NE(viewer, nullptr);
            topic = viewer->Topic();
            helpSize = viewer->size();
            menuOpenUnderHelp = menu.isVisible();
            EXPECT_TRUE(ApplicationHint().isEmpty()) << "no item is selected once the menu has closed";
            w->close();
        });
        QTest::mouseClick(orders, Qt::LeftButton);
        const QString railHint = QStringLiteral("Moves the corps by rail");
        EXPECT_EQ(hints, (std::vector<QString>{railHint, QString(), QStringLiteral("Stays where it is"), railHint,
                                               QString(), railHint, QString(), railHint, QString(), railHint}));
        EXPECT_EQ(topic, QStringLiteral("12"));
        EXPECT_FALSE(menuOpenUnderHelp);
        EXPECT_EQ(helpSize == QSize(320, 200), helpButton) << "a pop-up where the window shows the help button";

        // The pull-down over, the menu is the button's no more: shown on its own, its items
        // leave the hint alone.
        QString hintElsewhere = QStringLiteral("unchanged");
        QTimer::singleShot(0, &form, [&]() {
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
            hintElsewhere = ApplicationHint();
            QApplication::activePopupWidget()->close();
        });
        menu.exec(form.mapToGlobal(QPoint(0, 0)));
        EXPECT_TRUE(hintElsewhere.isEmpty());
    }
    SetApplicationHelpFile(QStringLiteral("KVT.HLP"));
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

TEST(GraphicButton, TheClassLibrarysMouseEventsComeBeforeTheButtonsOwnHandling) {
    QWidget parent;
    auto* b = new TElGraphicButton(&parent);
    parent.show();
    std::vector<std::string> log;
    QObject::connect(b, &TElGraphicButton::OnMouseDown,
                     [&](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                         log.push_back("down " + std::to_string(button == Qt::LeftButton) + " at " +
                                       std::to_string(x) + "," + std::to_string(y) + " state " +
                                       std::to_string(b->State()));
                     });
    QObject::connect(b, &TElGraphicButton::OnMouseMove, [&](Qt::KeyboardModifiers, int x, int) {
        log.push_back("move " + std::to_string(x) + " state " + std::to_string(b->State()));
    });
    QObject::connect(b, &TElGraphicButton::OnMouseUp, [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        log.push_back("up state " + std::to_string(b->State()));
    });
    QObject::connect(b, &TElGraphicButton::OnClick, [&]() { log.push_back("click"); });
    QObject::connect(b, &TElGraphicButton::OnDblClick, [&]() { log.push_back("double"); });

    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseMove(b, QPoint(100, 5));
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"down 1 at 10,5 state 0", "move 100 state 2", "up state 0"}));

    log.clear();
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseDClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    // A double click raises its event, and its second press clicks as a press does.
    EXPECT_EQ(log, (std::vector<std::string>{"down 1 at 10,5 state 0", "up state 2", "click", "double",
                                             "down 1 at 10,5 state 0", "up state 2", "click"}));

    log.clear();
    QTest::mouseClick(b, Qt::RightButton, Qt::NoModifier, QPoint(10, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 at 10,5 state 0", "up state 0"}));  // no click

    // A handler of the class library's event may destroy the button: nothing runs after it.
    QObject::connect(b, &TElGraphicButton::OnMouseDown, [b]() { delete b; });
    QPointer<TElGraphicButton> watch(b);
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    EXPECT_TRUE(watch.isNull());
}

TEST(GraphicButton, DragsOverAButtonAskItsHandlerAndDragsFromItAreFramed) {
    QWidget parent;
    auto* b = new TElGraphicButton(&parent);
    parent.show();
    EXPECT_FALSE(b->acceptDrops());  // without a handler the button takes no drops
    std::vector<std::string> log;
    QObject::connect(b, &TElGraphicButton::OnDragOver, [&](QObject*, int x, int y, TDragState state, bool* accept) {
        *accept = x < 40;
        log.push_back("over " + std::to_string(state) + " " + std::to_string(x) + "," + std::to_string(y));
    });
    QObject::connect(b, &TElGraphicButton::OnDragDrop, [&](QObject*, int x, int y) {
        log.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
    });
    EXPECT_TRUE(b->acceptDrops());
    QMimeData data;
    QDragEnterEvent enter(QPoint(60, 5), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(enter.isAccepted());  // taken, so that moves follow, though no drop is welcome there
    EXPECT_EQ(enter.dropAction(), Qt::IgnoreAction);
    QDragMoveEvent refused(QPoint(50, 6), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &refused);
    EXPECT_FALSE(refused.isAccepted());
    QDragMoveEvent welcome(QPoint(20, 7), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &welcome);
    EXPECT_TRUE(welcome.isAccepted());
    QDropEvent drop(QPointF(21, 8), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &drop);
    // A drag that leaves again is told so at the last point it was over the button.
    QDragEnterEvent again(QPoint(30, 3), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &again);
    QDragLeaveEvent leave;
    QApplication::sendEvent(b, &leave);
    EXPECT_EQ(log, (std::vector<std::string>{"over 0 60,5", "over 2 50,6", "over 2 20,7", "drop 21,8", "over 0 30,3",
                                             "over 1 30,3"}));

    // A drag from the button, cancelled with Escape: started, then ended on nothing.
    std::vector<std::string> drags;
    QObject::connect(b, &TElGraphicButton::OnStartDrag, [&]() { drags.push_back("start"); });
    QObject::connect(b, &TElGraphicButton::OnEndDrag,
                     [&](QObject* target, int, int) { drags.push_back(target ? "ended on a target" : "ended"); });
    QTimer::singleShot(0, &parent, [&]() { QTest::keyClick(&parent, Qt::Key_Escape); });
    b->BeginDrag();
    EXPECT_EQ(drags, (std::vector<std::string>{"start", "ended"}));
}

TEST(GraphicButton, ParentColorAndParentFontFollowTheParentUntilTheButtonHasItsOwn) {
    TElWidget host;
    host.SetColor(clNavy);
    host.SetFontColor(clMaroon);
    auto* b = new TElGraphicButton(&host);
    EXPECT_EQ(b->Color(), clBtnFace);  // a new button has a colour of its own, but the parent's font
    EXPECT_EQ(b->FontColor(), clMaroon);
    const TColor faceShadow = b->ShadowBtnShadow();
    b->SetParentColor(true);
    EXPECT_EQ(b->Color(), clNavy);
    EXPECT_NE(b->ShadowBtnShadow(), faceShadow);  // the shadows follow the colour taken over
    host.SetColor(clTeal);
    EXPECT_EQ(b->Color(), clTeal);
    b->SetColor(clRed);
    host.SetColor(clGreen);
    EXPECT_EQ(b->Color(), clRed);

    host.setFont(MakeFont(QStringLiteral("Times New Roman"), -14));
    EXPECT_EQ(b->font().pixelSize(), 14);
    b->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    host.SetFontColor(clOlive);
    EXPECT_EQ(b->FontColor(), clMaroon);
    b->SetParentFont(true);
    EXPECT_EQ(b->FontColor(), clOlive);
    EXPECT_EQ(b->font().pixelSize(), 14);

    // On a plain window the button takes the window's colours.
    QWidget window;
    auto* plain = new TElGraphicButton(&window);
    plain->SetParentColor(true);
    EXPECT_EQ(plain->Color(), clBtnFace);
    EXPECT_EQ(plain->FontColor(), clWindowText);
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

// How many rows of the picture carry ink, anything but the face colour.
int InkedRows(const QImage& img) {
    int inked = 0;
    for (int y = 0; y < img.height(); ++y)
        inked += kvt::testing::CountColor(img, QRect(0, y, img.width(), 1), ToQColor(clBtnFace)) < img.width();
    return inked;
}

TEST(GraphicButton, ACaptionTallerThanItsButtonShowsItsMiddleOnOneLineAndItsFirstLinesOnSeveral) {
    const QFont big = MakeFont(QStringLiteral("Arial"), -34);
    const QString word = QStringLiteral("Hold");
    const QString order = QStringLiteral("Hold the\r\nford at\r\nall costs\r\nuntil\r\nrelieved\r\nby the\r\nreserve");
    const int wordHeight = MeasureText(big, word, QRect(0, 0, 71, 0), DT_CALCRECT | DT_SINGLELINE).height();
    const int orderHeight = MeasureText(DefaultFont(), order, QRect(0, 0, 71, 0), DT_CALCRECT).height();
    const int room = 25 - 4, rows = room - 1;  // a 75 x 25 button's content; the caption's rectangle is a row shorter
    ASSERT_GT(wordHeight, room + 10);
    ASSERT_GT(orderHeight, 3 * room);
    // What a 75 wide button shows of the caption in the font.
    const auto shot = [](const QString& caption, const QFont& font, int height) {
        TElGraphicButton b;
        b.setFont(font);
        b.SetCaption(caption);
        b.resize(75, height);
        return b.grab().toImage();
    };
    const auto band = [&](const QImage& img, int top) { return img.copy(3, top, img.width() - 6, rows); };
    // One line loses its top and bottom alike: it shows what a button with room shows around its middle.
    const QImage word1 = band(shot(word, big, 25), 2), roomy = shot(word, big, wordHeight + 10);
    EXPECT_GT(InkedRows(word1), rows / 2);
    const int middle = 2 + (roomy.height() - 25) / 2;
    EXPECT_TRUE(band(roomy, middle - 1) == word1 || band(roomy, middle) == word1 || band(roomy, middle + 1) == word1);
    // Seven lines start at the top, as two rows lower in a button four rows taller than they measure.
    const QImage order1 = band(shot(order, DefaultFont(), 25), 2);
    EXPECT_GT(InkedRows(order1), rows / 2);
    EXPECT_TRUE(band(shot(order, DefaultFont(), orderHeight + 8), 2 + 2) == order1);
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
        // A caption that fits keeps the place Margin gives it, even where that cuts it off.
        {QSize(), QSize(20, 15), blGlyphRight, 60, 4, 0, QPoint(), QSize(0, 0), QRect(-7, 5, 20, 15)},
        {QSize(), QSize(20, 15), blGlyphRight, 3, 4, 0, QPoint(), QSize(0, 0), QRect(50, 5, 20, 15)},
        {QSize(), QSize(20, 15), blGlyphBottom, 10, 4, 0, QPoint(), QSize(0, 0), QRect(27, -2, 20, 15)},
        {QSize(16, 16), QSize(20, 15), blGlyphBottom, 2, 1, 0, QPoint(29, 5), QSize(16, 16), QRect(27, -11, 20, 15)},
        // One taller than the room starts at the top instead of above it.
        {QSize(), QSize(20, 30), blGlyphBottom, -1, 4, 0, QPoint(), QSize(0, 0), QRect(27, 2, 20, 20)},
        {QSize(), QSize(20, 30), blGlyphLeft, -1, 4, 0, QPoint(), QSize(0, 0), QRect(27, 2, 20, 20)},
        {QSize(), QSize(20, 30), blGlyphTop, -1, 4, 0, QPoint(), QSize(0, 0), QRect(27, 2, 20, 20)},
    };
    for (const auto& k : cases) {
        const TElGlyphLayout l =
            LayoutGlyphAndText(c, QPoint(), k.glyph, k.text, k.layout, k.margin, k.spacing, k.arrow, false);
        EXPECT_EQ(l.GlyphSize, k.glyphSize);
        if (!k.glyphSize.isEmpty()) { EXPECT_EQ(l.GlyphPos, k.glyphPos); }
        if (!k.text.isEmpty()) { EXPECT_EQ(l.TextRect, k.textRect); }
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

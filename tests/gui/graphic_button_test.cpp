// The dialogs' command buttons: clicks, the modal result, latching groups, keys, the pull-down
// menu, sounds, and what each state looks like.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

#include "gui/platform/fonts.h"
#include "gui/platform/message_box.h"
#include "gui/ui/graphic_button.h"
#include "tests/gui/control_fixture.h"
#include "tests/gui/fake_visual_styles.h"
#include "tests/gui/gui_support.h"
#include "ui_graphic_button_layout_test.h"

namespace kvt::gui {
namespace {

using kvt::testing::RecordingSoundMap;
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
            QTest::mouseClick(done, Qt::LeftButton);
            QApplication::processEvents();
            EXPECT_TRUE(form.isVisible());
            QTest::mouseClick(done, Qt::LeftButton);
        });
        EXPECT_EQ(form.ShowModal(), mrYes);
        EXPECT_EQ(handled, 2);
    }
}

TEST(GraphicButton, AnOkButtonsHandlerMayAskAQuestionBeforeItsDialogCloses) {
    TForm form;
    auto* ok = new TElGraphicButton(&form);
    ok->SetCaption(QStringLiteral("OK"));
    ok->SetModalResult(mrOk);
    bool openDuringBox = false, openAfterBox = false;
    QObject::connect(ok, &TElGraphicButton::OnClick, [&]() {
        kvt::testing::WhenModalShows([&](QWidget* box) {
            openDuringBox = box != &form && form.isVisible();
            QTest::keyClick(box, Qt::Key_Return);
        });
        ShowWarningBox(&form, QStringLiteral("The corps has no supply city."));
        openAfterBox = form.isVisible();
    });
    kvt::testing::WhenModalShows([&](QWidget*) { QTest::mouseClick(ok, Qt::LeftButton); });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_TRUE(openDuringBox);
    EXPECT_TRUE(openAfterBox);
}

TEST(GraphicButton, DialogsNestedFiveDeepCloseInnermostFirstAndEachAfterItsHandler) {
    std::vector<TForm*> open;
    std::vector<int> closed;
    bool outerStayedOpen = true;
    std::function<int(int)> run = [&](int level) {
        TForm form;
        open.push_back(&form);
        auto* ok = new TElGraphicButton(&form);
        ok->SetModalResult(level == 1 ? mrOk : mrYes);
        QObject::connect(ok, &TElGraphicButton::OnClick, [&, level]() {
            if (level < 5) { EXPECT_EQ(run(level + 1), mrYes) << level; }
            for (TForm* f : open) outerStayedOpen = outerStayedOpen && f->isVisible();
        });
        kvt::testing::WhenModalShows([ok](QWidget*) { QTest::mouseClick(ok, Qt::LeftButton); });
        const int result = form.ShowModal();
        open.pop_back();
        closed.push_back(level);
        return result;
    };
    EXPECT_EQ(run(1), mrOk);
    EXPECT_EQ(closed, (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_TRUE(outerStayedOpen);
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

TEST(GraphicButton, ALayoutFileReachesEveryPublishedSetter) {
    ButtonLayoutDialog dialog;
    const TElGraphicButton* b = dialog.ui.Options;
    EXPECT_TRUE(b->dynamicPropertyNames().isEmpty()) << "a property the button does not publish was set";
    EXPECT_EQ(b->Layout(), blGlyphTop);
    EXPECT_FALSE(b->ShowGlyph());
    EXPECT_FALSE(b->ShowText());
    EXPECT_EQ(b->NumGlyphs(), 3);
    EXPECT_EQ(b->ImageIndex(), 5);
    EXPECT_TRUE(b->UseImageList());
    EXPECT_TRUE(b->UseIcon());
    EXPECT_EQ(b->PopupPlace(), ppRight);
    EXPECT_TRUE(b->DisableAutoPopup());
    EXPECT_EQ(b->MoneyFlatInactiveColor(), clMaroon);
    EXPECT_EQ(b->MoneyFlatActiveColor(), clGreen);
    EXPECT_EQ(b->MoneyFlatDownColor(), clNavy);
    EXPECT_FALSE(b->AdjustSpaceForGlyph());
    EXPECT_FALSE(b->ShadowFollowsColor());
    EXPECT_TRUE(b->ShadowsUseCustom());
    EXPECT_EQ(b->ShadowBtnHighlight(), clWhite);
    EXPECT_EQ(b->ShadowBtnShadow(), clGray);
    EXPECT_EQ(b->ShadowBtnDkShadow(), clBlack);
    EXPECT_EQ(b->TextDrawType(), tdtRaised);
    EXPECT_TRUE(b->OldStyled());
    EXPECT_TRUE(b->BackgroundDrawBorder());
    EXPECT_EQ(b->DownSound, QStringLiteral("BtnDown"));
    EXPECT_EQ(b->UpSound, QStringLiteral("BtnUp"));
    EXPECT_EQ(b->ClickSound, QStringLiteral("BtnClick"));
    EXPECT_EQ(b->ArrowClickSound, QStringLiteral("BtnArrow"));
    EXPECT_EQ(b->Glyph().size(), QSize(83, 13)) << "a picture of the game folder";
    // The button told to show no text shows none: nothing dark inside its frame.
    const QImage image = Render(&dialog);
    EXPECT_EQ(kvt::testing::CountDarker(image, b->geometry().adjusted(4, 4, -4, -4), 80), 0);
}

TEST(GraphicButton, ItsPicturesAndLinksAreProperties) {
    QWidget window;
    auto* b = new TElGraphicButton(&window);
    RecordingSoundMap sounds;
    kvt::testing::SolidImageForm form;
    TImageList list(16, 16);
    QMenu menu;
    QImage picture(64, 16, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QVariant images = QVariant::fromValue<TImageList*>(&list);
    const std::pair<const char*, QVariant> props[] = {
        {"Glyph", picture}, {"Icon", picture}, {"Background", picture}, {"DownBackground", picture},
        {"Images", images}, {"HotImages", images}, {"DownImages", images}, {"DisabledImages", images},
        {"PullDownMenu", QVariant::fromValue<QMenu*>(&menu)},
        {"SoundMap", QVariant::fromValue<TElSoundMapLink*>(&sounds)},
        {"ImageForm", QVariant::fromValue<TElImageFormLink*>(&form)}};
    for (const auto& [name, value] : props) {
        EXPECT_TRUE(b->setProperty(name, value)) << name;
        EXPECT_EQ(b->property(name), value) << name;
    }
    EXPECT_TRUE(b->dynamicPropertyNames().isEmpty());
    EXPECT_TRUE(b->UseImageList()) << "a list given draws the glyph";
    EXPECT_FALSE(b->DisableAutoPopup()) << "a pull-down menu given opens by itself";
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

TEST(GraphicButton, ClickingTheArrowWhileItsMenuIsOpenClosesItWithoutReopening) {
    QWidget parent;
    auto* b = new TElGraphicButton(&parent);
    b->SetUseArrow(true);
    QMenu menu;
    menu.addAction(QStringLiteral("Attack"));
    menu.addAction(QStringLiteral("Defend"));
    b->SetPullDownMenu(&menu);
    parent.show();
    int shown = 0, arrowClicks = 0, clicks = 0;
    QObject::connect(&menu, &QMenu::aboutToShow, [&]() {
        ++shown;
        QTimer::singleShot(0, &menu, &QMenu::close);  // the player clicks the arrow again
    });
    QObject::connect(b, &TElGraphicButton::OnArrowClick, [&]() { ++arrowClicks; });
    QObject::connect(b, &TElGraphicButton::OnClick, [&]() { ++clicks; });
    const QPoint arrow(70, 12);  // inside the rightmost 15 pixels of a 75-pixel button
    QCursor::setPos(b->mapToGlobal(arrow));

    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, arrow);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(arrowClicks, 1);
    EXPECT_EQ(b->State(), kStateArrowDown);
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, arrow);
    EXPECT_EQ(arrowClicks, 1);  // the release over the arrow of an open menu clicks nothing
    QApplication::processEvents();
    EXPECT_FALSE(b->MenuShown());
    EXPECT_EQ(b->State(), kStateUp);

    // The press that closed the menu over the arrow: no second menu, no arrow click.
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, arrow);
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, arrow);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(arrowClicks, 1);
    // The next press on the arrow opens it again; a click on the button's face opens nothing.
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, arrow);
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, arrow);
    QApplication::processEvents();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(arrowClicks, 2);
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 12));
    QApplication::processEvents();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(clicks, 1);
    QCursor::setPos(QPoint(-500, -500));  // away from where later tests place their buttons
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
    EXPECT_FALSE(b->ParentColor());  // a new button has a colour of its own
    EXPECT_EQ(b->Color(), clBtnFace);
    EXPECT_TRUE(b->ParentFont());
    EXPECT_EQ(b->FontColor(), clMaroon);
    EXPECT_EQ(b->property("ParentFont").toBool(), true);

    const TColor faceShadow = b->ShadowBtnShadow();
    b->SetParentColor(true);
    EXPECT_EQ(b->Color(), clNavy);
    EXPECT_NE(b->ShadowBtnShadow(), faceShadow);  // the shadows follow the colour taken over
    host.SetColor(clTeal);
    EXPECT_EQ(b->Color(), clTeal);
    b->SetColor(clRed);
    EXPECT_FALSE(b->ParentColor());
    host.SetColor(clGreen);
    EXPECT_EQ(b->Color(), clRed);

    host.SetFontColor(clPurple);
    EXPECT_EQ(b->FontColor(), clPurple);
    host.setFont(MakeFont(QStringLiteral("Times New Roman"), -14));
    EXPECT_EQ(b->font().pixelSize(), 14);
    b->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    EXPECT_FALSE(b->ParentFont());
    host.SetFontColor(clOlive);
    EXPECT_EQ(b->FontColor(), clPurple);
    b->SetParentFont(true);
    EXPECT_EQ(b->FontColor(), clOlive);
    EXPECT_EQ(b->font().pixelSize(), 14);
    b->SetFontColor(clBlack);
    EXPECT_FALSE(b->ParentFont());

    // On a plain window the button takes the window's colours.
    QWidget window;
    auto* plain = new TElGraphicButton(&window);
    plain->SetParentColor(true);
    EXPECT_EQ(plain->Color(), clBtnFace);
    EXPECT_EQ(plain->FontColor(), clWindowText);
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

TEST(GraphicButton, MoneyFlatArrowPartAndCustomShadowsPaintTheirColours) {
    const auto shot = [](TElGraphicButton* b) { return b->grab().toImage(); };
    {
        // The flat money frame: inactive, active under the mouse, down while pressed; no 3-D edges.
        QWidget parent;
        auto* b = new TElGraphicButton(&parent);
        b->SetMoneyFlat(true);
        b->SetMoneyFlatInactiveColor(clRed);
        b->SetMoneyFlatActiveColor(clBlue);
        b->SetMoneyFlatDownColor(clLime);
        parent.show();
        QEvent away(QEvent::Leave);
        QApplication::sendEvent(b, &away);
        EXPECT_EQ(Px(shot(b), 10, 0), QColor(Qt::red));
        EXPECT_EQ(Px(shot(b), 74, 12), QColor(Qt::red));
        EXPECT_EQ(Px(shot(b), 10, 1), ToQColor(clBtnFace));
        QEnterEvent enter(QPointF(10, 5), QPointF(10, 5), QPointF(10, 5));
        QApplication::sendEvent(b, &enter);
        EXPECT_EQ(Px(shot(b), 10, 0), QColor(Qt::blue));
        QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
        EXPECT_EQ(Px(shot(b), 10, 0), QColor(Qt::green));
        QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));

        // With the arrow part: it starts at the frame's inner right edge (column 61 of 75) and is 13
        // wide, so the last column keeps the face and the arrow's tip sits at column 67.
        b->SetUseArrow(true);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(b, &leave);
        const QImage arrow = shot(b);
        EXPECT_EQ(Px(arrow, 61, 12), QColor(Qt::red));
        EXPECT_EQ(Px(arrow, 73, 12), QColor(Qt::red));
        EXPECT_EQ(Px(arrow, 74, 12), ToQColor(clBtnFace));
        EXPECT_EQ(Px(arrow, 67, 13), ToQColor(clBtnText));
        EXPECT_EQ(Px(arrow, 68, 13), ToQColor(clBtnFace));
    }
    {
        // The 3-D arrow part: raised 13 pixels at the right edge, its arrow pointing down.
        QWidget parent;
        auto* b = new TElGraphicButton(&parent);
        b->SetUseArrow(true);
        parent.show();
        const QImage up = shot(b);
        EXPECT_EQ(Px(up, 66, 0), ToQColor(clBtnHighlight));
        EXPECT_EQ(Px(up, 74, 12), ToQColor(clBtnShadow));
        EXPECT_EQ(Px(up, 61, 12), ToQColor(clBtnShadow));  // the face part's own right edge
        EXPECT_EQ(Px(up, 65, 10), ToQColor(clBtnText));     // the arrow's seven-pixel base
        EXPECT_EQ(Px(up, 71, 10), ToQColor(clBtnText));
        EXPECT_EQ(Px(up, 68, 13), ToQColor(clBtnText));     // its tip
        // Held on the arrow, its part is drawn sunken while the face beside it stays raised.
        QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(70, 12));
        ASSERT_EQ(b->State(), kStateArrowDown);
        const QImage held = shot(b);
        EXPECT_EQ(Px(held, 66, 0), ToQColor(clBtnShadow));
        EXPECT_EQ(Px(held, 74, 12), ToQColor(clBtnHighlight));
        EXPECT_EQ(Px(held, 10, 0), ToQColor(clBtnHighlight));
        EXPECT_EQ(Px(held, 61, 12), ToQColor(clBtnShadow));
        EXPECT_EQ(Px(held, 68, 13), ToQColor(clBtnText));
        QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(70, 12));
        EXPECT_EQ(Px(shot(b), 66, 0), ToQColor(clBtnHighlight));
        b->setEnabled(false);
        EXPECT_EQ(Px(shot(b), 68, 13), ToQColor(clBtnShadow));
    }
    {
        // Custom shadow colours replace the derived ones, plain, under the mouse and pressed.
        QWidget parent;
        auto* b = new TElGraphicButton(&parent);
        b->SetShadowsUseCustom(true);
        b->SetShadowBtnHighlight(clRed);
        b->SetShadowBtnShadow(clBlue);
        b->SetShadowBtnDkShadow(clLime);
        parent.show();
        const QImage plain = shot(b);
        EXPECT_EQ(Px(plain, 10, 0), QColor(Qt::red));
        EXPECT_EQ(Px(plain, 10, 24), QColor(Qt::blue));
        EXPECT_EQ(Px(plain, 10, 1), ToQColor(clBtnFace));
        QEnterEvent enter(QPointF(10, 5), QPointF(10, 5), QPointF(10, 5));
        QApplication::sendEvent(b, &enter);
        const QImage hot = shot(b);
        EXPECT_EQ(Px(hot, 10, 24), QColor(Qt::green));
        EXPECT_EQ(Px(hot, 10, 23), QColor(Qt::blue));
        QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
        const QImage down = shot(b);
        EXPECT_EQ(Px(down, 10, 0), QColor(Qt::green));
        EXPECT_EQ(Px(down, 10, 24), QColor(Qt::red));
        EXPECT_EQ(Px(down, 10, 1), QColor(Qt::blue));
        QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    }
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

    // A style without the arrow's class: the button draws its own frame, its text still through
    // the style of its face.
    styles.unknownClasses << QStringLiteral("COMBOBOX");
    auto* half = new TElGraphicButton(&parent);
    half->SetCaption(QStringLiteral("Done"));
    EXPECT_FALSE(half->IsThemed());
    styles.calls.clear();
    const QImage img = half->grab().toImage();
    EXPECT_TRUE(styles.calls.filter(QStringLiteral("Background")).isEmpty());
    EXPECT_TRUE(styles.calls.contains(QStringLiteral("Text BUTTON 1/1 Done")));
    EXPECT_EQ(Px(img, 10, 0), ToQColor(clBtnHighlight));
}

TEST(GraphicButton, ImageListsOfTheCurrentStateReachTheGlyph) {
    QWidget parent;
    auto* b = new TElGraphicButton(&parent);
    TImageList images(16, 16), hot(16, 16), down(16, 16);
    b->SetImages(&images);
    EXPECT_TRUE(b->UseImageList());
    b->SetIsSwitch(true);
    parent.show();
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));  // the switch stays down
    ASSERT_TRUE(b->GetDown());
    b->SetDownImages(&down);
    EXPECT_EQ(b->ButtonGlyph().Images(), &down);
    b->SetDownImages(nullptr);
    EXPECT_EQ(b->ButtonGlyph().Images(), &images);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(b, &enter);
    b->SetHotImages(&hot);
    EXPECT_EQ(b->ButtonGlyph().Images(), &hot);
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

TEST(ButtonGlyph, AGlyphOutlivingTheCacheTakesANewOne) {
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(QColor(0, 128, 128));
    QPainter(&strip).fillRect(2, 2, 10, 10, Qt::black);
    auto* first = new TElButtonGlyph;
    TElButtonGlyph second;
    second.SetGlyph(strip);
    delete first;  // the cache held no list, so it went, though the second glyph lives on
    EXPECT_EQ(GlyphCache(), nullptr);
    QImage canvas(40, 20, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        second.DrawContent(p, QRect(0, 0, 40, 20), QPoint(), QString(), blGlyphLeft, 0, 4, kStateUp, kStateUp, false,
                           false, true, true, 0, tdtNormal, clBtnFace, 0, 1, 1);
    }
    ASSERT_NE(GlyphCache(), nullptr);
    EXPECT_EQ(GlyphCache()->ListCount(), 1);
    EXPECT_EQ(QColor(canvas.pixel(5, 7)), QColor(Qt::black));  // the picture, two pixels in
}

TEST(ButtonGlyph, AnEmptyIconShowsNoPictureUntilTheIconChanges) {
    QImage strip(16, 16, QImage::Format_RGB32);
    strip.fill(Qt::black);
    TElButtonGlyph g;
    g.SetGlyph(strip);
    g.SetUseIcon(true);
    EXPECT_TRUE(g.UseIcon());
    EXPECT_EQ(g.PictureSize(true), QSize(0, 0));  // not the bitmap strip in its place
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    g.SetIcon(icon);
    EXPECT_EQ(g.PictureSize(true), QSize(8, 8));
    g.SetIcon(QImage());  // an icon emptied switches the icon off
    EXPECT_FALSE(g.UseIcon());
    EXPECT_EQ(g.PictureSize(true), QSize(16, 16));
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

// Radio buttons and check boxes: the radio rule of one parent, clicks from the player and from
// code, focus that must not pick an order, the check box's states, sizing and painting.
#include <gtest/gtest.h>

#include <QCursor>
#include <QFontMetrics>
#include <QHash>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <string>
#include <vector>
#include <memory>

#include "gui/platform/fonts.h"
#include "gui/platform/form.h"
#include "gui/platform/image_list.h"
#include "gui/platform/text_draw.h"
#include "gui/ui/check_items.h"
#include "gui/ui/panel.h"
#include "tests/gui/control_event_checks.h"
#include "tests/gui/control_fixture.h"
#include "tests/gui/gui_support.h"

namespace kvt::gui {
namespace {

using kvt::testing::Pixel;
using kvt::testing::Render;
using kvt::testing::Rgb;

// Two panels of radio buttons, as the army orders lay out their groups.
struct TwoPanels {
    std::unique_ptr<QWidget> window{kvt::testing::NewPlainWindow(300, 200)};
    TElPanel* left = new TElPanel(window.get());
    TElPanel* right = new TElPanel(window.get());
    TElRadioButton* a[3];
    TElRadioButton* b[2];
    TwoPanels() {
        left->setGeometry(0, 0, 150, 200);
        right->setGeometry(150, 0, 150, 200);
        for (int i = 0; i < 3; ++i) {
            a[i] = new TElRadioButton(left);
            a[i]->setGeometry(5, 5 + 20 * i, 100, 17);
            a[i]->SetCaption(QStringLiteral("a%1").arg(i));
        }
        for (int i = 0; i < 2; ++i) {
            b[i] = new TElRadioButton(right);
            b[i]->setGeometry(5, 5 + 20 * i, 100, 17);
        }
    }
};

TEST(RadioButton, CheckingUnchecksItsSiblingsOnTheSameParentOnly) {
    TwoPanels w;
    w.b[1]->SetChecked(true);
    const struct {
        int check;
        bool expected[3];
    } steps[] = {{0, {true, false, false}}, {2, {false, false, true}}, {1, {false, true, false}}, {1, {false, true, false}}};
    for (const auto& s : steps) {
        w.a[s.check]->SetChecked(true);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(w.a[i]->GetChecked(), s.expected[i]) << "after checking " << s.check;
        EXPECT_TRUE(w.b[1]->GetChecked()) << "the other panel keeps its choice";
    }
}

TEST(CheckItem, ItemsWithoutAFontOfTheirOwnFollowTheirPanelsFontColour) {
    TwoPanels d;
    d.left->SetFontColor(clMaroon);
    d.a[1]->SetFontColor(clNavy);  // given a colour of its own
    // The caption's ink, right of the mark; the panel sits at the window's top-left.
    const auto ink = [&](const QImage& image, TElRadioButton* item, TColor c) {
        return kvt::testing::InkDistance(image, item->geometry().adjusted(18, 0, 0, 0), Rgb(c));
    };
    constexpr int kNear = 40, kFar = 120;
    QImage image = Render(d.window.get());
    EXPECT_TRUE(d.a[0]->ParentFont());
    EXPECT_LT(ink(image, d.a[0], clMaroon), kNear);
    EXPECT_FALSE(d.a[1]->ParentFont());
    EXPECT_LT(ink(image, d.a[1], clNavy), kNear);
    EXPECT_GT(ink(image, d.a[1], clMaroon), kFar);

    d.left->SetFontColor(clGreen);
    image = Render(d.window.get());
    EXPECT_LT(ink(image, d.a[2], clGreen), kNear) << "a later change reaches the items";
    EXPECT_GT(ink(image, d.a[2], clMaroon), kFar);
    EXPECT_LT(ink(image, d.a[1], clNavy), kNear);

    // Both are Qt properties, so a layout sets them; ParentColor is off until asked for.
    d.left->SetColor(clTeal);
    EXPECT_TRUE(d.a[1]->setProperty("ParentFont", true));
    EXPECT_FALSE(d.a[0]->ParentColor());
    EXPECT_TRUE(d.a[0]->setProperty("ParentColor", true));
    image = Render(d.window.get());
    EXPECT_LT(ink(image, d.a[1], clGreen), kNear);
    EXPECT_EQ(Pixel(image, d.a[0]->geometry().right(), d.a[0]->y()), Rgb(clTeal));
    EXPECT_EQ(Pixel(image, d.a[2]->geometry().right(), d.a[2]->y()), Rgb(clBtnFace));
}

TEST(RadioButton, TheClickHandlerSeesTheButtonCheckedAndItsSiblingsUnchecked) {
    // A fleet's orders dialog checks the mission button in code and relies on its handler.
    TwoPanels w;
    w.a[2]->SetChecked(true);
    bool seen = false;
    QObject::connect(w.a[0], &TElButtonControl::OnClick, [&]() {
        seen = w.a[0]->GetChecked() && !w.a[2]->GetChecked();
    });
    w.a[0]->SetChecked(true);
    EXPECT_TRUE(seen);
}

TEST(RadioButton, PlayerClicksRaiseOneClickWhetherOrNotAlreadyChecked) {
    TwoPanels w;
    Render(w.window.get());
    QSignalSpy spy(w.a[1], &TElButtonControl::OnClick);
    QTest::mouseClick(w.a[1], Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(w.a[1]->GetChecked());
    EXPECT_EQ(spy.count(), 1);
    QTest::mouseClick(w.a[1], Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(w.a[1]->GetChecked());
    EXPECT_EQ(spy.count(), 2);
    QTest::mouseClick(w.a[0], Qt::RightButton, {}, QPoint(5, 8));
    EXPECT_FALSE(w.a[0]->GetChecked()) << "only the left button clicks";
}

TEST(RadioButton, PressReleasedOutsideChangesNothingAndLeavesNoPressedLook) {
    TwoPanels w;
    Render(w.window.get());
    QSignalSpy spy(w.a[1], &TElButtonControl::OnClick);
    QTest::mousePress(w.a[1], Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(w.a[1]->Pressed());
    QTest::mouseRelease(w.a[1], Qt::LeftButton, {}, QPoint(5, 80));
    EXPECT_FALSE(w.a[1]->Pressed());
    EXPECT_FALSE(w.a[1]->GetChecked());
    EXPECT_EQ(spy.count(), 0);
}

TEST(RadioButton, TabStopFollowsTheCheck) {
    TwoPanels w;
    EXPECT_TRUE(w.a[0]->TabStop());
    w.a[1]->SetChecked(true);
    EXPECT_TRUE(w.a[1]->TabStop());
    w.a[0]->SetChecked(true);
    EXPECT_TRUE(w.a[0]->TabStop());
    EXPECT_FALSE(w.a[1]->TabStop()) << "the button that lost its check leaves the tab order";
    EXPECT_TRUE(w.a[2]->TabStop()) << "a button that was never checked keeps its tab stop";
}

// Records, in order, the change notices its watched widgets receive and the clicks it is told of.
class ChangeRecorder : public QObject {
public:
    QStringList log;
    void Watch(QObject* o, const QString& name) {
        names_[o] = name;
        o->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == TControlChangedEvent::EventType()) {
            const auto* changed = static_cast<TControlChangedEvent*>(e);
            log << names_.value(watched) + QLatin1Char('<') + changed->Child()->objectName();
        }
        return false;
    }

private:
    QHash<QObject*, QString> names_;
};

TEST(CheckItem, ChangesAreNoticedUpTheParentChainBeforeTheClick) {
    TwoPanels w;
    auto* box = new TElCheckBox(w.right);
    w.a[0]->setObjectName(QStringLiteral("a0"));
    w.a[1]->setObjectName(QStringLiteral("a1"));
    box->setObjectName(QStringLiteral("box"));
    ChangeRecorder rec;
    rec.Watch(w.left, QStringLiteral("left"));
    rec.Watch(w.right, QStringLiteral("right"));
    rec.Watch(w.window.get(), QStringLiteral("window"));
    w.a[2]->setObjectName(QStringLiteral("a2"));
    for (TElButtonControl* c : {static_cast<TElButtonControl*>(w.a[0]), static_cast<TElButtonControl*>(w.a[1]),
                                static_cast<TElButtonControl*>(w.a[2]), static_cast<TElButtonControl*>(box)})
        QObject::connect(c, &TElButtonControl::OnClick, [&rec, c]() { rec.log << QStringLiteral("click ") + c->objectName(); });
    const QString checkA0 = QStringLiteral("left<a0,window<a0");
    const struct {
        std::function<void()> action;
        QString expected;
    } steps[] = {
        {[&] { w.a[0]->SetChecked(true); }, checkA0 + QStringLiteral(",click a0")},
        {[&] { w.a[0]->SetChecked(true); }, QString()},   // unchanged: no notice
        {[&] { w.a[1]->SetChecked(false); }, QString()},  // unchecking: no notice
        // Checking a sibling unchecks a0 by the rule, which says nothing.
        {[&] { w.a[2]->SetChecked(true); }, QStringLiteral("left<a2,window<a2,click a2")},
        {[&] { w.a[0]->SetChecked(true); }, checkA0 + QStringLiteral(",click a0")},
        {[&] { w.a[0]->Click(); }, checkA0 + QStringLiteral(",click a0")},  // already checked: the click's notice
        // Unchecked: the check's notice, then the click's.
        {[&] { w.a[1]->Click(); }, QStringLiteral("left<a1,window<a1,left<a1,window<a1,click a1")},
        {[&] { box->SetState(cbChecked); }, QString()},
        {[&] { box->Click(); }, QStringLiteral("right<box,window<box,click box")},
    };
    for (const auto& step : steps) {
        rec.log.clear();
        step.action();
        EXPECT_EQ(rec.log.join(QLatin1Char(',')), step.expected);
    }
}

// A dialog whose first control is an unchecked radio button, as the raise-corps dialog opens.
class RadioDialog : public TForm {
public:
    TElRadioButton* first = new TElRadioButton(this);
    TElRadioButton* second = new TElRadioButton(this);
    RadioDialog() {
        resize(200, 100);
        first->setGeometry(10, 10, 100, 17);
        second->setGeometry(10, 30, 100, 17);
        first->SetCaption(QStringLiteral("Corps"));
        second->SetCaption(QStringLiteral("Infantry Division"));
    }
};

TEST(RadioButton, ADialogsFirstFocusChecksNothing) {
    for (const bool focusSetByCode : {false, true}) {
        RadioDialog dialog;
        QSignalSpy clicks(dialog.first, &TElButtonControl::OnClick);
        if (focusSetByCode) dialog.first->setFocus();
        bool focused = false, checked = true;
        kvt::testing::WhenModalShows([&](QWidget*) {
            QApplication::processEvents();
            focused = dialog.first->hasFocus();
            checked = dialog.first->GetChecked() || dialog.second->GetChecked();
            dialog.SetModalResult(mrOk);
        });
        dialog.ShowModal();
        EXPECT_TRUE(focused) << "focus set by code: " << focusSetByCode;
        EXPECT_FALSE(checked) << "focus set by code: " << focusSetByCode;
        EXPECT_EQ(clicks.count(), 0);
    }
}

TEST(RadioButton, KeyboardNavigationChecksTheButtonItReaches) {
    RadioDialog dialog;
    auto* other = new TElCheckBox(&dialog);
    other->setGeometry(10, 60, 100, 17);
    QWidget::setTabOrder(other, dialog.first);
    kvt::testing::ShowActive(&dialog);
    other->setFocus();
    QSignalSpy firstClicks(dialog.first, &TElButtonControl::OnClick);
    QSignalSpy secondClicks(dialog.second, &TElButtonControl::OnClick);

    QTest::keyClick(other, Qt::Key_Tab);
    EXPECT_TRUE(dialog.first->hasFocus());
    EXPECT_TRUE(dialog.first->GetChecked()) << "Tab onto an unchecked button chooses it";
    EXPECT_EQ(firstClicks.count(), 1);

    QTest::keyClick(dialog.first, Qt::Key_Down);
    EXPECT_TRUE(dialog.second->hasFocus());
    EXPECT_TRUE(dialog.second->GetChecked());
    EXPECT_FALSE(dialog.first->GetChecked());
    EXPECT_EQ(secondClicks.count(), 1);

    QTest::keyClick(dialog.second, Qt::Key_Down);  // wraps round to the first
    EXPECT_TRUE(dialog.first->GetChecked());

    dialog.second->setEnabled(false);
    QTest::keyClick(dialog.first, Qt::Key_Up);
    EXPECT_TRUE(dialog.first->GetChecked()) << "a disabled button is skipped; nothing else is there";

    QTest::keyClick(dialog.first, Qt::Key_Space);
    EXPECT_EQ(firstClicks.count(), 3) << "Space clicks a checked button again";
}

TEST(RadioButton, HandleDialogKeysKeepsTabAndArrowsFromMovingTheFocus) {
    RadioDialog dialog;
    dialog.first->SetHandleDialogKeys(true);
    kvt::testing::ShowActive(&dialog);
    dialog.first->setFocus();
    QTest::keyClick(dialog.first, Qt::Key_Tab);
    QTest::keyClick(dialog.first, Qt::Key_Down);
    EXPECT_TRUE(dialog.first->hasFocus());
    EXPECT_FALSE(dialog.second->GetChecked());
}

TEST(RadioButton, AcceleratorLetterClicksIt) {
    RadioDialog dialog;
    dialog.second->SetCaption(QStringLiteral("&Advance"));
    kvt::testing::ShowActive(&dialog);
    QTest::keyClick(&dialog, Qt::Key_A);
    EXPECT_TRUE(dialog.second->GetChecked());
}

TEST(CheckItem, PublishedEventsComeInTheClassLibrarysOrder) {
    std::vector<std::string> log;
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 60));
    auto* box = new TElCheckBox(window.get());
    box->SetAutoSize(false);
    box->setGeometry(10, 10, 120, 20);
    box->SetCaption(QStringLiteral("Appeal"));
    kvt::testing::ShowActive(window.get());
    window->setFocus();
    kvt::testing::LogLibraryEvents<TElCheckItem>(box, log);  // Q swallowed: nothing follows but the release
    QObject::connect(box, &TElButtonControl::OnClick, [&]() { log.push_back("click"); });
    QObject::connect(box, &TElCheckItem::OnDblClick, [&]() { log.push_back("double"); });
    kvt::testing::ExpectEventSteps(log, {
        {[&] { box->setFocus(); }, {"enter"}},
        {[&] { QTest::mouseMove(box, QPoint(30, 5)); }, {"move 30,5"}},
        {[&] { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, 8)); }, {"down 4,8", "click", "up 4,8"}},
        // A double click is two clicks.
        {[&] {
             QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(4, 8));
             QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(4, 8));
         },
         {"down 4,8", "click", "up 4,8"}},
        {[&] { QTest::mouseClick(box, Qt::RightButton, {}, QPoint(4, 8)); }, {"down 4,8", "up 4,8"}},
        {[&] { QTest::keyClick(box, Qt::Key_A); }, {"key down 65", "key press a", "key up 65"}},
        {[&] { QTest::keyClick(box, Qt::Key_Space); }, {"key down 32", "click", "key press  ", "key up 32"}},
        {[&] { QTest::keyClick(box, Qt::Key_Q); }, {"key down 81", "key up 81"}},
        {[&] { window->setFocus(); }, {"exit"}},
    });
    QCursor::setPos(0, 0);  // where the pointer rests for the other tests
    EXPECT_FALSE(box->acceptDrops()) << "an item nobody asks about drags takes no drops";
    EXPECT_EQ(kvt::testing::DragOverAndDrop(box), kvt::testing::DragOverAndDropLog());
    EXPECT_TRUE(box->acceptDrops());
}

TEST(CheckItem, AHeldSpaceClicksOnEveryRepeat) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 40));
    auto* box = new TElCheckBox(window.get());
    box->setGeometry(10, 10, 120, 20);
    kvt::testing::ShowActive(window.get());
    box->setFocus();
    QSignalSpy clicks(box, &TElButtonControl::OnClick);
    const TCheckBoxState after[] = {cbChecked, cbUnchecked, cbChecked};
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), /*autorep=*/i > 0);
        QApplication::sendEvent(box, &press);
        EXPECT_EQ(box->State(), after[i]) << "key-down " << i;
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(box, &release);
    EXPECT_EQ(clicks.count(), 3);
}

TEST(CheckBox, StatesFollowTheClickOrderAndRefuseGrayedUnlessAllowed) {
    const struct {
        bool allowGrayed;
        TCheckBoxState sequence[4];
    } cases[] = {{true, {cbGrayed, cbChecked, cbUnchecked, cbGrayed}},
                 {false, {cbChecked, cbUnchecked, cbChecked, cbUnchecked}}};
    for (const auto& c : cases) {
        TElCheckBox box;
        box.SetAllowGrayed(c.allowGrayed);
        QSignalSpy clicks(&box, &TElButtonControl::OnClick);
        for (int i = 0; i < 4; ++i) {
            box.Click();
            EXPECT_EQ(box.State(), c.sequence[i]) << "allow grayed " << c.allowGrayed << ", click " << i;
        }
        EXPECT_EQ(clicks.count(), 4);
    }
    TElCheckBox box;
    QSignalSpy clicks(&box, &TElButtonControl::OnClick);
    box.SetState(cbGrayed);
    EXPECT_EQ(box.State(), cbUnchecked) << "grayed is refused without AllowGrayed";
    box.SetAllowGrayed(true);
    box.SetState(cbGrayed);
    EXPECT_EQ(box.State(), cbGrayed);
    EXPECT_FALSE(box.GetChecked());
    box.SetAllowGrayed(false);
    EXPECT_EQ(box.State(), cbUnchecked) << "turning AllowGrayed off clears a grayed box";
    box.SetChecked(true);
    EXPECT_EQ(box.State(), cbChecked);
    EXPECT_EQ(clicks.count(), 0) << "states set from code raise no click";
}

TEST(CheckItem, AutoSizeFitsTheMarkAndTheCaption) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(300, 100));
    auto* item = new TElRadioButton(window.get());
    item->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    item->SetCaption(QStringLiteral("Cavalry Division"));
    item->setGeometry(20, 30, 40, 10);
    EXPECT_EQ(item->width(), 40) << "nothing is fitted before the window exists";
    Render(window.get());
    const QFontMetrics fm(item->font());
    const int text = MeasureText(item->font(), QStringLiteral("Cavalry Division"), QRect(), 0).width();
    EXPECT_EQ(item->width(), 13 + 7 + text + 2);
    EXPECT_EQ(item->height(), std::max(13 + 4, fm.height() + 2));
    EXPECT_EQ(item->pos(), QPoint(20, 30));
    item->SetTextDrawType(tdtRaised);
    item->SetCaption(QStringLiteral("Corps"));
    const int corps = MeasureText(item->font(), QStringLiteral("Corps"), QRect(), 0).width();
    EXPECT_EQ(item->width(), 13 + 7 + corps + 2);
    EXPECT_EQ(item->height(), std::max(13 + 4, fm.height() + 2) + 2);
    item->SetAutoSize(false);
    item->SetCaption(QStringLiteral("A much longer caption than before"));
    EXPECT_EQ(item->width(), 13 + 7 + corps + 2);
}

TEST(CheckItem, TwoLineCaptionKeepsTheMarkLevelWithTheFirstLine) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 80, clWhite));
    auto* item = new TElRadioButton(window.get());
    item->SetAutoSize(false);
    item->setGeometry(0, 0, 180, 60);
    item->SetColor(clWhite);
    item->SetCaption(QStringLiteral("Transfer Brigades\r\nto Richmond"));
    item->SetChecked(true);
    const QImage image = Render(window.get());
    const QRect mark = kvt::testing::BoundsOfColor(image, QRect(0, 0, 14, 60), Rgb(clBtnShadow));
    const int firstLine = item->CalcItemHeight(false);
    EXPECT_FALSE(mark.isEmpty());
    EXPECT_LT(mark.bottom(), firstLine) << "the mark stands beside the first line, not the middle";
}

TEST(CheckItem, PaintsItsStateInTheMark) {
    std::unique_ptr<QWidget> window(kvt::testing::NewPlainWindow(200, 40));
    auto* item = new TElRadioButton(window.get());
    item->SetAutoSize(false);
    item->setGeometry(0, 0, 150, 21);
    item->SetCaption(QStringLiteral("Defend"));
    // The dot of a checked button sits in the middle of the 12 x 12 mark, 4 pixels in.
    const QPoint dot(5, 21 / 2 - 13 / 2 + 5);
    EXPECT_EQ(Pixel(Render(window.get()), dot.x(), dot.y()), Rgb(clWindow));
    item->SetChecked(true);
    EXPECT_EQ(Pixel(Render(window.get()), dot.x(), dot.y()), Rgb(clWindowText));
    item->setEnabled(false);
    const QImage disabled = Render(window.get());
    EXPECT_EQ(Pixel(disabled, dot.x(), dot.y()), Rgb(clBtnShadow));
    const QRect caption(18, 0, 130, 21);
    EXPECT_EQ(kvt::testing::CountDarker(disabled, caption, 100), 0)
        << "a disabled caption is drawn in the shadow and highlight colours, never black";
    EXPECT_GT(kvt::testing::CountDarker(disabled, caption, 170), 10);
    item->setEnabled(true);
    EXPECT_GT(kvt::testing::CountDarker(Render(window.get()), caption, 60), 10);
}

TEST(CheckItem, TransparentItemShowsThePictureBeneathIt) {
    kvt::testing::PictureWindow window(200, 40);
    auto* item = new TElRadioButton(&window);
    item->SetAutoSize(false);
    item->setGeometry(10, 5, 150, 21);
    item->SetCaption(QStringLiteral("Advance"));
    const QPoint probe(10 + 149, 5 + 1);  // right of the caption, above the text
    EXPECT_EQ(Pixel(Render(&window), probe.x(), probe.y()), Rgb(clBtnFace));
    item->SetTransparent(true);
    EXPECT_EQ(Pixel(Render(&window), probe.x(), probe.y()), QColor(window.Picture().pixel(probe)));
}

}  // namespace
}  // namespace kvt::gui

// The controls as the game's dialogs use them: laid out in a Designer file, filled and read by
// code, and opening further modal dialogs from their handlers, several deep.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>
#include <set>

#include "gui/platform/fonts.h"
#include "gui/platform/form.h"
#include "gui/ui/advanced_list_box.h"
#include "gui/ui/check_items.h"
#include "gui/ui/framed_radio_box.h"
#include "gui/ui/group_box.h"
#include "gui/ui/panel.h"
#include "gui/ui/spin_button.h"
#include "gui/ui/radio_group.h"
#include "tests/gui/control_fixture.h"
#include "tests/gui/gui_support.h"
#include "ui_control_layout_test.h"

namespace kvt::gui {
namespace {

class LayoutDialog : public TForm {
public:
    Ui::ControlLayoutTest ui;
    LayoutDialog() { ui.setupUi(this); }
};

// A layout file sets only published properties, and those that build rows or nest controls hold.
TEST(DialogControls, ADesignerLayoutBuildsTheRowsAndNestingItNames) {
    LayoutDialog dialog;
    const auto& ui = dialog.ui;
    for (const QObject* c : std::initializer_list<const QObject*>{ui.MarchRadioGroup, ui.ListBox2, ui.ElPanel1,
                                                                   ui.ElLabel1, ui.Label7, ui.RadioButton2, ui.NewRadBox1})
        EXPECT_TRUE(c->dynamicPropertyNames().isEmpty()) << c->objectName().toStdString();
    ASSERT_EQ(ui.MarchRadioGroup->ButtonCount(), 3);
    EXPECT_EQ(ui.MarchRadioGroup->Button(2)->Caption(), QStringLiteral("Forced March"));
    EXPECT_EQ(ui.ListBox2->Items().Count(), 1);
    EXPECT_EQ(ui.ListBox2->ItemHeight(), QFontMetrics(ui.ListBox2->font()).height());
    EXPECT_TRUE(ui.RadioButton2->GetChecked());
    EXPECT_FALSE(ui.RadioButton1->GetChecked());
    EXPECT_EQ(ui.RadioButton1->parentWidget(), ui.ElPanel1);
}

// Tab stops, parent looks and grab strips a layout gives are what the controls then do.
TEST(DialogControls, ALayoutsTabStopsParentLooksAndGrabStripsHold) {
    LayoutDialog dialog;
    auto& ui = dialog.ui;
    for (const QObject* c : std::initializer_list<const QObject*>{ui.ElPanel1, ui.FlatRadBox, ui.FollowingGroup,
                                                                   ui.OwnGroup, ui.SpinButton2})
        EXPECT_TRUE(c->dynamicPropertyNames().isEmpty()) << c->objectName().toStdString();

    // The top strip moves the panel and keeps its children below it.
    EXPECT_EQ(ui.ElPanel1->HitTest(QPoint(100, 3)), TCustomElPanel::HTCAPTION);
    EXPECT_EQ(ui.ElPanel1->TopGrabHandle().BevelKind(), bvRaised);
    EXPECT_EQ(ui.ElPanel1->contentsMargins().top(), 6);

    // A box that follows its parent's colour and 3-D look keeps following; one told otherwise
    // keeps its own.
    const auto margin = [](const TElGroupBox* box) { return box->contentsMargins().left(); };
    EXPECT_EQ(ui.FollowingGroup->Color(), TColor(0x008000));
    EXPECT_EQ(margin(ui.FollowingGroup), 1);
    EXPECT_EQ(margin(ui.OwnGroup), 1);
    ui.FlatRadBox->SetCtl3D(true);
    ui.FlatRadBox->SetColor(clNavy);
    EXPECT_EQ(margin(ui.FollowingGroup), 2);
    EXPECT_EQ(margin(ui.OwnGroup), 1);
    EXPECT_EQ(ui.FollowingGroup->Color(), clNavy);
    EXPECT_EQ(ui.OwnGroup->Color(), clBtnFace);
    ui.FollowingGroup->SetColor(clMaroon);
    ui.FlatRadBox->SetColor(clTeal);
    EXPECT_EQ(ui.FollowingGroup->Color(), clMaroon);
    ui.OwnGroup->SetParentCtl3D(true);
    EXPECT_EQ(margin(ui.OwnGroup), 2);

    // Tab reaches the first spin button, never the one the layout took out of the tab order.
    std::set<QWidget*> reached;
    kvt::testing::WhenModalShows([&](QWidget*) {
        ui.SpinButton1->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 30; ++i) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        dialog.SetModalResult(mrCancel);
    });
    dialog.ShowModal();
    EXPECT_TRUE(reached.count(ui.SpinButton1));
    EXPECT_TRUE(reached.count(ui.ListBox2));
    EXPECT_FALSE(reached.count(ui.SpinButton2));
}

// A group box the layout tells to follow its parent's font captions in the parent's font and
// ink, through later changes too, until it is given a font or a font colour of its own.
TEST(DialogControls, AGroupBoxWithParentFontCaptionsInItsParentsLookUntilGivenItsOwn) {
    LayoutDialog dialog;
    auto& ui = dialog.ui;
    EXPECT_TRUE(ui.FontGroup->dynamicPropertyNames().isEmpty());
    EXPECT_FALSE(ui.OwnGroup->ParentFont());  // off unless the layout asks for it
    ASSERT_TRUE(ui.FontGroup->ParentFont());
    constexpr int kNear = 40, kFar = 120;
    const auto captionInk = [&](TColor c) {
        const QImage image = kvt::testing::Render(&dialog);
        const QRect caption(ui.FontGroup->mapTo(&dialog, QPoint(8, 0)), QSize(80, ui.FontGroup->LineHeight()));
        return kvt::testing::InkDistance(image, caption, kvt::testing::Rgb(c));
    };
    EXPECT_EQ(ui.FontGroup->FontColor(), clMaroon);
    EXPECT_LT(captionInk(clMaroon), kNear);

    ui.FontPanel->SetFontColor(clNavy);
    ui.FontPanel->setFont(MakeFont(QStringLiteral("Times New Roman"), -16, true));
    EXPECT_EQ(ui.FontGroup->font().pixelSize(), 16);
    EXPECT_TRUE(ui.FontGroup->font().bold());
    EXPECT_LT(captionInk(clNavy), kNear);
    EXPECT_GT(captionInk(clMaroon), kFar);

    // A font of its own ends the following; asked again, it takes the parent's present look.
    ui.FontGroup->setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    EXPECT_FALSE(ui.FontGroup->ParentFont());
    ui.FontPanel->SetFontColor(clGreen);
    ui.FontPanel->setFont(MakeFont(QStringLiteral("Times New Roman"), -20));
    EXPECT_EQ(ui.FontGroup->font().pixelSize(), 11);
    EXPECT_LT(captionInk(clNavy), kNear);
    EXPECT_GT(captionInk(clGreen), kFar);
    ui.FontGroup->SetParentFont(true);
    EXPECT_EQ(ui.FontGroup->font().pixelSize(), 20);
    EXPECT_LT(captionInk(clGreen), kNear);

    // So does a font colour of its own.
    ui.FontGroup->SetFontColor(clTeal);
    EXPECT_FALSE(ui.FontGroup->ParentFont());
    ui.FontPanel->SetFontColor(clPurple);
    EXPECT_LT(captionInk(clTeal), kNear);
    EXPECT_GT(captionInk(clPurple), kFar);
}

TEST(DialogControls, FillingAndReadingBackAsTheCorpsOrdersDo) {
    LayoutDialog dialog;
    auto& ui = dialog.ui;
    QSignalSpy marchClicks(ui.MarchRadioGroup, &TElRadioGroup::OnClick);
    QSignalSpy commanderClicks(ui.ListBox2, &TElAdvancedListBox::OnClick);
    int written = -1;
    kvt::testing::WhenModalShows([&](QWidget*) {
        // Filled from the record as the dialog opens.
        ui.MarchRadioGroup->SetItemIndex(2);
        ui.ListBox2->Items().Clear();
        for (const char* name : {"Lee", "Longstreet", "Jackson"}) ui.ListBox2->Items().Add(QString::fromLatin1(name));
        ui.ListBox2->SetItemIndex(1);
        // The player picks another march; the dialog closes and writes back.
        QTest::mouseClick(ui.MarchRadioGroup->Button(0), Qt::LeftButton, {}, QPoint(4, 4));
        dialog.SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    written = ui.MarchRadioGroup->ItemIndex();
    EXPECT_EQ(written, 0);
    EXPECT_EQ(marchClicks.count(), 1);
    EXPECT_EQ(commanderClicks.count(), 0) << "selecting the commander's row while filling changes no commander";
    EXPECT_EQ(ui.ListBox2->ItemIndex(), 1);
}

// One level of a stack of dialogs: a list whose pressed row, or a radio button whose click,
// opens the next level.
struct Level {
    TForm dialog;
    TElAdvancedListBox* list = new TElAdvancedListBox(&dialog);
    TElRadioButton* radio = new TElRadioButton(&dialog);
    Level() {
        dialog.resize(220, 140);
        list->setGeometry(10, 10, 120, 80);
        list->SetItems({QStringLiteral("1st Corps"), QStringLiteral("2nd Corps")});
        radio->setGeometry(10, 100, 120, 17);
        radio->SetCaption(QStringLiteral("Amphibious"));
    }
};

TEST(DialogControls, HandlersOpenModalDialogsFiveDeepAndEachClosesInTurn) {
    constexpr int kDeepest = 5;
    std::vector<int> opened, closed;
    std::function<void(int)> open = [&](int depth) {
        Level level;
        opened.push_back(depth);
        const auto next = [&, depth]() {
            if (depth < kDeepest) open(depth + 1);
            level.dialog.SetModalResult(mrOk);
        };
        // Odd levels open the next from a list's mouse-down (the force overview), even ones from
        // a radio button's click (the fleet orders' landing).
        if (depth % 2 == 1)
            QObject::connect(level.list, &TElAdvancedListBox::OnMouseDown, &level.dialog, next);
        else
            QObject::connect(level.radio, &TElButtonControl::OnClick, &level.dialog, next);
        kvt::testing::WhenModalShows([&, depth](QWidget* modal) {
            EXPECT_EQ(modal, &level.dialog) << depth;
            if (depth % 2 == 1)
                QTest::mouseClick(level.list, Qt::LeftButton, {}, level.list->ItemRect(1).center());
            else
                QTest::mouseClick(level.radio, Qt::LeftButton, {}, QPoint(4, 8));
        });
        EXPECT_EQ(level.dialog.ShowModal(), mrOk) << depth;
        closed.push_back(depth);
        EXPECT_FALSE(level.radio->Pressed()) << depth;
    };
    open(1);
    EXPECT_EQ(opened, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(closed, (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DialogControls, AListStaysUsableAfterItsMouseDownRanADialog) {
    Level level;
    int shown = 0;
    QObject::connect(level.list, &TElAdvancedListBox::OnMouseDown, [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        if (shown > 0) return;
        ++shown;
        TForm inner;
        kvt::testing::WhenModalShows([&](QWidget*) { inner.SetModalResult(mrOk); });
        inner.ShowModal();
    });
    kvt::testing::ShowActive(&level.dialog);
    QTest::mouseClick(level.list, Qt::LeftButton, {}, level.list->ItemRect(0).center());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(level.list->ItemIndex(), 0);
    QSignalSpy clicks(level.list, &TElAdvancedListBox::OnClick);
    QTest::mouseClick(level.list, Qt::LeftButton, {}, level.list->ItemRect(1).center());
    EXPECT_EQ(level.list->ItemIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);
    level.dialog.close();
}

}  // namespace
}  // namespace kvt::gui

// The dialogs that raise forces, played by hand on the 1861 start point: rows clicked, spin parts
// pressed, a name typed; then the record is compared with what the player asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>

#include <optional>

#include "engine/orders/new_corps.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "engine/world/text_table.h"
#include "gui/main/side_dialogs.h"
#include "gui/platform/colors.h"
#include "gui/ui/advanced_list_box.h"
#include "gui/ui/group_box.h"
#include "gui/ui/image_form.h"
#include "gui/ui/panel.h"
#include "gui/ui/spin_button.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using gui::TElAdvancedListBox;
using testing::Button;
using testing::Click;
using testing::Control;
using testing::Label;
using testing::List;
using testing::Press;
using testing::Radio;

QString T(int n) { return QString::fromStdString(Text(n)); }
gui::TElSpinButton* Spin(QWidget* d, int n) { return Control<gui::TElSpinButton>(d, QStringLiteral("UpDown%1").arg(n)); }

void ClickRow(TElAdvancedListBox* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    list->SetTopIndex(row);
    QTest::mouseClick(list, Qt::LeftButton, modifiers, list->ItemRect(row).center());
}
int RowOf(TElAdvancedListBox* list, const QString& text) {
    for (int i = 0; i < list->Items().Count(); ++i)
        if (list->Items()[i] == text) return i;
    ADD_FAILURE() << "no row " << text.toStdString();
    return -1;
}

// Neither the title bar's close nor Escape ends an order dialog; its paper picture is behind it.
void ExpectOnlyButtonsClose(QWidget* d, const char* picture = "Image1") {
    if (picture) EXPECT_FALSE(Control<gui::TImage>(d, QString::fromLatin1(picture))->Picture().isNull());
    testing::ExpectStaysOpen(d);
}

// Every shown control's text fits it, and no two shown controls of one parent overlap.
void ExpectLaidOutCleanly(QWidget* d) {
    for (auto* label : d->findChildren<gui::TElLabel*>()) {
        if (!label->isVisible()) continue;
        const QFontMetrics fm(label->font());
        const QRect need = fm.boundingRect(QRect(0, 0, label->width(), 1000),
                                           label->WordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine, label->Caption());
        EXPECT_LE(need.width(), label->width()) << label->objectName().toStdString() << " " << label->Caption().toStdString();
        EXPECT_LE(need.height(), label->height()) << label->objectName().toStdString();
    }
    for (auto* item : d->findChildren<gui::TElCheckItem*>())
        EXPECT_LE(QFontMetrics(item->font()).horizontalAdvance(item->Caption()) + 20, item->width()) << item->objectName().toStdString();
    for (auto* list : d->findChildren<TElAdvancedListBox*>())
        for (int i = 0; i < list->Items().Count(); ++i)
            EXPECT_LE(QFontMetrics(list->font()).horizontalAdvance(list->Items()[i]), list->ClientWidth()) << list->Items()[i].toStdString();
    QList<QWidget*> parents = d->findChildren<QWidget*>();
    parents << d;
    for (QWidget* parent : parents) {
        QList<QWidget*> shown;
        for (QObject* o : parent->children())
            if (auto* w = qobject_cast<QWidget*>(o); w && w->isVisible() && !qobject_cast<gui::TImage*>(w)) shown << w;
        for (int a = 0; a < shown.size(); ++a)
            for (int b = a + 1; b < shown.size(); ++b)
                EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
                    << shown[a]->objectName().toStdString() << " over " << shown[b]->objectName().toStdString();
    }
}

class RaisingDialogs : public testing::StartPointDialogTest {
protected:
    void SetUp() override {
        StartPointDialogTest::SetUp();
        SidePlayed = kUnion;
        // Installed after the load, whose setup question is not the dialogs'.
        frontend.emplace();
    }
    void TearDown() override {
        frontend.reset();
        DialogTest::TearDown();
    }
    std::optional<testing::ScriptedFrontend> frontend;
};

TEST_F(RaisingDialogs, NewBrigadesArmsTheChosenBrigadeAndPostsItToTheChosenCity) {
    TGameRec& g = *GameRec;
    g.Brigades[400] = {1, 0, kBrigadeInfantry, 80, 0, 1, 10, 51, kAttachUnarmed, 0};   // 51st Pa. Inf
    g.Brigades[401] = {1, 0, kBrigadeArtillery, 16, 0, 1, 11, 52, kAttachUnarmed, 0};  // 52nd N.Y. Arty
    testing::WhenModalShows([&](QWidget* d) {
        ExpectOnlyButtonsClose(d);
        EXPECT_EQ(d->windowTitle(), T(442));
        EXPECT_EQ(Label(d, 20)->Caption(), QStringLiteral("Select brigade"));
        EXPECT_EQ(Label(d, 21)->Caption(), QStringLiteral("Select deployment city"));
        EXPECT_EQ(Control<gui::TElGroupBox>(d, QStringLiteral("GroupBox1"))->Caption(), T(363));
        for (int k = 1; k <= 8; ++k) {
            EXPECT_EQ(Radio(d, k)->Caption().toStdString(), WeaponName(k));
            EXPECT_EQ(Label(d, 3 + k)->Caption(), T(k <= 3 ? 364 : k <= 5 ? 365 : 366));
        }
        EXPECT_FALSE(List(d, 2)->isEnabled());
        ASSERT_EQ(List(d, 1)->Items().Count(), 2);
        ClickRow(List(d, 1), 0);
        EXPECT_EQ(Label(d, 1)->Caption(), QStringLiteral("51st Pa. Inf "));
        EXPECT_EQ(Label(d, 3)->Caption(), QStringLiteral("4000"));
        ClickRow(List(d, 2), RowOf(List(d, 2), QStringLiteral("Philadelphia,Pa.")));
        EXPECT_FALSE(List(d, 1)->isEnabled());
        EXPECT_EQ(Label(d, 12)->Caption(), QStringLiteral("20000"));
        EXPECT_EQ(Label(d, 13)->Caption(), QStringLiteral("5000"));
        EXPECT_EQ(Label(d, 17)->Caption(), QStringLiteral("40"));
        for (int n = 12; n <= 19; ++n) EXPECT_FALSE(Label(d, n)->Caption().isEmpty()) << n;
        for (int k = 1; k <= 8; ++k) EXPECT_EQ(Radio(d, k)->isEnabled(), k <= 2) << "kind " << k;
        ExpectLaidOutCleanly(d);
        testing::SaveScreenshot(d, QStringLiteral("new_brigades"));
        Click(Radio(d, 2));
        EXPECT_EQ(Label(d, 2)->Caption(), T(46));
        EXPECT_EQ(Label(d, 3)->Caption(), T(298));
        EXPECT_EQ(List(d, 1)->Items().Count(), 1);
        EXPECT_EQ(Label(d, 13)->Caption(), QStringLiteral("1000")) << "the pool after the charge";
        Click(Button(d, 1));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NewBrigades));
    EXPECT_EQ(g.Brigades[400].Weapon, 2);
    EXPECT_EQ(g.Brigades[400].AttachKind, kAttachGarrison);
    EXPECT_EQ(g.Brigades[400].AttachIndex, 3);
    EXPECT_EQ(g.Nations[1].WeaponPool[2], 20);
    EXPECT_EQ(g.Cities[3].Garrison, 2);
    EXPECT_EQ(g.Brigades[401].AttachKind, kAttachUnarmed);
}

TEST_F(RaisingDialogs, NewCorpsFormsTheChosenBrigadesUnderTheChosenLeader) {
    TGameRec& g = *GameRec;
    constexpr int kMansfield = 32, kWashington = 11;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectOnlyButtonsClose(d);
        EXPECT_EQ(d->windowTitle(), T(444));
        EXPECT_EQ(Label(d, 6)->Caption(), QStringLiteral("Type to raise")) << "nothing chosen yet";
        EXPECT_EQ(Label(d, 2)->Caption(), QStringLiteral("0"));
        EXPECT_EQ(Label(d, 4)->Caption(), QStringLiteral("Select leader"));
        EXPECT_EQ(Label(d, 3)->Caption(), QStringLiteral("Select city"));
        EXPECT_EQ(Label(d, 1)->Caption(), QStringLiteral("Select brigades, up to"));
        EXPECT_EQ(Control<gui::TElGraphicButton>(d, QStringLiteral("OKBtn"))->Caption(), T(66));
        EXPECT_TRUE(Control<gui::TElPanel>(d, QStringLiteral("ElPanel1"))->isVisible());
        EXPECT_EQ(Radio(d, 3)->Caption(), QStringLiteral("Cavalry Division"));
        for (int n : {1, 2, 3}) EXPECT_FALSE(List(d, n)->isVisible());
        Click(Radio(d, 1));
        EXPECT_FALSE(Radio(d, 2)->isEnabled() || Radio(d, 3)->isEnabled()) << "the choice is final";
        EXPECT_EQ(Label(d, 6)->Caption(), T(368));
        ClickRow(List(d, 2), RowOf(List(d, 2), QStringLiteral("J.K.F. Mansfield")));
        ClickRow(List(d, 3), RowOf(List(d, 3), QStringLiteral("Washington,D.C., 5")));
        EXPECT_EQ(Label(d, 2)->Caption(), QStringLiteral("8")) << "6 infantry and 2 batteries";
        ASSERT_EQ(List(d, 1)->Items().Count(), 5);
        // The brigades are chosen as in any list of several choices: a click takes its row alone,
        // Shift reaches on to a row, Ctrl adds or drops one.
        ClickRow(List(d, 1), 2);
        ClickRow(List(d, 1), 0);
        EXPECT_EQ(List(d, 1)->SelCount(), 1) << "a plain click keeps only its own row";
        ClickRow(List(d, 1), 2, Qt::ShiftModifier);
        EXPECT_EQ(List(d, 1)->SelCount(), 3) << "Shift takes the rows between";
        ClickRow(List(d, 1), 2, Qt::ControlModifier);
        for (int row : {3, 4}) ClickRow(List(d, 1), row, Qt::ControlModifier);
        for (int row = 0; row < 5; ++row)  // two infantry, the battery, the cavalry
            EXPECT_EQ(List(d, 1)->Selected(row), row != 2) << row;
        ExpectLaidOutCleanly(d);
        testing::SaveScreenshot(d, QStringLiteral("new_corps"));
        Click(Control<gui::TElGraphicButton>(d, QStringLiteral("OKBtn")));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NewCorps));
    const int corps = g.Brigades[145].AttachIndex;
    ASSERT_EQ(g.Brigades[145].AttachKind, kAttachCorps);
    for (int b : {146, 148}) EXPECT_EQ(g.Brigades[b].AttachIndex, corps);
    EXPECT_EQ(g.Brigades[147].AttachKind, kAttachGarrison) << "not selected";
    EXPECT_EQ(g.Brigades[149].AttachKind, kAttachGarrison) << "a corps takes no cavalry";
    EXPECT_EQ(g.Corps[corps].Leader, kMansfield);
    EXPECT_EQ(g.Corps[corps].HexX, g.Cities[kWashington].HexX);
    EXPECT_EQ(g.Corps[corps].LineCount, 2);
    EXPECT_EQ(g.Leaders[kMansfield].Status, kLeaderActive);
    EXPECT_EQ(g.Cities[kWashington].Garrison, 2);
}

TEST_F(RaisingDialogs, ADivisionKeepsTheTypeHeadingAndItsBrigadeListSpellsParrotsWithOneT) {
    TGameRec& g = *GameRec;
    constexpr int kWashington = 11;
    int battery = 0;
    for (int b = 1; b <= kBrigadeCount; ++b) {
        const TBrigadeRec& r = g.Brigades[b];
        if (r.AttachKind == kAttachGarrison && r.AttachIndex == kWashington && r.BrigadeType == kBrigadeArtillery) battery = b;
    }
    ASSERT_NE(battery, 0);
    g.Brigades[battery].Weapon = 7;
    const std::string row = OrdinalText(g.Brigades[battery].Ordinal) + g.States[g.Brigades[battery].HomeState].ShortName.str();
    testing::WhenModalShows([&](QWidget* d) {
        Click(Radio(d, 2));
        EXPECT_EQ(Label(d, 6)->Caption(), QStringLiteral("Type to raise")) << "only a corps names its heading";
        ClickRow(List(d, 2), 0);
        ClickRow(List(d, 3), RowOf(List(d, 3), QStringLiteral("Washington,D.C., 5")));
        EXPECT_TRUE(Label(d, 6)->isVisible());
        EXPECT_EQ(Label(d, 6)->Caption(), QStringLiteral("Type to raise"));
        EXPECT_GE(RowOf(List(d, 1), QString::fromStdString(row) + QStringLiteral(" Arty Parrots")), 0);
        ExpectLaidOutCleanly(d);
        testing::SaveScreenshot(d, QStringLiteral("new_division"));
        Click(Control<gui::TElGraphicButton>(d, QStringLiteral("OKBtn")));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NewCorps));
    EXPECT_EQ(g.Brigades[battery].AttachKind, kAttachGarrison) << "nothing selected, nothing formed";
}

TEST_F(RaisingDialogs, ACavalryDivisionTakesTheCavalryAndOneBatteryOfTheCity) {
    TGameRec& g = *GameRec;
    constexpr int kDix = 22, kWashington = 11, kBattery = 148, kCavalry = 149;
    testing::WhenModalShows([&](QWidget* d) {
        Click(Radio(d, 3));
        EXPECT_TRUE(Radio(d, 3)->GetChecked());
        EXPECT_FALSE(Radio(d, 1)->isEnabled() || Radio(d, 2)->isEnabled()) << "the choice is final";
        ClickRow(List(d, 2), RowOf(List(d, 2), QStringLiteral("J.A. Dix")));
        ClickRow(List(d, 3), RowOf(List(d, 3), QStringLiteral("Washington,D.C., 5")));
        EXPECT_EQ(Label(d, 2)->Caption(), QStringLiteral("3")) << "a limit of 2 for an initiative of 15";
        ASSERT_EQ(List(d, 1)->Items().Count(), 2) << "the battery and the cavalry, no infantry";
        ClickRow(List(d, 1), 0);
        ClickRow(List(d, 1), 1, Qt::ShiftModifier);
        testing::SaveScreenshot(d, QStringLiteral("new_cavalry_division"));
        Click(Control<gui::TElGraphicButton>(d, QStringLiteral("OKBtn")));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NewCorps));
    ASSERT_EQ(g.Brigades[kCavalry].AttachKind, kAttachCorps);
    const TCorpsRec& division = g.Corps[g.Brigades[kCavalry].AttachIndex];
    EXPECT_EQ(g.Brigades[kBattery].AttachKind, kAttachCorps);
    EXPECT_EQ(g.Brigades[kBattery].AttachIndex, g.Brigades[kCavalry].AttachIndex);
    EXPECT_EQ(division.Kind, kFormationCavalryDivision);
    EXPECT_EQ(division.Leader, kDix);
    EXPECT_EQ(division.LineCount, 1);
    EXPECT_TRUE(division.HexX == g.Cities[kWashington].HexX && division.HexY == g.Cities[kWashington].HexY);
    EXPECT_EQ(g.Leaders[kDix].Status, kLeaderActive);
    EXPECT_EQ(g.Cities[kWashington].Garrison, 3) << "the three infantry brigades stay";
}

TEST_F(RaisingDialogs, NewArmyTakesTheTypedNameTheLeaderTheCityAndTheSelectedCorps) {
    TGameRec& g = *GameRec;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectOnlyButtonsClose(d);
        EXPECT_EQ(d->windowTitle(), T(443));
        const std::pair<int, int> captions[] = {{3, 358}, {1, 359}, {2, 360}, {4, 361}};
        for (auto [label, text] : captions) EXPECT_EQ(Label(d, label)->Caption(), T(text));
        EXPECT_EQ(Button(d, 1)->Caption(), T(66));
        EXPECT_EQ(Control<gui::TElGraphicButton>(d, QStringLiteral("OKBtn"))->Caption(), QStringLiteral("DONE"));
        EXPECT_FALSE(List(d, 3)->isEnabled());
        ASSERT_EQ(List(d, 2)->Items().Count(), 1);
        ClickRow(List(d, 2), 0);
        ClickRow(List(d, 3), RowOf(List(d, 3), QStringLiteral("Harrisburg,Pa.")));
        auto* name = Control<QLineEdit>(d, QStringLiteral("Edit1"));
        EXPECT_EQ(name->text(), QStringLiteral("Pennsylvania"));
        ASSERT_EQ(List(d, 1)->Items().Count(), 4);
        EXPECT_EQ(List(d, 1)->Items()[0], QStringLiteral("9th ") + T(660) + QStringLiteral("B.F. Butler"));
        ClickRow(List(d, 1), 1);
        ClickRow(List(d, 1), 0);
        ClickRow(List(d, 1), 3, Qt::ControlModifier);
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("the Susquehanna"));
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00e9"));
        QApplication::sendEvent(name, &accented);
        ExpectLaidOutCleanly(d);
        testing::SaveScreenshot(d, QStringLiteral("new_army"));
        Click(Button(d, 1));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NewArmy));
    const TArmyRec& army = g.Armies[8];
    EXPECT_EQ(army.Name.str(), "the Susquehanna\xE9") << "a Latin-1 letter is stored in its one byte";
    EXPECT_EQ(army.Leader, 1);
    EXPECT_EQ(army.BaseCity, 6);
    EXPECT_EQ(army.CorpsCount, 2);
    EXPECT_EQ(g.Corps[9].Army, 8);
    EXPECT_EQ(g.Corps[15].Army, 8);
    EXPECT_EQ(g.Corps[10].Army, 0);
    EXPECT_EQ(g.Leaders[1].Status, kLeaderActive);

    // The army's orders show the name as it was typed.
    SelectedArmy = 8;
    testing::WhenModalShows([&](QWidget* d) {
        EXPECT_EQ(Control<QLineEdit>(d, QStringLiteral("Edit1"))->text(), QStringLiteral("the Susquehanna\u00e9"));
        EXPECT_EQ(Label(d, 1)->Caption(), T(0) + QStringLiteral("the Susquehanna\u00e9"));
        testing::SaveScreenshot(d, QStringLiteral("new_army_in_army_orders"));
        Click(Button(d, 1));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::ArmyOrders));
    EXPECT_EQ(army.Name.str(), "the Susquehanna\xE9") << "closing the orders keeps the name";
}

TEST_F(RaisingDialogs, NewArmyDoneRaisesTheArmyAsOKDoes) {
    TGameRec& g = *GameRec;
    testing::WhenModalShows([&](QWidget* d) {
        ClickRow(List(d, 2), 0);
        ClickRow(List(d, 3), RowOf(List(d, 3), QStringLiteral("Harrisburg,Pa.")));
        ClickRow(List(d, 1), 1);
        Click(Control<gui::TElGraphicButton>(d, QStringLiteral("OKBtn")));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NewArmy));
    const TArmyRec& army = g.Armies[8];
    EXPECT_EQ(army.Name.str(), "Pennsylvania");
    EXPECT_EQ(army.Leader, 1);
    EXPECT_EQ(army.BaseCity, 6);
    EXPECT_EQ(army.CorpsCount, 1);
    EXPECT_EQ(g.Corps[10].Army, 8);
    EXPECT_EQ(g.Leaders[1].Status, kLeaderActive);

    // The only senior man now commands: with no leader to choose, DONE raises nothing.
    testing::WhenModalShows([&](QWidget* d) {
        EXPECT_EQ(List(d, 2)->Items().Count(), 0);
        Click(Control<gui::TElGraphicButton>(d, QStringLiteral("OKBtn")));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::NewArmy));
    EXPECT_TRUE(ArmySlotFree(g.Armies[9]));
}

TEST_F(RaisingDialogs, TheManpowerSharesStandRecessedBesideTheirPlainCaptions) {
    // A recessed figure has a light edge down and right of its strokes, lighter than the grey
    // face a plain caption stands on.
    const auto highlights = [](gui::TElLabel* label) {
        QWidget* d = label->window();
        const QImage picture = d->grab(QRect(label->mapTo(d, QPoint(0, 0)), label->size())).toImage();
        const int face = qGray(gui::ToQColor(gui::clBtnFace).rgb());
        int n = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) n += qGray(picture.pixel(x, y)) > face + 24;
        return n;
    };
    testing::WhenModalShows([&](QWidget* d) {
        for (int figure : {8, 10, 12, 15}) EXPECT_GT(highlights(Label(d, figure)), 0) << "Label" << figure;
        for (int caption : {7, 9, 14}) EXPECT_EQ(highlights(Label(d, caption)), 0) << "Label" << caption;
        Click(Button(d, 1));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Manpower));
}

TEST_F(RaisingDialogs, ManpowerStepsTheSharesAtOnceAndAppliesBountyAndStanceOnClosing) {
    TGameRec& g = *GameRec;
    g.Nations[1].MonthlyRecruits = 40;
    g.Year = 1862;
    g.Nations[1].AppealCounter = -1;
    g.Casualties[1] = 701;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectOnlyButtonsClose(d, nullptr);
        EXPECT_EQ(Label(d, 14)->Caption(), QStringLiteral("2000"));
        EXPECT_TRUE(Control<gui::TElPanel>(d, QStringLiteral("ElPanel1"))->isVisible());
        const std::pair<int, int> captions[] = {{1, 338}, {22, 349}, {2, 339}, {6, 340}, {5, 342},
                                                {3, 341}, {7, 344},  {9, 345}, {11, 346}, {13, 347}};
        for (auto [label, text] : captions) EXPECT_EQ(Label(d, label)->Caption(), T(text)) << label;
        auto* appeal = Control<gui::TElCheckBox>(d, QStringLiteral("CheckBox1"));
        ASSERT_TRUE(appeal->isEnabled());
        Click(appeal);
        EXPECT_TRUE(Radio(d, 2)->GetChecked());
        EXPECT_TRUE(Radio(d, 1)->isEnabled());
        EXPECT_FALSE(Radio(d, 3)->isEnabled());
        Press(Spin(d, 1), true);
        EXPECT_EQ(Label(d, 8)->Caption(), QStringLiteral("80")) << "the shares already make 100";
        Press(Spin(d, 2), false);
        Press(Spin(d, 4), true);
        Press(Spin(d, 3), false);
        Press(Spin(d, 3), true);
        EXPECT_EQ(Label(d, 10)->Caption(), QStringLiteral("7"));
        EXPECT_EQ(Label(d, 12)->Caption(), QStringLiteral("7"));
        EXPECT_EQ(Label(d, 15)->Caption(), QStringLiteral("6"));
        auto* bounty = Control<QSpinBox>(d, QStringLiteral("Bounty1"));
        EXPECT_EQ(bounty->maximum(), 20);
        bounty->selectAll();
        QTest::keyClicks(bounty, QStringLiteral("12"));
        Click(Radio(d, 1));
        ExpectLaidOutCleanly(d);
        testing::SaveScreenshot(d, QStringLiteral("manpower"));
        Click(Button(d, 1));
    });
    frontend->ExpectNotice(11);
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Manpower));
    const TNationRec& us = g.Nations[1];
    EXPECT_EQ(us.RecruitPercent[1], 80);
    EXPECT_EQ(us.RecruitPercent[2], 7);
    EXPECT_EQ(us.RecruitPercent[3], 7);
    EXPECT_EQ(us.RecruitPercent[4], 6);
    EXPECT_EQ(us.Bounty, 12);
    EXPECT_EQ(us.AppealCounter, 9);
    EXPECT_EQ(us.Policy, 11);
    EXPECT_EQ(us.Will, 850);
}

// Bondage is never the Confederacy's to return to: its button stays disabled, so the closing
// raises the policy event of the combat roles chosen.
TEST_F(RaisingDialogs, ManpowerGivesABehindConfederacyCombatRolesOnce) {
    TGameRec& g = *GameRec;
    SidePlayed = kConfederacy;
    g.Nations[kNationUnion].Will = 900;
    ASSERT_EQ(g.Nations[kNationConfederacy].Policy, 0);
    testing::WhenModalShows([&](QWidget* d) {
        for (int share = 1; share <= 4; ++share) {
            auto* percent = Control<gui::TElLabel>(d, QStringLiteral("PercentLabel%1").arg(share));
            const gui::TElLabel* value = Label(d, share == 4 ? 15 : 6 + 2 * share);
            SCOPED_TRACE(share);
            EXPECT_EQ(percent->Caption(), QStringLiteral("%"));
            EXPECT_TRUE(percent->isVisible());
            EXPECT_EQ(percent->y(), value->y()) << "on its share's row";
            EXPECT_GT(percent->x(), value->x() + value->width() - 1) << "after the figure";
            EXPECT_LT(percent->x() + percent->width(), Spin(d, share)->x() + 1) << "before the spin button";
        }
        EXPECT_TRUE(Radio(d, 3)->GetChecked());
        EXPECT_FALSE(Radio(d, 3)->isEnabled() || Radio(d, 1)->isEnabled());
        ASSERT_TRUE(Radio(d, 2)->isEnabled());
        Click(Radio(d, 2));
        Click(Radio(d, 3));
        EXPECT_TRUE(Radio(d, 2)->GetChecked()) << "a disabled Bondage does not take the choice back";
        EXPECT_FALSE(Radio(d, 3)->GetChecked());
        testing::SaveScreenshot(d, QStringLiteral("manpower_confederate"));
        Click(Button(d, 1));
    });
    frontend->ExpectNotice(0);
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Manpower));
    EXPECT_EQ(frontend->notices.at(0).lines[1], Text(201));
    EXPECT_EQ(g.Nations[kNationConfederacy].Policy, 1);
    EXPECT_EQ(g.Nations[kNationConfederacy].Will, 750);
    EXPECT_EQ(g.Nations[kNationUnion].Policy, 1) << "the Union's stance is not the dialog's";

    // Once at combat roles, a Confederacy not yet at stage 10 is offered nothing.
    testing::WhenModalShows([&](QWidget* d) {
        EXPECT_TRUE(Radio(d, 2)->GetChecked());
        for (int k = 1; k <= 3; ++k) EXPECT_FALSE(Radio(d, k)->isEnabled()) << k;
        Click(Radio(d, 3));
        Click(Button(d, 1));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Manpower));
    EXPECT_EQ(g.Nations[kNationConfederacy].Policy, 1);
    EXPECT_EQ(frontend->notices.size(), 1u);
}

TEST_F(RaisingDialogs, ManpowerWritesTheMonthsRecruitsAsFiftiesOfMen) {
    struct Case { int recruits; const char* shown; };
    for (const Case& c : {Case{0, "00"}, Case{1, "50"}, Case{65535, "3276750"}}) {
        SCOPED_TRACE(c.recruits);
        GameRec->Nations[1].MonthlyRecruits = static_cast<std::uint16_t>(c.recruits);
        testing::WhenModalShows([&](QWidget* d) {
            EXPECT_EQ(Label(d, 14)->Caption(), QLatin1String(c.shown));
            ExpectLaidOutCleanly(d);
            if (c.recruits == 0) testing::SaveScreenshot(d, QStringLiteral("manpower_no_recruits"));
            Click(Button(d, 1));
        });
        ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::Manpower));
    }
}

TEST_F(RaisingDialogs, CityOrdersBuyAndSellWorksOfAPortAtOnce) {
    TGameRec& g = *GameRec;
    constexpr int kBaltimore = 2;
    SelectedCity = 0;
    EXPECT_FALSE(gui::OpenSideDialog(gui::TSideDialog::CityOrders));
    SelectedCity = kBaltimore;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectOnlyButtonsClose(d, "Image2");
        EXPECT_EQ(Label(d, 1)->Caption(), QStringLiteral("Baltimore"));
        EXPECT_EQ(Label(d, 2)->Caption(), QStringLiteral("Maryland"));
        EXPECT_EQ(Label(d, 10)->Caption(), QStringLiteral("Coastal guns :"));
        EXPECT_EQ(Label(d, 12)->Caption(), QStringLiteral("Fortifications :"));
        EXPECT_TRUE(Label(d, 6)->Caption().contains(T(167))) << "a seaport";
        EXPECT_EQ(Label(d, 7)->Caption(), T(169) + QStringLiteral("1"));
        EXPECT_EQ(Label(d, 14)->Caption(), T(261));
        ASSERT_EQ(List(d, 1)->Items().Count(), 1);
        EXPECT_EQ(List(d, 1)->Items()[0], QStringLiteral("9th Mass Inf Muskets"));
        for (int n : {3, 5, 8}) EXPECT_FALSE(Label(d, n)->Caption().isEmpty());
        Press(Spin(d, 1), true);
        Press(Spin(d, 1), true);
        Press(Spin(d, 1), false);
        EXPECT_EQ(Label(d, 11)->Caption(), QStringLiteral("4"));
        EXPECT_EQ(Label(d, 9)->Caption(), T(171) + QStringLiteral("8850"));
        Press(Spin(d, 2), false);  // a fortification sold returns its whole price
        EXPECT_EQ(Label(d, 13)->Caption(), QStringLiteral("1"));
        EXPECT_EQ(Label(d, 9)->Caption(), T(171) + QStringLiteral("9025"));
        EXPECT_TRUE(Spin(d, 2)->isVisible());
        Press(Spin(d, 2), true);
        EXPECT_EQ(Label(d, 13)->Caption(), QStringLiteral("2"));
        EXPECT_FALSE(Spin(d, 2)->isVisible()) << "one fortification a turn";
        EXPECT_EQ(Label(d, 9)->Caption(), T(171) + QStringLiteral("8850"));
        ExpectLaidOutCleanly(d);
        testing::SaveScreenshot(d, QStringLiteral("city_orders"));
        Click(Control<gui::TElGraphicButton>(d, QStringLiteral("OKBtn")));
    });
    ASSERT_TRUE(gui::OpenSideDialog(gui::TSideDialog::CityOrders));
    EXPECT_EQ(g.Cities[kBaltimore].CoastalGuns, 4);
    EXPECT_EQ(g.Cities[kBaltimore].Fortifications, 2);
    EXPECT_EQ(g.Cities[kBaltimore].FortifiedThisTurn, 1);
    EXPECT_EQ(g.Nations[1].TheatreSupplies[1], 8850);
}

}  // namespace
}  // namespace kvt

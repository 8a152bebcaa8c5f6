// The corps orders, the brigade display and the weapon choice on the 1861 start point, played as a
// person would (radio rows, list rows, check boxes, buttons), then the record compared.
#include <gtest/gtest.h>

#include "engine/forces/brigade_rules.h"
#include "engine/orders/corps_orders.h"
#include "engine/world/globals.h"
#include "engine/world/naming.h"
#include "gui/main/side_dialogs.h"
#include "gui/platform/form.h"
#include "gui/ui/group_box.h"
#include "gui/ui/panel.h"
#include "gui/ui/radio_group.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using gui::TElAdvancedListBox;
using gui::TElRadioGroup;
using testing::Button;
using testing::Click;
using testing::ClickRow;
using testing::Control;
using testing::Label;
using testing::List;
using testing::RowStarting;

QString GameText(int n) { return QString::fromStdString(Text(n)); }

constexpr int kBanks = 10;      // N.P. Banks' corps, in Baltimore
constexpr int kBaltimore = 2;
constexpr int kDix = 22;        // an available man of corps rank

class CorpsOrderDialogs : public testing::StartPointDialogTest {
protected:
    void SetUp() override {
        StartPointDialogTest::SetUp();
        SidePlayed = 1;
        SelectedCorps = kBanks;
    }
    static TElRadioGroup* Group(QWidget* d, const char* name) { return Control<TElRadioGroup>(d, QLatin1String(name)); }
    static void ExpectOnlyItsButtonCloses(QWidget* d) {
        EXPECT_TRUE(d->windowFlags() & Qt::FramelessWindowHint);
        testing::ExpectStaysOpen(d);
    }
    // Shown controls side by side never overlap and every label's text fits it, inside the
    // dialog's panels and group boxes too.
    static void ExpectTidyLayout(QWidget* parent) {
        std::vector<QWidget*> shown;
        for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->objectName() != QStringLiteral("Image1")) shown.push_back(w);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                    << shown[i]->objectName().toStdString() << " / " << shown[j]->objectName().toStdString();
            if (auto* label = qobject_cast<gui::TElLabel*>(shown[i]))
                EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->Caption()), label->width())
                    << label->objectName().toStdString();
            if (qobject_cast<gui::TElGroupBox*>(shown[i]) && !qobject_cast<TElRadioGroup*>(shown[i])) ExpectTidyLayout(shown[i]);
            if (qobject_cast<gui::TElPanel*>(shown[i])) ExpectTidyLayout(shown[i]);
        }
    }
    static std::vector<int> CorpsBrigades() {
        std::vector<int> list;
        for (int b = 1; b <= kBrigadeCount; ++b)
            if (GameRec->Brigades[b].AttachKind == kAttachCorps && GameRec->Brigades[b].AttachIndex == kBanks) list.push_back(b);
        return list;
    }
};

TEST_F(CorpsOrderDialogs, TheCorpsOrdersArePlayedByHandAndWrittenBack) {
    int unionStates = 0;
    for (const TStateRec& s : GameRec->States) unionStates += s.Owner == 1;
    testing::ScriptedFrontend frontend;
    frontend.ExpectConfirmBox(true);
    frontend.ExpectNotice(0, 1);
    frontend.ExpectNotice(0);
    // Relieving Banks costs 0 + 50 points of will; a chance of 100 takes loyalty on every roll.
    ScriptRandomDraws(std::vector<int>(2 + 3 * unionStates, 0));
    const int given = std::min(CorpsBrigades().front(), 151);  // the first row once Baltimore's brigade joined
    const int marylandLoyalty = GameRec->States[GameRec->Cities[kBaltimore].State].Loyalty;
    QString supplyCity;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectOnlyItsButtonCloses(d);
        const std::pair<int, QString> labels[] = {
            {36, GameText(368)}, {1, QStringLiteral("N.P. Banks")}, {2, GameText(90) + QStringLiteral("3")},
            {7, GameText(95) + QString::number(GameRec->Cities[kBaltimore].Fortifications)},
            {12, GameText(100) + QStringLiteral("6")}, {13, QStringLiteral("Rail destination")},
            {33, QStringLiteral("Supply city")}, {35, QStringLiteral("Army status")}};
        for (const auto& [n, caption] : labels) EXPECT_EQ(Label(d, n)->Caption(), caption) << n;
        // Each figure after its label text; Banks' ratings are still unknown.
        const int figureTexts[] = {90, 91, 92, 93, 94, 95, 541, 97, 98, 99, 100};
        for (int n = 2; n <= 12; ++n) EXPECT_TRUE(Label(d, n)->Caption().startsWith(GameText(figureTexts[n - 2]))) << n;
        const int hidden[] = {563, 558, 552, 548};
        for (int n = 17; n <= 20; ++n) EXPECT_EQ(Label(d, n)->Caption(), GameText(hidden[n - 17])) << n;
        const std::pair<const char*, const char*> groups[] = {{"CombatStanceRadioGroup", ""}, {"MarchRadioGroup", "Set March"},
                                                              {"SupplyTypeRadioGroup", "Set Supply type"},
                                                              {"SupplyRadioGroup", "Supply Priority"}};
        for (const auto& [name, caption] : groups) EXPECT_EQ(Group(d, name)->Caption(), QLatin1String(caption)) << name;
        EXPECT_EQ(Group(d, "SupplyRadioGroup")->Items()[2], QStringLiteral("High "));
        EXPECT_EQ(Button(d, 1)->Caption(), QStringLiteral("View Brigades"));
        EXPECT_EQ(Button(d, 2)->Caption(), GameText(66));
        EXPECT_EQ(testing::Radio(d, 13)->Caption(), QStringLiteral("Transfer Brigades to Baltimore"));
        EXPECT_EQ(testing::Radio(d, 14)->Caption(), QStringLiteral("Transfer Brigades from Baltimore"));
        EXPECT_FALSE(List(d, 5)->isVisible());
        ExpectTidyLayout(d);
        testing::SaveScreenshot(d, QStringLiteral("corps_orders"));

        Click(Group(d, "CombatStanceRadioGroup")->Button(2));
        Click(Group(d, "MarchRadioGroup")->Button(2));
        Click(Group(d, "SupplyTypeRadioGroup")->Button(1));
        Click(Group(d, "SupplyRadioGroup")->Button(0));
        ClickRow(List(d, 1), 1);
        supplyCity = List(d, 1)->Items()[1];
        ClickRow(List(d, 3), RowStarting(List(d, 3), QStringLiteral("the Ohio")));
        ClickRow(List(d, 4), RowStarting(List(d, 4), QStringLiteral("Washington,")));
        // The garrison's brigade joins, then the corps' first brigade goes to the city.
        Click(testing::Radio(d, 14));
        ASSERT_TRUE(List(d, 5)->isVisible());
        ClickRow(List(d, 5), 0);
        EXPECT_EQ(Label(d, 2)->Caption(), GameText(90) + QStringLiteral("4"));
        EXPECT_FALSE(List(d, 5)->isVisible()) << "each transfer starts with a direction";
        Click(testing::Radio(d, 13));
        EXPECT_EQ(List(d, 5)->Items().Count(), 5);
        ClickRow(List(d, 5), 0);
        ClickRow(List(d, 2), RowStarting(List(d, 2), QStringLiteral("J.A. Dix")));
        EXPECT_EQ(Label(d, 1)->Caption(), QStringLiteral("N.P. Banks")) << "the name shown at opening stays";
        EXPECT_TRUE(Label(d, 17)->isVisible());
        ExpectTidyLayout(d);
        testing::SaveScreenshot(d, QStringLiteral("corps_orders_played"));
        Click(Button(d, 2));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::CorpsOrders));

    const TCorpsRec& c = GameRec->Corps[kBanks];
    // The rail move to Washington overrides the stance.
    EXPECT_EQ((std::array<int, 6>{c.OrderMode, c.DestX, GameRec->Nations[1].RailUsed, c.March, c.SupplyType, c.SupplyPriority}),
              (std::array<int, 6>{5, GameRec->Cities[11].HexX, 1, 2, 1, 0}));
    EXPECT_EQ(QString::fromStdString(GameRec->Cities[c.SupplyCity].Name.str()), supplyCity.section(QLatin1Char(','), 0, 0));
    EXPECT_EQ((std::array<int, 6>{c.Army, GameRec->Armies[3].CorpsCount, GameRec->Brigades[151].AttachKind,
                                  GameRec->Brigades[given].AttachKind, c.Leader, GameRec->Leaders[13].Status}),
              (std::array<int, 6>{3, 4, kAttachCorps, kAttachGarrison, kDix, kLeaderRemoved}));
    EXPECT_EQ(GameRec->Nations[1].Will, 750);
    EXPECT_EQ(GameRec->States[GameRec->Cities[kBaltimore].State].Loyalty, std::max(0, marylandLoyalty - 3));
}

TEST_F(CorpsOrderDialogs, TheLimitShownIsTheOneTransfersKeepToAndTheClickedCommanderRowStays) {
    constexpr int kBanksHimself = 13;
    // As the last recalculation left it: 5 by its own rule, where Banks' initiative allows 6.
    RecalcCorpsFromBrigades();
    TCorpsRec& c = GameRec->Corps[kBanks];
    const int limit = c.Kind == 0 ? GameRec->Leaders[kBanksHimself].Initiative / 12 + 4 : 0;
    ASSERT_EQ(limit, 6);
    ASSERT_EQ(c.BrigadeLimit, 5);
    // Baltimore's garrison grows to more line brigades than the corps has room for.
    int model = 0;
    for (int b = 1; b <= kBrigadeCount; ++b) {
        const TBrigadeRec& r = GameRec->Brigades[b];
        if (r.AttachKind == kAttachGarrison && r.AttachIndex == kBaltimore) model = b;
    }
    ASSERT_NE(model, 0);
    std::vector<int> added;
    for (int i = 1; i <= kBrigadeCount && static_cast<int>(added.size()) < limit; ++i)
        if (GameRec->Brigades[i].AttachKind == kAttachFree) {
            GameRec->Brigades[i] = GameRec->Brigades[model];
            GameRec->Brigades[i].BrigadeType = kBrigadeInfantry;
            GameRec->Brigades[i].Ordinal = static_cast<U8>(200 + added.size());
            added.push_back(i);
        }
    auto rowOf = [](TElAdvancedListBox* list, int b) {
        return RowStarting(list, QString::fromStdString(BrigadeEntryText(GameRec->Brigades[b])));
    };
    RecalcCorpsFromBrigades();
    const int garrison = GameRec->Cities[kBaltimore].Garrison;
    const int dixLimit = GameRec->Leaders[kDix].Initiative / 12 + 4;
    testing::ScriptedFrontend frontend;
    frontend.ExpectConfirmBox(false);
    testing::WhenModalShows([&](QWidget* d) {
        const QString shown = GameText(100) + QString::number(limit);
        EXPECT_EQ(Label(d, 12)->Caption(), shown);
        EXPECT_TRUE(testing::Radio(d, 14)->isEnabled());
        // Line brigades join from the city until the line reaches the limit shown.
        std::size_t next = 0;
        for (; next < added.size() && c.LineCount < limit; ++next) {
            Click(testing::Radio(d, 14));
            ClickRow(List(d, 5), rowOf(List(d, 5), added[next]));
        }
        ASSERT_LT(next, added.size());
        EXPECT_EQ(Label(d, 2)->Caption(), GameText(90) + QString::number(limit));
        Click(testing::Radio(d, 14));
        EXPECT_EQ(List(d, 5)->Items().Count(), garrison - (limit - 3)) << "the whole garrison is listed";
        testing::SaveScreenshot(d, QStringLiteral("corps_orders_at_limit"));
        ClickRow(List(d, 5), rowOf(List(d, 5), added[next]));
        EXPECT_EQ(Label(d, 2)->Caption(), GameText(90) + QString::number(limit)) << "no line brigade past the limit";
        EXPECT_EQ(Label(d, 12)->Caption(), shown) << "whatever the transfers' recalculation stored";

        // Relieving Banks, cancelled: the row clicked stays chosen and Banks keeps the command.
        const int dixRow = RowStarting(List(d, 2), QStringLiteral("J.A. Dix"));
        ClickRow(List(d, 2), dixRow);
        EXPECT_EQ(List(d, 2)->ItemIndex(), dixRow);
        EXPECT_EQ(c.Leader, kBanksHimself);
        // An army commander leading the corps makes way without a question; Dix brings his limit.
        GameRec->Leaders[kBanksHimself].Rank = 5;
        ClickRow(List(d, 2), dixRow);
        EXPECT_EQ(c.Leader, kDix);
        EXPECT_EQ(List(d, 2)->ItemIndex(), dixRow);
        EXPECT_EQ(Label(d, 12)->Caption(), GameText(100) + QString::number(dixLimit));
        testing::SaveScreenshot(d, QStringLiteral("corps_orders_new_commander"));
        Click(Button(d, 2));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::CorpsOrders));
    EXPECT_EQ(c.LineCount, limit);
}

TEST_F(CorpsOrderDialogs, AnEmbarkedCorpsShowsOnlyItsPassageAndKeepsIt) {
    TCorpsRec& c = GameRec->Corps[kBanks];
    c.OrderMode = 4;
    c.DestX = GameRec->Cities[11].HexX;
    c.DestY = GameRec->Cities[11].HexY;
    testing::WhenModalShows([&](QWidget* d) {
        ExpectOnlyItsButtonCloses(d);
        EXPECT_EQ(Group(d, "CombatStanceRadioGroup")->Caption(), GameText(564));
        EXPECT_EQ(Group(d, "CombatStanceRadioGroup")->ItemIndex(), 0);
        EXPECT_EQ(List(d, 4)->Items().Lines(), QStringList{QStringLiteral("Washington")});
        EXPECT_FALSE(List(d, 4)->isEnabled());
        testing::SaveScreenshot(d, QStringLiteral("corps_orders_embarked"));
        Click(Button(d, 2));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::CorpsOrders));
    EXPECT_EQ((std::array<int, 4>{c.OrderMode, c.March, c.SupplyType, c.SupplyPriority}), (std::array<int, 4>{4, 0, 2, 2}));
    // A selection naming no corps in use opens nothing.
    for (int bad : {0, 121, 120}) {
        SelectedCorps = static_cast<std::uint16_t>(bad);
        EXPECT_FALSE(gui::OpenSideDialog(gui::TSideDialog::CorpsOrders)) << bad;
    }
}

TEST_F(CorpsOrderDialogs, TheBrigadeDisplayReinforcesAndReArmsFromTheCorpsOrders) {
    // Ten rows: Banks' four brigades and six more like his first; the first two share a state.
    const TBrigadeRec model = GameRec->Brigades[CorpsBrigades().front()];
    for (int i = 1, added = 0; added < 6; ++i)
        if (GameRec->Brigades[i].AttachKind == kAttachFree) {
            GameRec->Brigades[i] = model;
            GameRec->Brigades[i].Ordinal = static_cast<U8>(40 + ++added);
        }
    const std::vector<int> rows = CorpsBrigades();
    TBrigadeRec& b = GameRec->Brigades[rows[0]];
    for (int r : {rows[0], rows[1]}) {
        GameRec->Brigades[r].BrigadeType = kBrigadeInfantry;
        GameRec->Brigades[r].HomeState = model.HomeState;
    }
    b.Strength = 60;
    b.Weapon = 1;
    TStateRec& home = GameRec->States[b.HomeState];
    home.InfantryPool = 100;
    U16& muskets = GameRec->Nations[1].WeaponPool[1];
    U16& springfields = GameRec->Nations[1].WeaponPool[2];
    muskets = 400;
    springfields = 100;
    testing::WhenModalShows([&](QWidget* orders) {
        testing::WhenModalShows([&](QWidget* d) {
            ExpectOnlyItsButtonCloses(d);
            EXPECT_EQ(d->windowTitle(), GameText(483));
            EXPECT_EQ(Label(d, 1)->Caption(), GameText(484));
            EXPECT_EQ(Button(d, 11)->Caption(), GameText(485));
            for (int row = 1; row <= 10; ++row) {
                EXPECT_EQ(Button(d, row)->Caption(), GameText(486));
                EXPECT_TRUE(Button(d, row)->isVisible()) << row;
            }
            auto* strength = Control<gui::TElLabel>(d, QStringLiteral("StrengthLabel1"));
            QStringList row1;
            for (const char* column : {"NameLabel1", "TypeLabel1", "QualityLabel1", "StrengthLabel1", "WeaponLabel1"})
                row1 << Control<gui::TElLabel>(d, QLatin1String(column))->Caption();
            EXPECT_EQ(row1.join(QLatin1Char('|')).section(QLatin1Char('|'), 1), QStringLiteral("Inf|Untried|3000|Muskets"));
            EXPECT_TRUE(row1[0].startsWith(QString::fromStdString(OrdinalText(b.Ordinal))));
            ExpectTidyLayout(d);
            testing::SaveScreenshot(d, QStringLiteral("brigade_display"));
            auto* check = Control<gui::TElCheckBox>(d, QStringLiteral("CheckBox1"));
            ASSERT_TRUE(check->isVisible());
            Click(check);
            EXPECT_FALSE(check->isVisible());
            EXPECT_EQ(strength->Caption(), QStringLiteral("4000"));
            EXPECT_EQ(Control<gui::TElLabel>(d, QStringLiteral("ReinforcementsLabel2"))->Caption(), QStringLiteral("4000"));
            testing::WhenModalShows([&](QWidget* w) {
                ExpectOnlyItsButtonCloses(w);
                EXPECT_EQ(w->windowTitle(), GameText(411));
                EXPECT_EQ(Control<gui::TElGroupBox>(w, QStringLiteral("GroupBox1"))->Caption(), GameText(363));
                for (int n = 1; n <= 3; ++n) EXPECT_EQ(Label(w, n)->Caption(), GameText(656 + n));
                for (int k = 1; k <= 8; ++k) EXPECT_EQ(Label(w, 3 + k)->Caption().toStdString(), WeaponName(k));
                EXPECT_EQ(Label(w, 12)->Caption(), QStringLiteral("19000"));
                EXPECT_EQ(Label(w, 13)->Caption(), QStringLiteral("5000"));
                EXPECT_EQ(Button(w, 1)->Caption(), GameText(66));
                for (int k = 1; k <= 8; ++k) EXPECT_EQ(testing::Radio(w, k)->isEnabled(), k == 1 || k == 2) << k;
                ExpectTidyLayout(w);
                testing::SaveScreenshot(w, QStringLiteral("new_weapon"));
                Click(testing::Radio(w, 2));
                Click(Button(w, 1));
            });
            Click(Button(d, 1));
            EXPECT_EQ(Control<gui::TElLabel>(d, QStringLiteral("WeaponLabel1"))->Caption(), QStringLiteral("Springfields"));
            auto* left = Control<gui::TElLabel>(d, QStringLiteral("ReinforcementsLabel1"));
            EXPECT_TRUE(left->isVisible() && left->Caption() == QStringLiteral("4000")) << "what the state has left stays shown";
            EXPECT_FALSE(check->isVisible());
            Click(Button(d, 11));
        });
        Click(Button(orders, 1));
        EXPECT_EQ(Label(orders, 3)->Caption(), GameText(91) + QString::number(GameRec->Corps[kBanks].Strength * 50));
        Click(Button(orders, 2));
    });
    EXPECT_TRUE(gui::OpenSideDialog(gui::TSideDialog::CorpsOrders));
    EXPECT_EQ(b.Strength, 80);
    EXPECT_EQ(b.Weapon, 2);
    EXPECT_EQ(home.InfantryPool, 80);
    EXPECT_EQ(muskets, 400 - 20 + 80);
    EXPECT_EQ(springfields, 20);
}

}  // namespace
}  // namespace kvt

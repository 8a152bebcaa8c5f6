// The naval combat dialog as engagements on the 1861 map open it: every label where the layout
// places it, nothing overlapping or cut off, the real texts, and a screenshot of each kind.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <algorithm>

#include "engine/combat/naval_combat.h"
#include "engine/forces/fleet_records.h"
#include "engine/movement/corps_movement.h"
#include "engine/turn/automatic_frontend.h"
#include "gui/dialogs/combat/fleet_combat_dialog.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/text_draw.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"

namespace kvt {
namespace {

using testing::Label;

// The window's answer to an engagement: the real dialog, its view kept for the checks.
class DialogFrontend : public AutomaticFrontend {
public:
    void ShowFleetCombat(const TFleetCombatView& view) override {
        shown = view;
        gui::ShowFleetCombatDialog(view);
    }
    TFleetCombatView shown;
};

// Where the layout puts each label: {label, left, top}.
const int kPlaced[][3] = {
    {1, 93, 5},    {2, 20, 13},   {3, 290, 12},  {37, 5, 31},    {38, 288, 31},  {39, 39, 31},  {40, 334, 31},
    {16, 7, 54},   {17, 297, 54}, {12, 124, 68}, {13, 146, 85},  {14, 148, 103}, {15, 142, 119}, {4, 10, 68},
    {5, 300, 68},  {6, 20, 85},   {8, 20, 103},  {10, 20, 119},  {7, 311, 85},   {9, 311, 103}, {11, 311, 119},
    {18, 33, 68},  {19, 33, 85},  {20, 33, 103}, {21, 33, 119},  {22, 329, 68},  {23, 329, 85}, {24, 329, 103},
    {25, 329, 119}, {26, 44, 68}, {27, 44, 85},  {28, 44, 103},  {29, 44, 119},  {30, 342, 68}, {31, 342, 85},
    {32, 342, 103}, {33, 342, 119}, {34, 7, 134}, {36, 7, 143},  {35, 7, 153}};

// The label's caption shows whole: on its one line, or wrapped within the label when it wraps.
bool ShowsWhole(gui::TElLabel* label) {
    if (!label->WordWrap())
        return QFontMetrics(label->font()).horizontalAdvance(label->Caption().trimmed()) <= label->width();
    const QRect r = gui::MeasureText(label->font(), label->Caption(), QRect(0, 0, label->width(), 0),
                                     gui::DT_NOPREFIX | gui::DT_WORDBREAK);
    return r.width() <= label->width() && r.height() <= label->height();
}

void CheckLayout(QWidget* d, const TFleetCombatView& v) {
    EXPECT_EQ(d->size(), QSize(384, 169));
    EXPECT_EQ(d->windowTitle(), gui::GameText(596));
    EXPECT_EQ(testing::Button(d, 1)->geometry(), QRect(274, 135, 92, 30));
    std::vector<QWidget*> shown = {testing::Button(d, 1)};
    for (const auto& p : kPlaced) {
        gui::TElLabel* label = Label(d, p[0]);
        EXPECT_EQ(label->pos(), QPoint(p[1], p[2])) << "Label" << p[0];
        if (!label->isVisible()) continue;
        EXPECT_TRUE(ShowsWhole(label)) << "Label" << p[0] << " cuts off " << label->Caption().toStdString();
        EXPECT_TRUE(d->rect().contains(label->geometry())) << "Label" << p[0] << " runs off the dialog";
        for (QWidget* other : shown)
            EXPECT_FALSE(label->geometry().intersects(other->geometry())) << "Label" << p[0] << " overlaps "
                                                                          << other->objectName().toStdString();
        shown.push_back(label);
    }
    EXPECT_EQ(Label(d, 1)->Caption().toStdString(), v.title);
    EXPECT_EQ(Label(d, 12)->Caption(), gui::GameText(256) + gui::GameText(452));
    EXPECT_EQ(Label(d, 39)->Caption().toStdString(), v.fleetList[1]);
    EXPECT_EQ(Label(d, 40)->Caption().toStdString(), v.fleetList[2]);
    for (int list : {39, 40}) { EXPECT_GE(Label(d, list)->font().pixelSize(), 8) << "Label" << list << " stays readable"; }
    EXPECT_EQ(Label(d, 7)->Caption(), QString::number(v.startShips[2][0]));
    EXPECT_EQ(Label(d, 32)->Caption(), QString::number(v.sunkShips[2][1]));
    EXPECT_EQ(Label(d, 36)->isVisible(), v.corpsDrowned);
}

using FleetCombatDialog = testing::DialogTest;

TEST_F(FleetCombatDialog, EachNavalEngagementShowsItsForcesAndLossesWhereTheLayoutPlacesThem) {
    // Fleets of each side at the hex besides Union fleet 2 and Confederate fleet 7.
    struct Case { const char* png; bool port, corpsAboard; std::vector<int> moreFleets; };
    const Case cases[] = {{"fleet_combat_sea", false, false, {}}, {"fleet_combat_port_attack", true, false, {}},
                          {"fleet_combat_drowned_corps", false, true, {}},
                          {"fleet_combat_many_fleets", false, false, {1, 3, 4, 5, 6, 8, 9, 10, 11}}};
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.png);
        ASSERT_TRUE(testing::LoadStartPoint("1861"));
        TGameRec& g = *GameRec;
        // Union fleet 2 from New York meets Confederate fleet 7 at sea or off Charleston's guns.
        TCityRec& charleston = g.Cities[29];
        const int x = c.port ? charleston.HexX : 72, y = c.port ? charleston.HexY : 30;
        TFleetRec &attacker = g.Fleets[2], &defender = g.Fleets[7];
        for (const int f : c.moreFleets) g.Fleets[f].Mission = kMissionMove;
        // Confederate fleets numbered as a long war numbers them: 10, 12, 17, 21, 23, 19.
        const int numbers[][2] = {{6, 10}, {7, 12}, {8, 17}, {9, 21}, {10, 23}, {11, 19}};
        for (const auto& [f, number] : numbers)
            if (f == 7 || std::count(c.moreFleets.begin(), c.moreFleets.end(), f)) g.Fleets[f].FleetNumber = static_cast<U8>(number);
        std::vector<int> present = c.moreFleets;
        present.insert(present.end(), {2, 7});
        for (const int f : present) {
            g.Fleets[f].HexX = g.Fleets[f].DestX = static_cast<U8>(x);
            g.Fleets[f].HexY = g.Fleets[f].DestY = static_cast<U8>(y);
        }
        attacker.Mission = static_cast<U8>(c.port ? kMissionAttackPort : kMissionPatrol);
        attacker.Ironclads = 3;
        defender.Mission = kMissionMove;
        charleston.Fortifications = 3;
        charleston.CoastalGuns = 2;
        if (c.corpsAboard) {
            defender.Wooden = defender.Transports = 0;
            defender.DamagedTransports = 1;
            int k = 1;
            while (!CorpsInUse(g.Corps[k]) || g.Corps[k].Nation != 2) ++k;
            g.Corps[k].OrderMode = kOrderEmbarked;
            g.Corps[k].HexX = static_cast<U8>(x);
            g.Corps[k].HexY = static_cast<U8>(y);
            defender.Cargo = static_cast<U8>(k);
        }
        DialogFrontend fe;
        InstallFrontend(&fe);
        SetRandomSeed(3);
        int opened = 0;
        testing::WhenModalShows([&](QWidget* d) {
            ++opened;
            CheckLayout(d, fe.shown);
            testing::SaveScreenshot(d, QString::fromLatin1(c.png));
            testing::Click(testing::Button(d, 1));
        });
        ResolveFleetCombat(2);
        InstallFrontend(nullptr);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(fe.shown.corpsDrowned, c.corpsAboard);
        EXPECT_EQ(fe.shown.portForces[2], c.port ? "3-2" : "");
    }
}

}  // namespace
}  // namespace kvt

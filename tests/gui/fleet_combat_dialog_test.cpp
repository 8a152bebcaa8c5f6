// The naval combat dialog as engagements on the 1861 map open it: every label where the layout
// places it, nothing overlapping or cut off, the real texts, and a screenshot of each kind.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "engine/combat/naval_combat.h"
#include "engine/core/corps_movement.h"
#include "engine/logistics/fleet_records.h"
#include "gui/dialogs/combat/fleet_combat_dialog.h"
#include "gui/dialogs/core/dialog_support.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"

namespace kvt {
namespace {

class FleetCombatDialog : public testing::DialogTest {};

// The window's answer to an engagement: the real dialog.
class DialogFrontend : public AutomaticFrontend {
public:
    void ShowFleetCombat(const TFleetCombatView& view) override {
        shown = view;
        gui::ShowFleetCombatDialog(view);
    }
    TFleetCombatView shown;
};

struct Placed { int label, left, top; };
// Where the layout puts every label (left, top).
const Placed kPlaced[] = {
    {1, 93, 5},    {2, 20, 13},   {3, 290, 12},  {37, 5, 31},   {38, 288, 31}, {39, 39, 31},  {40, 334, 31},
    {16, 7, 54},   {17, 297, 54}, {12, 124, 68}, {13, 146, 85}, {14, 148, 103}, {15, 142, 119}, {4, 10, 68},
    {5, 300, 68},  {6, 20, 85},   {8, 20, 103},  {10, 20, 119}, {7, 311, 85},  {9, 311, 103}, {11, 311, 119},
    {18, 33, 68},  {19, 33, 85},  {20, 33, 103}, {21, 33, 119}, {22, 329, 68}, {23, 329, 85}, {24, 329, 103},
    {25, 329, 119}, {26, 44, 68}, {27, 44, 85},  {28, 44, 103}, {29, 44, 119}, {30, 342, 68}, {31, 342, 85},
    {32, 342, 103}, {33, 342, 119}, {34, 7, 134}, {36, 7, 143}, {35, 7, 153},
};

void CheckLayout(QWidget* d, const TFleetCombatView& v) {
    EXPECT_EQ(d->size(), QSize(384, 169));
    EXPECT_EQ(d->windowTitle(), gui::GameText(596));
    EXPECT_EQ(testing::Button(d, 1)->geometry(), QRect(274, 135, 92, 30));
    std::vector<QWidget*> shown = {testing::Button(d, 1)};
    for (const Placed& p : kPlaced) {
        gui::TElLabel* label = testing::Label(d, p.label);
        EXPECT_EQ(label->pos(), QPoint(p.left, p.top)) << "Label" << p.label;
        if (!label->isVisible()) continue;
        const int needed = QFontMetrics(label->font()).horizontalAdvance(label->Caption().trimmed());
        EXPECT_LE(needed, label->width()) << "Label" << p.label << " cuts off \"" << label->Caption().toStdString() << "\"";
        shown.push_back(label);
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                << shown[i]->objectName().toStdString() << " overlaps " << shown[j]->objectName().toStdString();
    EXPECT_EQ(testing::Label(d, 1)->Caption().toStdString(), v.title);
    EXPECT_EQ(testing::Label(d, 12)->Caption(), gui::GameText(256) + gui::GameText(452));
    EXPECT_EQ(testing::Label(d, 39)->Caption().toStdString(), v.fleetList[1]);
    EXPECT_EQ(testing::Label(d, 7)->Caption(), QString::number(v.startShips[2][0]));
    EXPECT_EQ(testing::Label(d, 32)->Caption(), QString::number(v.sunkShips[2][1]));
    EXPECT_EQ(testing::Label(d, 36)->isVisible(), v.corpsDrowned);
}

TEST_F(FleetCombatDialog, EachEngagementShowsItsForcesAndLossesWhereTheLayoutPlacesThem) {
    struct Case { const char* png; int x, y; int mission; bool corpsAboard; };
    const Case cases[] = {
        {"fleet_combat_sea", 72, 30, kMissionPatrol, false},
        {"fleet_combat_port_attack", 0, 0, kMissionAttackPort, false},
        {"fleet_combat_drowned_corps", 72, 30, kMissionPatrol, true},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.png);
        ASSERT_TRUE(testing::LoadStartPoint("1861"));
        TGameRec& g = *GameRec;
        // Union fleet 2 from New York against Confederate fleet 7 and, in port, Charleston's guns.
        const TCityRec& charleston = g.Cities[29];
        const int x = c.x ? c.x : charleston.HexX, y = c.x ? c.y : charleston.HexY;
        TFleetRec& attacker = g.Fleets[2];
        TFleetRec& defender = g.Fleets[7];
        for (TFleetRec* f : {&attacker, &defender}) {
            f->HexX = f->DestX = static_cast<U8>(x);
            f->HexY = f->DestY = static_cast<U8>(y);
        }
        attacker.Mission = static_cast<U8>(c.mission);
        attacker.Ironclads = 3;
        defender.Mission = kMissionMove;
        if (c.mission == kMissionAttackPort) {
            g.Cities[29].Fortifications = 3;
            g.Cities[29].CoastalGuns = 2;
        }
        if (c.corpsAboard) {
            defender.Wooden = 0;
            defender.Transports = 0;
            defender.DamagedTransports = 1;
            for (int k = 1; k <= kCorpsCount; ++k)
                if (CorpsInUse(g.Corps[k]) && g.Corps[k].Nation == 2) {
                    g.Corps[k].OrderMode = kOrderEmbarked;
                    g.Corps[k].HexX = static_cast<U8>(x);
                    g.Corps[k].HexY = static_cast<U8>(y);
                    defender.Cargo = static_cast<U8>(k);
                    break;
                }
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
        if (c.mission == kMissionAttackPort) EXPECT_EQ(fe.shown.portForces[2], "3-2");
    }
}

}  // namespace
}  // namespace kvt

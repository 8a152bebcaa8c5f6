// The battle dialogs on the 1861 start point, each filled from the engine's views of a battle and
// played by hand: every control clicked, Escape and the close box never ending a battle form, the
// places the layouts give, and a screenshot of each. Last, a person fights a whole battle in the
// window and the record is the one the scripted frontend leaves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>

#include <cstring>
#include <functional>

#include "engine/combat/battle_dispatcher.h"
#include "engine/combat/battle_history.h"
#include "engine/combat/battle_state.h"
#include "engine/forces/brigade_rules.h"
#include "engine/turn/automatic_frontend.h"
#include "engine/view/map_view_rules.h"
#include "engine/world/text_table.h"
#include "gui/dialogs/combat/battle_intensity_dialog.h"
#include "gui/dialogs/combat/battle_results_dialog.h"
#include "gui/dialogs/combat/combat_resolution_dialog.h"
#include "gui/dialogs/combat/fort_assault_dialog.h"
#include "gui/dialogs/combat/leader_casualty_dialog.h"
#include "gui/dialogs/combat/replay_resolution_dialog.h"
#include "gui/dialogs/combat/replay_results_dialog.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/main/map_box.h"
#include "gui/ui/panel.h"
#include "tests/gui/dialog_test_support.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/main_window_support.h"
#include "tests/support/scripted_frontend.h"

namespace kvt {
namespace {

using gui::GameText;
using gui::TElLabel;
using testing::Button;
using testing::Click;
using testing::Label;

// The battle waits answered by the real dialogs, as the window answers them; a combat resolution
// nobody attends is pressed through as the computer would.
class DialogFrontend : public AutomaticFrontend {
public:
    void RunCombatResolution(TCombatResolution& d) override {
        resolution = d.view;
        attended ? gui::RunCombatResolutionDialog(d) : d.RunUnattended();
    }
    int ChooseBattleIntensity(const TBattleIntensityView& v) override { return gui::ChooseBattleIntensityDialog(v); }
    int ChooseLeaderSuccessor(const TLeaderSuccessorView& v) override { return gui::ChooseLeaderSuccessorDialog(v); }
    bool ShowsBattleResults() const override { return true; }
    void ShowBattleResults(const TBattleResultsView& r, const TBattleAnalysisView& a) override {
        results = r;
        analysis = a;
        gui::ShowBattleResultsDialog(r, a);
    }
    void RunFortAssault(TFortAssault& d) override { gui::RunFortAssaultDialog(d); }
    void ShowReplayCombatResolution(const TReplayResolutionView& v) override { gui::ShowReplayResolutionDialog(v); }
    void ShowReplayBattleResults(const TReplayResultsView& v) override { gui::ShowReplayResultsDialog(v); }

    bool attended = true;
    TCombatResolutionView resolution;
    TBattleResultsView results;
    TBattleAnalysisView analysis;
};

TElLabel* Named(QWidget* d, const QString& name) { return testing::Control<TElLabel>(d, name); }
TElLabel* Cell(QWidget* d, const char* side, const char* cell, int row) {
    return Named(d, QLatin1String(side) + QLatin1String(cell) + QString::number(row));
}
std::string CaptionOf(TElLabel* label) { return label->Caption().toStdString(); }

// A battle form of its size, centred, frameless, tidy, every control inside; Escape and the close
// box leave it open.
void LookAt(QWidget* d, QSize size, const char* png) {
    SCOPED_TRACE(png);
    EXPECT_EQ(d->size(), size);
    EXPECT_TRUE(d->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_LE((d->geometry().center() - QApplication::primaryScreen()->geometry().center()).manhattanLength(), 2);
    d->close();
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible()) << "Escape and the close box never end a battle form";
    testing::ExpectTidyLayout(d);
    for (QWidget* w : d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible()) EXPECT_TRUE(d->rect().contains(w->geometry())) << w->objectName().toStdString();
    testing::SaveScreenshot(d, QString::fromLatin1(png));
}

// Each side's ten rows at the columns given, 13 pixels apart from their first rows, with the view's captions.
void ExpectRows(QWidget* d, const int (&columns)[2][4], const int (&top)[2], const TBattleResultsView* live) {
    const char* cells[] = {"Name", "Brigades", "Casualties", "Disruption"};
    for (int s = 0; s < 2; ++s)
        for (int r = 1; r <= 10; ++r) {
            const char* side = s == 0 ? "Union" : "Confederate";
            const TResultsRow& row = (s == 0 ? live->unionRows : live->confederateRows)[r];
            const std::string texts[] = {row.leader, row.brigades, row.casualties, row.disruption};
            for (int k = 0; k < 4; ++k) {
                TElLabel* cell = Cell(d, side, cells[k], r);
                EXPECT_EQ(cell->pos(), QPoint(columns[s][k], top[s] + 13 * (r - 1))) << side << cells[k] << r;
                EXPECT_EQ(CaptionOf(cell), texts[k]);
                EXPECT_TRUE(cell->isVisible());
            }
        }
}

// The words of a heading as drawn, each as its left and right pixel columns in the dialog: the
// columns that showing the heading inks, split where three or more stay blank.
std::vector<std::pair<int, int>> DrawnWords(QWidget* d, QWidget* heading) {
    const QImage shown = d->grab().toImage();
    heading->hide();
    const QImage bare = d->grab().toImage();
    heading->show();
    const QRect r = heading->geometry();
    std::vector<std::pair<int, int>> words;
    int blank = 3;
    for (int x = r.left(); x <= r.right(); ++x) {
        bool ink = false;
        for (int y = r.top(); y <= r.bottom() && !ink; ++y) ink = shown.pixel(x, y) != bare.pixel(x, y);
        if (!ink) {
            ++blank;
            continue;
        }
        if (blank >= 3) words.emplace_back(x, x);
        words.back().second = x;
        blank = 0;
    }
    return words;
}

// Each word of a side's column heading stands over its column of cells: centred within it and
// clear of the next column (the last one of `end`).
void ExpectHeadingOverColumns(QWidget* d, TElLabel* heading, const int (&columns)[4], int end) {
    const std::vector<std::pair<int, int>> words = DrawnWords(d, heading);
    std::string drawn;
    for (const auto& [l, r] : words) drawn += " " + std::to_string(l) + "-" + std::to_string(r);
    ASSERT_EQ(words.size(), 4u) << heading->objectName().toStdString() << drawn;
    for (std::size_t k = 0; k < 4; ++k) {
        const int next = k < 3 ? columns[k + 1] : end;
        const auto [left, right] = words[k];
        EXPECT_TRUE((left + right) / 2 >= columns[k] && right < next)
            << heading->objectName().toStdString() << " word " << k << " at " << left << "-" << right << ", cells at "
            << columns[k] << "-" << next;
    }
}

// The widest leader name of the three start points in the face of the battle dialogs' cells
// ("P.G.T. Beauregard"); the game in play is put back afterwards.
std::string WidestLeaderName() {
    static std::string widest;
    if (!widest.empty()) return widest;
    static TGameRec game;
    static TMapGrid map;
    std::memcpy(static_cast<void*>(&game), GameRec, sizeof game);
    std::memcpy(static_cast<void*>(&map), MapGrid, sizeof map);
    const QFontMetrics fm(gui::BattleFont(12));
    for (const char* year : {"1861", "1862", "1863"}) {
        EXPECT_TRUE(testing::LoadStartPoint(year));
        for (const TLeaderRec& l : GameRec->Leaders)
            if (fm.horizontalAdvance(QString::fromStdString(l.Name.str())) > fm.horizontalAdvance(QString::fromStdString(widest)))
                widest = l.Name.str();
    }
    std::memcpy(static_cast<void*>(GameRec), &game, sizeof game);
    std::memcpy(static_cast<void*>(MapGrid), &map, sizeof map);
    return widest;
}

int NthCorps(int nation, int n) {
    for (int k = 1; k <= kCorpsCount; ++k)
        if (CorpsInUse(GameRec->Corps[k]) && GameRec->Corps[k].Nation == nation && --n == 0) return k;
    return 0;
}

// Corps moved onto (x, y) in order and ready to fight; the first opens the battle.
void Gather(const std::vector<int>& corps, int x, int y) {
    for (int k : corps) {
        TCorpsRec& c = GameRec->Corps[k];
        c.HexX = static_cast<U8>(x);
        c.HexY = static_cast<U8>(y);
        c.Disruption = 0;
        c.OrderMode = 2;
    }
    GameRec->Corps[corps.front()].ContactCode = 1;
}

// The commander who leads a side's corps in battle: its army's, else its own.
int Commander(int corps) {
    const TCorpsRec& c = GameRec->Corps[corps];
    return c.Army != 0 && GameRec->Armies[c.Army].Leader != 0 ? GameRec->Armies[c.Army].Leader : c.Leader;
}

// The first seed from 1 for which `fight` ends as `wanted` says; the game is put back after each trial.
std::uint64_t FirstSeed(const std::function<void()>& fight, const std::function<bool()>& wanted) {
    static TGameRec game;
    static TMapGrid map;
    std::memcpy(static_cast<void*>(&game), GameRec, sizeof game);
    std::memcpy(static_cast<void*>(&map), MapGrid, sizeof map);
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        SetRandomSeed(seed);
        fight();
        const bool found = wanted();
        std::memcpy(static_cast<void*>(GameRec), &game, sizeof game);
        std::memcpy(static_cast<void*>(MapGrid), &map, sizeof map);
        BattleLog.clear();
        if (found) return seed;
    }
    ADD_FAILURE() << "no seed gives the battle wanted";
    return 1;
}

class CombatDialogs : public testing::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ASSERT_TRUE(testing::LoadStartPoint("1861"));
        GameRec->Nations[1].Human = GameRec->Nations[2].Human = 0;
    }
};

TEST_F(CombatDialogs, TheIntensityChoiceOffersSkirmishAloneToAPoorLeaderAndHidesWhatNoScoutSaw) {
    // Stuart's horse rides with the Confederates: the Union sees their leaders and numbers as "???".
    // The first Union corps is led by the widest name, which its cell must hold.
    const std::string widest = WidestLeaderName();
    const int u = NthCorps(1, 1);
    GameRec->Leaders[GameRec->Corps[u].Leader].Name = widest;
    const int x = GameRec->Corps[u].HexX, y = GameRec->Corps[u].HexY;
    Gather({u, NthCorps(1, 2), NthCorps(2, 1), NthCorps(2, 5)}, x, y);
    GameRec->BattleX = x;
    GameRec->BattleY = y;
    for (int k = 1; k <= kCorpsCount; ++k) DrawnIn[k] = GameRec->Corps[k].HexX == x && GameRec->Corps[k].HexY == y;
    GameRec->Leaders[Commander(u)].Rating = 2;
    const TBattleIntensityView v = BattleIntensityView(1, Commander(u));
    ASSERT_EQ(v.confederateRows[1].leader, "???");
    int opened = 0;
    testing::WhenModalShows([&](QWidget* d) {
        ++opened;
        EXPECT_EQ(d->windowTitle(), GameText(49));
        EXPECT_EQ(Label(d, 3)->Caption(), GameText(505));
        EXPECT_EQ(Label(d, 4)->Caption(), GameText(508));
        EXPECT_EQ(Label(d, 200)->Caption(), GameText(509));
        EXPECT_EQ(testing::Control<gui::TElPanel>(d, QStringLiteral("ElPanel1"))->Caption(), QStringLiteral("Set Combat Intensity"));
        for (int o = 1; o <= 5; ++o) EXPECT_EQ(testing::Radio(d, o)->isVisible(), o == 1) << o;
        EXPECT_TRUE(testing::Radio(d, 1)->GetChecked());
        for (int r = 1; r <= 10; ++r) {
            EXPECT_EQ(Cell(d, "Union", "Leader", r)->isVisible(), r <= 2);
            EXPECT_EQ(Cell(d, "Confederate", "Artillery", r)->isVisible(), r <= 2);
        }
        EXPECT_EQ(CaptionOf(Cell(d, "Union", "Troops", 1)), v.unionRows[1].troops);
        EXPECT_EQ(CaptionOf(Cell(d, "Union", "Leader", 1)), widest);
        EXPECT_EQ(Cell(d, "Union", "Leader", 1)->geometry(), QRect(14, 52, 88, 15)) << "the cells keep their places";
        EXPECT_EQ(CaptionOf(Cell(d, "Confederate", "Leader", 2)), "???");
        LookAt(d, {660, 284}, "battle_intensity_rating_2");
        testing::ExpectTidyLayout(testing::Control<gui::TElPanel>(d, QStringLiteral("ElPanel1")));
        Click(Button(d, 1));  // Ready without a click
    });
    EXPECT_EQ(gui::ChooseBattleIntensityDialog(v), 1) << "no click is Skirmish";
    EXPECT_EQ(opened, 1);
}

TEST_F(CombatDialogs, ASuccessorsRatingsShowOnAClickMaskedWhileHeIsGreen) {
    const int corps = NthCorps(1, 1);
    for (int inView : {0, 1}) {
        SCOPED_TRACE(inView);
        GameRec->RatingsInView = static_cast<U8>(inView);
        const TLeaderSuccessorView v = CorpsSuccessorView(corps);
        int green = -1;
        for (std::size_t k = 0; k < v.lines.size() && green < 0; ++k)
            if (GameRec->Leaders[v.lines[k].leader].Experience < 4) green = static_cast<int>(k);
        ASSERT_GE(green, 0);
        testing::WhenModalShows([&](QWidget* d) {
            auto* list = testing::Control<gui::TElAdvancedListBox>(d, QStringLiteral("ListBox1"));
            ASSERT_EQ(list->Items().Count(), static_cast<int>(v.lines.size()));
            EXPECT_EQ(list->Items()[0].toStdString(), v.lines[0].text);
            EXPECT_EQ(Label(d, 5)->Caption(), QString()) << "nothing before a click";
            testing::ClickRow(list, green);
            const TSuccessorLine& line = v.lines[static_cast<std::size_t>(green)];
            EXPECT_EQ(CaptionOf(Label(d, 5)) + CaptionOf(Label(d, 6)) + CaptionOf(Label(d, 7)) + CaptionOf(Label(d, 8)),
                      line.initiative + line.rating + line.drill + line.tactics);
            EXPECT_EQ(Label(d, 5)->Caption() == GameText(558), inView == 0) << "masked only while ratings are hidden";
            LookAt(d, {360, 284}, inView == 0 ? "leader_casualty_masked" : "leader_casualty_unmasked");
            Click(Button(d, 1));
        });
        EXPECT_EQ(gui::ChooseLeaderSuccessorDialog(v), green);
    }
}

TEST_F(CombatDialogs, AnAssaultShowsBothSidesThenHowTheWorksAndTheStormWentAndOnlyOKClosesIt) {
    // Texts 121 to 123 tell the bombardment of works, 124 and 125 the storm; 0 leaves a line hidden.
    const struct { const char* png; int attackers, garrisonStrength, works; bool guns; int bombardment, storm; } cases[] = {
        {"fort_assault_fall", 4, 1, 0, true, 0, 124},
        {"fort_assault_repulse", 1, 200, 0, true, 0, 125},
        {"fort_assault_breach", 4, 1, 3, true, 121, 124},
        {"fort_assault_no_guns", 1, 20, 3, false, 123, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.png);
        SetUp();
        int city = 1;
        while (!(GameRec->Cities[city].Owner == 2 && GameRec->Cities[city].Garrison != 0)) ++city;
        const TCityRec& c = GameRec->Cities[city];
        GameRec->Cities[city].Fortifications = static_cast<U8>(k.works);
        std::vector<int> attackers;
        for (int n = 1; n <= k.attackers; ++n) attackers.push_back(NthCorps(1, n));
        Gather(attackers, c.HexX, c.HexY);
        for (TBrigadeRec& b : GameRec->Brigades) {
            if (b.AttachKind == kAttachGarrison && b.AttachIndex == city) b.Strength = static_cast<U8>(k.garrisonStrength);
            if (!k.guns && b.AttachKind == kAttachCorps && b.AttachIndex == attackers[0] && b.BrigadeType == kBrigadeArtillery)
                b.Strength = 0;
        }
        // The first seed whose assault tells the works and the storm as the case wants.
        const auto told = [](bool shown, const std::string& text, int wanted) { return shown == (wanted != 0) && (!shown || text == Text(wanted)); };
        {
            testing::ScriptedFrontend probe;
            probe.AllowAnyWaits(true);
            SetRandomSeed(FirstSeed([&] { ResolveBattles(); }, [&] {
                if (probe.fortAssaults.empty()) return false;
                const TFortAssaultView v = probe.fortAssaults.back();
                probe.fortAssaults.clear();
                return told(v.bombardmentShown, v.bombardment, k.bombardment) && told(v.stormShown, v.storm, k.storm);
            }));
        }
        DialogFrontend fe;
        InstallFrontend(&fe);
        int opened = 0;
        testing::WhenModalShows([&](QWidget* d) {
            ++opened;
            EXPECT_EQ(d->windowTitle(), GameText(126));
            EXPECT_EQ(Label(d, 1)->Caption(), GameText(112) + QString::fromStdString(c.Name.str()));
            EXPECT_EQ(Label(d, 2)->Caption(), QString::number(k.works) + GameText(113));
            EXPECT_FALSE(Label(d, 10)->isVisible() || Label(d, 11)->isVisible() || Button(d, 2)->isVisible());
            if (k.storm == 124 && k.works == 0) LookAt(d, {420, 292}, "fort_assault_before");
            Click(Button(d, 1));
            EXPECT_TRUE(Button(d, 2)->isVisible() && !Button(d, 1)->isVisible());
            EXPECT_EQ(Label(d, 10)->isVisible(), k.bombardment != 0);
            EXPECT_EQ(Label(d, 11)->isVisible(), k.storm != 0);
            if (k.bombardment != 0) EXPECT_EQ(Label(d, 10)->Caption(), GameText(k.bombardment));
            if (k.storm != 0) EXPECT_EQ(Label(d, 11)->Caption(), GameText(k.storm));
            LookAt(d, {420, 292}, k.png);
            Click(Button(d, 2));
        });
        ResolveBattles();
        EXPECT_EQ(opened, 1);
        InstallFrontend(nullptr);
    }
}

TEST_F(CombatDialogs, ResultsAnalysisAndTheirReplayShowTenRowsASideWhereTheLayoutsPlaceThem) {
    const std::string widest = WidestLeaderName();
    std::vector<int> corps;
    for (int n = 1; n <= 10; ++n) corps.insert(corps.end(), {NthCorps(1, n), NthCorps(2, n)});
    // The first row of each side shows the widest name (the tidy layout checks that it fits).
    for (int nation : {1, 2}) GameRec->Leaders[GameRec->Corps[NthCorps(nation, 1)].Leader].Name = widest;
    // A Confederate victory over a weakened Union force, which takes Union guns.
    Gather(corps, 60, 17);
    for (TBrigadeRec& b : GameRec->Brigades)
        if (b.AttachKind == kAttachCorps && GameRec->Corps[b.AttachIndex].Nation == 1) b.Strength = static_cast<U8>(b.Strength / 3 + 1);
    GameRec->GameKind = 3;
    GameRec->SideToMove = 1;
    SetRandomSeed(FirstSeed([] { ResolveBattles(); }, [] {
        long guns = 0;
        for (int w = 1; w <= kWeaponKinds; ++w) guns += GunsLost[w];
        return GameRec->BattleResult == 3 && guns != 0;
    }));
    DialogFrontend fe;
    fe.attended = false;
    InstallFrontend(&fe);
    int analysed = 0;
    testing::WhenModalShows([&](QWidget* d) {
        const int columns[2][4] = {{6, 118, 172, 231}, {304, 399, 454, 509}};
        ExpectRows(d, columns, {124, 122}, &fe.results);
        EXPECT_EQ(d->windowTitle(), GameText(663));
        EXPECT_EQ(CaptionOf(Label(d, 53)), fe.results.weapons);
        EXPECT_EQ(Label(d, 50)->Caption(), GameText(65));
        EXPECT_EQ(Label(d, 51)->Caption(), GameText(664));
        ExpectHeadingOverColumns(d, Label(d, 51), columns[0], columns[1][0]);
        ExpectHeadingOverColumns(d, Label(d, 46), columns[1], 573);
        LookAt(d, {573, 400}, "battle_results");
        testing::WhenModalShows([&](QWidget* a) {
            ++analysed;
            const int ys[] = {30, 50, 90, 110, 130, 150, 170, 200, 220, 240, 260, 280, 300};
            // The Confederate values stand at 482, but for the first row's at 476 and the condition effect's at 506.
            const auto confederateX = [](int r) { return r == 1 ? 476 : r == 12 ? 506 : 482; };
            for (int r = 1; r <= 13; ++r) {
                EXPECT_EQ(Named(a, QStringLiteral("UnionLabel%1").arg(r))->pos(), QPoint(10, ys[r - 1]));
                EXPECT_EQ(Named(a, QStringLiteral("UnionValue%1").arg(r))->pos(), QPoint(r == 1 ? 206 : 212, ys[r - 1]));
                EXPECT_EQ(Named(a, QStringLiteral("ConfederateLabel%1").arg(r))->pos(), QPoint(280, ys[r - 1]));
                EXPECT_EQ(Named(a, QStringLiteral("ConfederateValue%1").arg(r))->pos(), QPoint(confederateX(r), ys[r - 1]));
                EXPECT_EQ(CaptionOf(Named(a, QStringLiteral("ConfederateValue%1").arg(r))), fe.analysis.side[2].value[r]);
            }
            TElLabel* result = Named(a, QStringLiteral("ResultLabel"));
            EXPECT_EQ(result->geometry().center().x(), 539 / 2);
            EXPECT_EQ(result->y(), 334);
            EXPECT_EQ(result->Caption(), GameText(65));
            LookAt(a, {539, 400}, "battle_analysis");
            Click(Button(a, 1));
        });
        Click(Button(d, 1));  // Analysis, which then closes the results
    });
    ResolveBattles();
    EXPECT_EQ(analysed, 1);
    testing::WhenModalShows([](QWidget* d) { Click(Button(d, 2)); });
    EXPECT_EQ(gui::TResolv(fe.results, fe.analysis).ShowModal(), gui::mrOk) << "OK closes the results";

    // The record of the battle, shown again.
    BattleLogLine = 0;
    testing::WhenModalShows([&](QWidget* d) {
        for (TElLabel* label : d->findChildren<TElLabel*>()) EXPECT_TRUE(label->font().bold());
        EXPECT_TRUE(Label(d, 1)->font().underline() && Label(d, 2)->font().underline());
        EXPECT_EQ(CaptionOf(Label(d, 43)) + CaptionOf(Label(d, 44)) + CaptionOf(Label(d, 4)),
                  fe.resolution.place + fe.resolution.unionLeader + fe.resolution.weather);
        LookAt(d, {537, 231}, "replay_resolution");
        Click(Button(d, 1));
    });
    ShowReplayCombatResolution();
    testing::WhenModalShows([&](QWidget* d) {
        const int columns[2][4] = {{2, 114, 156, 205}, {244, 345, 382, 423}};
        ExpectRows(d, columns, {114, 114}, &fe.results);
        for (int r = 1; r <= 10; ++r) {
            EXPECT_EQ(Cell(d, "Union", "Name", r)->font().pixelSize(), 11);
            EXPECT_EQ(Cell(d, "Confederate", "Casualties", r)->font().pixelSize(), 9);
        }
        for (int n : {51, 46, 54, 55}) EXPECT_TRUE(Label(d, n)->font().pixelSize() == 9 && Label(d, n)->font().bold());
        EXPECT_EQ(Label(d, 50)->y(), 348);
        EXPECT_EQ(Label(d, 53)->y(), 368);
        EXPECT_EQ(CaptionOf(Label(d, 53)), fe.results.weapons);
        EXPECT_EQ(Label(d, 46)->Caption(), GameText(664));
        ExpectHeadingOverColumns(d, Label(d, 51), columns[0], columns[1][0]);
        ExpectHeadingOverColumns(d, Label(d, 46), columns[1], 573);
        LookAt(d, {573, 400}, "replay_results");
        Click(Button(d, 2));
    });
    ShowReplayBattleResults();
    InstallFrontend(nullptr);
}

// The whole battle as two persons fight it in the window: the marker on the map, both intensities,
// a fallen commander's successor (the corps dialog opens again until a line is chosen), the
// results and the analysis.
class CombatWindow : public testing::WindowTest {};

// Answers as the persons at the screen will: the highest intensity offered, no line the first
// time a successor is asked for, then the first line.
class ProbeFrontend : public AutomaticFrontend {
public:
    void RunCombatResolution(TCombatResolution& d) override {
        d.Button3Click();
        d.Button4Click();
        d.Button1Click();
    }
    int ChooseBattleIntensity(const TBattleIntensityView& v) override {
        int o = 5;
        while (!v.optionShown[static_cast<std::size_t>(o)]) --o;
        return o;
    }
    int ChooseLeaderSuccessor(const TLeaderSuccessorView& v) override {
        asked.push_back(v);
        return asked.size() == 1 ? -1 : 0;
    }
    std::vector<TLeaderSuccessorView> asked;
};

TEST_F(CombatWindow, APersonFightsAWholeBattleThroughTheDialogsAndTheRecordIsTheScriptedOne) {
    ASSERT_TRUE(CreateWindow());
    // The window has been shown: its first expose is behind it, as at any battle of a game.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
    frontend->battleDialogs = true;
    const int u = NthCorps(1, 1), c = NthCorps(2, 1);
    Gather({u, c}, GameRec->Corps[u].HexX, GameRec->Corps[u].HexY);
    GameRec->Leaders[Commander(u)].Rating = 9;
    GameRec->Nations[2].Human = 1;
    ProbeFrontend probe;
    InstallFrontend(&probe);
    const std::uint64_t seed = FirstSeed(
        [&] {
            probe.asked.clear();
            ResolveBattles();
        },
        [&] { return probe.asked.size() >= 2 && !probe.asked[0].lines.empty() && probe.asked[1].lines.size() == probe.asked[0].lines.size(); });
    InstallFrontend(frontend);
    static TGameRec before, after;
    std::memcpy(static_cast<void*>(&before), GameRec, sizeof before);

    SetRandomSeed(seed);
    std::vector<int> lines;        // the answer to each successor dialog
    std::vector<int> intensities;  // the Union's option, then the Confederacy's
    int analysed = 0;
    std::function<void(QWidget*)> next = [&](QWidget* d) {
        const std::string kind = d->metaObject()->className();
        if (kind == "kvt::gui::TLdr_Dead") {
            if (lines.empty()) {
                LookAt(d, {360, 284}, "leader_casualty");
            } else {
                testing::ClickRow(testing::Control<gui::TElAdvancedListBox>(d, QStringLiteral("ListBox1")), 0);
                if (lines.size() == 1) LookAt(d, {360, 284}, "leader_casualty_clicked");
            }
            lines.push_back(lines.empty() ? -1 : 0);
            testing::WhenModalShows(next);
            Click(Button(d, 1));
        } else if (kind == "kvt::gui::TResolv") {
            testing::WhenModalShows(next);
            Click(Button(d, 1));
        } else {
            ASSERT_EQ(kind, "kvt::gui::TBattleAnalysis");
            ++analysed;
            Click(Button(d, 1));
        }
    };
    testing::WhenModalShows([&](QWidget* d) {
        // The marker stands on the battle hex of the view the repaint settled on.
        EXPECT_EQ(ViewColumn % 2, 1);
        const TBoxPoint at = HexPixel(GameRec->BattleX, GameRec->BattleY);
        const QImage sheet(QStringLiteral("BASEIMG2.BMP"));
        EXPECT_EQ(window->BattleMap()->Surface().copy(at.x, at.y, 23, 23).convertToFormat(QImage::Format_RGB32),
                  sheet.copy(0, 122, 23, 23).convertToFormat(QImage::Format_RGB32));
        testing::SaveScreenshot(window.get(), QStringLiteral("main_window_battle_marker"));
        window->FormPaint();
        EXPECT_NE(window->BattleMap()->Surface().copy(at.x, at.y, 23, 23).convertToFormat(QImage::Format_RGB32),
                  sheet.copy(0, 122, 23, 23).convertToFormat(QImage::Format_RGB32)) << "the next repaint wipes it";
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Combat resolution"));
        EXPECT_EQ(Button(d, 3)->Caption(), GameText(516));
        EXPECT_TRUE(Button(d, 3)->isEnabled() && Button(d, 4)->isEnabled() && !Button(d, 1)->isEnabled());
        LookAt(d, {537, 231}, "combat_resolution");
        // Each side clicks every option offered, the highest last.
        auto choose = [&](QWidget* i) {
            if (intensities.empty()) LookAt(i, {660, 284}, "battle_intensity_rating_9");
            int chosen = 0;
            for (int o = 1; o <= 5; ++o)
                if (testing::Radio(i, o)->isVisible()) {
                    Click(testing::Radio(i, o));
                    chosen = o;
                }
            intensities.push_back(chosen);
            Click(Button(i, 1));
        };
        testing::WhenModalShows(choose);
        Click(Button(d, 3));
        testing::WhenModalShows(choose);
        Click(Button(d, 4));
        ASSERT_EQ(intensities.size(), 2u);
        EXPECT_TRUE(!Button(d, 3)->isVisible() && !Button(d, 4)->isVisible() && Button(d, 1)->isEnabled());
        LookAt(d, {537, 231}, "combat_resolution_after_intensity");
        testing::WhenModalShows(next);
        Click(Button(d, 1));
    });
    ResolveBattles();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(analysed, 1);
    EXPECT_EQ(std::vector<int>({CombatWords.UnionIntensity, CombatWords.ConfederateIntensity}),
              intensities);
    EXPECT_EQ(intensities[0], 5);
    std::memcpy(static_cast<void*>(&after), GameRec, sizeof after);

    // The same battle with the scripted frontend.
    std::memcpy(static_cast<void*>(GameRec), &before, sizeof before);
    SetRandomSeed(seed);
    {
        testing::ScriptedFrontend fe;
        fe.AllowAnyWaits(true);
        fe.ExpectCombatResolution([](TCombatResolution& d) {
            d.Button3Click();
            d.Button4Click();
            d.Button1Click();
        });
        fe.ExpectBattleIntensity(intensities[0]);
        fe.ExpectBattleIntensity(intensities[1]);
        for (int line : lines) fe.ExpectLeaderSuccessor(line);
        fe.ExpectBattleResults();
        ResolveBattles();
    }
    InstallFrontend(frontend);
    EXPECT_EQ(std::memcmp(GameRec, &after, sizeof after), 0);
}

}  // namespace
}  // namespace kvt

// The main window on the 1861 start point: start-up and its failures, clicks, drags, keys and
// minimap on the map, the menus before, during and after a turn, a whole turn through the menu,
// saving and loading through the file dialogs, the toggles, edge scrolling and closing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include <filesystem>

#include "engine/core/calendar.h"
#include "engine/core/game_files.h"
#include "engine/core/globals.h"
#include "engine/core/main_menu.h"
#include "engine/core/map_input.h"
#include "engine/core/map_view_rules.h"
#include "engine/core/notice.h"
#include "engine/core/selection.h"
#include "engine/core/text_table.h"
#include "engine/core/turn_menus.h"
#include "gui/main/map_box.h"
#include "gui/platform/file_dialogs.h"
#include "gui/platform/help_viewer.h"
#include "gui/ui/hotspots.h"
#include "gui/ui/labels.h"
#include "gui/ui/panel.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/main_window_support.h"

namespace kvt::testing {
namespace {

namespace fs = std::filesystem;

// How many objects of the played side and spotted enemies stand at a hex (what a click collects).
int ObjectsAt(int column, int row) {
    ClickedHex = {static_cast<std::uint16_t>(column), static_cast<std::uint16_t>(row)};
    CollectAllAtClickedHex();
    const int n = SelectionList.Count;
    SelectionList.Count = 0;
    return n;
}

// A corps of the side played standing alone at its hex, with room around it for a route east.
int LoneUnionCorps() {
    for (int c = 1; c <= kCorpsCount; ++c) {
        const TCorpsRec& k = GameRec->Corps[c];
        if (!CorpsInUse(k) || k.Side != kUnion || k.HexX < 5 || k.HexX > 70 || k.HexY < 5 || k.HexY > 48) continue;
        if (ObjectsAt(k.HexX, k.HexY) == 1) return c;
    }
    return 0;
}

int LoneUnionCity() {
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& c = GameRec->Cities[i];
        if (c.Owner == kUnion && c.HexX != 0 && ObjectsAt(c.HexX, c.HexY) == 1) return i;
    }
    return 0;
}

// Whether a corps is the last thing drawn at its hex (no higher corps, no headquarters on it).
bool DrawnOnTop(int corps) {
    const TCorpsRec& k = GameRec->Corps[corps];
    for (int j = corps + 1; j <= kCorpsCount; ++j)
        if (CorpsInUse(GameRec->Corps[j]) && GameRec->Corps[j].HexX == k.HexX && GameRec->Corps[j].HexY == k.HexY) return false;
    for (const TArmyRec& a : GameRec->Armies)
        if (a.BaseCity != 0 && a.Nation != 0 && GameRec->Cities[a.BaseCity].HexX == k.HexX &&
            GameRec->Cities[a.BaseCity].HexY == k.HexY)
            return false;
    return true;
}

// A Confederate corps (computer-played, so hidden unless spotted) whose symbol nothing covers.
int ConfederateCorps() {
    for (int c = 1; c <= kCorpsCount; ++c)
        if (CorpsInUse(GameRec->Corps[c]) && GameRec->Corps[c].Side == kConfederacy && DrawnOnTop(c) &&
            CorpsSymbol(c).drawn)
            return c;
    return 0;
}

QString Text(gui::TElPanel* panel) { return panel->Caption(); }

// Mouse events straight to the map box, as the window system delivers them during a drag.
void SendMouse(QWidget* box, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(at), box->mapToGlobal(QPointF(at)), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, Qt::NoModifier);
    QApplication::sendEvent(box, &event);
}

// The box pixels of one symbol cell drawn at a hex.
QImage CellAt(const QImage& box, TBoxPoint hex) { return box.copy(hex.x + 4, hex.y + 4, 23, 23); }

TEST_F(WindowTest, StartsOnTheChosenStartPointWithItsMenusCaptionedFromTheTexts) {
    struct Case { int answer; const char* base; };
    for (const Case& c : {Case{1, "1861."}, Case{2, "1862."}, Case{3, "1863."}}) {
        SCOPED_TRACE(c.base);
        configure = [&](TTestFrontend& f) { f.scenarioAnswers = {c.answer}; };
        ASSERT_TRUE(CreateWindow());
        EXPECT_EQ(GameFileBase, c.base);
        EXPECT_EQ(GameStatus, 0);
        EXPECT_EQ(SidePlayed, 1) << "the setup gave the Union to a person";
        EXPECT_EQ(Text(window->DatePanel()), QString::fromStdString(DateText()));
        EXPECT_EQ(window->size(), QSize(1022, 722));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Drennovar III  v2.5"));
        EXPECT_EQ(window->menuBar()->actions().first()->text(), QString::fromStdString(kvt::Text(426)));
        EXPECT_EQ(window->ActionNamed("CorpsOrders1")->text(), QString::fromStdString(kvt::Text(448)));
        EXPECT_EQ(window->SideChangeAction()->text(), QString::fromStdString(kvt::Text(465)));
        EXPECT_FALSE(window->Timer1()->isActive());
        EXPECT_EQ(window->Timer1()->interval(), 1000);
        for (int e = 0; e < 4; ++e) EXPECT_TRUE(window->Hotspot(e)->Active());
        EXPECT_EQ(static_cast<QProgressBar*>(window->TurnProgressGauge())->value(), 0);
        // The map box shows the map picture at the view's origin where no unit stands.
        const QImage map(QStringLiteral("NEWMAP.BMP"));
        const QImage& box = window->BattleMap()->Surface();
        EXPECT_EQ(box.pixel(1000, 3), map.pixel((ViewColumn - 1) * 28 + 1000, (ViewRow - 1) * 28 + 3));
        window->close();
        window.reset();
    }
}

TEST_F(WindowTest, AMissingGameFileIsNamedAndTheProgramEnds) {
    for (const std::string missing : {"KVT_ENG.TXT", "BASEIMG3.BMP", "NEWMAP.BMP", "1861.kvt"}) {
        SCOPED_TRACE(missing);
        MakeGameFolder({missing});
        QString shown;
        WhenModalShows([&shown](QWidget* box) {
            for (QLabel* l : box->findChildren<QLabel*>()) shown += l->text();
            static_cast<QDialog*>(box)->done(1);
        });
        EXPECT_FALSE(CreateWindow());
        EXPECT_TRUE(shown.contains(QString::fromStdString(missing))) << shown.toStdString();
        EXPECT_EQ(frontend->scenarioChoices, 0) << "no game is offered without its files";
        EXPECT_FALSE(window->Hotspot(0)->Active());
        window.reset();
    }
}

TEST_F(WindowTest, ARightClickSelectsTheCityAtTheHex) {
    ASSERT_TRUE(CreateWindow());
    const int city = LoneUnionCity();
    ASSERT_NE(city, 0);
    const TCityRec& c = GameRec->Cities[city];
    QTest::mouseClick(window->BattleMap(), Qt::RightButton, {}, HexCentre(c.HexX, c.HexY));
    EXPECT_EQ(SelectedCity, city);
    EXPECT_EQ(Text(window->IdPanel()), QString::fromStdString(c.Name.str()));
    EXPECT_TRUE(window->Action(MenuItem::CityOrders1)->isEnabled());
    EXPECT_FALSE(window->Action(MenuItem::CorpsOrders1)->isEnabled());
    EXPECT_EQ(window->IdPanel()->Color(), gui::clNavy) << "the Union's panel";
}

TEST_F(WindowTest, ARightClickOnASpottedEnemyCorpsDescribesIt) {
    ASSERT_TRUE(CreateWindow());
    const int enemy = ConfederateCorps();
    ASSERT_NE(enemy, 0);
    TCorpsRec& e = GameRec->Corps[enemy];
    e.Visibility = 2;
    const int leader = e.Leader;
    QTest::mouseClick(window->BattleMap(), Qt::RightButton, {}, HexCentre(e.HexX, e.HexY));
    ASSERT_FALSE(frontend->notices.empty());
    EXPECT_EQ(frontend->notices.back().lines[1], GameRec->Leaders[leader].Name.str());
    EXPECT_FALSE(window->Action(MenuItem::CorpsOrders1)->isEnabled());
}

TEST_F(WindowTest, PressDragAndReleaseWriteACorpsRouteAndDestination) {
    ASSERT_TRUE(CreateWindow());
    const int corps = LoneUnionCorps();
    ASSERT_NE(corps, 0);
    TCorpsRec& k = GameRec->Corps[corps];
    const int x = k.HexX, y = k.HexY;
    const QPoint start = HexCentre(x, y);
    for (int s = 1; s <= 9; ++s) k.Route[s] = 0;
    // Three steps south, then one south-east.
    const std::pair<int, int> path[] = {{x, y + 1}, {x, y + 2}, {x, y + 3}};
    SendMouse(window->BattleMap(), QEvent::MouseButtonPress, Qt::LeftButton, start);
    EXPECT_EQ(SelectedCorps, corps);
    EXPECT_TRUE(Text(window->IdPanel()).endsWith(QString::fromStdString(kvt::Text(459))));
    const QImage before = window->BattleMap()->Surface().copy();
    for (auto [c, r] : path) SendMouse(window->BattleMap(), QEvent::MouseMove, Qt::NoButton, HexCentre(c, r));
    const int east = x + 1;
    const int southEast = (x % 2 == 0) ? y + 4 : y + 3;
    SendMouse(window->BattleMap(), QEvent::MouseMove, Qt::NoButton, HexCentre(east, southEast));
    // A marker now shows where the first step leaves the corps' hex.
    const TBoxPoint first = HexPixel(x, y);
    EXPECT_NE(window->BattleMap()->Surface().copy(first.x + 8, first.y + 8, 12, 12), before.copy(first.x + 8, first.y + 8, 12, 12));
    SaveScreenshot(window.get(), QStringLiteral("main_window_route_drawn"));
    SendMouse(window->BattleMap(), QEvent::MouseButtonRelease, Qt::LeftButton, HexCentre(east, southEast));
    EXPECT_EQ(k.DestX, east);
    EXPECT_EQ(k.DestY, southEast);
    const int want[] = {4, 4, 4, 3, 0};
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(k.Route[s], want[s - 1]) << "step " << s;
    EXPECT_EQ(window->IdPanel()->FontColor(), gui::clRed) << "a corps with a route";
    EXPECT_EQ(window->LocationLabel()->Caption(), QStringLiteral("%1,%2").arg(east).arg(southEast));
    // The next press erases the markers.
    SendMouse(window->BattleMap(), QEvent::MouseButtonPress, Qt::LeftButton, start);
    EXPECT_EQ(window->BattleMap()->Surface().copy(first.x + 8, first.y + 8, 12, 12),
              window->BackBuffer().copy(first.x + 8, first.y + 8, 12, 12));
    SendMouse(window->BattleMap(), QEvent::MouseButtonRelease, Qt::LeftButton, start);
}

TEST_F(WindowTest, ArrowKeysAndTheMinimapMoveTheViewWithinTheMap) {
    ASSERT_TRUE(CreateWindow());
    ViewColumn = 1;
    ViewRow = 1;
    window->FormPaint();
    // Each press scrolls on the key's press and again on its release.
    struct Case { Qt::Key key; int presses, column, row; };
    const Case cases[] = {
        {Qt::Key_Right, 1, 5, 1}, {Qt::Key_Down, 2, 5, 5},   {Qt::Key_Left, 1, 1, 5},
        {Qt::Key_Up, 1, 1, 3},    {Qt::Key_Right, 30, 41, 3}, {Qt::Key_Down, 40, 41, 32},
        {Qt::Key_Up, 40, 41, 1},  {Qt::Key_Left, 40, 1, 1},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < c.presses; ++i) QTest::keyClick(window.get(), c.key);
        EXPECT_EQ(ViewColumn, c.column) << "key " << c.key;
        EXPECT_EQ(ViewRow, c.row) << "key " << c.key;
    }
    struct Mini { int x, y, column, row; };
    for (const Mini& m : {Mini{75, 53, 41, 32}, Mini{20, 10, 19, 10}, Mini{1, 2, 1, 2}}) {
        QTest::mouseClick(window->StratMap(), Qt::LeftButton, {}, QPoint(m.x, m.y));
        EXPECT_EQ(ViewColumn, m.column);
        EXPECT_EQ(ViewRow, m.row);
        // The view's red rectangle on the minimap, until the next repaint.
        EXPECT_EQ(QColor(window->StratMap()->Surface().pixel(m.column, m.row)), QColor(Qt::red));
    }
    window->FormPaint();
    EXPECT_NE(QColor(window->StratMap()->Surface().pixel(1, 1)), QColor(Qt::red));
}

TEST_F(WindowTest, MenusFollowTheTurnAndAWholeTurnRunsThroughTheMenu) {
    ASSERT_TRUE(CreateWindow());
    const std::string dateBefore = DateText();
    QAction* execute = window->Action(MenuItem::Execute1);
    struct State { bool load, save, execute, executeButton, quit, forceStatus, raiseCorps; };
    auto state = [&] {
        return State{window->Action(MenuItem::LoadGame1)->isEnabled(), window->Action(MenuItem::SaveGame1)->isEnabled(),
                     execute->isEnabled(), window->SpeedButton(1)->isEnabled(), window->Action(MenuItem::Quit1)->isEnabled(),
                     window->Action(MenuItem::ForceStatus1)->isEnabled(), window->Action(MenuItem::RaiseCorps1)->isEnabled()};
    };
    auto expect = [](const State& s, const State& want, const char* when) {
        EXPECT_EQ(s.load, want.load) << when;
        EXPECT_EQ(s.save, want.save) << when;
        EXPECT_EQ(s.execute, want.execute) << when;
        EXPECT_EQ(s.executeButton, want.executeButton) << when;
        EXPECT_EQ(s.quit, want.quit) << when;
        EXPECT_EQ(s.forceStatus, want.forceStatus) << when;
        EXPECT_EQ(s.raiseCorps, want.raiseCorps) << when;
    };
    expect(state(), {true, true, true, true, true, true, true}, "before the turn");
    EXPECT_FALSE(window->SpeedButton(2)->isEnabled()) << "no playback outside a mail game";
    // The player sends a few corps two columns east.
    std::vector<std::pair<int, THexPos>> ordered;
    for (int c = 1; c <= kCorpsCount && ordered.size() < 6; ++c) {
        TCorpsRec& k = GameRec->Corps[c];
        if (!CorpsInUse(k) || k.Side != kUnion || k.HexX > 70) continue;
        k.DestX = static_cast<U8>(k.HexX + 2);
        k.DestY = k.HexY;
        k.OrderMode = 2;
        ordered.push_back({c, THexPos{k.HexX, k.HexY}});
    }
    ASSERT_FALSE(ordered.empty());
    auto movedSoFar = [&] {
        int n = 0;
        for (auto [c, from] : ordered)
            if (GameRec->Corps[c].HexX != from.X || GameRec->Corps[c].HexY != from.Y) ++n;
        return n;
    };
    execute->trigger();
    EXPECT_TRUE(window->Timer1()->isActive());
    expect(state(), {false, false, false, false, false, false, false}, "during the turn");
    EXPECT_EQ(SidePlayed, 0) << "nobody gives orders while the turn moves";
    EXPECT_FALSE(window->SideChangeAction()->isEnabled());
    // Part of the movement, then a picture of it.
    window->Timer1()->setInterval(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return (movedSoFar() >= 2 && frontend->lastDrawnCorps != 0) || !Timer1Enabled(); }, 60000));
    ASSERT_TRUE(Timer1Enabled()) << "the ordered corps move during the turn";
    window->Timer1()->stop();
    // The view follows the last corps shown: its hex 8 columns right of (9 where the first column
    // had to be made odd) and 4 rows below the view's corner, and its symbol drawn there.
    const int shown = frontend->lastDrawnCorps;
    const TCorpsRec& k = GameRec->Corps[shown];
    if (k.HexX >= 9 && k.HexX - 8 <= kLastViewColumn) EXPECT_TRUE(k.HexX - ViewColumn == 8 || k.HexX - ViewColumn == 9);
    if (k.HexY >= 5 && k.HexY - 4 <= kLastViewRow) EXPECT_EQ(k.HexY - ViewRow, 4);
    const TCorpsSymbol symbol = CorpsSymbol(shown);
    const QImage sheet = QImage(QStringLiteral("BASEIMG2.BMP")).convertToFormat(QImage::Format_RGB32);
    const TBoxPoint at = HexPixel(k.HexX, k.HexY);
    EXPECT_EQ(window->BattleMap()->Surface().pixel(at.x + 16, at.y + 6), sheet.pixel(symbol.cell.x + 12, symbol.cell.y + 2));
    const int gauge = static_cast<QProgressBar*>(window->TurnProgressGauge())->value();
    EXPECT_GE(gauge, 110);
    EXPECT_LT(gauge, 300);
    SaveScreenshot(window.get(), QStringLiteral("main_window_1861_moving"));
    window->Timer1()->start();
    ASSERT_TRUE(RunTurnToEnd());
    expect(state(), {true, true, true, true, true, true, true}, "after the turn");
    EXPECT_TRUE(window->SideChangeAction()->isEnabled());
    EXPECT_EQ(SidePlayed, 1);
    EXPECT_NE(DateText(), dateBefore);
    EXPECT_EQ(Text(window->DatePanel()), QString::fromStdString(DateText()));
    EXPECT_EQ(static_cast<QProgressBar*>(window->TurnProgressGauge())->value(), 0);
    EXPECT_TRUE(fs::exists("Autosave.KVT")) << "the game as ordered is saved in the game's folder";
    EXPECT_GE(window->TicksRun(), 28) << "at least one tick for each of 19 fleet and 9 corps passes";
    EXPECT_GE(movedSoFar(), 2);
}

// Fills the file dialog's name and accepts it, once it shows; records its filters.
void AnswerFileDialog(const QString& name, QStringList* filters) {
    WhenModalShows([name, filters](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        if (filters) *filters = dialog->nameFilters();
        if (name.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(name);
        static_cast<QDialog*>(dialog)->accept();
    });
}

TEST_F(WindowTest, SavingAndLoadingGoThroughTheFileDialogs) {
    ASSERT_TRUE(CreateWindow());
    GameRec->Corps[1].Fatigue = 77;
    QStringList saveFilters, openFilters;
    AnswerFileDialog(QString::fromStdString(folder + "/campaign.kvt"), &saveFilters);
    window->Action(MenuItem::SaveGame1)->trigger();
    EXPECT_TRUE(fs::exists(folder + "/campaign.KVT"));
    EXPECT_TRUE(fs::exists(folder + "/campaign.KVM"));
    EXPECT_EQ(saveFilters, gui::DialogNameFilters(QStringLiteral("kvt|*.kvt")));
    // The saved names are upper case: the Open dialog's filter still matches them.
    EXPECT_TRUE(gui::MatchesFilter(QStringLiteral("campaign.KVT"), gui::ParseFilter(QStringLiteral("kvt|*.kvt"))[0]));

    GameRec->Corps[1].Fatigue = 5;
    ViewColumn = 21;
    AnswerFileDialog(QString::fromStdString(folder + "/campaign.KVT"), &openFilters);
    window->Action(MenuItem::LoadGame1)->trigger();
    EXPECT_EQ(openFilters, gui::DialogNameFilters(QStringLiteral("kvt|*.kvt|orn|*.orn")));
    EXPECT_EQ(GameRec->Corps[1].Fatigue, 77) << "the saved game is back";
    EXPECT_EQ(GameFileBase, folder + "/campaign.");
    EXPECT_EQ(SidePlayed, 1);

    // A cancelled Open dialog keeps the game in play.
    GameRec->Corps[1].Fatigue = 9;
    AnswerFileDialog(QString(), nullptr);
    window->Action(MenuItem::LoadGame1)->trigger();
    EXPECT_EQ(GameRec->Corps[1].Fatigue, 9);
    EXPECT_EQ(SidePlayed, 1);
    EXPECT_TRUE(window->Action(MenuItem::ForceStatus1)->isEnabled());
}

TEST_F(WindowTest, AtStartUpACancelledOpenDialogLeadsBackToTheScenarioChoice) {
    configure = [](TTestFrontend& f) { f.scenarioAnswers = {4, 2}; };
    AnswerFileDialog(QString(), nullptr);
    ASSERT_TRUE(CreateWindow());
    EXPECT_EQ(frontend->scenarioChoices, 2);
    EXPECT_EQ(GameFileBase, "1862.");
}

TEST_F(WindowTest, TogglesRedrawTheMapAndTheHiddenEnemyShowsWhenRevealed) {
    ASSERT_TRUE(CreateWindow());
    const int enemy = ConfederateCorps();
    ASSERT_NE(enemy, 0);
    TCorpsRec& e = GameRec->Corps[enemy];
    e.Visibility = 0;
    HexCentre(e.HexX, e.HexY);
    const TBoxPoint at = CorpsDrawPosition(enemy);
    const QImage hidden = CellAt(window->BattleMap()->Surface(), at);
    EXPECT_TRUE(window->HiddenAction()->isChecked());
    SaveScreenshot(window.get(), QStringLiteral("main_window_1861_enemy_hidden"));
    window->HiddenAction()->trigger();
    EXPECT_EQ(GameRec->EnemyVisibility, 3);
    EXPECT_FALSE(window->HiddenAction()->isChecked());
    EXPECT_NE(CellAt(window->BattleMap()->Surface(), at), hidden) << "the enemy corps is drawn";
    SaveScreenshot(window.get(), QStringLiteral("main_window_1861_enemy_shown"));
    window->HiddenAction()->trigger();
    EXPECT_EQ(CellAt(window->BattleMap()->Surface(), at), hidden);

    // The hex grid outlines controlled hexes in their side's colour.
    const QImage plain = window->BattleMap()->Surface().copy();
    window->SpeedButton(3)->click();
    EXPECT_TRUE(HexGridShown);
    int navy = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (QColor(window->BattleMap()->Surface().pixel(x, y)) == QColor(0, 0, 128) && QColor(plain.pixel(x, y)) != QColor(0, 0, 128))
                ++navy;
    EXPECT_GT(navy, 100) << "navy outlines of Union hexes";
    SaveScreenshot(window.get(), QStringLiteral("main_window_1861_hex_grid"));
    window->ActionNamed("HexOutline1")->trigger();
    EXPECT_EQ(window->BattleMap()->Surface(), plain);

    EXPECT_EQ(window->SpeedButton(4)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    window->SpeedButton(4)->click();
    EXPECT_FALSE(FleetMovesShown);
    EXPECT_FALSE(window->VisibleFleetMovesAction()->isChecked());
    window->FormPaint();
    EXPECT_EQ(window->SpeedButton(4)->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
}

TEST_F(WindowTest, TheViewAtThreePlacesShowsEveryVisibleCorpsFromItsSheetCell) {
    ASSERT_TRUE(CreateWindow());
    const QImage sheet = QImage(QStringLiteral("BASEIMG2.BMP")).convertToFormat(QImage::Format_RGB32);
    struct Place { int column, row; const char* name; };
    int checked = 0;
    for (const Place& p : {Place{1, 1, "main_window_1861_northwest"}, Place{29, 9, "main_window_1861_east"},
                           Place{17, 24, "main_window_1861_south"}}) {
        ViewColumn = static_cast<std::uint16_t>(p.column);
        ViewRow = static_cast<std::uint16_t>(p.row);
        window->FormPaint();
        SaveScreenshot(window.get(), QString::fromLatin1(p.name));
        const QImage& box = window->BattleMap()->Surface();
        for (int c = 1; c <= kCorpsCount; ++c) {
            const TCorpsRec& k = GameRec->Corps[c];
            if (!CorpsInUse(k) || !HexInView(k.HexX, k.HexY) || k.HexX >= p.column + ViewColumns - 1 ||
                k.HexY >= p.row + ViewRows - 1 || !DrawnOnTop(c))
                continue;
            const TCorpsSymbol symbol = CorpsSymbol(c);
            const TBoxPoint at = CorpsDrawPosition(c);
            // Row 2 of the cell lies above the number label and the strength bar.
            const QRgb shown = box.pixel(at.x + 4 + 12, at.y + 4 + 2);
            const QRgb cell = sheet.pixel(symbol.cell.x + 12, symbol.cell.y + 2);
            EXPECT_EQ(shown == cell, CorpsShown(c) && symbol.drawn) << "corps " << c << " at " << int(k.HexX) << "," << int(k.HexY);
            ++checked;
        }
    }
    EXPECT_GT(checked, 10) << "the three views hold many corps";
}

TEST_F(WindowTest, TheRightEdgeScrollsTheViewTwoColumnsPerTick) {
    ASSERT_TRUE(CreateWindow());
    ViewColumn = 35;
    window->FormPaint();
    gui::TBI_Hotspot* right = window->Hotspot(3);
    const QRect strip = gui::EdgeHotspotRects(window->frameGeometry()).Right;
    bool inStrip = true;
    right->SetCursorSource([&] { return inStrip ? strip.center() : QPoint(-1000, -1000); });
    std::vector<int> columns;
    for (int tick = 0; tick < 5; ++tick) {
        inStrip = true;
        right->CheckCursor();
        inStrip = false;
        columns.push_back(ViewColumn);
    }
    EXPECT_EQ(columns, (std::vector<int>{37, 39, 41, 41, 41}));
    // The strips follow the window when it moves.
    window->move(window->pos() + QPoint(40, 30));
    QApplication::processEvents();
    EXPECT_EQ(right->RectRight, gui::EdgeHotspotRects(window->frameGeometry()).Right.right());
}

TEST_F(WindowTest, ClosingStopsTheTimerAndTheHotspots) {
    ASSERT_TRUE(CreateWindow());
    window->Action(MenuItem::Execute1)->trigger();
    ASSERT_TRUE(window->Timer1()->isActive());
    window->close();
    EXPECT_FALSE(window->Timer1()->isActive());
    for (int e = 0; e < 4; ++e) EXPECT_FALSE(window->Hotspot(e)->Active());
    const int ticks = window->TicksRun();
    QTest::qWait(30);
    EXPECT_EQ(window->TicksRun(), ticks);
}

TEST_F(WindowTest, QuitAsksFirstAndASideWithNoPersonCannotBeChosen) {
    configure = [](TTestFrontend& f) {
        f.setup = [] {
            GameRec->Nations[kNationUnion].Human = 0;
            GameRec->Nations[kNationConfederacy].Human = 0;
        };
    };
    ASSERT_TRUE(CreateWindow());
    EXPECT_FALSE(window->SideChangeAction()->isEnabled()) << "nobody to choose";
    EXPECT_EQ(SidePlayed, 0);
    frontend->noticeAnswers = {2};
    window->ActionNamed("Quit1")->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(GameStatus, 0);
    frontend->noticeAnswers = {1};
    window->ActionNamed("Quit1")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(GameStatus, 1);
}

TEST_F(WindowTest, HelpOpensAtItsContentsAndADelayReachesTheTimer) {
    ASSERT_TRUE(CreateWindow());
    QString topic;
    WhenModalShows([&topic](QWidget* w) {
        if (auto* viewer = qobject_cast<gui::THelpViewer*>(w)) topic = viewer->Topic();
        static_cast<QDialog*>(w)->done(1);
    });
    window->ActionNamed("Encyclopedia1")->trigger();
    EXPECT_EQ(topic, QStringLiteral("Contents"));
    // The delay dialog opens from its tool button; the delay chosen there is the timer's interval,
    // also while the turn moves.
    int shown = 0;
    WhenModalShows([&shown](QWidget* w) {
        ++shown;
        static_cast<QDialog*>(w)->done(1);
    });
    window->SpeedButton(5)->click();
    EXPECT_EQ(shown, 1);
    window->Action(MenuItem::Execute1)->trigger();
    SetMovementDelay(2);
    EXPECT_EQ(window->Timer1()->interval(), 200);
    EXPECT_TRUE(window->Timer1()->isActive());
    SetMovementDelay(5);
    EXPECT_EQ(window->Timer1()->interval(), 1000);
}

TEST_F(WindowTest, TheWindowsOwnFrontendOpensTheGamesDialogs) {
    // The window as the program creates it: its waits open real modal dialogs.
    window = std::make_unique<gui::TKVTSDI>();
    for (int e = 0; e < 4; ++e) window->Hotspot(e)->SetCursorSource([] { return QPoint(-1000, -1000); });
    std::vector<QString> titles;
    WhenModalShows([&titles](QWidget* choice) {
        titles.push_back(choice->windowTitle());
        EventNotice.Answer = 1;  // the 1861 start point
        static_cast<QDialog*>(choice)->done(1);
    });
    ASSERT_TRUE(window->FormCreate());
    window->show();
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], QString::fromStdString(kvt::Text(612)));
    EXPECT_EQ(GameFileBase, "1861.");
    EXPECT_EQ(SidePlayed, 1) << "a new game gives the Union to a person until the setup is chosen";
    // The about box of the Game menu.
    int shown = 0;
    WhenModalShows([&shown](QWidget* about) {
        ++shown;
        static_cast<QDialog*>(about)->done(1);
    });
    window->ActionNamed("About1")->trigger();
    EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace kvt::testing

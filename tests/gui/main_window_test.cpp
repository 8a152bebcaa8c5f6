// The main window on the 1861 start point: start-up and its failures, clicks, drags, keys and
// minimap on the map, the menus before, during and after a turn, a whole turn through the menu,
// saving and loading through the file dialogs, the toggles, edge scrolling and closing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QTextBrowser>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "engine/movement/selection.h"
#include "engine/turn/game_start.h"
#include "engine/view/main_menu.h"
#include "engine/view/map_input.h"
#include "engine/view/map_view_rules.h"
#include "engine/view/turn_menus.h"
#include "engine/world/calendar.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/notice.h"
#include "engine/world/text_table.h"
#include "gui/dialogs/core/scenario_choice.h"
#include "gui/main/map_box.h"
#include "gui/main/map_painter.h"
#include "gui/platform/file_dialogs.h"
#include "gui/platform/form.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/message_box.h"
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
    // Each choice's start point is the engine's to load (GameStart); one shows the window takes it.
    configure = [&](TTestFrontend& f) { f.scenarioAnswers = {2}; };
    ASSERT_TRUE(CreateWindow());
    EXPECT_EQ(GameFileBase, "1862.");
    EXPECT_EQ(GameStatus, 0);
    EXPECT_EQ(SidePlayed, 1) << "the setup gave the Union to a person";
    EXPECT_EQ(Text(window->DatePanel()), QString::fromStdString(DateText()));
    EXPECT_EQ(window->frameGeometry().size(), QSize(1022, 722)) << "the frame, not the inside, is 1022 x 722";
    // The whole map box and minimap show inside the frame.
    for (QWidget* box : {static_cast<QWidget*>(window->BattleMap()), static_cast<QWidget*>(window->StratMap())})
        EXPECT_TRUE(window->rect().contains(QRect(box->mapTo(window.get(), QPoint(0, 0)), box->size())))
            << box->objectName().toStdString();
    EXPECT_EQ(window->BattleMap()->size(), QSize(1003, 633));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Drennovar III  v2.5"));
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

// Qt's -qwindowtitle option would give the first main window shown its own title: the test runs
// itself again, started with the option, and that run reads the title bar.
TEST_F(WindowTest, ItsTitleBarReadsTheProgramsCaptionThoughTheGameIsStartedWithQtsTitleOption) {
    const char* rerun = "KVT_STARTED_WITH_QT_TITLE_OPTION";
    if (qEnvironmentVariableIsSet(rerun)) {
        ASSERT_TRUE(CreateWindow());
        EXPECT_EQ(TitleBarText(window.get()).toStdString(), "Drennovar III  v2.5");
        return;
    }
    const ::testing::TestInfo* self = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(rerun), QStringLiteral("1"));
    QProcess started;
    started.setProcessEnvironment(environment);
    started.setProcessChannelMode(QProcess::MergedChannels);
    started.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=%1.%2").arg(QString::fromLatin1(self->test_suite_name()),
                                                             QString::fromLatin1(self->name())),
                   QStringLiteral("-qwindowtitle"), QStringLiteral("Other")});
    ASSERT_TRUE(started.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(started.readAll());
    EXPECT_EQ(started.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test."))) << output.toStdString();
}

TEST(WindowSize, TheFrameIs1022By722WhereverTheLayoutStillShowsWhole) {
    const QSize layout(1014, 711);
    struct Case { QMargins frame; QSize client; };
    const Case cases[] = {
        {QMargins(0, 0, 0, 0), QSize(1022, 722)},     // no frame: the inside is the whole window
        {QMargins(2, 2, 2, 2), QSize(1018, 718)},
        {QMargins(1, 10, 1, 1), QSize(1020, 711)},
        {QMargins(4, 23, 4, 4), QSize(1014, 711)},    // a title bar would hide the minimap: the frame grows
        {QMargins(6, 30, 6, 6), QSize(1014, 711)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gui::ClientSizeForFrame(c.frame, layout), c.client) << c.frame.left() << "," << c.frame.top();
}

TEST_F(WindowTest, EveryMenuIsCaptionedWithItsText) {
    // Nobody plays, so the side item keeps the caption it is given at start.
    configure = [](TTestFrontend& f) {
        f.setup.unionPerson = f.setup.confederatePerson = false;
    };
    ASSERT_TRUE(CreateWindow());
    struct Caption { const char* item; int text; };
    const Caption captions[] = {
        {"Game1", 426},          {"Settings1", 468},      {"National1", 433},     {"Overviews1", 469},
        {"Troops1", 441},        {"Misc1", 446},          {"LoadGame1", 427},     {"SaveGame1", 428},
        {"Execute1", 429},       {"Playback1", 430},      {"About1", 432},        {"Quit1", 431},
        {"SideChange", 464},     {"Hidden1", 472},        {"Speed1", 474},        {"HexOutline1", 475},
        {"Encyclopedia1", 476},  {"Conditions1", 434},    {"ForceStatus1", 435},  {"Production1", 436},
        {"Draft1", 437},         {"States1", 438},        {"Transfers1", 439},    {"Leadership1", 440},
        {"ForceOverview1", 470}, {"FleetOverview1", 471}, {"ArmBrigades1", 442},  {"RaiseArmy1", 443},
        {"RaiseCorps1", 444},    {"RaiseFleet1", 445},    {"CorpsOrders1", 448},  {"CityOrders1", 450},
        {"ArmyOrders1", 449},    {"FleetOrders1", 451},
    };
    ASSERT_EQ(std::size(captions), 34u);
    for (const Caption& c : captions) {
        QString shown;
        if (auto* menu = window->findChild<QMenu*>(QLatin1String(c.item))) shown = menu->title();
        else if (QAction* action = window->ActionNamed(c.item)) shown = action->text();
        else ADD_FAILURE() << "no menu item " << c.item;
        EXPECT_EQ(shown.toStdString(), kvt::Text(c.text)) << c.item;
        EXPECT_FALSE(shown.isEmpty()) << c.item;
    }
    // The six menus stand in the bar in their order.
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 6);
    const int titles[] = {426, 468, 433, 469, 441, 446};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(bar[i]->text().toStdString(), kvt::Text(titles[i]));
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
    // The lone city's orders open at once.
    QString shownCity;
    WhenModalShows([&shownCity](QWidget* d) {
        shownCity = d->findChild<gui::TElLabel*>(QStringLiteral("Label1"))->Caption();
        static_cast<gui::TForm*>(d)->SetModalResult(gui::mrOk);
    });
    QTest::mouseClick(window->BattleMap(), Qt::RightButton, {}, HexCentre(c.HexX, c.HexY));
    EXPECT_EQ(shownCity, QString::fromStdString(c.Name.str()));
    EXPECT_EQ(SelectedCity, city);
    EXPECT_EQ(Text(window->IdPanel()), QString::fromStdString(c.Name.str()));
    EXPECT_TRUE(window->Action(MenuItem::CityOrders1)->isEnabled());
    EXPECT_FALSE(window->Action(MenuItem::CorpsOrders1)->isEnabled());
    EXPECT_EQ(window->IdPanel()->Color(), gui::clNavy) << "the Union's panel";
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
    EXPECT_EQ(window->IdPanel()->FontColor(), gui::clSilver) << "the release leaves the colour the selection gave";
    EXPECT_EQ(window->LocationLabel()->Caption(), QStringLiteral("%1,%2").arg(east).arg(southEast));
    // The next press erases the markers, and selects a corps that now has a route: red.
    SendMouse(window->BattleMap(), QEvent::MouseButtonPress, Qt::LeftButton, start);
    EXPECT_EQ(window->BattleMap()->Surface().copy(first.x + 8, first.y + 8, 12, 12),
              window->BackBuffer().copy(first.x + 8, first.y + 8, 12, 12));
    EXPECT_EQ(window->IdPanel()->FontColor(), gui::clRed) << "a corps with a route";
    SendMouse(window->BattleMap(), QEvent::MouseButtonRelease, Qt::LeftButton, start);
    // The next repaint gives the panel its side's colour again, the corps still selected.
    window->FormPaint();
    EXPECT_EQ(SelectedCorps, corps);
    EXPECT_EQ(window->IdPanel()->FontColor(), gui::clSilver);
}

TEST_F(WindowTest, TheLocationReadsItsLayoutFigureUntilThePointerCrossesTheMap) {
    ASSERT_TRUE(CreateWindow());
    EXPECT_EQ(window->LocationLabel()->Caption(), QStringLiteral("22,22"));
    SendMouse(window->BattleMap(), QEvent::MouseMove, Qt::NoButton, HexCentre(30, 12));
    EXPECT_EQ(window->LocationLabel()->Caption(), QStringLiteral("30,12"));
}

TEST_F(WindowTest, TheMinimapBoxShowsTheWholeMapSoItsSouthEastCornerCanBeClicked) {
    ASSERT_TRUE(CreateWindow());
    QWidget* box = window->StratMap();
    EXPECT_EQ(box->size(), QSize(76, 54)) << "one pixel for each of the 76 x 54 hexes";
    const QImage minimap = QImage(QStringLiteral("KVTSMALL.BMP")).convertToFormat(QImage::Format_RGB32);
    const QPoint corner(75, 53);
    // A press there is the box's, and the window shows the map's last hex there.
    EXPECT_EQ(window->childAt(box->mapTo(window.get(), corner)), box);
    const QImage shown = window->grab(QRect(box->mapTo(window.get(), corner), QSize(1, 1))).toImage();
    EXPECT_EQ(shown.pixel(0, 0), minimap.pixel(corner));
    QTest::mouseClick(box, Qt::LeftButton, {}, corner);
    EXPECT_EQ(ViewColumn, 41);
    EXPECT_EQ(ViewRow, 32);
}

TEST_F(WindowTest, ARouteMarkerIsItsDirectionsCellOfTheMarkerStrip) {
    ASSERT_TRUE(CreateWindow());
    const int corps = LoneUnionCorps();
    ASSERT_NE(corps, 0);
    const TCorpsRec& k = GameRec->Corps[corps];
    QWidget* box = window->BattleMap();
    const QImage strip = QImage(QStringLiteral("OBJECTIV.BMP")).convertToFormat(QImage::Format_RGB32);
    // One step south (direction 4), then one south-east from there (direction 3).
    const int southEast = k.HexX % 2 == 0 ? k.HexY + 2 : k.HexY + 1;
    SendMouse(box, QEvent::MouseButtonPress, Qt::LeftButton, HexCentre(k.HexX, k.HexY));
    SendMouse(box, QEvent::MouseMove, Qt::NoButton, HexCentre(k.HexX, k.HexY + 1));
    SendMouse(box, QEvent::MouseMove, Qt::NoButton, HexCentre(k.HexX + 1, southEast));
    const QImage surface = window->BattleMap()->Surface().convertToFormat(QImage::Format_RGB32);
    struct Mark { int column, row, direction; };
    for (const Mark& m : {Mark{k.HexX, k.HexY, 4}, Mark{k.HexX, k.HexY + 1, 3}}) {
        const TBoxPoint at = HexPixel(m.column, m.row);
        EXPECT_EQ(surface.copy(at.x + 8, at.y + 8, 12, 12), strip.copy(14 * (m.direction - 1), 0, 12, 12))
            << "direction " << m.direction;
    }
    SendMouse(box, QEvent::MouseButtonRelease, Qt::LeftButton, HexCentre(k.HexX + 1, southEast));
}

TEST_F(WindowTest, AnExposeOrAnyPressErasesTheRouteMarkersAndAScreenshotDoesNot) {
    ASSERT_TRUE(CreateWindow());
    const int corps = LoneUnionCorps();
    ASSERT_NE(corps, 0);
    const TCorpsRec& k = GameRec->Corps[corps];
    gui::TKVTSDI& w = *window;
    QWidget* box = w.BattleMap();
    // A one-step route from the corps; answers where its marker stands.
    auto drawMarker = [&] {
        SendMouse(box, QEvent::MouseButtonPress, Qt::LeftButton, HexCentre(k.HexX, k.HexY));
        SendMouse(box, QEvent::MouseMove, Qt::NoButton, HexCentre(k.HexX, k.HexY + 1));
        SendMouse(box, QEvent::MouseButtonRelease, Qt::LeftButton, HexCentre(k.HexX, k.HexY + 1));
        const TBoxPoint at = HexPixel(k.HexX, k.HexY);
        return QRect(at.x + 8, at.y + 8, 12, 12);
    };
    struct Case { const char* name; std::function<void(QRect)> act; bool erased; };
    const Case cases[] = {
        {"the window system uncovers the window",
         [&](QRect) {
             // An even first column, left so: the expose's repaint makes it odd again.
             ViewColumn = static_cast<std::uint16_t>(ViewColumn + 1);
             QExposeEvent expose{QRegion(w.rect())};
             QApplication::sendEvent(w.windowHandle(), &expose);
             QApplication::processEvents();
             EXPECT_EQ(ViewColumn % 2, 1) << "the expose clamped the view";
         },
         true},
        {"a middle press", [&](QRect m) { SendMouse(box, QEvent::MouseButtonPress, Qt::MiddleButton, m.center()); }, true},
        {"a press while no side is played",
         [&](QRect m) {
             SidePlayed = 0;
             SendMouse(box, QEvent::MouseButtonPress, Qt::RightButton, m.center());
             SidePlayed = 1;
         },
         true},
        {"a screenshot of the window", [&](QRect) { w.grab(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect marker = drawMarker();
        const QImage drawn = w.BattleMap()->Surface().copy(marker);
        ASSERT_NE(drawn, w.BackBuffer().copy(marker)) << "the marker shows";
        c.act(marker);
        if (c.erased) EXPECT_EQ(w.BattleMap()->Surface().copy(marker), w.BackBuffer().copy(marker));
        else EXPECT_EQ(w.BattleMap()->Surface().copy(marker), drawn);
        w.FormPaint();
    }
}

TEST_F(WindowTest, APressErasesEveryMarkerOfARouteThatDoublesBackOnItself) {
    ASSERT_TRUE(CreateWindow());
    const int corps = LoneUnionCorps();
    ASSERT_NE(corps, 0);
    const TCorpsRec& k = GameRec->Corps[corps];
    QWidget* box = window->BattleMap();
    const QPoint home = HexCentre(k.HexX, k.HexY), south = HexCentre(k.HexX, k.HexY + 1);
    const QImage before = window->BattleMap()->Surface().copy();
    SendMouse(box, QEvent::MouseButtonPress, Qt::LeftButton, home);
    // South, back north and south again: the third marker lands on the first.
    for (const QPoint& to : {south, home, south}) SendMouse(box, QEvent::MouseMove, Qt::NoButton, to);
    SendMouse(box, QEvent::MouseButtonRelease, Qt::LeftButton, south);
    const int route[] = {k.Route[1], k.Route[2], k.Route[3]};
    ASSERT_THAT(route, ::testing::ElementsAre(4, 1, 4)) << "south, north and south";
    ASSERT_NE(window->BattleMap()->Surface(), before);
    SendMouse(box, QEvent::MouseButtonPress, Qt::MiddleButton, QPoint(5, 5));
    EXPECT_TRUE(window->BattleMap()->Surface() == before);
    EXPECT_TRUE(window->BackBuffer() == before);
}

TEST_F(WindowTest, ArrowKeysAndTheMinimapMoveTheViewWithinTheMap) {
    ASSERT_TRUE(CreateWindow());
    ViewColumn = 1;
    ViewRow = 1;
    window->FormPaint();
    // A click scrolls on the key's press and again on its release.
    QTest::keyClick(window.get(), Qt::Key_Right);
    EXPECT_EQ(ViewColumn, 5);
    QTest::keyClick(window.get(), Qt::Key_Left);
    EXPECT_EQ(ViewColumn, 1);
    // A held key: the window system sends a release and a press for each repeat, then the last
    // release. Each press steps once, and only the key's true release steps again.
    auto send = [&](QEvent::Type type, Qt::Key key, bool repeat) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(window.get(), &event);
    };
    struct Held { Qt::Key key; int repeats, column, row; };
    for (const Held& h : {Held{Qt::Key_Right, 3, 11, 1}, Held{Qt::Key_Down, 4, 11, 7}, Held{Qt::Key_Left, 2, 3, 7}}) {
        send(QEvent::KeyPress, h.key, false);
        for (int i = 0; i < h.repeats; ++i) {
            send(QEvent::KeyRelease, h.key, true);
            send(QEvent::KeyPress, h.key, true);
        }
        send(QEvent::KeyRelease, h.key, false);
        EXPECT_EQ(ViewColumn, h.column) << "held key " << h.key;
        EXPECT_EQ(ViewRow, h.row) << "held key " << h.key;
    }

    const QImage minimap = QImage(QStringLiteral("KVTSMALL.BMP")).convertToFormat(QImage::Format_RGB32);
    struct Mini { int x, y, column, row; };
    for (const Mini& m : {Mini{75, 53, 41, 32}, Mini{20, 10, 19, 10}, Mini{1, 2, 1, 2}}) {
        SCOPED_TRACE(::testing::Message() << "minimap click " << m.x << "," << m.y);
        QTest::mouseClick(window->StratMap(), Qt::LeftButton, {}, QPoint(m.x, m.y));
        EXPECT_EQ(ViewColumn, m.column);
        EXPECT_EQ(ViewRow, m.row);
        // The view's red rectangle, until the next repaint: 35 x 22 pixels, its right column and
        // bottom row left out, around the hexes the view shows whole.
        const QImage& box = window->StratMap()->Surface();
        auto red = [&](int x, int y) { return QColor(box.pixel(x, y)) == QColor(255, 0, 0); };
        const int right = m.column + 34, bottom = m.row + 21;
        for (auto [x, y] : {std::pair{m.column, m.row}, {right, m.row}, {m.column, bottom}, {right, bottom},
                            {m.column + 17, m.row}, {m.column, m.row + 10}})
            EXPECT_TRUE(red(x, y)) << x << "," << y;
        for (auto [x, y] : {std::pair{right + 1, m.row}, {m.column, bottom + 1}, {m.column + 1, m.row + 1},
                            {right - 1, bottom - 1}})
            if (x < box.width() && y < box.height()) {
                EXPECT_EQ(box.pixel(x, y), minimap.pixel(x, y)) << x << "," << y;
            }
    }
    window->FormPaint();
    EXPECT_EQ(window->StratMap()->Surface().copy(0, 0, 76, 54), minimap) << "the repaint covers the rectangle";
}

TEST_F(WindowTest, MenusFollowTheTurnAndAWholeTurnRunsThroughTheMenu) {
    ASSERT_TRUE(CreateWindow());
    const std::string dateBefore = DateText();
    QAction* execute = window->Action(MenuItem::Execute1);
    // Every menu item and both turn buttons: enabled before the turn (orders), during it and after.
    struct Item { MenuItem item; const char* name; bool before, during, after; };
    const Item items[] = {
        {MenuItem::LoadGame1, "LoadGame1", true, false, true},
        {MenuItem::SaveGame1, "SaveGame1", true, false, true},
        {MenuItem::Execute1, "Execute1", true, false, true},
        {MenuItem::SpeedButton1, "SpeedButton1", true, false, true},
        {MenuItem::Playback1, "Playback1", false, false, false},
        {MenuItem::Speedbutton2, "Speedbutton2", false, false, false},
        {MenuItem::Hidden1, "Hidden1", true, true, true},
        {MenuItem::Quit1, "Quit1", true, false, true},
        {MenuItem::About1, "About1", true, false, true},
        {MenuItem::Conditions1, "Conditions1", true, false, true},
        {MenuItem::ForceStatus1, "ForceStatus1", true, false, true},
        {MenuItem::Production1, "Production1", true, false, true},
        {MenuItem::Draft1, "Draft1", true, false, true},
        {MenuItem::States1, "States1", true, false, true},
        {MenuItem::Transfers1, "Transfers1", true, false, true},
        {MenuItem::Leadership1, "Leadership1", true, false, true},
        {MenuItem::CheckLeaders, "CheckLeaders", true, false, true},
        {MenuItem::ForceOverview1, "ForceOverview1", true, false, true},
        {MenuItem::FleetOverview1, "FleetOverview1", true, false, true},
        {MenuItem::ArmBrigades1, "ArmBrigades1", true, false, true},
        {MenuItem::RaiseArmy1, "RaiseArmy1", true, false, true},
        {MenuItem::RaiseCorps1, "RaiseCorps1", true, false, true},
        {MenuItem::RaiseFleet1, "RaiseFleet1", true, false, true},
        {MenuItem::CorpsOrders1, "CorpsOrders1", false, false, false},
        {MenuItem::ArmyOrders1, "ArmyOrders1", false, false, false},
        {MenuItem::CityOrders1, "CityOrders1", false, false, false},
        {MenuItem::FleetOrders1, "FleetOrders1", false, false, false},
        {MenuItem::SideChange, "SideChange", true, false, true},
    };
    ASSERT_EQ(std::size(items), static_cast<std::size_t>(MenuItem::Count));
    auto enabled = [&](MenuItem item) {
        if (item == MenuItem::SpeedButton1) return window->SpeedButton(1)->isEnabled();
        if (item == MenuItem::Speedbutton2) return window->SpeedButton(2)->isEnabled();
        return window->Action(item)->isEnabled();
    };
    enum Phase { Before, During, After };
    auto expectMenus = [&](Phase phase) {
        static const char* const when[] = {"before the turn", "during the turn", "after the turn"};
        for (const Item& i : items) {
            const bool want = phase == Before ? i.before : phase == During ? i.during : i.after;
            EXPECT_EQ(enabled(i.item), want) << i.name << " " << when[phase];
        }
    };
    expectMenus(Before);
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
    expectMenus(During);
    EXPECT_EQ(SidePlayed, 0) << "nobody gives orders while the turn moves";
    // Part of the movement, then a picture of it.
    window->Timer1()->setInterval(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return (movedSoFar() >= 2 && frontend->lastDrawnCorps != 0) || !Timer1Enabled(); }, 60000));
    ASSERT_TRUE(Timer1Enabled()) << "the ordered corps move during the turn";
    window->Timer1()->stop();
    // The view follows the last corps shown: its hex 8 columns right of (9 where the first column
    // had to be made odd) and 4 rows below the view's corner, and its symbol drawn there.
    const int shown = frontend->lastDrawnCorps;
    const TCorpsRec& k = GameRec->Corps[shown];
    if (k.HexX >= 9 && k.HexX - 8 <= kLastViewColumn) {
        EXPECT_TRUE(k.HexX - ViewColumn == 8 || k.HexX - ViewColumn == 9);
    }
    if (k.HexY >= 5 && k.HexY - 4 <= kLastViewRow) {
        EXPECT_EQ(k.HexY - ViewRow, 4);
    }
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
    expectMenus(After);
    EXPECT_EQ(SidePlayed, 1);
    EXPECT_NE(DateText(), dateBefore);
    EXPECT_EQ(Text(window->DatePanel()), QString::fromStdString(DateText()));
    EXPECT_EQ(static_cast<QProgressBar*>(window->TurnProgressGauge())->value(), 0);
    EXPECT_TRUE(fs::exists("Autosave.KVT")) << "the game as ordered is saved in the game's folder";
    EXPECT_GE(window->TicksRun(), 28) << "at least one tick for each of 19 fleet and 9 corps passes";
    EXPECT_GE(movedSoFar(), 2);
}

// Fills the file dialog's name and accepts it, once it shows; records its filters and, once the
// folder has been read, the names its list shows (at least `atLeast` of them). With `boxOk` the box
// the name raises is answered OK or Cancel and its text kept; a dialog still open then is cancelled.
void AnswerFileDialog(const QString& name, QStringList* filters, QStringList* listed = nullptr, int atLeast = 0,
                      std::optional<bool> boxOk = {}, QString* boxText = nullptr) {
    WhenModalShows([=](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        if (filters) *filters = dialog->nameFilters();
        if (listed) {
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            ASSERT_NE(view, nullptr);
            auto names = [view] {
                QStringList out;
                for (int i = 0; i < view->model()->rowCount(view->rootIndex()); ++i)
                    out << view->model()->index(i, 0, view->rootIndex()).data().toString();
                out.sort();
                return out;
            };
            // The dialog reads the folder in a thread of its own.
            EXPECT_TRUE(QTest::qWaitFor([&] { return names().size() >= atLeast; }, 30000));
            *listed = names();
        }
        if (name.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed as a person would: selectFile() leaves the name field alone while it has the focus,
        // which it may or may not have yet on a busy machine.
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        if (boxOk)
            WhenModalShows([=](QWidget* b) {
                auto* box = qobject_cast<gui::TMessageBox*>(b);
                ASSERT_NE(box, nullptr);
                *boxText = box->TextLabel()->text();
                (*boxOk || !box->CancelButton() ? box->OkButton() : box->CancelButton())->click();
            });
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible()) dialog->reject();
    });
}

// The day of the game saved in a file, 0 when there is none.
int SavedDay(const std::string& file) {
    auto rec = std::make_unique<TGameRec>();
    auto map = std::make_unique<TMapGrid>();
    return ReadGameImages(file, *rec, *map, nullptr) ? rec->Day : 0;
}

TEST_F(WindowTest, TheSaveDialogAsksBeforeReplacingAGameAndKeepsTheStartPoints) {
    ASSERT_TRUE(CreateWindow());
    const std::vector<char> startPoint = FileBytes(folder + "/1862.kvt");
    struct Case { const char* typed; int day; std::optional<bool> boxOk; const char* boxSays; int savedDay; };
    const Case cases[] = {
        {"campaign", 11, std::nullopt, "", 11},          {"campaign.kvt", 21, false, "already exists", 11},
        {"CAMPAIGN", 21, true, "already exists", 21},    {"1861", 1, true, "start points", 21},
        {"1862.KVT", 1, true, "start points", 21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        GameRec->Day = static_cast<U8>(c.day);
        QString said;
        AnswerFileDialog(QString::fromStdString(folder + "/" + c.typed), nullptr, nullptr, 0, c.boxOk, &said);
        window->Action(MenuItem::SaveGame1)->trigger();
        EXPECT_TRUE(said.contains(QLatin1String(c.boxSays))) << said.toStdString();
        EXPECT_EQ(SavedDay(folder + "/campaign.KVT"), c.savedDay);
    }
    EXPECT_EQ(FileBytes(folder + "/1862.kvt"), startPoint);
    // The Open dialog finds the game typed without its extension.
    AnswerFileDialog(QString::fromStdString(folder + "/campaign"), nullptr);
    window->Action(MenuItem::LoadGame1)->trigger();
    EXPECT_EQ(GameFileBase, folder + "/campaign.");
}

TEST_F(WindowTest, StartedFromAnotherFolderTheGameFindsItsFilesBesideTheProgram) {
    const std::string gameFolder = folder;
    inFolder.reset();
    inFolder.emplace(TempFolder("elsewhere"));
    SetProgramFolder(gameFolder);
    const bool created = CreateWindow();
    // The start points kept from saves are those beside the program, whatever the case typed.
    const bool refused = !SaveNameRefusal(gameFolder + "/1863.KVM").empty(), ownFolder = SaveNameRefusal("1863").empty();
    SetProgramFolder("");
    ASSERT_TRUE(created);
    EXPECT_EQ(GameFileBase, gameFolder + "/1861.") << "the start point beside the program";
    EXPECT_EQ(window->ActionNamed("CorpsOrders1")->text().toStdString(), kvt::Text(448));
    EXPECT_TRUE(refused);
    EXPECT_TRUE(ownFolder) << "the player's own folder holds no start point";
}

TEST_F(WindowTest, SavingAndLoadingGoThroughTheFileDialogs) {
    ASSERT_TRUE(CreateWindow());
    GameRec->Leaders[1].Experience = 77;
    QStringList saveFilters, openFilters;
    AnswerFileDialog(QString::fromStdString(folder + "/campaign.kvt"), &saveFilters);
    window->Action(MenuItem::SaveGame1)->trigger();
    EXPECT_TRUE(fs::exists(folder + "/campaign.KVT"));
    EXPECT_TRUE(fs::exists(folder + "/campaign.KVM"));
    EXPECT_EQ(saveFilters, gui::DialogNameFilters(QStringLiteral("kvt|*.kvt")));

    GameRec->Leaders[1].Experience = 5;
    ViewColumn = 21;
    QStringList listed;
    AnswerFileDialog(QString::fromStdString(folder + "/campaign.KVT"), &openFilters, &listed, 4);
    window->Action(MenuItem::LoadGame1)->trigger();
    EXPECT_EQ(openFilters, gui::DialogNameFilters(QStringLiteral("kvt|*.kvt|orn|*.orn")));
    // The save's upper-case name is listed with the start points under the plain pattern, and
    // nothing else of the folder is.
    EXPECT_EQ(listed, (QStringList{QStringLiteral("1861.kvt"), QStringLiteral("1862.kvt"), QStringLiteral("1863.kvt"),
                                   QStringLiteral("campaign.KVT")}));
    EXPECT_EQ(GameRec->Leaders[1].Experience, 77) << "the saved game is back";
    EXPECT_EQ(GameFileBase, folder + "/campaign.");
    EXPECT_EQ(SidePlayed, 1);

    // A cancelled Open dialog keeps the game in play.
    GameRec->Leaders[1].Experience = 9;
    AnswerFileDialog(QString(), nullptr);
    window->Action(MenuItem::LoadGame1)->trigger();
    EXPECT_EQ(GameRec->Leaders[1].Experience, 9);
    EXPECT_EQ(SidePlayed, 1);
    EXPECT_TRUE(window->Action(MenuItem::ForceStatus1)->isEnabled());
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
    // Pixels the outlines turned to a side's colour.
    auto outlined = [&](QColor colour) {
        int n = 0;
        const QImage& box = window->BattleMap()->Surface();
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                n += QColor(box.pixel(x, y)) == colour && QColor(plain.pixel(x, y)) != colour;
        return n;
    };
    const int navy = outlined(QColor(0, 0, 128));
    const int grey = outlined(QColor(128, 128, 128));
    EXPECT_GT(navy, 100) << "navy outlines of Union hexes";
    EXPECT_GT(grey, 100) << "grey outlines of Confederate hexes";
    // Each hex's own top edge (drawn by no neighbour) takes its side's colour.
    int checkedSides[3] = {};
    for (int c = ViewColumn + 1; c < ViewColumn + ViewColumns - 1; ++c)
        for (int r = ViewRow + 1; r < ViewRow + ViewRows - 1; ++r) {
            const int side = MapGrid->Cell(c, r).ControlSide();
            if (side != kUnion && side != kConfederacy) continue;
            // A stack in the hex above may reach down over the edge.
            bool stackAbove = false;
            for (const TCorpsRec& k : GameRec->Corps) stackAbove |= CorpsInUse(k) && k.HexX == c && k.HexY == r - 1;
            if (stackAbove) continue;
            const TBoxPoint at = HexPixel(c, r);
            const QColor want = side == kUnion ? QColor(0, 0, 128) : QColor(128, 128, 128);
            EXPECT_EQ(QColor(window->BattleMap()->Surface().pixel(at.x + 16, at.y)), want) << c << "," << r;
            ++checkedSides[side];
        }
    EXPECT_GT(checkedSides[kUnion], 5);
    EXPECT_GT(checkedSides[kConfederacy], 5) << "the view holds hexes of both sides";
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

TEST_F(WindowTest, EveryRepaintShowsWhatAFreshDrawingShowsAfterScrollsGridSwitchesAndMapChanges) {
    ASSERT_TRUE(CreateWindow());
    gui::TMapPictures fresh;
    ASSERT_TRUE(gui::LoadMapPictures(fresh, nullptr));
    const auto repaintWithSide = [&](int column, int row, int side) {
        MapGrid->Cell(column, row).SetControlSide(side);
        window->FormPaint();
    };
    const auto switchGrid = [&] { window->ActionNamed("HexOutline1")->trigger(); };
    struct Step {
        const char* name;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"the start-up's view", [] {}},
        {"the grid switched on", switchGrid},
        {"a scroll right by key", [&] { QTest::keyClick(window.get(), Qt::Key_Right); }},
        {"a scroll down by key", [&] { QTest::keyClick(window.get(), Qt::Key_Down); }},
        {"the minimap clicked in the east", [&] { QTest::mouseClick(window->StratMap(), Qt::LeftButton, {}, QPoint(29, 9)); }},
        {"a hex in view taken by the Confederacy", [&] { repaintWithSide(40, 15, kConfederacy); }},
        {"the same hex back to the Union", [&] { repaintWithSide(40, 15, kUnion); }},
        {"the same hex held by nobody", [&] { repaintWithSide(40, 15, 0); }},
        {"the grid switched off", switchGrid},
        {"a hex changing side while the grid is off", [&] { repaintWithSide(41, 16, kConfederacy); }},
        {"a scroll left by key while the grid is off", [&] { QTest::keyClick(window.get(), Qt::Key_Left); }},
        {"a scroll up by key while the grid is off", [&] { QTest::keyClick(window.get(), Qt::Key_Up); }},
        {"a scroll right by key while the grid is off", [&] { QTest::keyClick(window.get(), Qt::Key_Right); }},
        {"a scroll down by key while the grid is off", [&] { QTest::keyClick(window.get(), Qt::Key_Down); }},
        {"the minimap clicked in the far west while the grid is off",
         [&] { QTest::mouseClick(window->StratMap(), Qt::LeftButton, {}, QPoint(2, 40)); }},
        {"the minimap clicked nearby while the grid is off",
         [&] { QTest::mouseClick(window->StratMap(), Qt::LeftButton, {}, QPoint(10, 30)); }},
        {"the grid switched on again", switchGrid},
        {"the view moved south", [&] {
             ViewColumn = 17;
             ViewRow = 24;
             window->FormPaint();
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        QImage drawnAfresh(kMapBoxWidth, kMapBoxHeight, QImage::Format_RGB32);
        gui::TMapBackdrop noneKept;
        gui::ComposeMapView(drawnAfresh, fresh, noneKept);
        EXPECT_TRUE(window->BattleMap()->Surface() == drawnAfresh);
    }
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

TEST_F(WindowTest, OnlyTheMapsOwnEdgesScrollIt) {
    ASSERT_TRUE(CreateWindow());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << "the strips scroll only the window in use";
    QPoint cursor(-1000, -1000);
    for (int e = 0; e < 4; ++e) window->Hotspot(e)->SetCursorSource([&cursor] { return cursor; });
    const auto centre = [](const QWidget* w) { return w->mapToGlobal(w->rect().center()); };
    const auto onMap = [this](int x, int y) { return window->BattleMap()->mapToGlobal(QPoint(x, y)); };
    struct Case { const char* where; QPoint at; int columns, rows; };
    const Case cases[] = {
        {"the menu bar's top edge", window->menuBar()->mapToGlobal(QPoint(500, 3)), 0, 0},
        {"the tool bar", centre(window->SpeedButton(1)->parentWidget()), 0, 0},
        {"the unit panel", centre(window->IdPanel()), 0, 0},
        {"the date panel", centre(window->DatePanel()), 0, 0},
        {"the map's top edge", onMap(500, 4), 0, -1},
        {"the map's bottom edge", onMap(500, 628), 0, 1},
        {"the map's left edge", onMap(4, 300), -2, 0},
        {"the map's right edge", onMap(998, 300), 2, 0},
    };
    for (const Case& c : cases) {
        ViewColumn = 35;
        ViewRow = 10;
        window->FormPaint();
        cursor = c.at;
        for (int e = 0; e < 4; ++e) window->Hotspot(e)->CheckCursor();
        cursor = QPoint(-1000, -1000);
        EXPECT_EQ(ViewColumn - 35, c.columns) << c.where;
        EXPECT_EQ(ViewRow - 10, c.rows) << c.where;
    }
    // The strips follow the map when the window moves.
    window->move(window->pos() + QPoint(40, 30));
    QApplication::processEvents();
    EXPECT_EQ(window->Hotspot(3)->RectRight, onMap(1002, 0).x());
}

TEST_F(WindowTest, TheMapStaysPutUnderADialogOrMenuWithThePointerOnItsEdge) {
    ASSERT_TRUE(CreateWindow());
    // The pointer rests where a menu's first item was, on the map's top strip, while ticks come.
    QPoint cursor(-1000, -1000);
    for (int e = 0; e < 4; ++e) window->Hotspot(e)->SetCursorSource([&cursor] { return cursor; });
    const QPoint topStrip = window->BattleMap()->mapToGlobal(QPoint(500, 4));
    const auto ticks = [&] {
        cursor = topStrip;
        for (int n = 0; n < 3; ++n)
            for (int e = 0; e < 4; ++e) window->Hotspot(e)->CheckCursor();
        cursor = QPoint(-1000, -1000);
    };
    const auto ticksUnderDialogOf = [&](const char* item) {
        WhenModalShows([&](QWidget* d) {
            ticks();
            SaveScreenshot(window.get(), QStringLiteral("main_window_under_%1").arg(QLatin1String(item)));
            static_cast<QDialog*>(d)->reject();
        });
        ASSERT_TRUE(window->ActionNamed(item)->isEnabled()) << item;
        window->ActionNamed(item)->trigger();
    };
    struct Case {
        const char* what;
        std::function<void()> run;
        int rows;
    };
    const Case cases[] = {
        {"nothing over the map", ticks, -3},
        {"Overviews > Army overview", [&] { ticksUnderDialogOf("ForceOverview1"); }, 0},
        {"Game > Load game", [&] { ticksUnderDialogOf("LoadGame1"); }, 0},
        {"a game form of its own", [&] {
             gui::TForm form(window.get());
             WhenModalShows([&](QWidget* d) {
                 ticks();
                 static_cast<QDialog*>(d)->reject();
             });
             form.ShowModal();
         }, 0},
        {"the Overviews menu dropped open", [&] {
             QMenu* menu = window->findChild<QMenu*>(QStringLiteral("Overviews1"));
             menu->popup(window->menuBar()->mapToGlobal(window->menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
             ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
             ticks();
             menu->close();
         }, 0},
        {"another window in front", [&] {
             QWidget other;
             other.show();
             other.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
             ticks();
         }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ViewColumn = 35;
        ViewRow = 10;
        window->FormPaint();
        c.run();
        EXPECT_EQ(ViewRow, 10 + c.rows);
        EXPECT_EQ(ViewColumn, 35);
    }
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

TEST_F(WindowTest, TheTitleBarsCloseAsksAsQuitDoesAndQuitAsksOnce) {
    ASSERT_TRUE(CreateWindow());
    frontend->noticeAnswers = {2};
    window->close();  // as the title bar's close button does
    EXPECT_TRUE(window->isVisible()) << "the game goes on";
    ASSERT_EQ(frontend->notices.size(), 1u);
    EXPECT_EQ(frontend->notices[0].lines[1], kvt::Text(463));
    EXPECT_EQ(GameStatus, 0);
    frontend->noticeAnswers = {1};
    window->ActionNamed("Quit1")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(frontend->notices.size(), 2u) << "the close that follows Quit asks nothing more";
}

TEST_F(WindowTest, QuitAsksFirstAndASideWithNoPersonCannotBeChosen) {
    configure = [](TTestFrontend& f) {
        f.setup.unionPerson = f.setup.confederatePerson = false;
    };
    ASSERT_TRUE(CreateWindow());
    EXPECT_FALSE(window->SideChangeAction()->isEnabled()) << "nobody to choose";
    EXPECT_EQ(SidePlayed, 0);
    frontend->noticeAnswers = {2};
    window->ActionNamed("Quit1")->trigger();
    ASSERT_EQ(frontend->notices.size(), 1u);
    EXPECT_EQ(frontend->notices.back().lines[1], kvt::Text(463));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(GameStatus, 0);
    // Closed untouched, the question answers its first choice: quit.
    window->ActionNamed("Quit1")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(GameStatus, 1);
}

TEST_F(WindowTest, HelpOpensAtItsContentsAndADelayReachesTheTimer) {
    ASSERT_TRUE(CreateWindow());
    QString topic, text;
    WhenModalShows([&topic, &text](QWidget* w) {
        if (auto* viewer = qobject_cast<gui::THelpViewer*>(w)) {
            topic = viewer->Topic();
            text = viewer->Browser()->toPlainText();
            SaveScreenshot(w, QStringLiteral("help_contents"));
        }
        static_cast<QDialog*>(w)->done(1);
    });
    window->ActionNamed("Encyclopedia1")->trigger();
    EXPECT_EQ(topic, QStringLiteral("Contents"));
    EXPECT_TRUE(text.contains(QStringLiteral("Playing by mail"))) << "the game's own help text is shown";
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
        // The new game's setup: the computer plays the Confederacy.
        WhenModalShows([&titles](QWidget* setup) {
            titles.push_back(setup->windowTitle());
            for (const char* name : {"RadioButton6", "Button1"}) {
                QWidget* control = setup->findChild<QWidget*>(QLatin1String(name));
                QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
            }
        });
    });
    ASSERT_TRUE(window->FormCreate());
    window->show();
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], QString::fromStdString(kvt::Text(612)));
    EXPECT_EQ(titles[1], QString::fromStdString(kvt::Text(680)));
    EXPECT_EQ(GameFileBase, "1861.");
    EXPECT_EQ(SidePlayed, 1) << "the setup gave the Union to a person";
    // The about box of the Game menu.
    int shown = 0;
    WhenModalShows([&shown](QWidget* about) {
        ++shown;
        static_cast<QDialog*>(about)->done(1);
    });
    window->ActionNamed("About1")->trigger();
    EXPECT_EQ(shown, 1);
    // Closing asks Quit's question in the game's own notice; untouched, it answers quit.
    WhenModalShows([](QWidget* notice) { static_cast<QDialog*>(notice)->done(1); });
    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowTest, ClosingTheScenarioChoiceAsksForASavedGame) {
    window = std::make_unique<gui::TKVTSDI>();
    for (int e = 0; e < 4; ++e) window->Hotspot(e)->SetCursorSource([] { return QPoint(-1000, -1000); });
    // The player closes the choice by its title bar, cancels the Open dialog that follows, is
    // offered the choice again and takes 1861 there.
    std::vector<std::string> met;
    std::function<void(QWidget*)> answer = [&](QWidget* d) {
        const auto click = [d](const char* name) {
            QWidget* control = d->findChild<QWidget*>(QLatin1String(name));
            QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
        };
        if (qobject_cast<gui::TIntro_Load*>(d)) {
            met.push_back("scenario choice");
            if (met.size() == 1) {
                d->close();
            } else {
                click("RadioButton1");
                click("Button1");
            }
        } else if (qobject_cast<QFileDialog*>(d)) {
            met.push_back("open dialog");
            SaveScreenshot(d, QStringLiteral("main_window_open_after_closed_choice"));
            static_cast<QDialog*>(d)->reject();
        } else {
            met.push_back(d->windowTitle().toStdString());
            for (const char* name : {"RadioButton6", "Button1"}) click(name);
            return;
        }
        WhenModalShows(answer);
    };
    WhenModalShows(answer);
    ASSERT_TRUE(window->FormCreate());
    window->show();
    const std::vector<std::string> expected = {"scenario choice", "open dialog", "scenario choice", kvt::Text(680)};
    EXPECT_EQ(met, expected);
    EXPECT_EQ(GameFileBase, "1861.");
    WhenModalShows([](QWidget* notice) { static_cast<QDialog*>(notice)->done(1); });
    window->close();
}

}  // namespace
}  // namespace kvt::testing

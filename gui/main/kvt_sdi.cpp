// The main window.
#include "gui/main/kvt_sdi.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

#include "engine/turn/engine_reset.h"
#include "engine/turn/game_start.h"
#include "engine/turn/mail_game.h"
#include "engine/turn/movement_ticks.h"
#include "engine/turn/playback.h"
#include "engine/turn/side_choice.h"
#include "engine/turn/turn_start.h"
#include "engine/view/main_menu.h"
#include "engine/view/map_input.h"
#include "engine/world/calendar.h"
#include "engine/world/game_files.h"
#include "engine/world/globals.h"
#include "engine/world/random.h"
#include "engine/world/text_table.h"
#include "gui/dialogs/core/about_box.h"
#include "gui/dialogs/core/delay_dialog.h"
#include "gui/main/map_box.h"
#include "gui/main/qt_frontend.h"
#include "gui/main/side_dialogs.h"
#include "gui/platform/cursor.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/message_box.h"
#include "gui/ui/hotspots.h"
#include "gui/ui/labels.h"
#include "gui/ui/panel.h"
#include "ui_kvt_sdi.h"

namespace kvt::gui {

namespace {

constexpr int kDefaultTimerInterval = 1000;
constexpr int kHotspotInterval = 55;

// Menu items and their texts in the text table.
struct TCaption {
    const char* item;
    int text;
};
constexpr TCaption kMenuCaptions[] = {
    {"Game1", 426},         {"Settings1", 468},      {"National1", 433},      {"Overviews1", 469},
    {"Troops1", 441},       {"Misc1", 446},          {"LoadGame1", 427},      {"SaveGame1", 428},
    {"Execute1", 429},      {"Playback1", 430},      {"About1", 432},         {"Quit1", 431},
    {"SideChange", 464},    {"Hidden1", 472},        {"Speed1", 474},         {"HexOutline1", 475},
    {"Encyclopedia1", 476}, {"Conditions1", 434},    {"ForceStatus1", 435},   {"Production1", 436},
    {"Draft1", 437},        {"States1", 438},        {"Transfers1", 439},     {"Leadership1", 440},
    {"ForceOverview1", 470}, {"FleetOverview1", 471}, {"ArmBrigades1", 442},  {"RaiseArmy1", 443},
    {"RaiseCorps1", 444},   {"RaiseFleet1", 445},    {"CorpsOrders1", 448},   {"ArmyOrders1", 449},
    {"CityOrders1", 450},   {"FleetOrders1", 451},
};

// The menu item of each engine menu state; the two tool buttons have none.
const char* ActionName(MenuItem item) {
    switch (item) {
        case MenuItem::LoadGame1: return "LoadGame1";
        case MenuItem::SaveGame1: return "SaveGame1";
        case MenuItem::Execute1: return "Execute1";
        case MenuItem::Playback1: return "Playback1";
        case MenuItem::Hidden1: return "Hidden1";
        case MenuItem::Quit1: return "Quit1";
        case MenuItem::About1: return "About1";
        case MenuItem::Conditions1: return "Conditions1";
        case MenuItem::ForceStatus1: return "ForceStatus1";
        case MenuItem::Production1: return "Production1";
        case MenuItem::Draft1: return "Draft1";
        case MenuItem::States1: return "States1";
        case MenuItem::Transfers1: return "Transfers1";
        case MenuItem::Leadership1: return "Leadership1";
        case MenuItem::CheckLeaders: return "CheckLeaders";
        case MenuItem::ForceOverview1: return "ForceOverview1";
        case MenuItem::FleetOverview1: return "FleetOverview1";
        case MenuItem::ArmBrigades1: return "ArmBrigades1";
        case MenuItem::RaiseArmy1: return "RaiseArmy1";
        case MenuItem::RaiseCorps1: return "RaiseCorps1";
        case MenuItem::RaiseFleet1: return "RaiseFleet1";
        case MenuItem::CorpsOrders1: return "CorpsOrders1";
        case MenuItem::ArmyOrders1: return "ArmyOrders1";
        case MenuItem::CityOrders1: return "CityOrders1";
        case MenuItem::FleetOrders1: return "FleetOrders1";
        case MenuItem::SideChange: return "SideChange";
        default: return nullptr;
    }
}

constexpr int kOuterWidth = 1022;
constexpr int kOuterHeight = 722;

TColor ToTColor(std::uint32_t rgb) { return RGBColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Paints on an image by copying: what is drawn replaces the pixels under it, as the map's pictures do.
template <typename Draw>
void CopyOnto(QImage& image, Draw draw) {
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    draw(p);
}

// Last drawn first: a marker may cover part of an earlier one.
template <typename Covered>
void PutBack(QImage& box, const std::vector<Covered>& covered) {
    CopyOnto(box, [&](QPainter& p) {
        for (auto c = covered.rbegin(); c != covered.rend(); ++c) p.drawImage(c->at, c->pixels);
    });
}

ViewKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_Left: return ViewKey::Left;
        case Qt::Key_Up: return ViewKey::Up;
        case Qt::Key_Right: return ViewKey::Right;
        case Qt::Key_Down: return ViewKey::Down;
        default: return ViewKey::Other;
    }
}

}  // namespace

QSize ClientSizeForFrame(const QMargins& frame, const QSize& layout) {
    return {std::max(kOuterWidth - frame.left() - frame.right(), layout.width()),
            std::max(kOuterHeight - frame.top() - frame.bottom(), layout.height())};
}

TKVTSDI::TKVTSDI(QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::TKVTSDI>()) {
    ui_->setupUi(this);
    FitFrame();
    // The window takes the keys before its controls.
    setFocusPolicy(Qt::StrongFocus);
    for (QWidget* w : ui_->centralwidget->findChildren<QWidget*>()) w->setFocusPolicy(Qt::NoFocus);
    timer1_.setInterval(kDefaultTimerInterval);
    frontend_ = std::make_unique<TQtFrontend>(*this);
    for (TBI_Hotspot*& h : hot_) {
        h = new TBI_Hotspot(this);
        h->Area = hsaScreen;
        h->SetInterval(kHotspotInterval);
        h->SetThreadPriority(tpIdle);
    }
    PlaceHotspots();
    ConnectHandlers();
}

TKVTSDI::~TKVTSDI() {
    StopBackgroundTicks();
    frontend_.reset();
}

void TKVTSDI::SetFrontend(std::unique_ptr<TQtFrontend> frontend) { frontend_ = std::move(frontend); }

void TKVTSDI::ConnectHandlers() {
    auto on = [this](const char* name, void (TKVTSDI::*handler)()) {
        connect(ActionNamed(name), &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    on("LoadGame1", &TKVTSDI::LoadGame1Click);
    on("SaveGame1", &TKVTSDI::SaveGame1Click);
    on("Execute1", &TKVTSDI::Execute1Click);
    on("Playback1", &TKVTSDI::Playback1Click);
    on("About1", &TKVTSDI::About1Click);
    on("Quit1", &TKVTSDI::Quit1Click);
    on("SideChange", &TKVTSDI::SideChangeClick);
    on("Hidden1", &TKVTSDI::Hidden1Click);
    on("Speed1", &TKVTSDI::Speed1Click);
    on("HexOutline1", &TKVTSDI::HexOutline1Click);
    on("Encyclopedia1", &TKVTSDI::Encyclopedia1Click);
    on("VisibleFleetMoves1", &TKVTSDI::VisibleFleetMoves1Click);
    on("CheckLeaders", &TKVTSDI::CheckLeadersClick);
    connect(ui_->SpeedButton1, &QToolButton::clicked, this, [this] { Execute1Click(); });
    connect(ui_->Speedbutton2, &QToolButton::clicked, this, [this] { Playback1Click(); });
    connect(ui_->SpeedButton3, &QToolButton::clicked, this, [this] { HexOutline1Click(); });
    connect(ui_->SpeedButton4, &QToolButton::clicked, this, [this] { VisibleFleetMoves1Click(); });
    connect(ui_->SpeedButton5, &QToolButton::clicked, this, [this] { Speed1Click(); });

    // The side's dialogs: each opens for the current selection; building forces repaints after.
    struct Opener {
        const char* item;
        TSideDialog dialog;
        const std::uint16_t* selection;  // must be set for the dialog to open
    };
    const Opener openers[] = {
        {"Conditions1", TSideDialog::GeneralConditions, nullptr}, {"ForceStatus1", TSideDialog::ForceStatus, nullptr},
        {"Production1", TSideDialog::CityProduction, nullptr},    {"Draft1", TSideDialog::Manpower, nullptr},
        {"States1", TSideDialog::StateStatistics, nullptr},       {"Transfers1", TSideDialog::Transfers, nullptr},
        {"Leadership1", TSideDialog::LeaderOrders, nullptr},      {"ForceOverview1", TSideDialog::ArmyOverview, nullptr},
        {"FleetOverview1", TSideDialog::NavalOverview, nullptr},  {"ArmBrigades1", TSideDialog::NewBrigades, nullptr},
        {"RaiseArmy1", TSideDialog::NewArmy, nullptr},            {"RaiseCorps1", TSideDialog::NewCorps, nullptr},
        {"RaiseFleet1", TSideDialog::NewFleet, nullptr},          {"CorpsOrders1", TSideDialog::CorpsOrders, &SelectedCorps},
        {"ArmyOrders1", TSideDialog::ArmyOrders, &SelectedArmy},  {"CityOrders1", TSideDialog::CityOrders, &SelectedCity},
        {"FleetOrders1", TSideDialog::FleetOrders, &SelectedFleet},
    };
    for (const Opener& o : openers)
        connect(ActionNamed(o.item), &QAction::triggered, this, [this, o] {
            if (o.selection && *o.selection == 0) return;
            if (OpenSideDialog(o.dialog)) FormPaint();
        });

    BattleMap()->OnMouseDown = [this](Qt::MouseButton b, QPoint p) { BattleMapMouseDown(b, p); };
    BattleMap()->OnMouseMove = [this](QPoint p) { BattleMapMouseMove(p); };
    BattleMap()->OnMouseUp = [this](Qt::MouseButton b, QPoint p) { BattleMapMouseUp(b, p); };
    StratMap()->OnMouseDown = [this](Qt::MouseButton, QPoint p) { stratmapMouseDown(p); };
    BattleMap()->OnExpose = [this] {
        if (picturesLoaded_) FormPaint();
    };
    connect(&timer1_, &QTimer::timeout, this, &TKVTSDI::Timer1Timer);
    connect(hot_[0], &TBI_Hotspot::OnInHotspot, this, [this] { HotTopInHotspot(); });
    connect(hot_[1], &TBI_Hotspot::OnInHotspot, this, [this] { HotBottomInHotspot(); });
    connect(hot_[2], &TBI_Hotspot::OnInHotspot, this, [this] { HotLeftInHotspot(); });
    connect(hot_[3], &TBI_Hotspot::OnInHotspot, this, [this] { HotRightInHotspot(); });
}

void TKVTSDI::CaptionMenus() {
    for (const TCaption& c : kMenuCaptions) {
        const QString text = QString::fromStdString(Text(c.text));
        if (auto* menu = findChild<QMenu*>(QLatin1String(c.item))) menu->setTitle(text);
        else if (QAction* action = ActionNamed(c.item)) action->setText(text);
    }
}

bool TKVTSDI::FormCreate() {
    // A fresh program: the record zeroed, the menus as the layout has them.
    ResetEngineGlobals();
    MenusChanged(TurnMenus);
    std::string textError;
    if (!TextTable.LoadFromFile(GameDataFile("KVT_ENG.TXT"), &textError)) {
        ShowWarningBox(nullptr, QString::fromStdString(textError) + QStringLiteral(" The game cannot start."));
        return false;
    }
    CaptionMenus();
    ViewColumn = 1;
    ViewRow = 1;
    HexGridShown = false;
    ResetMapInput();
    SetScreenCursor(crHourGlass);
    QString pictureError;
    if (!LoadMapPictures(pictures_, &pictureError)) {
        SetScreenCursor(crDefault);
        ShowWarningBox(nullptr, pictureError + QStringLiteral(" The game cannot start."));
        return false;
    }
    picturesLoaded_ = true;
    ComposeMinimap(StratMap()->Surface(), pictures_);
    std::string startPointError;
    if (!ReadDefaultStartPoint(&startPointError)) {
        SetScreenCursor(crDefault);
        ShowWarningBox(nullptr, QString::fromStdString(startPointError) + QStringLiteral(" The game cannot start."));
        return false;
    }
    FormPaint();
    SetMenuItems({MenuItem::LoadGame1, MenuItem::Quit1}, true);
    SetScreenCursor(crDefault);
    ResetMapInput();
    SetTimer1Enabled(false);
    GameRec->Nations[kNationUnion].OrdersGiven = 0;
    GameRec->Nations[kNationConfederacy].OrdersGiven = 0;
    Randomize();
    StartUpGame();
    FleetMovesShown = true;
    VisibleFleetMovesAction()->setChecked(true);
    PlaceHotspots();
    for (TBI_Hotspot* h : hot_) h->SetActive(true);
    gameInPlay_ = true;
    return true;
}

void TKVTSDI::FormPaint() {
    ClampView();
    // The whole box is drawn afresh, route markers and all.
    underMarkers_.clear();
    ComposeMapView(BattleMap()->Surface(), pictures_, backdrop_);
    BattleMap()->update();
    ComposeMinimap(StratMap()->Surface(), pictures_);
    StratMap()->update();
    ApplyPanelColours();
    ui_->DatePanel->SetCaption(QString::fromStdString(DateText()));
    HiddenAction()->setChecked(HiddenEnemyChecked());
}

void TKVTSDI::EraseRouteMarkers() {
    if (!underMarkers_.empty()) PutBack(BattleMap()->Surface(), underMarkers_);
    underMarkers_.clear();
    BattleMap()->update();
}

QImage TKVTSDI::BackBuffer() const {
    QImage picture = BattleMap()->Surface().copy();
    PutBack(picture, underMarkers_);
    return picture;
}

void TKVTSDI::ApplyPanelColours() {
    const TPanelColours c = IdPanelColours();
    ui_->IdPanel->SetColor(ToTColor(c.background));
    ui_->IdPanel->SetFontColor(ToTColor(c.text));
    QPalette button = ui_->SpeedButton4->palette();
    button.setColor(QPalette::ButtonText, FleetMovesShown ? QColor(255, 0, 0) : QColor(0, 0, 0));
    ui_->SpeedButton4->setPalette(button);
}

void TKVTSDI::DrawMovedCorps(int corps) {
    const TCorpsRec& c = GameRec->Corps[corps];
    EraseRouteMarkers();
    CopyOnto(BattleMap()->Surface(), [&](QPainter& p) { DrawCorpsSymbol(p, pictures_, corps, HexPixel(c.HexX, c.HexY)); });
}

void TKVTSDI::DrawMovedFleet(int fleet) {
    const TFleetRec& f = GameRec->Fleets[fleet];
    EraseRouteMarkers();
    CopyOnto(BattleMap()->Surface(), [&](QPainter& p) { DrawFleetSymbol(p, pictures_, fleet, HexPixel(f.HexX, f.HexY)); });
}

void TKVTSDI::DrawBattleMarker(int column, int row) {
    const TSheetRect r = BattleMarkerRect();
    if (!r.valid) return;
    const TBoxPoint at = HexPixel(column, row);
    EraseRouteMarkers();
    CopyOnto(BattleMap()->Surface(), [&](QPainter& p) {
        p.drawImage(QPoint(at.x, at.y), pictures_.Symbols, QRect(r.x, r.y, r.w, r.h));
    });
}

void TKVTSDI::MenusChanged(const TTurnMenus& menus) {
    for (int i = 0; i < static_cast<int>(MenuItem::Count); ++i) {
        const auto item = static_cast<MenuItem>(i);
        if (QAction* a = Action(item)) a->setEnabled(menus[item]);
    }
    ui_->SpeedButton1->setEnabled(menus[MenuItem::SpeedButton1]);
    ui_->Speedbutton2->setEnabled(menus[MenuItem::Speedbutton2]);
    if (!menus.sideChangeCaption.empty()) SideChangeAction()->setText(QString::fromStdString(menus.sideChangeCaption));
}

void TKVTSDI::SetIdPanelText(const QString& text) { ui_->IdPanel->SetCaption(text); }

void TKVTSDI::SetIdPanelTextColour(std::uint32_t rgb) { ui_->IdPanel->SetFontColor(ToTColor(rgb)); }

void TKVTSDI::ShowTurnProgress(int value) { ui_->TurnProgressGauge->setValue(value); }

void TKVTSDI::ShowWeatherGauges(int seaboard, int west, int mississippi) {
    ui_->Gauge1->setValue(seaboard);
    ui_->Gauge2->setValue(west);
    ui_->Gauge3->setValue(mississippi);
}

void TKVTSDI::ShowDate(const QString& text) { ui_->DatePanel->SetCaption(text); }

void TKVTSDI::Timer1Changed(bool enabled) {
    if (enabled) timer1_.start();
    else timer1_.stop();
}

void TKVTSDI::Timer1IntervalChanged(int milliseconds) { timer1_.setInterval(milliseconds); }

void TKVTSDI::BattleMapMouseDown(Qt::MouseButton button, QPoint at) {
    // Any press, whatever its button, erases the route markers of the last drag.
    EraseRouteMarkers();
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    const TMapClick click = MapMouseDown(button == Qt::RightButton ? MapButton::Right : MapButton::Left, at.x(), at.y());
    OpenDialogsOfClick(click);
    FinishMapClick(click);
}

void TKVTSDI::OpenDialogsOfClick(const TMapClick& click) {
    bool shown = false;
    if (click.chooseAmongSeveral) shown = OpenSideDialog(TSideDialog::Selection);
    for (OrderDialog d : click.open) {
        switch (d) {
            case OrderDialog::Army: shown |= OpenSideDialog(TSideDialog::ArmyOrders); break;
            case OrderDialog::City: shown |= OpenSideDialog(TSideDialog::CityOrders); break;
            case OrderDialog::Fleet: shown |= OpenSideDialog(TSideDialog::FleetOrders); break;
            case OrderDialog::Corps: shown |= OpenSideDialog(TSideDialog::CorpsOrders); break;
        }
    }
    if (shown) FormPaint();
}

void TKVTSDI::BattleMapMouseMove(QPoint at) {
    SetScreenCursor(crDefault);
    ui_->LocationLabel->SetCaption(QString::fromStdString(LocationText(at.x(), at.y())));
    for (const TMarkerDraw& marker : MapMouseMove(at.x(), at.y())) {
        const QRect area = MoveMarkerArea(marker.direction, marker.at);
        if (area.isEmpty()) continue;
        underMarkers_.push_back({area.topLeft(), BattleMap()->Surface().copy(area)});
        DrawMoveMarker(BattleMap()->Surface(), pictures_, marker.direction, marker.at);
        BattleMap()->update(area);
    }
}

void TKVTSDI::BattleMapMouseUp(Qt::MouseButton button, QPoint at) {
    MapMouseUp(button == Qt::LeftButton ? MapButton::Left : MapButton::Right, at.x(), at.y());
}

void TKVTSDI::stratmapMouseDown(QPoint at) {
    MoveViewToMinimapPoint(at.x(), at.y());
    FormPaint();
    DrawViewOnMinimap(StratMap()->Surface());
    StratMap()->update();
}

void TKVTSDI::FormKeyDown(int key) {
    ScrollViewByKey(KeyOf(key));
    FormPaint();
}

void TKVTSDI::keyPressEvent(QKeyEvent* event) { FormKeyDown(event->key()); }

void TKVTSDI::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its press, one step each; the releases the window system slips between
    // the repeats would double every step.
    if (event->isAutoRepeat()) return;
    FormKeyDown(event->key());
}

void TKVTSDI::Timer1Timer() {
    // A dialog opened inside a tick runs the event loop; a tick must never start inside another.
    if (inTick_) return;
    inTick_ = true;
    ++ticks_;
    MovementTick();
    inTick_ = false;
}

void TKVTSDI::LoadGame1Click() { LoadGameMenu(); }
void TKVTSDI::SaveGame1Click() { SaveGameDialog(); }
void TKVTSDI::Execute1Click() { ExecuteTurn(); }
void TKVTSDI::Playback1Click() { StartPlayback(); }
void TKVTSDI::About1Click() { ShowAbout(); }

void TKVTSDI::Quit1Click() {
    if (!ConfirmQuit()) return;
    quitConfirmed_ = true;
    close();
}

void TKVTSDI::SideChangeClick() {
    if (!MenuItemEnabled(MenuItem::SideChange)) return;
    SelectSideToPlay();
}

void TKVTSDI::Hidden1Click() {
    HiddenAction()->setChecked(ToggleHiddenEnemy());
    FormPaint();
}

void TKVTSDI::Speed1Click() { ShowDelayDialog(); }

void TKVTSDI::HexOutline1Click() {
    ToggleHexGrid();
    FormPaint();
}

void TKVTSDI::Encyclopedia1Click() {
    SetApplicationHelpFile(QString::fromStdString(GameDataFile("KVT.HLP")));
    ShowHelpTopic(this, QStringLiteral("Contents"));
}

void TKVTSDI::VisibleFleetMoves1Click() { VisibleFleetMovesAction()->setChecked(ToggleFleetMoves()); }

void TKVTSDI::CheckLeadersClick() { CheckCommands(); }

void TKVTSDI::HotTopInHotspot() { EdgeTick(MapEdge::Top); }
void TKVTSDI::HotBottomInHotspot() { EdgeTick(MapEdge::Bottom); }
void TKVTSDI::HotLeftInHotspot() { EdgeTick(MapEdge::Left); }
void TKVTSDI::HotRightInHotspot() { EdgeTick(MapEdge::Right); }

void TKVTSDI::EdgeTick(MapEdge edge) {
    // Only while the player looks at the map itself: a pointer left on a strip where a menu's item
    // was would otherwise run the view to the map's edge behind the dialog or menu.
    if (!isActiveWindow() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
    ScrollViewAtEdge(edge);
    FormPaint();
}

void TKVTSDI::PlaceHotspots() {
    // The strips are the map's own edges wherever the window stands: the menu bar, tool bar and
    // panels around the map never scroll it, whatever frame the window system draws.
    const TEdgeHotspotRects r = EdgeHotspotRects(QRect(BattleMap()->mapToGlobal(QPoint(0, 0)), BattleMap()->size()));
    const QRect rects[4] = {r.Top, r.Bottom, r.Left, r.Right};
    for (int i = 0; i < 4; ++i)
        if (hot_[i]) hot_[i]->SetRect(rects[i]);
}

void TKVTSDI::FitFrame() {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QRect laidOut = ui_->centralwidget->childrenRect();
    const QSize layout(laidOut.right() + 1, menuBar()->sizeHint().height() + laidOut.bottom() + 1);
    const QSize client = ClientSizeForFrame(frame, layout);
    if (client != size() || minimumSize() != maximumSize()) setFixedSize(client);
}

void TKVTSDI::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window system's paint requests reach the map through its window.
    if (QWindow* w = windowHandle()) w->installEventFilter(this);
    FitFrame();
    PlaceHotspots();
}

bool TKVTSDI::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed())
        BattleMap()->Expose();
    return QMainWindow::eventFilter(watched, event);
}

void TKVTSDI::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // The frame is known once the window manager has put the window in it.
    FitFrame();
    PlaceHotspots();
}

void TKVTSDI::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    PlaceHotspots();
}

void TKVTSDI::StopBackgroundTicks() {
    timer1_.stop();
    for (TBI_Hotspot* h : hot_)
        if (h) h->SetActive(false);
}

void TKVTSDI::closeEvent(QCloseEvent* event) {
    // The title bar's close asks what Quit asks; a Quit already answered is not asked again.
    if (gameInPlay_ && !quitConfirmed_) {
        if (!ConfirmQuit()) {
            event->ignore();
            return;
        }
        quitConfirmed_ = true;
    }
    // Nothing may tick into a window that is going away.
    StopBackgroundTicks();
    SetTimer1Enabled(false);
    BattleLog.clear();
    QMainWindow::closeEvent(event);
}

QAction* TKVTSDI::ActionNamed(const char* name) const { return findChild<QAction*>(QLatin1String(name)); }

QAction* TKVTSDI::Action(MenuItem item) const {
    const char* name = ActionName(item);
    return name ? ActionNamed(name) : nullptr;
}

QAction* TKVTSDI::SideChangeAction() const { return ui_->SideChange; }
QAction* TKVTSDI::HiddenAction() const { return ui_->Hidden1; }
QAction* TKVTSDI::VisibleFleetMovesAction() const { return ui_->VisibleFleetMoves1; }

QToolButton* TKVTSDI::SpeedButton(int n) const {
    QToolButton* buttons[] = {ui_->SpeedButton1, ui_->Speedbutton2, ui_->SpeedButton3, ui_->SpeedButton4, ui_->SpeedButton5};
    return (n >= 1 && n <= 5) ? buttons[n - 1] : nullptr;
}

TMapBox* TKVTSDI::BattleMap() const { return ui_->BattleMap; }
TMiniMapBox* TKVTSDI::StratMap() const { return ui_->StratMap; }
TElPanel* TKVTSDI::IdPanel() const { return ui_->IdPanel; }
TElPanel* TKVTSDI::DatePanel() const { return ui_->DatePanel; }
TElLabel* TKVTSDI::LocationLabel() const { return ui_->LocationLabel; }
QWidget* TKVTSDI::TurnProgressGauge() const { return ui_->TurnProgressGauge; }

QWidget* TKVTSDI::WeatherGauge(int theatre) const {
    QWidget* gauges[] = {ui_->Gauge1, ui_->Gauge2, ui_->Gauge3};
    return (theatre >= 1 && theatre <= 3) ? gauges[theatre - 1] : nullptr;
}

TBI_Hotspot* TKVTSDI::Hotspot(int edge) const { return (edge >= 0 && edge < 4) ? hot_[edge] : nullptr; }

}  // namespace kvt::gui

// The main window: the map view with its minimap, the menus and tool bar, the panels and gauges,
// the movement timer and the four screen-edge hotspots. It maps clicks, keys and commands onto the
// engine's procedures and draws what they leave; every rule lives in the engine.
#pragma once

#include <QMainWindow>
#include <QMargins>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/view/turn_menus.h"
#include "engine/world/frontend.h"
#include "gui/main/map_painter.h"

class QAction;
class QToolButton;

namespace kvt {
struct TMapClick;
enum class MapEdge;
}

namespace Ui {
class TKVTSDI;
}

namespace kvt::gui {

class TBI_Hotspot;
class TElLabel;
class TElPanel;
class TMapBox;
class TMiniMapBox;
class TQtFrontend;

// The size of the window's inside that gives it an outer size of 1022 x 722 within a frame of
// these margins, but never less than `layout`, which shows the map box and the minimap whole.
QSize ClientSizeForFrame(const QMargins& frame, const QSize& layout);

class TKVTSDI : public QMainWindow {
    Q_OBJECT
public:
    explicit TKVTSDI(QWidget* parent = nullptr);
    ~TKVTSDI() override;

    // Replaces the frontend through which the engine waits on the player (tests script the
    // dialogs that are not the window's own). Must be called before FormCreate.
    void SetFrontend(std::unique_ptr<TQtFrontend> frontend);
    TQtFrontend& Frontend() { return *frontend_; }

    // Loads the texts, pictures and default start point, then runs the game start-up. False, after
    // a message naming the file, when a file the game needs is missing: the program then ends.
    bool FormCreate();

    // The game-wide repaint: clamps the view and redraws the map box, minimap and panels.
    void FormPaint();
    // A unit shown after its move, over the repainted map.
    void DrawMovedCorps(int corps);
    void DrawMovedFleet(int fleet);
    // The battle marker on hex (column, row) over the repainted map.
    void DrawBattleMarker(int column, int row);

    // Mirrors of the engine's display calls.
    void MenusChanged(const TTurnMenus& menus);
    void SetIdPanelText(const QString& text);
    void SetIdPanelTextColour(std::uint32_t rgb);
    void ShowTurnProgress(int value);
    void ShowWeatherGauges(int seaboard, int west, int mississippi);
    void ShowDate(const QString& text);
    void Timer1Changed(bool enabled);
    void Timer1IntervalChanged(int milliseconds);

    // Handlers, named after their controls.
    void BattleMapMouseDown(Qt::MouseButton button, QPoint at);
    void BattleMapMouseMove(QPoint at);
    void BattleMapMouseUp(Qt::MouseButton button, QPoint at);
    void stratmapMouseDown(QPoint at);
    void FormKeyDown(int key);
    void Timer1Timer();
    void LoadGame1Click();
    void SaveGame1Click();
    void Execute1Click();
    void Playback1Click();
    void About1Click();
    void Quit1Click();
    void SideChangeClick();
    void Hidden1Click();
    void Speed1Click();
    void HexOutline1Click();
    void Encyclopedia1Click();
    void VisibleFleetMoves1Click();
    void CheckLeadersClick();
    void HotTopInHotspot();
    void HotBottomInHotspot();
    void HotLeftInHotspot();
    void HotRightInHotspot();

    // The controls, for the frontend and for tests.
    QAction* Action(MenuItem item) const;
    QAction* SideChangeAction() const;
    QAction* HiddenAction() const;
    QAction* VisibleFleetMovesAction() const;
    QAction* ActionNamed(const char* name) const;
    QToolButton* SpeedButton(int n) const;  // 1..5
    TMapBox* BattleMap() const;
    TMiniMapBox* StratMap() const;
    TElPanel* IdPanel() const;
    TElPanel* DatePanel() const;
    TElLabel* LocationLabel() const;
    QWidget* TurnProgressGauge() const;
    QWidget* WeatherGauge(int theatre) const;  // 1..3
    QTimer* Timer1() { return &timer1_; }
    TBI_Hotspot* Hotspot(int edge) const;  // 0 top, 1 bottom, 2 left, 3 right
    // What the map box shows less the route markers drawn on it since the last repaint.
    QImage BackBuffer() const;
    // How many ticks the timer ran (tests wait on it).
    int TicksRun() const { return ticks_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CaptionMenus();
    void ConnectHandlers();
    void PlaceHotspots();
    void EdgeTick(kvt::MapEdge edge);
    void FitFrame();
    void StopBackgroundTicks();
    void EraseRouteMarkers();
    void ApplyPanelColours();
    void OpenDialogsOfClick(const kvt::TMapClick& click);

    std::unique_ptr<Ui::TKVTSDI> ui_;
    std::unique_ptr<TQtFrontend> frontend_;
    TMapPictures pictures_;
    TMapBackdrop backdrop_;
    // What each route marker drawn since the last repaint covered on the map box, in drawing order:
    // putting it back erases the markers without a second full-size picture of the map.
    struct TCovered {
        QPoint at;
        QImage pixels;
    };
    std::vector<TCovered> underMarkers_;
    QTimer timer1_;
    TBI_Hotspot* hot_[4] = {};
    bool inTick_ = false;
    bool picturesLoaded_ = false;
    // A game is in play from the end of FormCreate; closing the window then asks as Quit does.
    bool gameInPlay_ = false;
    bool quitConfirmed_ = false;
    int ticks_ = 0;
};

}  // namespace kvt::gui

// The spin button beside a value: two parts, up and down (or left and right). Pressing a part
// fires its event at once, again after 400 ms, then every 100 ms until the release; dragging from
// the line between the parts reports a continuous distance. A hold also ends when the button is
// hidden or disabled (often by its own handler) or loses the mouse, so a value never runs on.
#pragma once

#include <QPointer>

#include <memory>

#include "gui/platform/cursor.h"
#include "gui/ui/repeat_timer.h"
#include "gui/ui/themed_control.h"

namespace kvt::gui {

enum TElSpinBtnDir { sbdUpDown, sbdLeftRight };
enum TElSpinBtnType { sbtUpDown, sbtLeftRight };

class TElSpinButton : public TElXPThemedControl {
    Q_OBJECT
    Q_PROPERTY(double Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(bool UseDrag READ UseDrag WRITE SetUseDrag)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool UpArrowEnabled READ UpArrowEnabled WRITE SetUpArrowEnabled)
    Q_PROPERTY(bool DownArrowEnabled READ DownArrowEnabled WRITE SetDownArrowEnabled)
    Q_PROPERTY(bool MoneyFlat READ MoneyFlat WRITE SetMoneyFlat)
public:
    static constexpr int kFirstDelayMs = 400;
    static constexpr int kRepeatMs = 100;

    explicit TElSpinButton(QWidget* parent = nullptr);
    ~TElSpinButton() override;

    double Increment() const { return increment_; }
    void SetIncrement(double value) { increment_ = value; }
    bool UseDrag() const { return useDrag_; }
    virtual void SetUseDrag(bool value) { useDrag_ = value; }
    bool Flat() const { return flat_; }
    virtual void SetFlat(bool value);
    TElSpinBtnDir ButtonDirection() const { return direction_; }
    void SetButtonDirection(TElSpinBtnDir value);
    TElSpinBtnType ButtonType() const { return type_; }
    void SetButtonType(TElSpinBtnType value);
    bool UpArrowEnabled() const { return upArrowEnabled_; }
    void SetUpArrowEnabled(bool value);
    bool DownArrowEnabled() const { return downArrowEnabled_; }
    void SetDownArrowEnabled(bool value);
    bool MoneyFlat() const { return moneyFlat_; }
    void SetMoneyFlat(bool value);
    TColor MoneyFlatActiveColor() const { return moneyFlatActive_; }
    void SetMoneyFlatActiveColor(TColor value);
    TColor MoneyFlatInactiveColor() const { return moneyFlatInactive_; }
    void SetMoneyFlatInactiveColor(TColor value);
    TColor MoneyFlatDownColor() const { return moneyFlatDown_; }
    void SetMoneyFlatDownColor(TColor value);

    bool UpHot() const { return upHot_; }
    bool DownHot() const { return downHot_; }
    bool UpPressed() const { return upPressed_; }
    bool DownPressed() const { return downPressed_; }
    bool Dragging() const { return dragging_; }
    bool Captured() const { return captured_; }
    // True while a part is held and its repeat timer exists.
    bool Repeating() const { return timer_ != nullptr; }
    double StartDistance() const { return startDistance_; }

    // Where held parts get their timers (the event loop's unless a test gives its own).
    void SetTimerFactory(TElRepeatTimerFactory factory) { timerFactory_ = std::move(factory); }

    // The parts' rectangles as drawn, and which part a point hits: 1 first, 2 second, 0 the line.
    QRect FirstPartRect() const;
    QRect SecondPartRect() const;
    int PartAt(QPoint point) const;

    QSize sizeHint() const override { return QSize(16, 16); }

signals:
    void OnUpClick(double Distance);
    void OnDownClick(double Distance);
    void OnSpinDrag(double Distance);
    // The handler may change the drag's starting distance.
    void OnSpinStart(double* InitialDistance);

protected:
    QString ThemeClassName() const override { return QStringLiteral("SPIN"); }
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void FirePart(bool first);
    void TimerTick();
    // Ends a hold or a drag as a left-button release would.
    void EndHold();
    bool CanHold() const;
    void Capture();
    void ReleaseCapture();
    void ShowSizingCursor();
    void RestoreCursor();
    void DrawArrows(QPainter& p);

    double increment_ = 0;
    bool useDrag_ = true;
    bool flat_ = false;
    TElSpinBtnDir direction_ = sbdUpDown;
    TElSpinBtnType type_ = sbtUpDown;
    bool upArrowEnabled_ = true;
    bool downArrowEnabled_ = true;
    bool moneyFlat_ = false;
    TColor moneyFlatActive_ = clBlack;
    TColor moneyFlatInactive_ = clBtnShadow;
    TColor moneyFlatDown_ = clBlack;
    bool upHot_ = false, downHot_ = false;
    bool upPressed_ = false, downPressed_ = false;
    bool captured_ = false;
    bool dragging_ = false;
    TCursor savedCursor_ = crDefault;
    double startDistance_ = 0;
    std::unique_ptr<TElRepeatTimer> timer_;
    // A stopped timer is kept until the next hold: it may be the one whose tick is running.
    std::unique_ptr<TElRepeatTimer> retired_;
    TElRepeatTimerFactory timerFactory_;
};

}  // namespace kvt::gui

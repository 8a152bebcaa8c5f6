// The spin button beside a value: two parts, up and down (or left and right). Pressing a part
// fires its event at once, again after 400 ms, then every 100 ms until the release; dragging from
// the line between the parts reports a continuous distance. A hold also ends when the button is
// hidden or disabled (often by its own handler), loses the mouse, or its window is blocked by a
// modal dialog (a handler that asks a question), so a value never runs on.
#pragma once

#include <QPointer>

#include <memory>

#include "gui/platform/cursor.h"
#include "gui/ui/control_events.h"
#include "gui/ui/money_flat.h"
#include "gui/ui/repeat_timer.h"
#include "gui/ui/themed_control.h"

namespace kvt::gui {

enum TElSpinBtnDir { sbdUpDown, sbdLeftRight };
enum TElSpinBtnType { sbtUpDown, sbtLeftRight };

// The class library's events are raised before the spin button's own handling of the input; a
// left press and release inside the control is a click (besides the part's event).
class TElSpinButton : public TEventControl, public TMoneyFlatLook {
    Q_OBJECT
    Q_PROPERTY(double Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(bool UseDrag READ UseDrag WRITE SetUseDrag)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool UpArrowEnabled READ UpArrowEnabled WRITE SetUpArrowEnabled)
    Q_PROPERTY(bool DownArrowEnabled READ DownArrowEnabled WRITE SetDownArrowEnabled)
    Q_PROPERTY(int ButtonDirection READ ButtonDirectionValue WRITE SetButtonDirectionValue)
    Q_PROPERTY(int ButtonType READ ButtonTypeValue WRITE SetButtonTypeValue)
    Q_PROPERTY(bool MoneyFlat READ MoneyFlat WRITE SetMoneyFlat)
    Q_PROPERTY(uint MoneyFlatActiveColor READ MoneyFlatActiveColor WRITE SetMoneyFlatActiveColor)
    Q_PROPERTY(uint MoneyFlatDownColor READ MoneyFlatDownColor WRITE SetMoneyFlatDownColor)
    Q_PROPERTY(uint MoneyFlatInactiveColor READ MoneyFlatInactiveColor WRITE SetMoneyFlatInactiveColor)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
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
    // The window's text: kept, never drawn.
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& text) { caption_ = text; }
    // A new spin button shows its parent's colour and font.
    bool ParentColor() const { return look_.ParentColor(); }
    void SetParentColor(bool value) { look_.SetParentColor(value); }
    bool ParentFont() const { return look_.ParentFont(); }
    void SetParentFont(bool value) { look_.SetParentFont(value); }
    // On by default: Tab reaches the button; a press never moves the focus to it.
    bool TabStop() const { return focusPolicy() == Qt::TabFocus; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus); }

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
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    void ColorChanged() override;
    void FontColorChanged() override;
    void ParentColorChanged() override { look_.AdoptColor(); }
    void ParentFontChanged() override { look_.AdoptFont(); }
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int ButtonDirectionValue() const { return direction_; }
    void SetButtonDirectionValue(int v) { SetButtonDirection(v == 1 ? sbdLeftRight : sbdUpDown); }
    int ButtonTypeValue() const { return type_; }
    void SetButtonTypeValue(int v) { SetButtonType(v == 1 ? sbtLeftRight : sbtUpDown); }
    // The spin button's own press, after the class library's events.
    void Press(QMouseEvent* event);
    void FirePart(bool first);
    void TimerTick();
    // Ends a hold or a drag as a left-button release would.
    void EndHold();
    bool Holding() const { return upPressed_ || downPressed_ || timer_ || dragging_; }
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
    QString caption_;
    bool clicked_ = false;
    // Counts the times a modal dialog blocked the button's window.
    int blockedCount_ = 0;
    TParentLook look_{this};
};

}  // namespace kvt::gui

// The money-flat look of the buttons, check items, spin buttons and group boxes: a flat frame
// line whose colour says whether the control is held down, active (focused or under the mouse)
// or neither. A control derives from TMoneyFlatLook beside its widget base and publishes these
// as its MoneyFlat... properties.
#pragma once

#include <QWidget>

#include "gui/platform/colors.h"

namespace kvt::gui {

class TMoneyFlatLook {
public:
    explicit TMoneyFlatLook(QWidget* control) : control_(control) {}
    virtual ~TMoneyFlatLook() = default;

    bool MoneyFlat() const { return moneyFlat_; }
    virtual void SetMoneyFlat(bool value);
    // A colour change repaints the control only while it shows the look.
    TColor MoneyFlatActiveColor() const { return active_; }
    virtual void SetMoneyFlatActiveColor(TColor value);
    TColor MoneyFlatInactiveColor() const { return inactive_; }
    virtual void SetMoneyFlatInactiveColor(TColor value);
    TColor MoneyFlatDownColor() const { return down_; }
    virtual void SetMoneyFlatDownColor(TColor value);

    // The frame's colour: the down colour while held down, else the active or inactive one.
    TColor MoneyFlatColor(bool down, bool active) const { return down ? down_ : (active ? active_ : inactive_); }

private:
    void SetLineColor(TColor& color, TColor value);

    QWidget* control_;
    bool moneyFlat_ = false;
    TColor active_ = clBlack;
    TColor inactive_ = clBtnShadow;
    TColor down_ = clBlack;
};

}  // namespace kvt::gui

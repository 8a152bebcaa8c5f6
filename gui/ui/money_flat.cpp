// The money-flat look's switch and colours.
#include "gui/ui/money_flat.h"

namespace kvt::gui {

void TMoneyFlatLook::SetMoneyFlat(bool value) {
    if (value == moneyFlat_) return;
    moneyFlat_ = value;
    control_->update();
}

void TMoneyFlatLook::SetLineColor(TColor& color, TColor value) {
    if (value == color) return;
    color = value;
    if (moneyFlat_) control_->update();
}

void TMoneyFlatLook::SetMoneyFlatActiveColor(TColor value) { SetLineColor(active_, value); }
void TMoneyFlatLook::SetMoneyFlatInactiveColor(TColor value) { SetLineColor(inactive_, value); }
void TMoneyFlatLook::SetMoneyFlatDownColor(TColor value) { SetLineColor(down_, value); }

}  // namespace kvt::gui

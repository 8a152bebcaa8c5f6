// The leader orders dialog: the side's leaders by grade and status, the ratings of the one clicked,
// Promote and Temp Remove. It only shows what the engine's leader orders answer.
#pragma once

#include <memory>

#include "engine/orders/leader_orders.h"
#include "gui/platform/form.h"

namespace Ui {
class TLeaderStatus;
}

namespace kvt::gui {

class TElLabel;
class TElRadioButton;

class TLeaderStatus final : public TForm {
    Q_OBJECT
public:
    explicit TLeaderStatus(QWidget* parent = nullptr);
    ~TLeaderStatus() override;

    void FillLeaderList();
    void RadioButton1Click();
    void RadioButton8Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void RadioButton7Click();
    void RadioButton9Click();
    void LdrListClick();
    void BitBtn1Click();
    void Button1Click();

private:
    // A filter's radio button and its label both choose it.
    void BindFilter(TElRadioButton* button, TElLabel* label, void (TLeaderStatus::*handler)());
    void ShowFilters();

    std::unique_ptr<Ui::TLeaderStatus> ui_;
    TLeaderOrders orders_;
};

void ShowLeaderStatus();

}  // namespace kvt::gui

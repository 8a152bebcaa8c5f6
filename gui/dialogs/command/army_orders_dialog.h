// The army orders dialog: one army's name, stance, march, supply and objective, and its commander.
// It only shows what the engine's army orders answer and hands back what the person chose.
#pragma once

#include <memory>
#include <vector>

#include "engine/orders/army_orders.h"
#include "gui/platform/form.h"

namespace Ui {
class TArmyOrder;
}

namespace kvt::gui {

class TElRadioButton;

class TArmyOrder final : public TForm {
    Q_OBJECT
public:
    explicit TArmyOrder(int army, QWidget* parent = nullptr);
    ~TArmyOrder() override;

    // What the dialog holds chosen now.
    TArmyOrderChoices Choices() const;
    void ListBox3Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::TArmyOrder> ui_;
    int army_;
    TArmyOrdersView view_;
    // The radio buttons of each group by order code.
    std::vector<TElRadioButton*> stances_, marches_, supplyTypes_, priorities_;
};

// Opens the orders of SelectedArmy and writes them back when it closes; answers whether it showed.
bool ShowArmyOrders();

}  // namespace kvt::gui

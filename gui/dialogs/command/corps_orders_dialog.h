// The corps and division orders dialog: shows what the engine's opening answers, passes each click
// on to the engine's handlers and hands the chosen rows back for the write-back. Holds no rule.
#pragma once

#include <memory>

#include "engine/orders/corps_orders.h"
#include "gui/platform/form.h"

namespace Ui {
class TCorpsOrder;
}

namespace kvt::gui {

class TElAdvancedListBox;

class TCorpsOrder final : public TForm {
    Q_OBJECT
public:
    explicit TCorpsOrder(TCorpsOrders& orders, QWidget* parent = nullptr);
    ~TCorpsOrder() override;

    void RadioButton13Click();
    void RadioButton14Click();
    void ListBox5Click();
    void ListBox2Click();
    void Button1Click();
    // Copies the rows the player left chosen into the orders.
    void CollectChoices();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowCommander();
    void ShowFigures();
    void ShowTransfers();
    static void ShowList(TElAdvancedListBox* list, const TOrderList& rows);

    std::unique_ptr<Ui::TCorpsOrder> ui_;
    TCorpsOrders& orders_;
};

// Opens the orders of SelectedCorps and writes them back when closed; false, showing nothing, when
// the selection names no corps in use.
bool ShowCorpsOrders();

}  // namespace kvt::gui

// The supply and cotton transfers dialog: the goods switch of each pair of theatres, the moves and
// the rail purchase go to the engine, which writes the record at once; the dialog shows the stocks.
// Holds no rule.
#pragma once

#include <memory>

#include "engine/orders/transfers.h"
#include "gui/dialogs/command/spinner_row.h"
#include "gui/platform/form.h"

namespace Ui {
class TTransfers;
}

namespace kvt::gui {

// UpDown1..UpDown3: a move between the pair's theatres; UpDown4 buys rail capacity.
class TTransfers final : public TForm, public TSpinnerRow<TTransfers, 3> {
    Q_OBJECT
public:
    explicit TTransfers(QWidget* parent = nullptr);
    ~TTransfers() override;

    // RadioButton1..RadioButton6: odd buttons supplies, even ones cotton, two to a pair.
    void RadioButton1Click() { RadioButtonClick(1); }
    void RadioButton2Click() { RadioButtonClick(2); }
    void RadioButton3Click() { RadioButtonClick(3); }
    void RadioButton4Click() { RadioButtonClick(4); }
    void RadioButton5Click() { RadioButtonClick(5); }
    void RadioButton6Click() { RadioButtonClick(6); }
    void UpDown4UpClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend TSpinnerRow<TTransfers, 3>;
    void RadioButtonClick(int button);
    void UpDownClick(int pair, bool up);
    void ShowStocks();

    std::unique_ptr<Ui::TTransfers> ui_;
    TTransferOrders transfers_;
};

void ShowTransfers();

}  // namespace kvt::gui

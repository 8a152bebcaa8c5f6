// The supply and cotton transfers dialog: the goods switch of each pair of theatres, the moves and
// the rail purchase go to the engine, which writes the record at once; the dialog shows the stocks.
// Holds no rule.
#pragma once

#include <memory>

#include "engine/orders/transfers.h"
#include "gui/platform/form.h"

namespace Ui {
class TTransfers;
}

namespace kvt::gui {

class TTransfers final : public TForm {
    Q_OBJECT
public:
    explicit TTransfers(QWidget* parent = nullptr);
    ~TTransfers() override;

    // RadioButton1..RadioButton6: odd buttons supplies, even ones cotton, two to a pair.
    void RadioButtonClick(int button);
    // UpDown1..UpDown3: a move between the pair's theatres.
    void UpDownClick(int pair, bool up);
    void UpDown4UpClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowStocks();

    std::unique_ptr<Ui::TTransfers> ui_;
    TTransferOrders transfers_;
};

void ShowTransfers();

}  // namespace kvt::gui

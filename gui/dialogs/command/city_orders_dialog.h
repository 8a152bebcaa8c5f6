// The city orders dialog: one city of the side with its garrison, and its coastal guns and
// fortifications bought or sold at once through the engine (BuyCoastalGun, ...).
#pragma once

#include <memory>

#include "gui/platform/form.h"

namespace Ui {
class TCityOrder;
}

namespace kvt::gui {

class TCityOrder final : public TForm {
    Q_OBJECT
public:
    explicit TCityOrder(int city, QWidget* parent = nullptr);
    ~TCityOrder() override;

    void UpDown1UpClick();
    void UpDown1DownClick();
    void UpDown2UpClick();
    void UpDown2DownClick();

private:
    // Shows the city as the record holds it now.
    void ShowCity();

    std::unique_ptr<Ui::TCityOrder> ui_;
    int city_;
};

// Opens the dialog for the selected city; false when none of the side's is selected.
bool ShowCityOrders();

}  // namespace kvt::gui

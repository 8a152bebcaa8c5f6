// The weapon choice for one brigade: the kinds its arm may take from the national pool.
#pragma once

#include <memory>

#include "engine/orders/brigade_display.h"
#include "gui/platform/form.h"

namespace Ui {
class TNew_Wpn;
}

namespace kvt::gui {

class TNew_Wpn final : public TForm {
    Q_OBJECT
public:
    explicit TNew_Wpn(const TWeaponChoice& choice, QWidget* parent = nullptr);
    ~TNew_Wpn() override;

    // The kind checked, 0 for none.
    int ChosenKind() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::TNew_Wpn> ui_;
};

// Shows the choice for the brigade and re-arms it with the kind checked when Done is pressed.
void SelectBrigadeWeapon(int brigade);

}  // namespace kvt::gui

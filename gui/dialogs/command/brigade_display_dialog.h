// The brigade display of the selected corps: ten rows with a reinforcement check box and a weapon
// button each. Shows what the engine's rows answer; every change is the engine's.
#pragma once

#include <memory>

#include "engine/orders/brigade_display.h"
#include "gui/platform/form.h"

namespace Ui {
class TViewBrgd;
}

namespace kvt::gui {

class TViewBrgd final : public TForm {
    Q_OBJECT
public:
    explicit TViewBrgd(TBrigadeDisplay& display, QWidget* parent = nullptr);
    ~TViewBrgd() override;

    // Row k = 1..10: choose the row's weapon, or reinforce its brigade.
    void ButtonClick(int row);
    void CheckBoxClick(int row);
    void Button1Click() { ButtonClick(1); }
    void Button2Click() { ButtonClick(2); }
    void Button3Click() { ButtonClick(3); }
    void Button4Click() { ButtonClick(4); }
    void Button5Click() { ButtonClick(5); }
    void Button6Click() { ButtonClick(6); }
    void Button7Click() { ButtonClick(7); }
    void Button8Click() { ButtonClick(8); }
    void Button9Click() { ButtonClick(9); }
    void Button10Click() { ButtonClick(10); }
    void CheckBox1Click() { CheckBoxClick(1); }
    void CheckBox2Click() { CheckBoxClick(2); }
    void CheckBox3Click() { CheckBoxClick(3); }
    void CheckBox4Click() { CheckBoxClick(4); }
    void CheckBox5Click() { CheckBoxClick(5); }
    void CheckBox6Click() { CheckBoxClick(6); }
    void CheckBox7Click() { CheckBoxClick(7); }
    void CheckBox8Click() { CheckBoxClick(8); }
    void CheckBox9Click() { CheckBoxClick(9); }
    void CheckBox10Click() { CheckBoxClick(10); }

private:
    // Places the row columns under the header's words, wherever its text puts them.
    void AlignColumnsToHeader();
    void ShowRow(int row);

    std::unique_ptr<Ui::TViewBrgd> ui_;
    TBrigadeDisplay& display_;
};

// Shows the brigades of SelectedCorps; nothing when it names no corps in use.
void ShowBrigadeDisplay();

}  // namespace kvt::gui

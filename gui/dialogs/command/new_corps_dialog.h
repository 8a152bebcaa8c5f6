// The new corps or division dialog: formation, leader, city and the brigades to take. The corps
// record is the engine's (BeginCorpsRaising, FinishCorpsRaising); the dialog shows and collects.
#pragma once

#include <memory>
#include <vector>

#include "engine/orders/new_corps.h"
#include "gui/platform/form.h"

namespace Ui {
class TRaiseCorps;
}

namespace kvt::gui {

class TRaiseCorps final : public TForm {
    Q_OBJECT
public:
    // The raising must have its corps record already.
    explicit TRaiseCorps(TCorpsRaising& raising, QWidget* parent = nullptr);
    ~TRaiseCorps() override;

    void RadioButton1Click() { ChooseFormationKind(kFormationCorps); }
    void RadioButton2Click() { ChooseFormationKind(kFormationInfantryDivision); }
    void RadioButton3Click() { ChooseFormationKind(kFormationCavalryDivision); }
    void ListBox2Click();
    void ListBox3Click();
    // The brigades selected in the list, in list order.
    std::vector<int> SelectedBrigades() const;

private:
    void ChooseFormationKind(int kind);
    void ShowLimit();

    std::unique_ptr<Ui::TRaiseCorps> ui_;
    TCorpsRaising& raising_;
    std::vector<int> leaders_;   // by row of ListBox2
    std::vector<int> cities_;    // by row of ListBox3
    std::vector<int> brigades_;  // by row of ListBox1
};

// Runs the whole dialog: the record taken at the start is completed or given back at the end.
void ShowRaiseCorps();

}  // namespace kvt::gui

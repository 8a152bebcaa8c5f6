// The new army dialog: name, commander, headquarters city and the corps it commands. The army is
// created by the engine (RaiseArmy) after the dialog closes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/platform/form.h"

namespace Ui {
class TRaiseArmy;
}

namespace kvt::gui {

class TRaiseArmy final : public TForm {
    Q_OBJECT
public:
    explicit TRaiseArmy(QWidget* parent = nullptr);
    ~TRaiseArmy() override;

    // Bound to the leader list and the element list alike: the city list opens.
    void ListBox2Click();
    void ListBox3Click();

    // What was chosen when the dialog closed (0 for none).
    int ChosenCity() const;
    int ChosenLeader() const;
    std::string ChosenName() const;
    std::vector<int> ChosenCorps() const;

private:
    std::unique_ptr<Ui::TRaiseArmy> ui_;
    std::vector<int> leaders_;   // by row of ListBox2
    std::vector<int> cities_;    // by row of ListBox3
    std::vector<int> elements_;  // by row of ListBox1
};

void ShowRaiseArmy();

}  // namespace kvt::gui

// The choice among several objects at a clicked hex. A row opens the object's order dialog at
// once, describes an enemy corps, or offers an own corps' orders or its objective; the dialog stays
// open until Exit and leaves the chosen entry for the map click to finish.
#pragma once

#include <memory>

#include "engine/orders/selection_choice.h"
#include "gui/platform/form.h"

namespace Ui {
class TSelecDlg;
}

namespace kvt::gui {

class TSelecDlg final : public TForm {
    Q_OBJECT
public:
    explicit TSelecDlg(QWidget* parent = nullptr);
    ~TSelecDlg() override;

    void FormShow();
    void SelectListBoxClick();
    void SelectCorpsRadioGroupClick();
    TSelectionChoice& Choice() { return choice_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TSelecDlg> ui_;
    TSelectionChoice choice_;
};

// Shows the choice for SelectionList; the order dialogs it opens go through OpenSideDialog.
void ShowSelectionDialog();

}  // namespace kvt::gui

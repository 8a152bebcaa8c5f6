// The embark dialog: the corps that the selected fleet can take aboard in its port; a click puts
// one aboard at once. It only shows what the engine's embark choice answers.
#pragma once

#include <memory>

#include "engine/orders/embark_corps.h"
#include "gui/platform/form.h"

namespace Ui {
class TEmbarkCorps;
}

namespace kvt::gui {

class TEmbarkCorps final : public TForm {
    Q_OBJECT
public:
    explicit TEmbarkCorps(int fleet, QWidget* parent = nullptr);
    ~TEmbarkCorps() override;

    void ListBox1Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::TEmbarkCorps> ui_;
    TEmbarkChoice choice_;
};

// Opens the embark dialog for SelectedFleet.
void ShowEmbarkCorps();

}  // namespace kvt::gui

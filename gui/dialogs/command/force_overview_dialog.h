// The army overview: shows the engine's rows of the side's corps; a press on a row recentres the
// map on that corps and opens its orders over the overview, which stays open. Holds no rule.
#pragma once

#include <memory>

#include "engine/orders/force_overview.h"
#include "gui/platform/form.h"

namespace Ui {
class TForceOver;
}

namespace kvt::gui {

class TForceOver final : public TForm {
    Q_OBJECT
public:
    explicit TForceOver(QWidget* parent = nullptr);
    ~TForceOver() override;

    // The press on the list at (x, y) in its rows' area.
    void ListBox1MouseDown(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FillRows();

    std::unique_ptr<Ui::TForceOver> ui_;
    TForceOverview overview_;
};

void ShowForceOverview();

}  // namespace kvt::gui

// The naval overview: one line for each fleet of the side; pressing a line centres the map on the
// fleet and opens its orders when it is afloat. It only shows the engine's lines.
#pragma once

#include <memory>
#include <vector>

#include "engine/orders/naval_overview.h"
#include "gui/platform/form.h"

namespace Ui {
class TFleetOver;
}

namespace kvt::gui {

class TFleetOver final : public TForm {
    Q_OBJECT
public:
    explicit TFleetOver(QWidget* parent = nullptr);
    ~TFleetOver() override;

    // A press at (x, y) of the list's client area.
    void ListBox1MouseDown(int x, int y);

private:
    std::unique_ptr<Ui::TFleetOver> ui_;
    std::vector<TOrderRow> rows_;
};

void ShowFleetOverview();

}  // namespace kvt::gui

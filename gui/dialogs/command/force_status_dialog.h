// The general force status: shows the engine's figures of the side and hands the capital chosen in
// its list to the engine, which asks before moving it. Holds no rule.
#pragma once

#include <memory>

#include "engine/orders/force_status.h"
#include "gui/platform/form.h"

namespace Ui {
class TForceStatus;
}

namespace kvt::gui {

class TForceStatus final : public TForm {
    Q_OBJECT
public:
    explicit TForceStatus(QWidget* parent = nullptr);
    ~TForceStatus() override;

    void ListBox1Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowStatus();

    std::unique_ptr<Ui::TForceStatus> ui_;
    TForceStatusView view_;
};

void ShowForceStatus();

}  // namespace kvt::gui

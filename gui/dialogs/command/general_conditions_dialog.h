// The general conditions dialog: the engine's four gauge values and three weather texts, shown
// and nothing else. Holds no rule.
#pragma once

#include <memory>

#include "gui/platform/form.h"

namespace Ui {
class TCondition;
}

namespace kvt::gui {

class TCondition final : public TForm {
    Q_OBJECT
public:
    explicit TCondition(QWidget* parent = nullptr);
    ~TCondition() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::TCondition> ui_;
};

void ShowGeneralConditions();

}  // namespace kvt::gui

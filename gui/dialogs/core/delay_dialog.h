// The movement delay: five speeds, each recorded in the game and given to the movement timer
// through SetMovementDelay.
#pragma once

#include <QImage>

#include <memory>

#include "gui/platform/form.h"

namespace Ui {
class TDelayForm;
}

namespace kvt::gui {

class TDelayForm final : public TForm {
    Q_OBJECT
public:
    explicit TDelayForm(QWidget* parent = nullptr);
    ~TDelayForm() override;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::TDelayForm> ui_;
    QImage background_;
};

void ShowDelayDialog();

}  // namespace kvt::gui

// The scenario choice at start-up: the answer (1..3 a start point, 4 a saved game, 0 none) is left
// in EventNotice.Answer.
#pragma once

#include <QImage>

#include <memory>

#include "gui/platform/form.h"

namespace Ui {
class TIntro_Load;
}

namespace kvt::gui {

class TIntro_Load final : public TForm {
    Q_OBJECT
public:
    explicit TIntro_Load(QWidget* parent = nullptr);
    ~TIntro_Load() override;

    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    // The title bar's close answers nothing chosen (0), whatever was clicked.
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::TIntro_Load> ui_;
    QImage background_;
};

void ShowScenarioChoice();

}  // namespace kvt::gui

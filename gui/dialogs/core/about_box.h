// The about box of the Game menu: the game's title and version, and Continue.
#pragma once

#include <memory>

#include "gui/platform/form.h"

namespace Ui {
class TAboutBox;
}

namespace kvt::gui {

class TAboutBox final : public TForm {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::TAboutBox> ui_;
};

void ShowAbout();

}  // namespace kvt::gui

// The side choice of two persons at one computer: a button for each person-played side.
#pragma once

#include <QImage>

#include <memory>

#include "gui/platform/form.h"

namespace Ui {
class Tsideselect;
}

namespace kvt::gui {

class Tsideselect final : public TForm {
    Q_OBJECT
public:
    // Only the buttons of the person-played sides can be pressed.
    Tsideselect(bool unionEnabled, bool confederacyEnabled, QWidget* parent = nullptr);
    ~Tsideselect() override;

    int Side() const { return side_; }
    void Button1Click() { side_ = 1; }
    void Button2Click() { side_ = 2; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::Tsideselect> ui_;
    QImage background_;
    int side_ = 0;
};

// Answers the side chosen, 1 Union or 2 Confederacy; 0 without showing anything when neither
// side may be chosen (the dialog would have no way out).
int ShowSideChoiceDialog(bool unionEnabled, bool confederacyEnabled);

}  // namespace kvt::gui

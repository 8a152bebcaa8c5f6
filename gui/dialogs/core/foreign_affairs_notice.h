// The foreign-affairs question: four lines and a button per answer; the pressed button's number
// is the answer.
#pragma once

#include <array>
#include <memory>

#include "gui/dialogs/core/notice_form.h"

namespace Ui {
class TForeign_Affairs;
}

namespace kvt::gui {

class TForeign_Affairs final : public TNoticeForm {
    Q_OBJECT
public:
    explicit TForeign_Affairs(QWidget* parent = nullptr);
    ~TForeign_Affairs() override;

protected:
    void FillNotice() override;

private:
    std::unique_ptr<Ui::TForeign_Affairs> ui_;
    std::array<TElGraphicButton*, 6> buttons_{};
};

}  // namespace kvt::gui

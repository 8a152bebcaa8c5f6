// The combat roles notice: the plain notice whose layout carries six more labels, kept hidden.
#pragma once

#include <memory>

#include "gui/dialogs/core/notice_form.h"

namespace Ui {
class TCombat_Roles;
}

namespace kvt::gui {

class TCombat_Roles final : public TNoticeForm {
    Q_OBJECT
public:
    explicit TCombat_Roles(QWidget* parent = nullptr);
    ~TCombat_Roles() override;

protected:
    void FillNotice() override;

private:
    std::unique_ptr<Ui::TCombat_Roles> ui_;
};

}  // namespace kvt::gui

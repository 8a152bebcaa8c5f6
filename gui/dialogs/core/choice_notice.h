// The choice notice layout (four lines, up to six radio choices, a closing button), the standard
// notice and the notice dialogs built on it. The answer is the checked choice; with none checked
// the raiser's answer word is left as it was.
#pragma once

#include <array>
#include <memory>

#include "gui/dialogs/core/notice_form.h"

namespace Ui {
class TChoiceNotice;
}

namespace kvt::gui {

class TElRadioButton;

class TChoiceNotice : public TNoticeForm {
    Q_OBJECT
public:
    ~TChoiceNotice() override;

protected:
    TChoiceNotice(int kind, const char* background, QWidget* parent = nullptr);
    void FillNotice() override;
    void WriteAnswer() override;

private:
    std::unique_ptr<Ui::TChoiceNotice> ui_;
    std::array<TElLabel*, 11> labels_{};
    std::array<TElRadioButton*, 7> radios_{};
};

// The standard notice: kind 0, kept above other windows.
class TStndDial final : public TChoiceNotice {
    Q_OBJECT
public:
    explicit TStndDial(QWidget* parent = nullptr) : TChoiceNotice(0, "bg_notice.bmp", parent) {}
};

class TCity_Fall final : public TChoiceNotice {
    Q_OBJECT
public:
    explicit TCity_Fall(QWidget* parent = nullptr) : TChoiceNotice(3, "bg_notice_city_fall.bmp", parent) {}
};

class TRebellion final : public TChoiceNotice {
    Q_OBJECT
public:
    explicit TRebellion(QWidget* parent = nullptr) : TChoiceNotice(14, "bg_notice_uprising.bmp", parent) {}
};

class TFleetSpls final : public TChoiceNotice {
    Q_OBJECT
public:
    explicit TFleetSpls(QWidget* parent = nullptr) : TChoiceNotice(17, "bg_notice_fleet_supplies.bmp", parent) {}
};

class TBrgdFormed final : public TChoiceNotice {
    Q_OBJECT
public:
    explicit TBrgdFormed(QWidget* parent = nullptr) : TChoiceNotice(22, "bg_notice_brigade_raised.bmp", parent) {}
};

class TForces_Added final : public TChoiceNotice {
    Q_OBJECT
public:
    explicit TForces_Added(QWidget* parent = nullptr) : TChoiceNotice(23, "bg_notice_reinforcements.bmp", parent) {}
};

}  // namespace kvt::gui

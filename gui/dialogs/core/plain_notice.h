// The plain notice layout (four lines and a closing button) and the notice dialogs built on it.
// None of them writes an answer: the raiser's answer word is left as it was.
#pragma once

#include <memory>

#include "gui/dialogs/core/notice_form.h"

namespace Ui {
class TPlainNotice;
}

namespace kvt::gui {

class TPlainNotice : public TNoticeForm {
    Q_OBJECT
public:
    ~TPlainNotice() override;

protected:
    TPlainNotice(int kind, const char* background, QWidget* parent = nullptr);
    void FillNotice() override;

private:
    std::unique_ptr<Ui::TPlainNotice> ui_;
};

class TDraft_Rioting final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TDraft_Rioting(QWidget* parent = nullptr) : TPlainNotice(4, "bg_notice_draft_riots.bmp", parent) {}
};

class TRail_Move final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TRail_Move(QWidget* parent = nullptr) : TPlainNotice(6, "bg_notice_rail_move.bmp", parent) {}
};

class TFort_Build final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TFort_Build(QWidget* parent = nullptr) : TPlainNotice(7, "bg_notice_fort_built.bmp", parent) {}
};

class TFleet_Embark final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TFleet_Embark(QWidget* parent = nullptr) : TPlainNotice(9, "bg_notice_fleet_embark.bmp", parent) {}
};

class TInauguration final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TInauguration(QWidget* parent = nullptr) : TPlainNotice(10, "bg_notice_new_capital.bmp", parent) {}
};

class TScuttled final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TScuttled(QWidget* parent = nullptr) : TPlainNotice(15, "bg_notice_fleet_scuttled.bmp", parent) {}
};

class TState_Lost final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TState_Lost(QWidget* parent = nullptr) : TPlainNotice(18, "bg_notice_state_lost.bmp", parent) {}
};

class TTraining final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TTraining(QWidget* parent = nullptr) : TPlainNotice(19, "bg_notice_training.bmp", parent) {}
};

class TArmyFormed final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TArmyFormed(QWidget* parent = nullptr) : TPlainNotice(20, "bg_notice_army_formed.bmp", parent) {}
};

class TCorpsFrm final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TCorpsFrm(QWidget* parent = nullptr) : TPlainNotice(21, "bg_notice_corps_formed.bmp", parent) {}
};

class TNewspapr final : public TPlainNotice {
    Q_OBJECT
public:
    explicit TNewspapr(QWidget* parent = nullptr) : TPlainNotice(24, "bg_notice_newspaper.bmp", parent) {}
};

}  // namespace kvt::gui

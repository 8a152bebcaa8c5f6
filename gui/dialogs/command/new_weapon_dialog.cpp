// The weapon choice dialog.
#include "gui/dialogs/command/new_weapon_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/cursor.h"
#include "ui_new_weapon_dialog.h"

namespace kvt::gui {

namespace {
TElRadioButton* KindButton(const QObject* form, int kind) {
    return form->findChild<TElRadioButton*>(QStringLiteral("RadioButton%1").arg(kind));
}
}  // namespace

TNew_Wpn::TNew_Wpn(const TWeaponChoice& choice, QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TNew_Wpn>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    setWindowTitle(GameText(411));
    ui_->Button1->SetCaption(GameText(66));
    ui_->Label1->SetCaption(GameText(657));
    ui_->Label2->SetCaption(GameText(658));
    ui_->Label3->SetCaption(GameText(659));
    ui_->GroupBox1->SetCaption(GameText(363));
    for (int kind = 1; kind <= 8; ++kind) {
        findChild<TElLabel*>(QStringLiteral("Label%1").arg(11 + kind))->SetCaption(ToQString(choice.counts[kind]));
        KindButton(this, kind)->setEnabled(choice.offered[kind]);
    }
    CentreOnScreen(*this);
}

TNew_Wpn::~TNew_Wpn() = default;

void TNew_Wpn::paintEvent(QPaintEvent*) { PaintRaisedEdge(*this); }

int TNew_Wpn::ChosenKind() const {
    for (int kind = 1; kind <= 8; ++kind)
        if (KindButton(this, kind)->GetChecked()) return kind;
    return 0;
}

void SelectBrigadeWeapon(int brigade) {
    SetScreenCursor(crHourGlass);
    TNew_Wpn dialog(OpenWeaponChoice(brigade));
    SetScreenCursor(crDefault);
    dialog.ShowModal();
    ApplyWeaponChoice(brigade, dialog.ChosenKind());
}

}  // namespace kvt::gui

// The intensity dialog.
#include "gui/dialogs/combat/battle_intensity_dialog.h"

#include "gui/dialogs/core/dialog_support.h"
#include "ui_battle_intensity_dialog.h"

namespace kvt::gui {

namespace {

// The column header's words stand over the row cells: its runs of blanks are widened to the
// columns the layout gives.
constexpr int kHeaderWordSpacing = 35;

void FillRows(QWidget* form, const QString& side, const std::array<TIntensityRow, 11>& rows) {
    for (int r = 1; r <= 10; ++r) {
        const TIntensityRow& row = rows[static_cast<std::size_t>(r)];
        const std::pair<const char*, const std::string*> cells[] = {
            {"Leader", &row.leader}, {"Brigades", &row.brigades}, {"Troops", &row.troops}, {"Artillery", &row.artillery}};
        for (const auto& [cell, text] : cells) {
            auto* label = form->findChild<TElLabel*>(side + QLatin1String(cell) + QString::number(r));
            label->SetCaption(ToQString(*text));
            label->setVisible(row.shown);
        }
        FitCaptionToWidth(form->findChild<TElLabel*>(side + QStringLiteral("Leader%1").arg(r)));
    }
}

}  // namespace

TBtl_Intensity::TBtl_Intensity(const TBattleIntensityView& v, QWidget* parent)
    : TBattleForm(parent), ui_(std::make_unique<Ui::TBtl_Intensity>()) {
    ui_->setupUi(this);
    Dress("bg_battle_intensity.bmp");
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(BattleFont(12));
    for (TElLabel* label : {ui_->Label3, ui_->Label4}) label->setFont(BattleFont(15, true));
    QFont header = BattleFont(12, true);
    header.setWordSpacing(kHeaderWordSpacing);
    for (TElLabel* label : {ui_->Label200, ui_->Label201}) label->setFont(header);
    ui_->ElPanel1->setFont(BattleFont(13, true));
    TElRadioButton* const options[] = {nullptr, ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3,
                                       ui_->RadioButton4, ui_->RadioButton5};
    ui_->Button1->setFont(BattleFont(14, true));

    setWindowTitle(ToQString(v.caption));
    ui_->Button1->SetCaption(ToQString(v.readyCaption));
    ui_->Label200->SetCaption(ToQString(v.columnHeader));
    // The right-hand side's rows have the same columns, and the header over them.
    ui_->Label201->SetCaption(ToQString(v.columnHeader));
    ui_->Label3->SetCaption(ToQString(v.leftHeading));
    ui_->Label4->SetCaption(ToQString(v.rightHeading));
    ui_->ElPanel1->SetCaption(ToQString(v.panelCaption));
    FillRows(this, QStringLiteral("Union"), v.unionRows);
    FillRows(this, QStringLiteral("Confederate"), v.confederateRows);
    for (int o = 1; o <= 5; ++o) {
        TElRadioButton* option = options[o];
        option->setFont(BattleFont(13));
        option->SetCaption(ToQString(v.optionCaption[static_cast<std::size_t>(o)]));
        option->setVisible(v.optionShown[static_cast<std::size_t>(o)]);
        // A click chooses; Ready alone closes.
        connect(option, &TElRadioButton::OnClick, this, [this, o] { answer_ = o; });
    }
    if (v.checked >= 1 && v.checked <= 5) options[v.checked]->SetChecked(true);
}

TBtl_Intensity::~TBtl_Intensity() = default;

int ChooseBattleIntensityDialog(const TBattleIntensityView& view) {
    TBtl_Intensity form(view);
    form.ShowModal();
    return form.Answer();
}

}  // namespace kvt::gui

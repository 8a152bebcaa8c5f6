// The brigade display dialog.
#include "gui/dialogs/command/brigade_display_dialog.h"

#include <QFontMetrics>

#include "gui/dialogs/command/command_dialog_support.h"
#include "gui/dialogs/command/new_weapon_dialog.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "ui_brigade_display_dialog.h"

namespace kvt::gui {

namespace {

// The controls of one row, found by their names.
struct TRowControls {
    TElLabel *name, *type, *quality, *strength, *reinforcements, *weapon;
    TElGraphicButton* button;
    TElCheckBox* check;
};

TRowControls RowControls(QWidget* form, int row) {
    auto label = [&](const char* column) { return form->findChild<TElLabel*>(QStringLiteral("%1%2").arg(QLatin1String(column)).arg(row)); };
    return {label("NameLabel"), label("TypeLabel"), label("QualityLabel"), label("StrengthLabel"), label("ReinforcementsLabel"),
            label("WeaponLabel"), form->findChild<TElGraphicButton*>(QStringLiteral("Button%1").arg(row)),
            form->findChild<TElCheckBox*>(QStringLiteral("CheckBox%1").arg(row))};
}

}  // namespace

TViewBrgd::TViewBrgd(TBrigadeDisplay& display, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TViewBrgd>()), display_(display) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    ui_->Image1->setGeometry(rect());
    ui_->Image1->SetPicture(LoadDialogPicture(QStringLiteral("bg_brigade_display.bmp"), size()));
    setWindowTitle(GameText(483));
    ui_->Label1->SetCaption(GameText(484));
    ui_->Label1->setFont(MakeFont(QStringLiteral("Times New Roman"), -16, true));
    ui_->Button11->SetCaption(GameText(485));
    AlignColumnsToHeader();
    using Handler = void (TViewBrgd::*)();
    static constexpr Handler buttonClicks[] = {
        &TViewBrgd::Button1Click, &TViewBrgd::Button2Click, &TViewBrgd::Button3Click, &TViewBrgd::Button4Click,
        &TViewBrgd::Button5Click, &TViewBrgd::Button6Click, &TViewBrgd::Button7Click, &TViewBrgd::Button8Click,
        &TViewBrgd::Button9Click, &TViewBrgd::Button10Click};
    static constexpr Handler checkBoxClicks[] = {
        &TViewBrgd::CheckBox1Click, &TViewBrgd::CheckBox2Click, &TViewBrgd::CheckBox3Click, &TViewBrgd::CheckBox4Click,
        &TViewBrgd::CheckBox5Click, &TViewBrgd::CheckBox6Click, &TViewBrgd::CheckBox7Click, &TViewBrgd::CheckBox8Click,
        &TViewBrgd::CheckBox9Click, &TViewBrgd::CheckBox10Click};
    for (int row = 1; row <= kBrigadeDisplayRows; ++row) {
        const TRowControls c = RowControls(this, row);
        c.button->SetCaption(GameText(486));
        ShowRow(row);
        connect(c.button, &TElGraphicButton::OnClick, this, buttonClicks[row - 1]);
        connect(c.check, &TElCheckBox::OnClick, this, checkBoxClicks[row - 1]);
    }
    ui_->Label1->setVisible(true);
    CentreOnScreen(*this);
}

TViewBrgd::~TViewBrgd() = default;

void TViewBrgd::AlignColumnsToHeader() {
    const QString header = ui_->Label1->Caption();
    const QFontMetrics fm(ui_->Label1->font());
    // Each column starts under its word of the header; a word the header lacks keeps its place.
    const char* const words[] = {"Type", "Quality", "Strength", "Reinforcements", "Weapon"};
    const char* const columns[] = {"TypeLabel", "QualityLabel", "StrengthLabel", "CheckBox", "WeaponLabel"};
    for (int i = 0; i < 5; ++i) {
        const int at = header.indexOf(QLatin1String(words[i]));
        if (at < 0) continue;
        const int x = ui_->Label1->x() + fm.horizontalAdvance(header.left(at));
        for (int row = 1; row <= kBrigadeDisplayRows; ++row) {
            QWidget* w = findChild<QWidget*>(QStringLiteral("%1%2").arg(QLatin1String(columns[i])).arg(row));
            w->move(x, w->y());
            if (i == 3) {
                QWidget* number = findChild<QWidget*>(QStringLiteral("ReinforcementsLabel%1").arg(row));
                number->move(x + w->width() + 4, number->y());
            }
        }
    }
    // Each control of a row ends before the next begins.
    for (int row = 1; row <= kBrigadeDisplayRows; ++row) {
        const TRowControls c = RowControls(this, row);
        QWidget* const inOrder[] = {c.name, c.type, c.quality, c.strength, c.check, c.reinforcements, c.weapon, c.button};
        for (std::size_t i = 0; i + 1 < std::size(inOrder); ++i)
            inOrder[i]->resize(std::min(inOrder[i]->width(), inOrder[i + 1]->x() - inOrder[i]->x() - 2), inOrder[i]->height());
    }
}

void TViewBrgd::ShowRow(int row) {
    const TBrigadeRow& r = display_.rows[row - 1];
    const TRowControls c = RowControls(this, row);
    const bool listed = r.brigade != 0;
    c.name->SetCaption(ToQString(r.name));
    c.type->SetCaption(ToQString(r.type));
    c.quality->SetCaption(ToQString(r.quality));
    c.strength->SetCaption(ToQString(r.strength));
    c.reinforcements->SetCaption(ToQString(r.reinforcements));
    c.weapon->SetCaption(ToQString(r.weapon));
    for (QWidget* w : std::initializer_list<QWidget*>{c.name, c.type, c.quality, c.strength, c.weapon, c.button})
        w->setVisible(listed);
    c.check->setVisible(listed && r.reinforceOffered);
    c.reinforcements->setVisible(listed && r.reinforcementsShown);
}

void TViewBrgd::ButtonClick(int row) {
    const int brigade = display_.rows[row - 1].brigade;
    if (brigade == 0) return;
    SelectBrigadeWeapon(brigade);
    RefreshDisplayWeapon(display_, row - 1);
    ShowRow(row);
}

void TViewBrgd::CheckBoxClick(int row) {
    ReinforceDisplayRow(display_, row - 1);
    // The reinforcement spoke for every row drawing on the same pool.
    for (int r = 1; r <= kBrigadeDisplayRows; ++r) {
        const TRowControls c = RowControls(this, r);
        c.strength->SetCaption(ToQString(display_.rows[r - 1].strength));
        c.reinforcements->SetCaption(ToQString(display_.rows[r - 1].reinforcements));
    }
    RowControls(this, row).check->setVisible(false);
}

void ShowBrigadeDisplay() {
    TBrigadeDisplay display;
    if (!OpenBrigadeDisplay(display)) return;
    ShowBuiltModal<TViewBrgd>(display);
}

}  // namespace kvt::gui

// The naval combat dialog.
#include "gui/dialogs/combat/fleet_combat_dialog.h"

#include <QFontMetrics>

#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/fonts.h"
#include "gui/platform/text_draw.h"
#include "ui_fleet_combat_dialog.h"

namespace kvt::gui {

namespace {

void SetIfGiven(TElLabel* label, const std::string& text) {
    if (!text.empty()) label->SetCaption(ToQString(text));
}

// A long port name must not run into the side captions: the title shrinks until it fits.
void FitTitle(TElLabel* label) {
    QFont font = label->font();
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(label->Caption()) > label->width())
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
}

// Many fleets at one hex make a list longer than its line (side 2's has 48 pixels): it keeps its
// place, wraps down to the next row of labels and takes the largest face that shows it whole.
void FitFleetList(TElLabel* label, int nextRowTop) {
    constexpr int kSmallestFace = 7;
    const QString text = label->Caption();
    const int room = nextRowTop - label->y();
    QFont font = label->font();
    for (;; font.setPixelSize(font.pixelSize() - 1)) {
        const QRect line = MeasureText(font, text.trimmed(), QRect(0, 0, 100000, 0), DT_NOPREFIX);
        const QRect wrapped = MeasureText(font, text, QRect(0, 0, label->width(), 0), DT_NOPREFIX | DT_WORDBREAK);
        const bool oneLine = line.width() <= label->width() && line.height() <= label->height();
        if (oneLine || (wrapped.width() <= label->width() && wrapped.height() <= room) ||
            font.pixelSize() <= kSmallestFace) {
            label->setFont(font);
            if (!oneLine) {
                label->SetWordWrap(true);
                label->resize(label->width(), room);
            }
            return;
        }
    }
}

}  // namespace

TFleetCbt::TFleetCbt(const TFleetCombatView& v, QWidget* parent) : TForm(parent), ui_(std::make_unique<Ui::TFleetCbt>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    MakeBorderless(*this);
    ui_->Image1->setGeometry(rect());
    ui_->Image1->SetPicture(LoadDialogPicture(QStringLiteral("bg_naval_combat.bmp"), size()));
    setWindowTitle(GameText(596));

    const QFont plain = MakeFont(QStringLiteral("Times New Roman"), -11);
    const QFont bold = MakeFont(QStringLiteral("Times New Roman"), -11, true);
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(plain);
    for (TElLabel* label : {ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label12, ui_->Label13, ui_->Label14,
                            ui_->Label15, ui_->Label16, ui_->Label17, ui_->Label37, ui_->Label38, ui_->Label39, ui_->Label40})
        label->setFont(bold);
    // The three lines of a drowned corps share the room under the table.
    const QFont small = MakeFont(QStringLiteral("Times New Roman"), -9, true);
    for (TElLabel* label : {ui_->Label34, ui_->Label35, ui_->Label36}) label->setFont(small);

    ui_->Label1->SetCaption(ToQString(v.title));
    FitTitle(ui_->Label1);
    SetIfGiven(ui_->Label2, v.sideCaption[1]);
    SetIfGiven(ui_->Label3, v.sideCaption[2]);
    ui_->Label39->SetCaption(ToQString(v.fleetList[1]));
    ui_->Label40->SetCaption(ToQString(v.fleetList[2]));
    FitFleetList(ui_->Label39, ui_->Label16->y());
    FitFleetList(ui_->Label40, ui_->Label17->y());
    ui_->Label12->SetCaption(GameText(256) + GameText(452));
    ui_->Label13->SetCaption(GameText(295));
    ui_->Label14->SetCaption(GameText(296));
    ui_->Label15->SetCaption(GameText(380));
    SetIfGiven(ui_->Label4, v.portForces[1]);
    SetIfGiven(ui_->Label5, v.portForces[2]);

    TElLabel* const start[3][3] = {{}, {ui_->Label6, ui_->Label8, ui_->Label10}, {ui_->Label7, ui_->Label9, ui_->Label11}};
    TElLabel* const sunk[3][3] = {{}, {ui_->Label27, ui_->Label28, ui_->Label29}, {ui_->Label31, ui_->Label32, ui_->Label33}};
    for (int s = 1; s <= 2; ++s)
        for (int k = 0; k < 3; ++k) {
            start[s][k]->SetCaption(QString::number(v.startShips[s][k]));
            sunk[s][k]->SetCaption(QString::number(v.sunkShips[s][k]));
        }
    ui_->Label26->SetCaption(QString::number(v.portHits[1]));
    ui_->Label30->SetCaption(QString::number(v.portHits[2]));

    ui_->Label34->SetCaption(ToQString(v.drownedLines[0]));
    ui_->Label36->SetCaption(ToQString(v.drownedLines[1]));
    ui_->Label35->SetCaption(ToQString(v.drownedLines[2]));
    for (TElLabel* label : {ui_->Label34, ui_->Label35, ui_->Label36}) label->setVisible(v.corpsDrowned);
    CentreOnScreen(*this);
}

TFleetCbt::~TFleetCbt() = default;

void ShowFleetCombatDialog(const TFleetCombatView& view) {
    TFleetCbt dialog(view);
    dialog.ShowModal();
}

}  // namespace kvt::gui

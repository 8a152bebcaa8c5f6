// The election dialog.
#include "gui/dialogs/players/election_dialog.h"

#include <vector>

#include "engine/world/globals.h"
#include "gui/dialogs/core/dialog_support.h"
#include "gui/platform/colors.h"
#include "gui/platform/cursor.h"
#include "gui/platform/fonts.h"
#include "ui_election_dialog.h"

namespace kvt::gui {

void FloodFill(QImage& image, QPoint at, QRgb colour) {
    if (!image.rect().contains(at)) return;
    if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
    const QRgb from = image.pixel(at);
    if (from == colour) return;
    std::vector<QPoint> todo{at};
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (!image.rect().contains(p) || image.pixel(p) != from) continue;
        // Fill the run along the row, then look above and below it.
        int left = p.x(), right = p.x();
        while (left > 0 && image.pixel(left - 1, p.y()) == from) --left;
        while (right + 1 < image.width() && image.pixel(right + 1, p.y()) == from) ++right;
        for (int x = left; x <= right; ++x) {
            image.setPixel(x, p.y(), colour);
            if (p.y() > 0 && image.pixel(x, p.y() - 1) == from) todo.emplace_back(x, p.y() - 1);
            if (p.y() + 1 < image.height() && image.pixel(x, p.y() + 1) == from) todo.emplace_back(x, p.y() + 1);
        }
    }
}

TElection::TElection(TElectionCount& count, QWidget* parent)
    : TForm(parent), ui_(std::make_unique<Ui::TElection>()), count_(count) {
    ui_->setupUi(this);
    setFixedSize(size());
    setWindowTitle(GameText(593));
    map_ = LoadDialogPicture(QStringLiteral("ELECTION.BMP"), ui_->Image1->size()).convertToFormat(QImage::Format_RGB32);
    ui_->Image1->SetPicture(map_);
    const QFont font = MakeFont(QStringLiteral("Times New Roman"), -16);
    for (TElLabel* label : findChildren<TElLabel*>()) label->setFont(font);
    for (TElLabel* label : {ui_->Label1, ui_->Label2, ui_->Label6})
        label->setFont(MakeFont(QStringLiteral("Times New Roman"), -16, true));
    ui_->Label5->SetCaption(GameText(495));
    for (QWidget* w : {static_cast<QWidget*>(ui_->Button1), static_cast<QWidget*>(ui_->Label1),
                       static_cast<QWidget*>(ui_->Label2), static_cast<QWidget*>(ui_->Label3),
                       static_cast<QWidget*>(ui_->Label4), static_cast<QWidget*>(ui_->Label6),
                       static_cast<QWidget*>(ui_->Label7)})
        w->hide();
    ui_->Button1->SetModalResult(mrOk);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, &TElection::CountNextState);
    connect(ui_->Button1, &TElGraphicButton::OnClick, this, &TElection::Button1Click);
    connect(ui_->Button2, &TElGraphicButton::OnClick, this, &TElection::Button2Click);
    CentreOnScreen(*this);
}

TElection::~TElection() = default;

void TElection::Button2Click() {
    ui_->Button2->hide();
    for (TElLabel* label : {ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label4}) label->show();
    ui_->Label5->SetCaption(GameText(495));
    pause_.start();
}

void TElection::CountNextState() {
    const std::optional<TElectionStep> step = count_.Next();
    if (!step) {
        pause_.stop();
        ui_->Button1->show();
        return;
    }
    for (const TElectionFillPoint& p : ElectionFillPoints())
        if (p.state == step->state) FloodFill(map_, QPoint(p.x, p.y), step->firstCandidate ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
    ui_->Image1->SetPicture(map_);
    ui_->Label6->SetCaption(ToQString(GameRec->States[step->state].Name.str()));
    ui_->Label7->SetCaption(GameText(step->firstCandidate ? 503 : 589));
    for (TElLabel* label : {ui_->Label6, ui_->Label7}) {
        label->SetFontColor(step->firstCandidate ? clNavy : clRed);
        label->show();
    }
    ui_->Label1->SetCaption(QString::number(step->firstTotal));
    ui_->Label2->SetCaption(QString::number(step->secondTotal));
    repaint();
}

void ShowElectionDialog(TElectionCount& count) {
    SetScreenCursor(crDefault);
    TElection dialog(count);
    while (!dialog.Finished()) dialog.ShowModal();
}

}  // namespace kvt::gui

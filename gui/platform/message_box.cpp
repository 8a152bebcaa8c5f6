// Message boxes in place of the platform's: fixed look, so screenshots repeat on every machine.
#include "gui/platform/message_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace kvt::gui {

namespace {
QString gApplicationTitle;
}

void SetApplicationTitle(const QString& title) { gApplicationTitle = title; }
QString ApplicationTitle() { return gApplicationTitle; }

TMessageButton::TMessageButton(const QString& caption, int modalResult, bool cancel, TForm* form)
    : QPushButton(caption, form), modalResult_(modalResult), cancel_(cancel) {
    setMinimumWidth(75);
    connect(this, &QPushButton::clicked, form, [this, form]() { form->SetModalResult(modalResult_); });
}

bool TMessageButton::DialogKey(int key, Qt::KeyboardModifiers modifiers) {
    if (key != Qt::Key_Escape || !cancel_ || (modifiers & Qt::ShiftModifier)) return false;
    click();
    return true;
}

TMessageBox::TMessageBox(QWidget* parent, TMsgDlgType type, const QString& text, TMsgDlgButtons buttons)
    : TForm(parent) {
    setWindowTitle(gApplicationTitle);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    const QStyle::StandardPixmap pix =
        type == TMsgDlgType::Information ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxWarning;
    icon->setPixmap(style()->standardIcon(pix).pixmap(32, 32));
    row->addWidget(icon, 0, Qt::AlignTop);
    text_ = new QLabel(text, this);
    text_->setWordWrap(true);
    text_->setMinimumWidth(260);
    text_->setTextFormat(Qt::PlainText);
    row->addWidget(text_, 1);
    layout->addLayout(row);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    const bool withCancel = buttons == TMsgDlgButtons::OkCancel;
    auto* ok = new TMessageButton(QStringLiteral("OK"), mrOk, !withCancel, this);
    ok->setDefault(true);
    ok_ = ok;
    buttonRow->addWidget(ok_);
    if (withCancel) {
        cancel_ = new TMessageButton(QStringLiteral("Cancel"), mrCancel, true, this);
        buttonRow->addWidget(cancel_);
    }
    buttonRow->addStretch(1);
    layout->addLayout(buttonRow);
}

int MessageDlg(QWidget* parent, const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    TMessageBox box(parent, type, text, buttons);
    return box.ShowModal();
}

void ShowInformationBox(QWidget* parent, const QString& text) {
    MessageDlg(parent, text, TMsgDlgType::Information, TMsgDlgButtons::Ok);
}

void ShowWarningBox(QWidget* parent, const QString& text) {
    MessageDlg(parent, text, TMsgDlgType::Warning, TMsgDlgButtons::Ok);
}

bool ShowConfirmBox(QWidget* parent, const QString& text) {
    return MessageDlg(parent, text, TMsgDlgType::Warning, TMsgDlgButtons::OkCancel) == mrOk;
}

}  // namespace kvt::gui

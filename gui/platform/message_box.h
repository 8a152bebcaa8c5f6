// The information and warning message boxes of the game: the program's title, an icon, a text
// and OK (or OK and Cancel). Modal. Escape and the window's close answer Cancel, or OK when the
// box has no Cancel button.
#pragma once

#include <QPushButton>
#include <QString>

#include "gui/platform/form.h"

class QLabel;

namespace kvt::gui {

enum class TMsgDlgType { Information, Warning };
enum class TMsgDlgButtons { Ok, OkCancel };

// A message-box button: sets its modal result on the box when clicked.
class TMessageButton : public QPushButton, public TDialogKeyTarget {
    Q_OBJECT
public:
    TMessageButton(const QString& caption, int modalResult, bool cancel, TForm* form);
    bool DialogKey(int key, Qt::KeyboardModifiers modifiers) override;
    bool IsCancelControl() const override { return cancel_; }

private:
    int modalResult_;
    bool cancel_;
};

class TMessageBox : public TForm {
    Q_OBJECT
public:
    TMessageBox(QWidget* parent, TMsgDlgType type, const QString& text, TMsgDlgButtons buttons);

    QLabel* TextLabel() const { return text_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    QLabel* text_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// The program's title, which every message box carries as its caption. It is kept here and not
// given to the window system as the application's name, which the window system would append to
// every dialog's caption: a dialog's title bar shows its caption alone.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// Shows the box and waits; answers mrOk or mrCancel.
int MessageDlg(QWidget* parent, const QString& text, TMsgDlgType type, TMsgDlgButtons buttons);
// Information with OK.
void ShowInformationBox(QWidget* parent, const QString& text);
// Warning with OK.
void ShowWarningBox(QWidget* parent, const QString& text);
// Warning with OK and Cancel; true for OK.
bool ShowConfirmBox(QWidget* parent, const QString& text);

}  // namespace kvt::gui

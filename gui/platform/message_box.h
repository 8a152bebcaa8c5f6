// The information and warning message boxes of the game: a caption, a text and OK (or OK and
// Cancel). Modal; the window's close button answers as Cancel would, or OK when there is none.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace kvt::gui {

class TMessageBox : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Information, Warning };
    TMessageBox(QWidget* parent, Kind kind, const QString& text, bool withCancel);

    QLabel* TextLabel() const { return text_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    QLabel* text_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Shows an information box with an OK button and waits for it.
void ShowInformationBox(QWidget* parent, const QString& text);
// Shows a warning with OK and Cancel; true for OK.
bool ShowConfirmBox(QWidget* parent, const QString& text);

}  // namespace kvt::gui

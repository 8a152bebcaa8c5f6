// The modal dialog base of every game dialog. A dialog closes when its modal result becomes
// non-zero, once the handler that set it has returned (so a click handler may set it and still
// finish its work, even when that work shows a message box, a menu or another dialog). Escape and
// the window's close button do nothing unless a control says Cancel; a dialog never closes by
// accident with its orders half written back.
#pragma once

#include <QDialog>

class QKeyEvent;

namespace kvt::gui {

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

// A control that answers the dialog's keys: Escape (DialogKey) and accelerator letters (DialogChar).
// The form offers each key to its visible, enabled controls in creation order until one takes it.
class TDialogKeyTarget {
public:
    virtual ~TDialogKeyTarget() = default;
    virtual bool DialogKey(int /*key*/, Qt::KeyboardModifiers /*modifiers*/) { return false; }
    virtual bool DialogChar(QChar /*key*/) { return false; }
    // True for a control that clicks on Escape (a Cancel button); the window's close button
    // clicks it too.
    virtual bool IsCancelControl() const { return false; }
};

class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

    int ModalResult() const { return modalResult_; }
    // A non-zero value closes the dialog once control is back in the dialog's own loop, that is
    // after the current handler (and every loop it runs) has returned.
    void SetModalResult(int result);
    // Runs the dialog modally; answers the modal result it closed with.
    int ShowModal();
    // Code's own request to close (as opposed to the window's close button): result Cancel.
    void Close();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool OfferKey(int key, Qt::KeyboardModifiers modifiers, QChar ch);

    int modalResult_ = mrNone;
    bool inModalLoop_ = false;
};

// The form that holds a control, or nullptr.
TForm* GetParentForm(QWidget* control);

}  // namespace kvt::gui

// The radio box that stands on a dialog's picture: a container that paints nothing but a picture
// it owns, into which the dialog copies the part of its background that lies under the box, so
// that the radio buttons inside seem to stand on the dialog itself. No frame, no caption.
#pragma once

#include <QImage>
#include <QString>

#include "gui/platform/form.h"
#include "gui/ui/themed_control.h"

namespace kvt::gui {

class TNewRadBox : public TElWidget, public TDialogKeyTarget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
public:
    static constexpr int kBitmapWidth = 500;
    static constexpr int kBitmapHeight = 400;

    explicit TNewRadBox(QWidget* parent = nullptr);

    // The picture the box shows at its top-left: as large as the box has been, up to 500 x 400 (a
    // larger box shows nothing beyond it); blank until drawn into, as is any part the box grows
    // into later. The dialog draws into it before showing the box.
    QImage& BackBitmap();
    // Copies the part of a dialog's background picture that lies under the box (the box's
    // position in the dialog's coordinates) into BackBitmap. Call it once the box has its size.
    void CopyBackground(const QImage& picture, QPoint boxOrigin);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& text);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);

    // The caption's accelerator focuses the first control inside, in tab order, that Tab stops at,
    // else the first that can take the focus; the letter is used up either way.
    bool DialogChar(QChar key) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateClientArea();
    // Allocated as the box is used, never larger than it: a dialog holds a dozen boxes.
    QImage backBitmap_;
    QString caption_;
    bool ctl3D_ = true;
};

}  // namespace kvt::gui

// Form-wide backgrounds: the background painter lays a bitmap (tiled, stretched, centred, at the
// top left) or a colour into a rectangle seen as a window onto a larger area, so neighbouring
// controls continue one picture; the image form gives a whole form such a background (or a
// gradient), paints each linked control's share of it, can move the form by dragging, and can
// cut the form's window to the shape of a picture.
// Forms here never scroll (TForm has no scroll bars; dialogs are laid out to fit), so a control's
// share of the background needs no scroll offset and there are no scroll events to follow. The
// window system keeps a form's frame to itself: Qt delivers no clicks on the frame or title bar,
// and a drag on the form's client area is ours, so right and middle clicks there reach the form
// as ordinary clicks and need no translating back from the frame.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include "gui/ui/canvas_utils.h"
#include "gui/ui/control_links.h"
#include "gui/ui/window_hooks.h"

namespace kvt::gui {

// Paints rect (painter coordinates) as the part of area that lies at origin + rect.
void ExtDrawBkgnd(QPainter& p, const QRect& rect, TElBkGndType type, const QImage& bitmap, TColor color,
                  QPoint origin, const QRect& area);
// The same; the flags act on the copied parts of the bitmap only, never on the colour fills:
// with hatch every such pixel whose coordinates add up to an odd number takes hatchColor, with
// invert the copy is combined with what is there by exclusive or.
void ExtDrawBkgnd2(QPainter& p, const QRect& rect, TElBkGndType type, const QImage& bitmap, TColor color,
                   QPoint origin, const QRect& area, bool hatch, TColor hatchColor, bool invert);

// The class library's picture control: shows a picture and says when it changes.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);

signals:
    void PictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

// A form that keeps its own background implements this; the image form then leaves its erasing
// alone (the form is asked each time its background is about to be painted).
class TImageFormEraseQuery {
public:
    virtual ~TImageFormEraseQuery() = default;
    virtual bool RefusesImageFormErase() const = 0;
};

class TCustomElImageForm : public TElImageFormLink {
    Q_OBJECT
public:
    explicit TCustomElImageForm(QObject* owner = nullptr);
    ~TCustomElImageForm() override;

    // The form whose background this is; when none, the owner (when it is a widget).
    QWidget* Control() const { return control_; }
    void SetControl(QWidget* form);
    QWidget* GetRealControl() const;
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor color);

    // Paints the part of the form's background under rect of control (control coordinates).
    void PaintBackground(QPainter& painter, QWidget* control, const QRect& rect) override;

    // After the properties are set, as a form does once it is read: the hook goes (again) on the
    // form, which may only now be known.
    virtual void Loaded();

protected:
    // The picture whose shape the form takes, the background and its kind: set by the subclass.
    QPointer<TImage> formImage_;
    QImage background_;
    TElBkGndType backgroundType_ = bgtColorFill;
    TColor gradientStartColor_ = clBlack;
    TColor gradientEndColor_ = clBlack;
    int gradientSteps_ = 16;
    bool changeFormRegion_ = false;
    bool moveForm_ = false;
    QPointer<QWidget> captionControl_;

    void NotifyLinks() { emit Changed(); }
    void RepaintForm();
    void BuildRegion();
    void RemoveRegion();
    void PictureChanged();
    // A drag on the caption control moves the form; the control never sees that press.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void WatchCaptionControl(QWidget* control);

private:
    void InstallHook();
    void BeforeFormEvent(QEvent* event, bool& handled);
    void AfterFormEvent(QEvent* event, bool& handled);
    bool OverCaption(QPoint formPoint) const;
    bool Drag(QEvent* event, bool overCaption);

    QPointer<QWidget> control_;
    TColor transparentColor_ = clNone;
    TElHook* hook_ = nullptr;
    bool regionSet_ = false;
    QPoint dragOffset_;
    bool dragging_ = false;
};

class TElImageForm : public TCustomElImageForm {
    Q_OBJECT
public:
    using TCustomElImageForm::TCustomElImageForm;

    QWidget* CaptionControl() const { return captionControl_; }
    void SetCaptionControl(QWidget* control) { WatchCaptionControl(control); }
    bool ChangeFormRegion() const { return changeFormRegion_; }
    void SetChangeFormRegion(bool value);
    TImage* FormImage() const { return formImage_; }
    void SetFormImage(TImage* image);
    bool MoveForm() const { return moveForm_; }
    void SetMoveForm(bool value) { moveForm_ = value; }
    const QImage& Background() const { return background_; }
    void SetBackground(const QImage& picture);
    TElBkGndType BackgroundType() const { return backgroundType_; }
    void SetBackgroundType(TElBkGndType type);
    TColor GradientStartColor() const { return gradientStartColor_; }
    void SetGradientStartColor(TColor color);
    TColor GradientEndColor() const { return gradientEndColor_; }
    void SetGradientEndColor(TColor color);
    int GradientSteps() const { return gradientSteps_; }
    void SetGradientSteps(int steps);
};

}  // namespace kvt::gui

// What the controls reach of the library's sound map and image forms: the sound map plays a
// named sound event, an image form paints the part of its background that lies under a control.
// The classes that implement them derive from these; a control's reference clears itself when
// the referenced object is destroyed.
#pragma once

#include <QObject>
#include <QPainter>
#include <QRect>
#include <QString>

class QWidget;

namespace kvt::gui {

class TElSoundMapLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void Play(const QString& soundName) = 0;
};

class TElImageFormLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Paints the background under rect of control (rect in the control's coordinates).
    virtual void PaintBackground(QPainter& painter, QWidget* control, const QRect& rect) = 0;

signals:
    // The form was sized or scrolled: controls linked to it repaint.
    void Changed();
};

}  // namespace kvt::gui

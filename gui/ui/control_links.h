// What the controls reach of the library's sound map, image forms and image lists: the sound map
// plays a named sound event, an image form paints the part of its background that lies under a
// control, an image list holds the pictures of a control's marks. The classes that implement the
// first two derive from these; a control's reference clears itself when the referenced object is
// destroyed, and the helpers below keep a control's references the one way every control does.
#pragma once

#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>

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

class TImageList;

// Plays a sound event through the map; nothing without a map or a name.
void PlaySoundEvent(TElSoundMapLink* map, const QString& name);

// The sound a check mark plays when the player toggles it (check items, a group box's caption
// check box): an event of the sound map. A control derives from it beside its widget base.
class TCheckSoundLink {
public:
    // The longest sound event name a layout can hold.
    static constexpr int kMaxSoundName = 255;

    virtual ~TCheckSoundLink() = default;

    TElSoundMapLink* SoundMap() const { return soundMap_; }
    virtual void SetSoundMap(TElSoundMapLink* map) { soundMap_ = map; }
    const QString& CheckSound() const { return checkSound_; }
    // A longer name is cut to its first kMaxSoundName characters.
    virtual void SetCheckSound(const QString& name) { checkSound_ = name.left(kMaxSoundName); }

protected:
    void PlayCheckSound() const { PlaySoundEvent(soundMap_, checkSound_); }

private:
    QPointer<TElSoundMapLink> soundMap_;
    QString checkSound_;
};

// Points a control's image form at form (nullptr: none) and repaints it. The control repaints
// when the form changes, and when the form goes, so that its own background shows at once.
void LinkImageForm(QWidget* control, QPointer<TElImageFormLink>& link, TElImageFormLink* form);

// Points a control's image list at list (nullptr: none) and repaints it. The first list assigned
// turns use on; no list, or the list going, turns it off, so the plain marks show again.
// changed runs when the list's pictures change.
void LinkImageList(QWidget* control, QPointer<TImageList>& link, bool& use, TImageList* list,
                   const std::function<void()>& changed);

}  // namespace kvt::gui

// Helpers of the control tests: a host window painted with a known picture, pictures of what a
// window shows, and pixel probes.
#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QWidget>

#include <string>
#include <vector>

#include "gui/platform/colors.h"
#include "gui/ui/control_links.h"
#include "gui/ui/sound_player.h"

namespace kvt::testing {

// The picture behind transparent controls: every pixel differs from its neighbours, so a probe
// can tell the picture from any flat colour a control paints.
QImage TestPicture(int width, int height);

// A top-level window that paints TestPicture, as a dialog paints its background picture.
class PictureWindow : public QWidget {
public:
    explicit PictureWindow(int width = 300, int height = 200);
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage picture_;
};

// A top-level window filled with a plain colour.
QWidget* NewPlainWindow(int width, int height, kvt::gui::TColor color = kvt::gui::clBtnFace);

// Shows the window (offscreen), processes pending events and returns what it shows.
QImage Render(QWidget* window);
// Shows and activates the window so that its controls can take the focus.
void ShowActive(QWidget* window);

// A sound map that notes the names it is asked to play.
class RecordingSoundMap : public kvt::gui::TElSoundMapLink {
public:
    void Play(const QString& name) override { played << name; }
    QStringList played;
};

// A sound player that notes the files it is given instead of playing them.
class RecordingPlayer : public kvt::gui::TSoundPlayer {
public:
    void PlayAsync(const std::string& fileName) override { played.push_back(fileName); }
    std::vector<std::string> played;
};

// A form background of one colour, so a probe can tell it from anything a control paints.
class SolidImageForm : public kvt::gui::TElImageFormLink {
public:
    explicit SolidImageForm(QColor c = Qt::darkCyan) : color(c) {}
    void PaintBackground(QPainter& painter, QWidget*, const QRect& rect) override { painter.fillRect(rect, color); }
    QColor color;
};

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++count;
        return false;
    }
};

inline QColor Pixel(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }
inline QColor Rgb(kvt::gui::TColor c) { return kvt::gui::ToQColor(c); }
// How many pixels inside rect have exactly the colour.
int CountColor(const QImage& image, const QRect& rect, const QColor& color);
// How many pixels inside rect have no channel above maxLevel (dark text, frames).
int CountDarker(const QImage& image, const QRect& rect, int maxLevel);
// How near the pixels inside rect come to a colour: the smallest sum of channel differences, 0
// when the colour itself is there. Smoothed text drawn in a colour comes within a few levels.
int InkDistance(const QImage& image, const QRect& rect, const QColor& color);
// The bounding box of the pixels of a colour inside rect (empty when none).
QRect BoundsOfColor(const QImage& image, const QRect& rect, const QColor& color);

}  // namespace kvt::testing

// Helpers of the control tests: a host window painted with a known picture, pictures of what a
// window shows, and pixel probes.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "gui/platform/colors.h"

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

inline QColor Pixel(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }
inline QColor Rgb(kvt::gui::TColor c) { return kvt::gui::ToQColor(c); }
// How many pixels inside rect have exactly the colour.
int CountColor(const QImage& image, const QRect& rect, const QColor& color);
// How many pixels inside rect have no channel above maxLevel (dark text, frames).
int CountDarker(const QImage& image, const QRect& rect, int maxLevel);
// The bounding box of the pixels of a colour inside rect (empty when none).
QRect BoundsOfColor(const QImage& image, const QRect& rect, const QColor& color);

}  // namespace kvt::testing

// Image lists for button glyphs: pictures of one size, each with its transparent colour applied
// when it is added. Changes are announced, so controls that draw from a list can repaint.
#pragma once

#include <QImage>
#include <QObject>
#include <QPainter>

#include <vector>

#include "gui/platform/colors.h"

namespace kvt::gui {

class TImageList : public QObject {
    Q_OBJECT
public:
    TImageList(int width, int height, QObject* parent = nullptr);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Adds a picture at the top-left of one of the list's size (cut or padded, never scaled);
    // pixels of maskColor become transparent (clDefault: the colour of the bottom-left pixel;
    // clNone: nothing is transparent).
    int Add(const QImage& picture, TColor maskColor);
    void Replace(int index, const QImage& picture, TColor maskColor);
    void Delete(int index);
    void Clear();
    // The picture with its transparency; a null image for an index outside the list.
    QImage Image(int index) const;
    // Draws picture index at (x, y): transparently when bkColor is clNone, else over bkColor.
    void Draw(QPainter& painter, int x, int y, int index, TColor bkColor = clNone) const;

signals:
    void Changed();

private:
    QImage Prepare(const QImage& picture, TColor maskColor) const;
    int width_;
    int height_;
    std::vector<QImage> images_;
};

// Pixels of the given colour made transparent (clDefault: the bottom-left pixel's colour).
QImage WithTransparentColor(const QImage& picture, TColor maskColor);

}  // namespace kvt::gui

// The two picture boxes of the main window: the map box, which shows what the last repaint (and any
// route marker drawn since) put on it, and the minimap box. Both keep their picture between
// repaints, as a screen does; only the game's repaint changes it. Mouse events go to the window.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace kvt::gui {

class TPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget* parent, QSize size);
    // What the box shows; painting on it shows at the next paint event.
    QImage& Surface() { return surface_; }
    const QImage& Surface() const { return surface_; }

    std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;
    std::function<void(QPoint)> OnMouseMove;
    std::function<void(Qt::MouseButton, QPoint)> OnMouseUp;
    // Run by the next paint after an expose, before the surface is shown: the game's repaint,
    // which redraws the surface and so wipes whatever was drawn over it since.
    std::function<void()> OnExpose;

    // The window system uncovered the box: it is painted afresh, as the game would draw it now.
    void Expose();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage surface_;
    bool exposed_ = false;
};

// BattleMap: 1003 x 633.
class TMapBox : public TPictureBox {
    Q_OBJECT
public:
    explicit TMapBox(QWidget* parent = nullptr);
};

// StratMap: the whole minimap, one pixel per hex, so every hex can be clicked.
class TMiniMapBox : public TPictureBox {
    Q_OBJECT
public:
    explicit TMiniMapBox(QWidget* parent = nullptr);
};

}  // namespace kvt::gui

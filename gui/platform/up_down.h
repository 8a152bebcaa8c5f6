// The window system's up-down control: two stacked arrow buttons that hold a position within a
// range, without an edit field of its own. A press on an arrow moves the position one step (never
// past the range); the release then raises OnMouseUp, where a dialog reads the new position.
#pragma once

#include <QWidget>

namespace kvt::gui {

class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
public:
    explicit TUpDown(QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetMin(int value);
    void SetMax(int value);
    // Kept within Min..Max.
    void SetPosition(int value);
    // The arrows' rectangles: up on top, down below.
    QRect UpRect() const;
    QRect DownRect() const;

    QSize sizeHint() const override { return QSize(25, 22); }

signals:
    void OnMouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int min_ = 0, max_ = 100, position_ = 0;
    int pressed_ = 0;  // 1 up, -1 down, 0 none
};

}  // namespace kvt::gui

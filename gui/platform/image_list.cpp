// Image lists.
#include "gui/platform/image_list.h"

namespace kvt::gui {

QImage WithTransparentColor(const QImage& picture, TColor maskColor) {
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    if (img.isNull() || maskColor == clNone) return img;
    const QRgb key = maskColor == clDefault ? (img.pixel(0, img.height() - 1) & 0x00FFFFFFu)
                                            : (ToQColor(maskColor).rgb() & 0x00FFFFFFu);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == key) line[x] = 0;
    }
    return img;
}

TImageList::TImageList(int width, int height, QObject* parent) : QObject(parent), width_(width), height_(height) {}

QImage TImageList::Prepare(const QImage& picture, TColor maskColor) const {
    QImage img = WithTransparentColor(picture, maskColor);
    if (!img.isNull() && (img.width() != width_ || img.height() != height_)) {
        QImage sized(width_, height_, QImage::Format_ARGB32);
        sized.fill(Qt::transparent);
        QPainter p(&sized);
        p.drawImage(0, 0, img);
        img = sized;
    }
    return img;
}

int TImageList::Add(const QImage& picture, TColor maskColor) {
    images_.push_back(Prepare(picture, maskColor));
    emit Changed();
    return Count() - 1;
}

void TImageList::Replace(int index, const QImage& picture, TColor maskColor) {
    if (index < 0 || index >= Count()) return;
    images_[static_cast<std::size_t>(index)] = Prepare(picture, maskColor);
    emit Changed();
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    images_.erase(images_.begin() + index);
    emit Changed();
}

void TImageList::Clear() {
    images_.clear();
    emit Changed();
}

QImage TImageList::Image(int index) const {
    if (index < 0 || index >= Count()) return QImage();
    return images_[static_cast<std::size_t>(index)];
}

void TImageList::Draw(QPainter& painter, int x, int y, int index, TColor bkColor) const {
    if (index < 0 || index >= Count()) return;
    if (bkColor != clNone) painter.fillRect(QRect(x, y, width_, height_), ToQColor(bkColor));
    painter.drawImage(x, y, images_[static_cast<std::size_t>(index)]);
}

}  // namespace kvt::gui

// The map picture kept packed in memory: tiles of 28 x 28 pixels (one hex step, so a view's edges
// fall on tile edges), each different tile stored once, as 8-bit indices into its own colours when
// it has at most 256, else as plain pixels. The 2128 x 1512 map takes 3.2 MB, not the 12.9 MB it
// takes unpacked; unpacking costs a table look-up a pixel, so the window unpacks only a changed view.
// Pixels come out exactly as QImage reads the file. Knows nothing of the game or the view.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvt::gui {

class TPackedPicture {
public:
    static constexpr int kTile = 28;

    // Reads a picture file. A whole uncompressed 24-bit BMP is read a strip of tiles at a time, so
    // the whole picture is never held unpacked; any other file is read through QImage. False, the
    // picture left as it was, when the file cannot be read or such a BMP ends before its last row.
    bool Load(const QString& path);
    // Packs a picture already in memory; a null picture makes this one null.
    void Pack(const QImage& picture);

    bool isNull() const { return width_ == 0 || height_ == 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    QSize size() const { return {width_, height_}; }

    // Copies the picture's rectangle `source` into the 32-bit `target` with its top-left at `at`, as
    // QPainter::drawImage in Source mode does: what lies outside the picture or the target is left.
    void Unpack(QImage& target, QPoint at, const QRect& source) const;
    // The whole picture unpacked.
    QImage ToImage() const;

    // Memory the packed picture holds.
    std::size_t Bytes() const;
    // New for every picture packed, so a view unpacked from an older one is known to be stale.
    std::uint64_t Serial() const { return serial_; }

private:
    friend class TTilePacker;
    struct TTile {
        std::uint32_t data = 0;     // first index in indices_, or first pixel in plain_
        std::uint32_t palette = 0;  // first colour in colours_
        std::uint16_t colours = 0;  // 0: plain pixels
        std::uint8_t w = 0, h = 0;  // smaller than kTile only at the right and bottom edges
    };
    // Writes row `y` (within the tile) of pixels [x0, x1) of a tile to `out`.
    void UnpackTileRow(const TTile& tile, int y, int x0, int x1, QRgb* out) const;

    int width_ = 0, height_ = 0, tileColumns_ = 0;
    std::vector<std::uint32_t> tileAt_;  // tile position, row by row -> index in tiles_
    std::vector<TTile> tiles_;
    std::vector<QRgb> colours_;
    std::vector<std::uint8_t> indices_;
    std::vector<QRgb> plain_;
    std::uint64_t serial_ = 0;
};

}  // namespace kvt::gui

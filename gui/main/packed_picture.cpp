// The packed map picture.
#include "gui/main/packed_picture.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace kvt::gui {

namespace {

std::uint64_t NextSerial() {
    static std::atomic<std::uint64_t> serial{0};
    return ++serial;
}

std::size_t HashPixels(const QRgb* pixels, std::size_t count) {
    return std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(pixels), count * sizeof(QRgb)));
}

std::uint32_t ReadLe32(const uchar* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t ReadLe16(const uchar* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// The layout of an uncompressed 24-bit BMP, the only kind read strip by strip.
struct TBmpLayout {
    qint64 pixels = 0;  // file offset of the first stored row
    int width = 0, height = 0;
    bool bottomUp = true;
    qint64 stride = 0;
};

enum class TBmpKind { Other, Plain, Short };

// An uncompressed 24-bit BMP; Short when the file ends before its last row (QImage would make up
// the missing rows).
TBmpKind ReadBmpLayout(QFile& file, TBmpLayout& layout) {
    uchar h[54];
    if (file.read(reinterpret_cast<char*>(h), sizeof h) != sizeof h || h[0] != 'B' || h[1] != 'M') return TBmpKind::Other;
    const std::int32_t width = static_cast<std::int32_t>(ReadLe32(h + 18));
    const std::int32_t height = static_cast<std::int32_t>(ReadLe32(h + 22));
    if (ReadLe32(h + 14) < 40 || ReadLe16(h + 26) != 1 || ReadLe16(h + 28) != 24 || ReadLe32(h + 30) != 0) return TBmpKind::Other;
    if (width <= 0 || width > 32767 || height == 0 || height < -32767 || height > 32767) return TBmpKind::Other;
    layout.pixels = ReadLe32(h + 10);
    layout.width = width;
    layout.height = height < 0 ? -height : height;
    layout.bottomUp = height > 0;
    layout.stride = (qint64(width) * 3 + 3) / 4 * 4;
    return file.size() >= layout.pixels + layout.stride * layout.height ? TBmpKind::Plain : TBmpKind::Short;
}

}  // namespace

// Packs a picture one strip of tile rows at a time, given top to bottom.
class TTilePacker {
public:
    TTilePacker(TPackedPicture& picture, int width, int height) : p_(picture) {
        p_ = TPackedPicture();
        p_.width_ = width;
        p_.height_ = height;
        p_.tileColumns_ = (width + TPackedPicture::kTile - 1) / TPackedPicture::kTile;
        const int tileRows = (height + TPackedPicture::kTile - 1) / TPackedPicture::kTile;
        p_.tileAt_.reserve(std::size_t(p_.tileColumns_) * tileRows);
    }

    // `rows` holds the strip's pixels, `stride` pixels apart; the strip is kTile rows high, or what
    // is left of the picture.
    void AddStrip(const QRgb* rows, std::size_t stride, int stripHeight) {
        constexpr int kTile = TPackedPicture::kTile;
        for (int x0 = 0; x0 < p_.width_; x0 += kTile) {
            const int w = std::min(kTile, p_.width_ - x0);
            for (int y = 0; y < stripHeight; ++y) std::memcpy(&tile_[std::size_t(y) * w], rows + y * stride + x0, w * sizeof(QRgb));
            p_.tileAt_.push_back(TileIndex(w, stripHeight));
        }
    }

    void Finish() {
        p_.tileAt_.shrink_to_fit();
        p_.tiles_.shrink_to_fit();
        p_.colours_.shrink_to_fit();
        p_.indices_.shrink_to_fit();
        p_.plain_.shrink_to_fit();
        p_.serial_ = NextSerial();
    }

private:
    // The stored tile equal to tile_ (w x h), stored now if it is new.
    std::uint32_t TileIndex(int w, int h) {
        const std::size_t count = std::size_t(w) * h;
        const std::size_t hash = HashPixels(tile_.data(), count);
        auto [first, last] = seen_.equal_range(hash);
        for (auto it = first; it != last; ++it) {
            const TPackedPicture::TTile& t = p_.tiles_[it->second];
            if (t.w != w || t.h != h) continue;
            bool same = true;
            for (int y = 0; y < h && same; ++y) {
                p_.UnpackTileRow(t, y, 0, w, row_.data());
                same = std::memcmp(row_.data(), &tile_[std::size_t(y) * w], w * sizeof(QRgb)) == 0;
            }
            if (same) return it->second;
        }
        const auto index = static_cast<std::uint32_t>(p_.tiles_.size());
        p_.tiles_.push_back(Store(w, h, count));
        seen_.emplace(hash, index);
        return index;
    }

    TPackedPicture::TTile Store(int w, int h, std::size_t count) {
        TPackedPicture::TTile t;
        t.w = static_cast<std::uint8_t>(w);
        t.h = static_cast<std::uint8_t>(h);
        // The tile's colours in a small open hash: slot -> colour, and the colour's palette index.
        std::array<QRgb, 1024> key;
        std::array<std::uint16_t, 1024> slot;
        key.fill(0);
        std::array<QRgb, 256> palette;
        int colours = 0;
        for (std::size_t i = 0; i < count; ++i) {
            // RGB32 pixels carry alpha 255, so 0 can mark a free slot.
            const QRgb c = tile_[i];
            // Most pixels repeat the one before or above them.
            if (i > 0 && c == tile_[i - 1]) {
                index_[i] = index_[i - 1];
                continue;
            }
            if (i >= std::size_t(w) && c == tile_[i - w]) {
                index_[i] = index_[i - w];
                continue;
            }
            std::size_t s = (c * 2654435761u) >> 22;
            while (key[s] != 0 && key[s] != c) s = (s + 1) & 1023;
            if (key[s] == 0) {
                if (colours == 256) {
                    colours = 257;
                    break;
                }
                key[s] = c;
                slot[s] = static_cast<std::uint16_t>(colours);
                palette[colours++] = c;
            }
            index_[i] = static_cast<std::uint8_t>(slot[s]);
        }
        if (colours > 256) {
            t.data = static_cast<std::uint32_t>(p_.plain_.size());
            p_.plain_.insert(p_.plain_.end(), tile_.begin(), tile_.begin() + count);
            return t;
        }
        t.colours = static_cast<std::uint16_t>(colours);
        t.palette = static_cast<std::uint32_t>(p_.colours_.size());
        p_.colours_.insert(p_.colours_.end(), palette.begin(), palette.begin() + colours);
        t.data = static_cast<std::uint32_t>(p_.indices_.size());
        p_.indices_.insert(p_.indices_.end(), index_.begin(), index_.begin() + count);
        return t;
    }

    TPackedPicture& p_;
    std::array<QRgb, TPackedPicture::kTile * TPackedPicture::kTile> tile_{};
    std::array<std::uint8_t, TPackedPicture::kTile * TPackedPicture::kTile> index_{};
    std::array<QRgb, TPackedPicture::kTile> row_{};
    std::unordered_multimap<std::size_t, std::uint32_t> seen_;
};

void TPackedPicture::Pack(const QImage& picture) {
    if (picture.isNull()) {
        *this = TPackedPicture();
        return;
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    TTilePacker packer(*this, rgb.width(), rgb.height());
    const std::size_t stride = rgb.bytesPerLine() / sizeof(QRgb);
    for (int y = 0; y < rgb.height(); y += kTile)
        packer.AddStrip(reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), stride, std::min(kTile, rgb.height() - y));
    packer.Finish();
}

bool TPackedPicture::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    TBmpLayout bmp;
    const TBmpKind kind = ReadBmpLayout(file, bmp);
    if (kind == TBmpKind::Short) return false;
    if (kind == TBmpKind::Other) {
        file.close();
        const QImage picture(path);
        if (picture.isNull()) return false;
        Pack(picture);
        return true;
    }
    TPackedPicture packed;
    TTilePacker packer(packed, bmp.width, bmp.height);
    // Room past the last row: each pixel is read as a 32-bit word.
    std::vector<uchar> stored(std::size_t(bmp.stride) * kTile + sizeof(std::uint32_t));
    std::vector<QRgb> strip(std::size_t(bmp.width) * kTile);
    for (int y0 = 0; y0 < bmp.height; y0 += kTile) {
        const int rows = std::min(kTile, bmp.height - y0);
        // The strip's rows lie together in the file, last row first in a bottom-up file.
        const qint64 firstStored = bmp.bottomUp ? bmp.height - y0 - rows : y0;
        if (!file.seek(bmp.pixels + firstStored * bmp.stride) ||
            file.read(reinterpret_cast<char*>(stored.data()), bmp.stride * rows) != bmp.stride * rows)
            return false;
        for (int y = 0; y < rows; ++y) {
            const uchar* in = stored.data() + (bmp.bottomUp ? rows - 1 - y : y) * bmp.stride;
            QRgb* out = strip.data() + std::size_t(y) * bmp.width;
            // Blue, green and red bytes read as a little-endian word are 0x..RRGGBB already.
            for (int x = 0; x < bmp.width; ++x, in += 3) {
                std::uint32_t word;
                std::memcpy(&word, in, sizeof word);
                out[x] = 0xFF000000u | (qFromLittleEndian(word) & 0x00FFFFFFu);
            }
        }
        packer.AddStrip(strip.data(), bmp.width, rows);
    }
    packer.Finish();
    *this = std::move(packed);
    return true;
}

void TPackedPicture::UnpackTileRow(const TTile& tile, int y, int x0, int x1, QRgb* out) const {
    const std::size_t first = tile.data + std::size_t(y) * tile.w + x0;
    if (tile.colours == 0) {
        std::memcpy(out, &plain_[first], (x1 - x0) * sizeof(QRgb));
        return;
    }
    const QRgb* palette = &colours_[tile.palette];
    const std::uint8_t* index = &indices_[first];
    for (int x = 0; x < x1 - x0; ++x) out[x] = palette[index[x]];
}

void TPackedPicture::Unpack(QImage& target, QPoint at, const QRect& source) const {
    if (isNull() || target.depth() != 32) return;
    // Clip to the picture, then to the target, moving the other rectangle with each cut.
    QRect from = source.intersected(QRect(0, 0, width_, height_));
    QPoint to = at + (from.topLeft() - source.topLeft());
    const QRect into = QRect(to, from.size()).intersected(target.rect());
    from = QRect(from.topLeft() + (into.topLeft() - to), into.size());
    if (from.isEmpty()) return;
    const QPoint shift = into.topLeft() - from.topLeft();
    uchar* const bits = target.bits();
    const qsizetype line = target.bytesPerLine();
    for (int ty = from.top() / kTile; ty <= from.bottom() / kTile; ++ty) {
        const int y0 = std::max(from.top(), ty * kTile), y1 = std::min(from.bottom() + 1, (ty + 1) * kTile);
        for (int tx = from.left() / kTile; tx <= from.right() / kTile; ++tx) {
            const int x0 = std::max(from.left(), tx * kTile), x1 = std::min(from.right() + 1, (tx + 1) * kTile);
            const TTile& tile = tiles_[tileAt_[std::size_t(ty) * tileColumns_ + tx]];
            for (int y = y0; y < y1; ++y) {
                QRgb* out = reinterpret_cast<QRgb*>(bits + (y + shift.y()) * line) + x0 + shift.x();
                UnpackTileRow(tile, y - ty * kTile, x0 - tx * kTile, x1 - tx * kTile, out);
            }
        }
    }
}

QImage TPackedPicture::ToImage() const {
    if (isNull()) return {};
    QImage image(width_, height_, QImage::Format_RGB32);
    Unpack(image, QPoint(0, 0), image.rect());
    return image;
}

std::size_t TPackedPicture::Bytes() const {
    return tileAt_.capacity() * sizeof(std::uint32_t) + tiles_.capacity() * sizeof(TTile) +
           colours_.capacity() * sizeof(QRgb) + indices_.capacity() + plain_.capacity() * sizeof(QRgb);
}

}  // namespace kvt::gui

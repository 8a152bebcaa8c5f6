// The packed map picture: every pixel read back as QImage reads the file, whatever the file's
// layout, tiles repeated or rich in colour, rectangles cut at either picture's edge, and the real
// map in under a third of its unpacked memory.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>

#include <string>

#include "gui/main/packed_picture.h"
#include "tests/support/engine_fixture.h"

namespace kvt::gui {
namespace {

constexpr int kTile = TPackedPicture::kTile;

// 75 x 61: three by three tiles, the last column and row cut short. A sea colour everywhere, a
// tile of 100 colours repeated elsewhere, one of 784 different colours and a graded edge tile.
QImage TestPicture() {
    QImage img(75, 61, QImage::Format_RGB32);
    img.fill(qRgb(40, 70, 160));
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const QRgb banded = qRgb(10 * (x % 10), 20 * (y % 10), 90);
            img.setPixel(kTile + x, y, banded);
            img.setPixel(x, kTile + y, banded);
            img.setPixel(2 * kTile + x - 9, kTile + y, qRgb(x * 9, y * 9, (x * 28 + y) % 256));
        }
    for (int y = 2 * kTile; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, qRgb(x * 3, y, 255 - x));
    return img;
}

// A BMP of `bits` bits a pixel, rows stored bottom up unless `topDown`.
QByteArray Bmp(const QImage& img, int bits, bool topDown) {
    const int w = img.width(), h = img.height(), stride = (w * bits / 8 + 3) / 4 * 4;
    QByteArray d(54 + stride * h, '\0');
    auto put = [&](int at, quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i) d[at + i] = char(v >> (8 * i));
    };
    d[0] = 'B';
    d[1] = 'M';
    put(2, d.size(), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, w, 4);
    put(22, topDown ? quint32(-h) : quint32(h), 4);
    put(26, 1, 2);
    put(28, bits, 2);
    put(34, stride * h, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = img.pixel(x, y);
            const int at = 54 + (topDown ? y : h - 1 - y) * stride + x * bits / 8;
            d[at] = char(qBlue(c));
            d[at + 1] = char(qGreen(c));
            d[at + 2] = char(qRed(c));
            if (bits == 32) d[at + 3] = char(0xFF);
        }
    return d;
}

std::string Write(const std::string& folder, const char* name, const QByteArray& bytes) {
    const std::string path = folder + "/" + name;
    QFile f(QString::fromStdString(path));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QByteArray Png(const QImage& img) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

TEST(PackedPicture, ReadsBackEveryPixelAsTheFileHoldsItAndCutsRectanglesAsAPainterDoes) {
    const QImage picture = TestPicture();
    const std::string folder = testing::TempFolder("packed_picture");
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"bottom_up.bmp", Bmp(picture, 24, false)},
        {"top_down.bmp", Bmp(picture, 24, true)},
        {"32_bit.bmp", Bmp(picture, 32, false)},
        {"picture.png", Png(picture)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(folder, c.name, c.bytes);
        ASSERT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), picture);
        TPackedPicture packed;
        ASSERT_TRUE(packed.Load(QString::fromStdString(path)));
        EXPECT_EQ(packed.size(), picture.size());
        EXPECT_EQ(packed.ToImage(), picture);

        // Source rectangles reaching past the picture, target points cutting the target's edge.
        const std::pair<QRect, QPoint> cuts[] = {
            {{-10, -5, 40, 30}, {0, 0}}, {{50, 40, 40, 30}, {3, 2}}, {{20, 10, 40, 30}, {-7, 5}}, {{27, 27, 2, 2}, {38, 28}}};
        for (const auto& [source, at] : cuts) {
            QImage want(40, 30, QImage::Format_RGB32), got(40, 30, QImage::Format_RGB32);
            want.fill(Qt::magenta);
            got.fill(Qt::magenta);
            QPainter p(&want);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(at, picture, source);
            p.end();
            packed.Unpack(got, at, source);
            EXPECT_EQ(got, want) << source.x() << "," << source.y() << " to " << at.x() << "," << at.y();
        }
    }
}

TEST(PackedPicture, AShortOrMissingFileIsRefusedAndThePictureKept) {
    const std::string folder = testing::TempFolder("packed_picture_short");
    const QImage picture = TestPicture();
    TPackedPicture packed;
    ASSERT_TRUE(packed.Load(QString::fromStdString(Write(folder, "whole.bmp", Bmp(picture, 24, false)))));
    const std::uint64_t serial = packed.Serial();
    const QByteArray other = Bmp(picture.mirrored(true, false), 24, false);
    // QImage reads a BMP cut short, making up the rows it lacks.
    EXPECT_FALSE(packed.Load(QString::fromStdString(Write(folder, "short.bmp", other.left(other.size() - 100)))));
    EXPECT_FALSE(packed.Load(QString::fromStdString(folder + "/missing.bmp")));
    EXPECT_EQ(packed.ToImage(), picture);
    EXPECT_EQ(packed.Serial(), serial) << "a view unpacked from it is still good";
}

TEST(PackedPicture, TheMapReadsBackExactlyInUnderAThirdOfItsUnpackedMemory) {
    const QString path = QString::fromStdString(testing::GameFile("NEWMAP.BMP"));
    const QImage map = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(map.isNull()) << "the game's pictures have not been built";
    TPackedPicture packed;
    ASSERT_TRUE(packed.Load(path));
    EXPECT_EQ(packed.ToImage(), map);
    EXPECT_LT(packed.Bytes(), std::size_t(map.sizeInBytes()) / 3) << packed.Bytes();
}

}  // namespace
}  // namespace kvt::gui

// Paper, border and corner engraving of the dialog backgrounds.
#include "tools/picture_maker/dialog_backgrounds.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "tools/picture_maker/palette.h"

namespace kvt::pictures {

const std::vector<DialogBackground>& DialogBackgrounds() {
    constexpr int kNoticeWidth = 420;
    constexpr int kNoticeHeight = 300;
    static const std::vector<DialogBackground> list = {
        {"bg_notice.bmp", kNoticeWidth, kNoticeHeight, Motif::Star},
        {"bg_notice_city_fall.bmp", kNoticeWidth, kNoticeHeight, Motif::Skyline},
        {"bg_notice_draft_riots.bmp", kNoticeWidth, kNoticeHeight, Motif::Skyline},
        {"bg_notice_rail_move.bmp", kNoticeWidth, kNoticeHeight, Motif::Locomotive},
        {"bg_notice_fort_built.bmp", kNoticeWidth, kNoticeHeight, Motif::Fort},
        {"bg_notice_fleet_embark.bmp", kNoticeWidth, kNoticeHeight, Motif::Ship},
        {"bg_notice_new_capital.bmp", kNoticeWidth, kNoticeHeight, Motif::Dome},
        {"bg_notice_black_soldiers.bmp", kNoticeWidth, kNoticeHeight, Motif::Flags},
        {"bg_notice_uprising.bmp", kNoticeWidth, kNoticeHeight, Motif::Skyline},
        {"bg_notice_fleet_scuttled.bmp", kNoticeWidth, kNoticeHeight, Motif::Ship},
        {"bg_notice_fleet_supplies.bmp", kNoticeWidth, kNoticeHeight, Motif::Ship},
        {"bg_notice_state_lost.bmp", kNoticeWidth, kNoticeHeight, Motif::Flags},
        {"bg_notice_training.bmp", kNoticeWidth, kNoticeHeight, Motif::Tents},
        {"bg_notice_army_formed.bmp", kNoticeWidth, kNoticeHeight, Motif::Flags},
        {"bg_notice_corps_formed.bmp", kNoticeWidth, kNoticeHeight, Motif::Tents},
        {"bg_notice_brigade_raised.bmp", kNoticeWidth, kNoticeHeight, Motif::Tents},
        {"bg_notice_reinforcements.bmp", kNoticeWidth, kNoticeHeight, Motif::Cannon},
        {"bg_notice_newspaper.bmp", kNoticeWidth, kNoticeHeight, Motif::Newspaper},
        {"bg_notice_foreign_affairs.bmp", kNoticeWidth, kNoticeHeight, Motif::Dome},
        {"bg_brigade_display.bmp", 640, 420, Motif::Cannon},
        {"bg_leader_orders.bmp", 520, 400, Motif::Star},
        {"bg_new_brigades.bmp", 560, 420, Motif::Tents},
        {"bg_new_corps.bmp", 520, 400, Motif::Flags},
        {"bg_new_army.bmp", 520, 400, Motif::Flags},
        {"bg_city_orders.bmp", 240, 160, Motif::Fort},
        {"bg_fleet_orders.bmp", 271, 329, Motif::Ship},
        {"bg_new_fleet.bmp", 427, 273, Motif::Ship},
        {"bg_naval_overview.bmp", 431, 379, Motif::Ship},
        {"bg_naval_combat.bmp", 384, 169, Motif::Ship},
        {"bg_setup.bmp", 640, 480, Motif::Dome},
        {"bg_victory.bmp", 540, 400, Motif::Flags},
    };
    return list;
}

namespace {

// Paper grain from a fixed hash, so the same picture is drawn on every build.
int Grain(int x, int y) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<int>((h >> 24) % 9) - 4;
}

void Paper(QImage& img) {
    const double cx = img.width() / 2.0, cy = img.height() / 2.0;
    const double reach = std::hypot(cx, cy);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            // Darker toward the edges, as old paper browns.
            const double edge = std::hypot(x - cx, y - cy) / reach;
            const int shade = static_cast<int>(edge * edge * 26) - Grain(x, y);
            img.setPixelColor(x, y, QColor(std::clamp(kPaper.red() - shade, 0, 255),
                                           std::clamp(kPaper.green() - shade - 2, 0, 255),
                                           std::clamp(kPaper.blue() - shade - 6, 0, 255)));
        }
    }
}

void Border(QPainter& p, int w, int h) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 2.0));
    p.drawRect(QRectF(4, 4, w - 8, h - 8));
    p.setPen(QPen(kInk, 0.8));
    p.drawRect(QRectF(8, 8, w - 16, h - 16));
    // Corner rosettes.
    for (const QPointF& c : {QPointF(8, 8), QPointF(w - 8, 8), QPointF(8, h - 8), QPointF(w - 8, h - 8)}) {
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(kPaperShade);
        p.drawEllipse(c, 4.5, 4.5);
        p.setBrush(kInk);
        p.drawEllipse(c, 1.4, 1.4);
    }
}

// The engravings, drawn in a box of 100 x 70 at the origin.
void Engraving(QPainter& p, Motif motif) {
    p.setBrush(Qt::NoBrush);
    switch (motif) {
        case Motif::Star: {
            QPolygonF star;
            for (int k = 0; k < 10; ++k) {
                const double a = -3.14159265 / 2 + k * 3.14159265 / 5;
                const double r = k % 2 == 0 ? 32.0 : 13.0;
                star << QPointF(50 + r * std::cos(a), 38 + r * std::sin(a));
            }
            p.drawPolygon(star);
            p.drawEllipse(QPointF(50, 38), 36, 36);
            break;
        }
        case Motif::Skyline: {
            QPolygonF s;
            s << QPointF(0, 70) << QPointF(0, 44) << QPointF(12, 44) << QPointF(12, 30) << QPointF(22, 30)
              << QPointF(22, 40) << QPointF(30, 40) << QPointF(30, 12) << QPointF(34, 4) << QPointF(38, 12)
              << QPointF(38, 36) << QPointF(50, 36) << QPointF(50, 24) << QPointF(64, 24) << QPointF(64, 42)
              << QPointF(74, 42) << QPointF(74, 18) << QPointF(80, 18) << QPointF(80, 38) << QPointF(100, 38)
              << QPointF(100, 70);
            p.drawPolygon(s);
            for (int y = 48; y < 70; y += 6) p.drawLine(QPointF(2, y), QPointF(98, y));
            break;
        }
        case Motif::Ship: {
            QPolygonF hull;
            hull << QPointF(4, 50) << QPointF(96, 50) << QPointF(86, 62) << QPointF(12, 62);
            p.drawPolygon(hull);
            p.drawLine(QPointF(30, 50), QPointF(30, 6));
            p.drawLine(QPointF(66, 50), QPointF(66, 10));
            p.drawRect(QRectF(44, 30, 8, 20));
            p.drawLine(QPointF(30, 14), QPointF(12, 46));
            p.drawLine(QPointF(66, 16), QPointF(84, 46));
            for (int x = 0; x < 100; x += 10) p.drawArc(QRectF(x, 62, 10, 6), 0, 180 * 16);
            break;
        }
        case Motif::Locomotive: {
            p.drawRect(QRectF(20, 26, 44, 22));
            p.drawRect(QRectF(64, 16, 20, 32));
            p.drawLine(QPointF(26, 26), QPointF(22, 6));
            p.drawLine(QPointF(34, 26), QPointF(38, 6));
            p.drawLine(QPointF(22, 6), QPointF(38, 6));
            for (double x : {30.0, 50.0, 74.0}) p.drawEllipse(QPointF(x, 56), 8, 8);
            p.drawLine(QPointF(4, 48), QPointF(20, 40));
            p.drawLine(QPointF(0, 66), QPointF(100, 66));
            break;
        }
        case Motif::Fort: {
            QPolygonF wall;
            wall << QPointF(6, 66) << QPointF(6, 34) << QPointF(16, 34) << QPointF(16, 28) << QPointF(26, 28)
                 << QPointF(26, 34) << QPointF(74, 34) << QPointF(74, 28) << QPointF(84, 28) << QPointF(84, 34)
                 << QPointF(94, 34) << QPointF(94, 66);
            p.drawPolygon(wall);
            p.drawLine(QPointF(50, 34), QPointF(50, 4));
            p.drawRect(QRectF(50, 4, 22, 12));
            p.drawRect(QRectF(42, 48, 16, 18));
            break;
        }
        case Motif::Cannon: {
            p.drawEllipse(QPointF(40, 52), 14, 14);
            p.drawEllipse(QPointF(40, 52), 3, 3);
            QPolygonF barrel;
            barrel << QPointF(24, 44) << QPointF(92, 24) << QPointF(94, 32) << QPointF(28, 54);
            p.drawPolygon(barrel);
            p.drawLine(QPointF(40, 52), QPointF(4, 66));
            for (double x : {70.0, 80.0, 90.0}) p.drawEllipse(QPointF(x, 62), 4, 4);
            break;
        }
        case Motif::Flags: {
            p.drawLine(QPointF(30, 68), QPointF(62, 2));
            p.drawLine(QPointF(70, 68), QPointF(38, 2));
            QPolygonF left, right;
            left << QPointF(62, 2) << QPointF(96, 10) << QPointF(88, 28) << QPointF(54, 20);
            right << QPointF(38, 2) << QPointF(4, 10) << QPointF(12, 28) << QPointF(46, 20);
            p.drawPolygon(left);
            p.drawPolygon(right);
            for (int k = 1; k < 4; ++k) {
                p.drawLine(QPointF(60 + k * 0.1, 7 + k * 4), QPointF(92 - k * 2, 14 + k * 4));
                p.drawLine(QPointF(40, 7 + k * 4), QPointF(8 + k * 2, 14 + k * 4));
            }
            break;
        }
        case Motif::Newspaper: {
            p.drawRect(QRectF(8, 2, 84, 66));
            p.drawLine(QPointF(12, 14), QPointF(88, 14));
            for (int col = 0; col < 3; ++col) {
                for (int y = 20; y < 64; y += 5) {
                    p.drawLine(QPointF(14 + col * 26, y), QPointF(34 + col * 26, y));
                }
            }
            break;
        }
        case Motif::Dome: {
            p.drawArc(QRectF(26, 8, 48, 40), 0, 180 * 16);
            p.drawRect(QRectF(22, 28, 56, 8));
            p.drawLine(QPointF(50, 8), QPointF(50, 0));
            p.drawRect(QRectF(4, 36, 92, 30));
            for (int x = 10; x < 96; x += 10) p.drawLine(QPointF(x, 40), QPointF(x, 64));
            break;
        }
        case Motif::Tents: {
            for (double x : {4.0, 36.0, 68.0}) {
                QPolygonF tent;
                tent << QPointF(x, 66) << QPointF(x + 14, 30) << QPointF(x + 28, 66);
                p.drawPolygon(tent);
                p.drawLine(QPointF(x + 14, 30), QPointF(x + 14, 22));
                p.drawLine(QPointF(x + 14, 66), QPointF(x + 10, 50));
            }
            break;
        }
    }
}

}  // namespace

QImage DrawDialogBackground(const DialogBackground& bg) {
    QImage img(bg.width, bg.height, QImage::Format_RGB888);
    Paper(img);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    Border(p, bg.width, bg.height);
    // The engraving sits in the lower right corner, faint enough to write over.
    const double scale = std::min(1.0, std::min(bg.width, bg.height) / 190.0);
    p.save();
    p.translate(bg.width - 16 - 100 * scale, bg.height - 16 - 70 * scale);
    p.scale(scale, scale);
    QColor ink = kInk;
    ink.setAlpha(70);
    p.setPen(QPen(ink, 1.6 / scale));
    Engraving(p, bg.motif);
    p.restore();
    p.end();
    return img;
}

}  // namespace kvt::pictures

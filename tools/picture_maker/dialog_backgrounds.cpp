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
        {"bg_notice_draft_riots.bmp", kNoticeWidth, kNoticeHeight, Motif::Torches},
        {"bg_notice_rail_move.bmp", kNoticeWidth, kNoticeHeight, Motif::Locomotive},
        {"bg_notice_fort_built.bmp", kNoticeWidth, kNoticeHeight, Motif::Fort},
        {"bg_notice_fleet_embark.bmp", kNoticeWidth, kNoticeHeight, Motif::Anchor},
        {"bg_notice_new_capital.bmp", kNoticeWidth, kNoticeHeight, Motif::Dome},
        {"bg_notice_black_soldiers.bmp", kNoticeWidth, kNoticeHeight, Motif::CrossedMuskets},
        {"bg_notice_uprising.bmp", kNoticeWidth, kNoticeHeight, Motif::BrokenChain},
        {"bg_notice_fleet_scuttled.bmp", kNoticeWidth, kNoticeHeight, Motif::SinkingShip},
        {"bg_notice_fleet_supplies.bmp", kNoticeWidth, kNoticeHeight, Motif::Barrels},
        {"bg_notice_state_lost.bmp", kNoticeWidth, kNoticeHeight, Motif::TornMap},
        {"bg_notice_training.bmp", kNoticeWidth, kNoticeHeight, Motif::Drum},
        {"bg_notice_army_formed.bmp", kNoticeWidth, kNoticeHeight, Motif::Flags},
        {"bg_notice_corps_formed.bmp", kNoticeWidth, kNoticeHeight, Motif::Tents},
        {"bg_notice_brigade_raised.bmp", kNoticeWidth, kNoticeHeight, Motif::Bugle},
        {"bg_notice_reinforcements.bmp", kNoticeWidth, kNoticeHeight, Motif::Cannon},
        {"bg_notice_newspaper.bmp", kNoticeWidth, kNoticeHeight, Motif::Newspaper},
        {"bg_notice_foreign_affairs.bmp", kNoticeWidth, kNoticeHeight, Motif::Globe},
        {"bg_brigade_display.bmp", 640, 420, Motif::Cannon},
        {"bg_leader_orders.bmp", 520, 400, Motif::Star},
        {"bg_new_brigades.bmp", 560, 420, Motif::Tents},
        {"bg_new_corps.bmp", 520, 400, Motif::Flags},
        {"bg_new_army.bmp", 520, 400, Motif::Flags},
        {"bg_city_orders.bmp", 240, 160, Motif::Fort},
        {"bg_fleet_orders.bmp", 271, 329, Motif::Ship},
        {"bg_new_fleet.bmp", 427, 273, Motif::Ship},
        {"bg_naval_overview.bmp", 431, 379, Motif::Ship},
        // The figures fill the lower right corner: the ship sits above OK, between the row
        // captions and the Confederate column.
        {"bg_naval_combat.bmp", 384, 169, Motif::Ship, 1, 0.55, 82, 41},
        {"bg_combat_resolution.bmp", 537, 231, Motif::CrossedSabres},
        {"bg_battle_intensity.bmp", 660, 284, Motif::Drum},
        {"bg_leader_casualty.bmp", 360, 284, Motif::Star},
        {"bg_fort_assault.bmp", 420, 292, Motif::Fort},
        {"bg_battle_results.bmp", 573, 400, Motif::Flags, 1},
        {"bg_battle_analysis.bmp", 539, 400, Motif::Compass, 1},
        {"bg_replay_resolution.bmp", 537, 231, Motif::CrossedSabres},
        {"bg_replay_results.bmp", 573, 400, Motif::Flags, 0},
        {"bg_setup.bmp", 640, 480, Motif::Dome},
        {"bg_victory.bmp", 540, 400, Motif::Flags},
        // The small dialogs of the start and the movement; their layouts leave the corner free.
        {"bg_scenario_choice.bmp", 340, 236, Motif::Compass, 4, 0.8},
        {"bg_side_choice.bmp", 280, 116, Motif::CrossedSabres},
        {"bg_delay.bmp", 290, 196, Motif::Hourglass},
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

void Border(QPainter& p, int w, int h, int inset) {
    const double outer = inset, inner = 2.0 * inset;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 2.0));
    p.drawRect(QRectF(outer, outer, w - 2 * outer, h - 2 * outer));
    p.setPen(QPen(kInk, 0.8));
    p.drawRect(QRectF(inner, inner, w - 2 * inner, h - 2 * inner));
    // Corner rosettes.
    for (const QPointF& c : {QPointF(inner, inner), QPointF(w - inner, inner), QPointF(inner, h - inner), QPointF(w - inner, h - inner)}) {
        p.setPen(QPen(kInk, 1.0));
        p.setBrush(kPaperShade);
        p.drawEllipse(c, 4.5, 4.5);
        p.setBrush(kInk);
        p.drawEllipse(c, 1.4, 1.4);
    }
}

// Two pieces crossed at the centre, each leaning `angle` degrees to its side; drawOne(side) draws
// one upright about the origin, side -1 for the left one and 1 for the right.
template <class DrawOne>
void CrossedPair(QPainter& p, QPointF centre, double angle, DrawOne drawOne) {
    for (int side : {-1, 1}) {
        p.save();
        p.translate(centre);
        p.rotate(side * angle);
        drawOne(side);
        p.restore();
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
        case Motif::Torches: {
            // Two torches crossed over a cobbled street.
            for (int side : {-1, 1}) {
                const QPointF foot(50 - side * 34, 64), head(50 + side * 16, 18);
                p.drawLine(foot, head);
                p.drawLine(foot + QPointF(3, 0), head + QPointF(3, 0));
                QPainterPath flame;
                flame.moveTo(head + QPointF(-5, 0));
                flame.cubicTo(head + QPointF(-9, -10), head + QPointF(2, -12), head + QPointF(side * 4, -20));
                flame.cubicTo(head + QPointF(6, -10), head + QPointF(10, -6), head + QPointF(8, 0));
                flame.closeSubpath();
                p.drawPath(flame);
                p.drawRect(QRectF(head.x() - 5, head.y(), 13, 5));
            }
            for (int x = 6; x < 96; x += 12) p.drawArc(QRectF(x, 62, 12, 6), 0, 180 * 16);
            break;
        }
        case Motif::Anchor: {
            p.drawEllipse(QPointF(50, 8), 6, 6);
            p.drawLine(QPointF(50, 14), QPointF(50, 64));
            p.drawLine(QPointF(32, 22), QPointF(68, 22));
            p.drawEllipse(QPointF(32, 22), 2.5, 2.5);
            p.drawEllipse(QPointF(68, 22), 2.5, 2.5);
            p.drawArc(QRectF(20, 26, 60, 40), 180 * 16, 180 * 16);
            QPolygonF left, right;
            left << QPointF(20, 46) << QPointF(14, 38) << QPointF(26, 40);
            right << QPointF(80, 46) << QPointF(86, 38) << QPointF(74, 40);
            p.drawPolygon(left);
            p.drawPolygon(right);
            // A rope from the ring.
            QPainterPath rope;
            rope.moveTo(56, 8);
            rope.cubicTo(80, 4, 90, 20, 84, 30);
            rope.cubicTo(78, 40, 92, 50, 96, 44);
            p.drawPath(rope);
            break;
        }
        case Motif::CrossedMuskets: {
            // Two muskets with fixed bayonets crossed over a cartridge box.
            CrossedPair(p, QPointF(50, 34), 38.0, [&p](int) {
                QPolygonF stock;
                stock << QPointF(-46, -2) << QPointF(-20, -2) << QPointF(-16, 1) << QPointF(-46, 6);
                p.drawPolygon(stock);
                p.drawLine(QPointF(-20, -2), QPointF(34, -2));
                p.drawLine(QPointF(-16, 1), QPointF(34, 1));
                p.drawLine(QPointF(-8, 1), QPointF(-10, 5));
                p.drawLine(QPointF(34, -2), QPointF(48, -1));
            });
            p.drawRect(QRectF(36, 54, 28, 14));
            p.drawLine(QPointF(36, 59), QPointF(64, 59));
            p.drawEllipse(QPointF(50, 63), 2, 2);
            break;
        }
        case Motif::BrokenChain: {
            // A chain snapped in the middle, sparks where it broke.
            p.drawRoundedRect(QRectF(0, 28, 24, 12), 6, 6);
            p.drawRoundedRect(QRectF(16, 32, 24, 4), 2, 2);
            p.drawArc(QRectF(32, 28, 14, 12), 100 * 16, 160 * 16);
            p.drawRoundedRect(QRectF(76, 28, 24, 12), 6, 6);
            p.drawRoundedRect(QRectF(60, 32, 24, 4), 2, 2);
            p.drawArc(QRectF(54, 28, 14, 12), -80 * 16, 160 * 16);
            const QPointF c(50, 34);
            for (double a = 0; a < 6.28; a += 0.785)
                p.drawLine(c + QPointF(5 * std::cos(a), 9 * std::sin(a)), c + QPointF(9 * std::cos(a), 17 * std::sin(a)));
            break;
        }
        case Motif::SinkingShip: {
            p.save();
            p.translate(50, 40);
            p.rotate(-24);
            QPolygonF hull;
            hull << QPointF(-44, 8) << QPointF(44, 8) << QPointF(36, 20) << QPointF(-36, 20);
            p.drawPolygon(hull);
            p.drawLine(QPointF(-14, 8), QPointF(-14, -30));
            p.drawLine(QPointF(16, 8), QPointF(16, -26));
            p.drawLine(QPointF(-14, -22), QPointF(-30, 4));
            p.restore();
            // The sea closes over the stern.
            for (int y : {48, 56, 64})
                for (int x = 0; x < 100; x += 10) p.drawArc(QRectF(x, y, 10, 6), 0, 180 * 16);
            for (const QPointF& b : {QPointF(70, 42), QPointF(78, 34), QPointF(74, 26)}) p.drawEllipse(b, 2.5, 2.5);
            break;
        }
        case Motif::Barrels: {
            auto barrel = [&p](double x, double y) {
                p.drawRoundedRect(QRectF(x, y, 26, 30), 10, 4);
                p.drawLine(QPointF(x + 2, y + 8), QPointF(x + 24, y + 8));
                p.drawLine(QPointF(x + 2, y + 22), QPointF(x + 24, y + 22));
                p.drawEllipse(QPointF(x + 13, y + 15), 2, 2);
            };
            barrel(10, 38);
            barrel(38, 38);
            barrel(24, 6);
            // A crate beside them, its boards crossed.
            p.drawRect(QRectF(68, 36, 30, 32));
            p.drawLine(QPointF(68, 36), QPointF(98, 68));
            p.drawLine(QPointF(98, 36), QPointF(68, 68));
            p.drawLine(QPointF(0, 68), QPointF(100, 68));
            break;
        }
        case Motif::TornMap: {
            // A map sheet torn in two, a border dashed across it.
            QPolygonF left, right;
            left << QPointF(4, 8) << QPointF(48, 8) << QPointF(42, 20) << QPointF(50, 32) << QPointF(40, 46)
                 << QPointF(46, 66) << QPointF(4, 66);
            right << QPointF(56, 4) << QPointF(98, 4) << QPointF(98, 62) << QPointF(54, 62) << QPointF(48, 42)
                  << QPointF(58, 28) << QPointF(50, 16);
            p.drawPolygon(left);
            p.drawPolygon(right);
            QPen pen = p.pen();
            pen.setStyle(Qt::DashLine);
            p.setPen(pen);
            p.drawLine(QPointF(8, 40), QPointF(40, 34));
            p.drawLine(QPointF(56, 36), QPointF(94, 28));
            pen.setStyle(Qt::SolidLine);
            p.setPen(pen);
            p.drawEllipse(QPointF(24, 24), 3, 3);
            p.drawEllipse(QPointF(78, 48), 3, 3);
            break;
        }
        case Motif::Drum: {
            p.drawEllipse(QRectF(20, 26, 60, 14));
            p.drawLine(QPointF(20, 33), QPointF(20, 60));
            p.drawLine(QPointF(80, 33), QPointF(80, 60));
            p.drawArc(QRectF(20, 53, 60, 14), 180 * 16, 180 * 16);
            // The cords that tighten the heads.
            for (int k = 0; k < 6; ++k) {
                const double x = 22 + k * 10;
                p.drawLine(QPointF(x, 40), QPointF(x + 5, 62));
                p.drawLine(QPointF(x + 10, 40), QPointF(x + 5, 62));
            }
            p.drawLine(QPointF(30, 2), QPointF(58, 28));
            p.drawLine(QPointF(70, 2), QPointF(42, 28));
            p.drawEllipse(QPointF(30, 2), 2.5, 2.5);
            p.drawEllipse(QPointF(70, 2), 2.5, 2.5);
            break;
        }
        case Motif::Bugle: {
            // A coiled horn: mouthpiece, loop and flaring bell, with a cord and tassels.
            p.drawEllipse(QRectF(24, 16, 44, 34));
            p.drawEllipse(QRectF(30, 21, 32, 24));
            QPainterPath bell;
            bell.moveTo(66, 28);
            bell.cubicTo(76, 26, 84, 18, 94, 6);
            bell.lineTo(96, 40);
            bell.cubicTo(86, 32, 76, 34, 66, 38);
            p.drawPath(bell);
            p.drawLine(QPointF(26, 36), QPointF(8, 44));
            p.drawRect(QRectF(2, 42, 7, 5));
            QPainterPath cord;
            cord.moveTo(40, 50);
            cord.cubicTo(36, 62, 58, 66, 56, 50);
            p.drawPath(cord);
            for (double x : {38.0, 58.0}) {
                p.drawLine(QPointF(x, 56), QPointF(x, 62));
                p.drawLine(QPointF(x, 62), QPointF(x - 3, 68));
                p.drawLine(QPointF(x, 62), QPointF(x + 3, 68));
            }
            break;
        }
        case Motif::Globe: {
            const QPointF c(50, 30);
            p.drawEllipse(c, 26, 26);
            p.drawEllipse(c, 12, 26);
            p.drawLine(c + QPointF(0, -26), c + QPointF(0, 26));
            for (int dy : {-13, 0, 13}) {
                const double half = std::sqrt(26.0 * 26.0 - dy * dy);
                p.drawLine(c + QPointF(-half, dy), c + QPointF(half, dy));
            }
            // The meridian ring and the stand.
            p.drawArc(QRectF(20, 0, 60, 60), -60 * 16, 300 * 16);
            p.drawLine(QPointF(50, 60), QPointF(50, 64));
            p.drawLine(QPointF(34, 68), QPointF(66, 68));
            p.drawLine(QPointF(40, 64), QPointF(60, 64));
            break;
        }
        case Motif::Compass: {
            // A compass rose: four long points and four short ones inside a double ring.
            const QPointF c(50, 35);
            p.drawEllipse(c, 32, 32);
            p.drawEllipse(c, 27, 27);
            for (int k = 0; k < 8; ++k) {
                const double a = k * 3.14159265 / 4 - 3.14159265 / 2;
                const QPointF dir(std::cos(a), std::sin(a)), side(-std::sin(a), std::cos(a));
                const double reach = k % 2 == 0 ? 34.0 : 20.0;
                QPolygonF point;
                point << c + dir * reach << c + side * 5.0 << c << c - side * 5.0;
                p.drawPolygon(point);
            }
            p.drawEllipse(c, 3, 3);
            break;
        }
        case Motif::CrossedSabres: {
            // Two curved sabres crossed, hilts down, under a star.
            CrossedPair(p, QPointF(50, 40), 36.0, [&p](int side) {
                QPainterPath blade;
                blade.moveTo(-2, 20);
                blade.quadTo(-6, -10, 2 * side, -38);
                blade.quadTo(2, -10, 3, 20);
                blade.closeSubpath();
                p.drawPath(blade);
                p.drawArc(QRectF(-8, 16, 16, 10), 0, 180 * 16);
                p.drawRect(QRectF(-2, 20, 5, 10));
                p.drawEllipse(QPointF(0.5, 32), 2.5, 2.5);
            });
            QPolygonF star;
            for (int k = 0; k < 10; ++k) {
                const double a = -3.14159265 / 2 + k * 3.14159265 / 5;
                const double r = k % 2 == 0 ? 7.0 : 3.0;
                star << QPointF(50 + r * std::cos(a), 8 + r * std::sin(a));
            }
            p.drawPolygon(star);
            break;
        }
        case Motif::Hourglass: {
            // An hourglass between two posts, the sand half run through.
            p.drawRect(QRectF(28, 2, 44, 5));
            p.drawRect(QRectF(28, 63, 44, 5));
            p.drawLine(QPointF(31, 7), QPointF(31, 63));
            p.drawLine(QPointF(69, 7), QPointF(69, 63));
            QPainterPath glass;
            glass.moveTo(36, 7);
            glass.cubicTo(36, 28, 48, 30, 48, 35);
            glass.cubicTo(48, 40, 36, 42, 36, 63);
            glass.lineTo(64, 63);
            glass.cubicTo(64, 42, 52, 40, 52, 35);
            glass.cubicTo(52, 30, 64, 28, 64, 7);
            glass.closeSubpath();
            p.drawPath(glass);
            QPainterPath sand;
            sand.moveTo(41, 22);
            sand.quadTo(50, 26, 59, 22);
            sand.moveTo(39, 63);
            sand.quadTo(50, 46, 61, 63);
            p.drawPath(sand);
            p.drawLine(QPointF(50, 36), QPointF(50, 54));
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
    Border(p, bg.width, bg.height, bg.ruleInset);
    // The engraving sits in a corner, faint enough to write over.
    const double scale =
        bg.engravingScale > 0 ? bg.engravingScale : std::min(1.0, std::min(bg.width, bg.height) / 190.0);
    p.save();
    p.translate(bg.width - bg.engravingRight - 100 * scale, bg.height - bg.engravingBottom - 70 * scale);
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

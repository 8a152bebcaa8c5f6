// A period map: cream paper for open country, greens for woods and hills, brown hachures for
// mountains, water-lined coasts, blue rivers, black-and-white railroads, dashed state borders,
// faint spaced state names, and the cities with their names.
#include "tools/picture_maker/map_pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/picture_maker/palette.h"

namespace kvt::pictures {

QPoint HexTile(int column, int row) {
    return {(column - 1) * kHexPixels, (row - 1) * kHexPixels + (column % 2 == 0 ? kHexPixels / 2 : 0)};
}

QRect ViewRect(int viewColumn, int viewRow) {
    return {(viewColumn - 1) * kHexPixels, (viewRow - 1) * kHexPixels, kViewWidth, kViewHeight};
}

QColor MinimapColour(int terrainClass) {
    switch (terrainClass) {
        case kTerrainWater: return QColor(92, 128, 168);
        case 1: return QColor(222, 208, 160);
        case 2: return QColor(132, 156, 96);
        case kTerrainImpassable: return QColor(150, 144, 132);
        case kTerrainCity: return QColor(150, 24, 24);
        case 5: return QColor(150, 116, 78);
        case 6: return QColor(108, 140, 84);
        default: return QColor(186, 176, 118);
    }
}

namespace {

// Flat-topped hexes that tile the grid: centre at the tile's (14, 14), 18.67 to the side points,
// 14 up and down, so that neighbours share whole edges.
constexpr double kHalfWidth = 18.6667;
constexpr double kQuarterWidth = 9.3333;
constexpr double kHalfHeight = 14.0;

QPointF Centre(int c, int r) {
    const QPoint t = HexTile(c, r);
    return {t.x() + 14.0, t.y() + 14.0};
}

std::array<QPointF, 6> Corners(int c, int r) {
    const QPointF o = Centre(c, r);
    return {QPointF(o.x() - kHalfWidth, o.y()), QPointF(o.x() - kQuarterWidth, o.y() - kHalfHeight),
            QPointF(o.x() + kQuarterWidth, o.y() - kHalfHeight), QPointF(o.x() + kHalfWidth, o.y()),
            QPointF(o.x() + kQuarterWidth, o.y() + kHalfHeight), QPointF(o.x() - kQuarterWidth, o.y() + kHalfHeight)};
}

// The edge shared with the neighbour in direction 1..6 (clockwise from north).
std::pair<QPointF, QPointF> Edge(int c, int r, int direction) {
    const auto k = Corners(c, r);
    switch (direction) {
        case 1: return {k[1], k[2]};
        case 2: return {k[2], k[3]};
        case 3: return {k[3], k[4]};
        case 4: return {k[4], k[5]};
        case 5: return {k[5], k[0]};
        default: return {k[0], k[1]};
    }
}

QColor LandColour(int terrainClass) {
    switch (terrainClass) {
        case 1: case kTerrainCity: return QColor(243, 234, 206);
        case 2: return QColor(212, 218, 176);
        case kTerrainImpassable: return QColor(214, 208, 194);
        case 5: return QColor(226, 204, 166);
        case 6: return QColor(220, 226, 186);
        default: return QColor(236, 226, 186);
    }
}

const QColor kSea(196, 214, 222);
const QColor kWaterLine(86, 122, 150);
const QColor kRiver(52, 96, 160);
const QColor kRail(30, 26, 22);
const QColor kBorder(150, 40, 40);

// A small deterministic scatter, so the marks of woods and hills do not sit in rows.
double Jitter(int c, int r, int k) {
    unsigned h = static_cast<unsigned>(c * 73856093) ^ static_cast<unsigned>(r * 19349663) ^ static_cast<unsigned>(k * 83492791);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h % 1000) / 1000.0;
}

bool IsWater(const TMapGrid& map, int c, int r) { return map.Cell(c, r).Terrain() == kTerrainWater; }

struct Link {
    int c1, r1, c2, r2;
    bool operator<(const Link& o) const { return std::tie(c1, r1, c2, r2) < std::tie(o.c1, o.r1, o.c2, o.r2); }
};

// Links between neighbouring hexes that share a feature. Where three such hexes touch each
// other, the link between the two that lead on elsewhere is dropped, so a river or railroad
// runs as a line through the hexes rather than as little triangles.
template <typename Has>
std::vector<Link> FeatureLinks(Has has) {
    std::set<Link> links;
    std::map<std::pair<int, int>, int> degree;
    auto key = [](int c, int r) { return std::make_pair(c, r); };
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            if (!has(c, r)) continue;
            ListHexNeighbours(c, r);
            for (int d = 1; d <= 6; ++d) {
                const int nc = NeighbourTable[d].X, nr = NeighbourTable[d].Y;
                if (!OnMap(nc, nr) || !has(nc, nr)) continue;
                ++degree[key(c, r)];
                Link l{c, r, nc, nr};
                if (std::tie(nc, nr) < std::tie(c, r)) l = {nc, nr, c, r};
                links.insert(l);
            }
        }
    }
    auto adjacent = [&](int c1, int r1, int c2, int r2) {
        Link l{c1, r1, c2, r2};
        if (std::tie(c2, r2) < std::tie(c1, r1)) l = {c2, r2, c1, r1};
        return links.count(l) > 0;
    };
    std::set<Link> drop;
    for (const Link& l : links) {
        ListHexNeighbours(l.c1, l.r1);
        std::vector<std::pair<int, int>> around;
        for (int d = 1; d <= 6; ++d) around.push_back({NeighbourTable[d].X, NeighbourTable[d].Y});
        for (auto [oc, orow] : around) {
            if (!OnMap(oc, orow) || !has(oc, orow) || (oc == l.c2 && orow == l.r2)) continue;
            if (!adjacent(oc, orow, l.c2, l.r2)) continue;
            // A triangle l.1, l.2, other: drop this link when its ends are the busier pair.
            const int mine = degree[key(l.c1, l.r1)] + degree[key(l.c2, l.r2)];
            const int viaFirst = degree[key(l.c1, l.r1)] + degree[key(oc, orow)];
            const int viaSecond = degree[key(l.c2, l.r2)] + degree[key(oc, orow)];
            if (mine > viaFirst && mine > viaSecond) drop.insert(l);
            else if (mine == std::max(viaFirst, viaSecond) && l.c1 == l.c2) drop.insert(l);  // ties: drop the upright link
        }
    }
    std::vector<Link> out;
    for (const Link& l : links)
        if (!drop.count(l)) out.push_back(l);
    return out;
}

void DrawTerrain(QPainter& p, const TMapGrid& map) {
    p.setPen(Qt::NoPen);
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            const int t = map.Cell(c, r).Terrain();
            if (t == kTerrainWater) continue;
            const auto k = Corners(c, r);
            p.setBrush(LandColour(t));
            p.drawPolygon(k.data(), 6);
        }
    }
}

// Water lining: the coast in ink and two fainter lines following it out to sea.
void DrawCoasts(QPainter& p, const TMapGrid& map) {
    for (int pass = 2; pass >= 0; --pass) {
        const double offset = pass * 3.5;
        QColor colour = kWaterLine;
        colour.setAlpha(pass == 0 ? 255 : (pass == 1 ? 150 : 90));
        p.setPen(QPen(colour, pass == 0 ? 1.6 : 1.0, Qt::SolidLine, Qt::RoundCap));
        for (int c = 1; c <= kMapColumns; ++c) {
            for (int r = 1; r <= kMapRows; ++r) {
                if (!IsWater(map, c, r)) continue;
                ListHexNeighbours(c, r);
                for (int d = 1; d <= 6; ++d) {
                    const int nc = NeighbourTable[d].X, nr = NeighbourTable[d].Y;
                    if (!OnMap(nc, nr) || IsWater(map, nc, nr)) continue;
                    auto [a, b] = Edge(c, r, d);
                    const QPointF toWater = Centre(c, r) - (a + b) / 2.0;
                    const double len = std::hypot(toWater.x(), toWater.y());
                    const QPointF shift = toWater * (offset / len);
                    // Shorten the offset lines so they meet their neighbours' near the corners.
                    const QPointF along = (b - a) * (pass * 0.12);
                    p.drawLine(a + shift + along, b + shift - along);
                }
            }
        }
    }
}

void DrawTerrainMarks(QPainter& p, const TMapGrid& map) {
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            const int t = map.Cell(c, r).Terrain();
            const QPointF o = Centre(c, r);
            if (t == 5) {
                // Mountains: hachured peaks, lit from the west.
                for (int k = 0; k < 3; ++k) {
                    const QPointF base(o.x() - 10 + k * 8 + Jitter(c, r, k) * 3, o.y() + 5 - (k % 2) * 7 + Jitter(c, r, k + 7) * 3);
                    QPolygonF peak;
                    peak << base << QPointF(base.x() + 4, base.y() - 7) << QPointF(base.x() + 8, base.y());
                    p.setPen(QPen(QColor(120, 84, 52), 1.1));
                    p.setBrush(QColor(196, 160, 116));
                    p.drawPolygon(peak);
                    p.setPen(QPen(QColor(120, 84, 52), 0.8));
                    p.drawLine(QPointF(base.x() + 4, base.y() - 7), QPointF(base.x() + 5.5, base.y()));
                }
            } else if (t == 2 || t == 6) {
                // Woods: little round trees; thicker forest has more of them.
                const int trees = t == 2 ? 5 : 3;
                for (int k = 0; k < trees; ++k) {
                    const QPointF at(o.x() - 11 + Jitter(c, r, k) * 22, o.y() - 8 + Jitter(c, r, k + 11) * 15);
                    p.setPen(QPen(QColor(70, 92, 50), 0.9));
                    p.drawLine(at, at + QPointF(0, 3));
                    p.setBrush(t == 2 ? QColor(120, 146, 86) : QColor(150, 172, 110));
                    p.drawEllipse(at + QPointF(0, -1.5), 2.6, 2.6);
                }
            } else if (t == 7) {
                // Hills: short arcs.
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(140, 118, 70), 1.0));
                for (int k = 0; k < 3; ++k) {
                    const QPointF at(o.x() - 10 + Jitter(c, r, k) * 16, o.y() - 7 + Jitter(c, r, k + 5) * 12);
                    p.drawArc(QRectF(at.x(), at.y(), 9, 7), 20 * 16, 140 * 16);
                }
            } else if (t == kTerrainImpassable) {
                p.setPen(QPen(QColor(176, 168, 150), 0.8));
                for (int k = -2; k <= 2; ++k) {
                    p.drawLine(QPointF(o.x() + k * 7 - 5, o.y() + 6), QPointF(o.x() + k * 7 + 5, o.y() - 6));
                }
            }
        }
    }
}

void DrawStateBorders(QPainter& p, const TMapGrid& map) {
    QPen pen(kBorder, 1.8, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({3.0, 1.6, 0.8, 1.6});
    p.setPen(pen);
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            if (IsWater(map, c, r)) continue;
            for (int d = 1; d <= 3; ++d) {  // each edge once
                ListHexNeighbours(c, r);
                const int nc = NeighbourTable[d].X, nr = NeighbourTable[d].Y;
                if (!OnMap(nc, nr) || IsWater(map, nc, nr)) continue;
                if (map.Cell(c, r).State() == map.Cell(nc, nr).State()) continue;
                auto [a, b] = Edge(c, r, d);
                p.drawLine(a, b);
            }
        }
    }
}

void DrawRivers(QPainter& p, const TMapGrid& map) {
    auto river = [&](int c, int r) { return map.Cell(c, r).River() && !IsWater(map, c, r); };
    for (const Link& l : FeatureLinks(river)) {
        const bool wide = map.Cell(l.c1, l.r1).RiverNavigable() && map.Cell(l.c2, l.r2).RiverNavigable();
        p.setPen(QPen(kRiver, wide ? 3.2 : 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(Centre(l.c1, l.r1), Centre(l.c2, l.r2));
    }
    // Mouths: a river hex beside open water runs on to the shore.
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            if (!river(c, r)) continue;
            ListHexNeighbours(c, r);
            for (int d = 1; d <= 6; ++d) {
                const int nc = NeighbourTable[d].X, nr = NeighbourTable[d].Y;
                if (!OnMap(nc, nr) || !IsWater(map, nc, nr)) continue;
                auto [a, b] = Edge(c, r, d);
                p.setPen(QPen(kRiver, map.Cell(c, r).RiverNavigable() ? 3.2 : 2.0, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(Centre(c, r), (a + b) / 2.0);
                break;
            }
        }
    }
}

void DrawRailroads(QPainter& p, const TMapGrid& map, const std::set<std::pair<int, int>>& railCities) {
    auto rail = [&](int c, int r) {
        return !IsWater(map, c, r) && (map.Cell(c, r).Rail() || railCities.count({c, r}) > 0);
    };
    const auto links = FeatureLinks(rail);
    // The bed in paper colour, then the line, then the ties across it.
    p.setPen(QPen(QColor(250, 246, 234), 4.4, Qt::SolidLine, Qt::RoundCap));
    for (const Link& l : links) p.drawLine(Centre(l.c1, l.r1), Centre(l.c2, l.r2));
    p.setPen(QPen(kRail, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const Link& l : links) p.drawLine(Centre(l.c1, l.r1), Centre(l.c2, l.r2));
    p.setPen(QPen(kRail, 1.0));
    for (const Link& l : links) {
        const QPointF a = Centre(l.c1, l.r1), b = Centre(l.c2, l.r2);
        const QPointF d = b - a;
        const double len = std::hypot(d.x(), d.y());
        const QPointF n(-d.y() / len * 2.6, d.x() / len * 2.6);
        for (double s = 4.0; s < len - 2.0; s += 5.0) {
            const QPointF m = a + d * (s / len);
            p.drawLine(m - n, m + n);
        }
    }
}

// State names in spaced capitals, faint, over the middle of each state's hexes.
void DrawStateNames(QPainter& p, const TMapGrid& map, const TGameRec& rec) {
    std::map<int, std::pair<QPointF, int>> sums;
    for (int c = 1; c <= kMapColumns; ++c) {
        for (int r = 1; r <= kMapRows; ++r) {
            const int s = map.Cell(c, r).State();
            if (s <= 0 || IsWater(map, c, r)) continue;
            auto& e = sums[s];
            e.first += Centre(c, r);
            e.second += 1;
        }
    }
    QFont font("DejaVu Serif", 15, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(font);
    for (const auto& [state, e] : sums) {
        if (e.second < 12) continue;  // too small to letter
        std::string name = rec.States[state].Name.str();
        if (name.empty()) continue;
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        const QPointF at = e.first / e.second;
        QColor ink(150, 110, 80, 92);
        p.setPen(ink);
        const QString text = QString::fromStdString(name);
        const QRectF box(at.x() - 300, at.y() - 14, 600, 28);
        p.drawText(box, Qt::AlignCenter, text);
    }
}

void DrawCities(QPainter& p, const TGameRec& rec) {
    std::set<int> nationalCapitals;
    for (int n = 1; n <= kNationCount; ++n) nationalCapitals.insert(rec.Nations[n].Capital);
    std::set<int> stateCapitals;
    for (int s = 1; s <= kStateCount; ++s) stateCapitals.insert(rec.States[s].CapitalCity);

    std::vector<QRectF> taken;
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = rec.Cities[i];
        if (city.HexX == 0 || city.HexY == 0 || city.Name.empty()) continue;
        const QPointF o = Centre(city.HexX, city.HexY);
        taken.push_back(QRectF(o.x() - 6, o.y() - 6, 12, 12));
    }
    QFont font("DejaVu Serif", 8);
    QFont capitalFont("DejaVu Serif", 9, QFont::Bold);
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = rec.Cities[i];
        if (city.HexX == 0 || city.HexY == 0 || city.Name.empty()) continue;
        const QPointF o = Centre(city.HexX, city.HexY);
        const bool national = nationalCapitals.count(i) > 0;
        const bool capital = national || stateCapitals.count(i) > 0;
        // The symbol: a ringed dot; a star for the seat of a government.
        p.setPen(QPen(kFrame, 1.2));
        if (national) {
            QPolygonF star;
            for (int k = 0; k < 10; ++k) {
                const double a = -3.14159265 / 2 + k * 3.14159265 / 5;
                const double rr = k % 2 == 0 ? 7.0 : 3.0;
                star << QPointF(o.x() + rr * std::cos(a), o.y() + rr * std::sin(a));
            }
            p.setBrush(QColor(196, 30, 30));
            p.drawPolygon(star);
        } else {
            p.setBrush(kWhite);
            p.drawEllipse(o, capital ? 5.0 : 4.0, capital ? 5.0 : 4.0);
            p.setBrush(capital ? QColor(196, 30, 30) : kFrame);
            p.setPen(Qt::NoPen);
            p.drawEllipse(o, 2.0, 2.0);
        }
        // The name: right of the symbol if free, else left, above or below.
        p.setFont(capital ? capitalFont : font);
        const QFontMetricsF fm(p.font());
        const QString name = QString::fromStdString(city.Name.str());
        const double w = fm.horizontalAdvance(name) + 2, h = fm.height();
        const std::array<QRectF, 4> places = {
            QRectF(o.x() + 8, o.y() - h / 2, w, h), QRectF(o.x() - 8 - w, o.y() - h / 2, w, h),
            QRectF(o.x() - w / 2, o.y() - 8 - h, w, h), QRectF(o.x() - w / 2, o.y() + 7, w, h)};
        QRectF chosen = places[0];
        for (const QRectF& place : places) {
            bool free = place.left() >= 0 && place.right() <= kMapPictureWidth && place.top() >= 0 &&
                        place.bottom() <= kMapPictureHeight;
            for (const QRectF& t : taken) free = free && !t.intersects(place);
            if (free) { chosen = place; break; }
        }
        taken.push_back(chosen);
        QPainterPath path;
        path.addText(chosen.left() + 1, chosen.top() + fm.ascent(), p.font(), name);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(250, 244, 226, 220), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPath(path);
    }
}

// A compass rose and a title in the widest stretch of open sea, away from every coast.
void DrawCartouche(QPainter& p, const TMapGrid& map) {
    int best = -1, bestC = 0, bestR = 0;
    for (int c = 1; c + 9 <= kMapColumns; ++c) {
        for (int r = 1; r + 5 <= kMapRows; ++r) {
            int water = 0;
            for (int i = 0; i < 10; ++i)
                for (int j = 0; j < 6; ++j) water += IsWater(map, c + i, r + j) ? 1 : 0;
            if (water == 60 && (best < 0 || r + c > best)) { best = r + c; bestC = c; bestR = r; }
        }
    }
    if (best < 0) return;
    const QPoint at = HexTile(bestC, bestR);
    const QRectF box(at.x() + 14, at.y() + 14, 9 * kHexPixels - 10, 5 * kHexPixels - 14);
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(QColor(246, 238, 214));
    p.drawRect(box);
    p.setPen(QPen(kInk, 0.7));
    p.drawRect(box.adjusted(4, 4, -4, -4));
    p.setPen(kInk);
    QFont title("DejaVu Serif", 15, QFont::Bold);
    p.setFont(title);
    p.drawText(box.adjusted(8, 10, -8, -60), Qt::AlignHCenter | Qt::AlignTop, "THE SEAT OF WAR");
    QFont sub("DejaVu Serif", 9);
    sub.setItalic(true);
    p.setFont(sub);
    p.drawText(box.adjusted(8, 40, -8, -30), Qt::AlignHCenter | Qt::AlignTop, "in the United States, 1861 - 1865");
    p.drawText(box.adjusted(8, 62, -8, -8), Qt::AlignHCenter | Qt::AlignTop, "Scale: one hex, some fifteen miles");
}

}  // namespace

QImage DrawMapPicture(const TGameRec& rec, const TMapGrid& map) {
    QImage img(kMapPictureWidth, kMapPictureHeight, QImage::Format_RGB888);
    img.fill(kSea);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    // Faint engraved lines across the sea.
    p.setPen(QPen(QColor(182, 202, 212), 1.0));
    for (int y = 3; y < kMapPictureHeight; y += 6) p.drawLine(0, y, kMapPictureWidth, y);
    DrawTerrain(p, map);
    DrawTerrainMarks(p, map);
    DrawCoasts(p, map);
    DrawStateNames(p, map, rec);
    DrawStateBorders(p, map);
    DrawRivers(p, map);
    std::set<std::pair<int, int>> railCities;
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = rec.Cities[i];
        if (city.RailLink && OnMap(city.HexX, city.HexY)) railCities.insert({city.HexX, city.HexY});
    }
    DrawRailroads(p, map, railCities);
    DrawCities(p, rec);
    DrawCartouche(p, map);
    p.end();
    return img;
}

QImage DrawMinimap(const TMapGrid& map) {
    QImage img(kMapColumns, kMapRows, QImage::Format_RGB888);
    img.fill(kFrame);
    for (int c = 1; c < kMapColumns; ++c)
        for (int r = 1; r < kMapRows; ++r) img.setPixelColor(c, r, MinimapColour(map.Cell(c, r).Terrain()));
    return img;
}

}  // namespace kvt::pictures

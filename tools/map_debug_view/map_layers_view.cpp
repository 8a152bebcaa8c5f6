// Drawing the layers: flat hexes coloured by the layer's value, neighbouring hexes joined where a
// river or railway runs on, hexsides thickened by their obstacle, cities marked with index and name.
#include "tools/map_debug_view/map_layers_view.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <array>

#include "tools/picture_maker/map_pictures.h"

namespace kvt::debugview {

namespace {

// Hexes sit where the game's map picture has them.
using pictures::HexCentre;

// Corners of hexes that tile the offset columns: side points 18.67 out, top and bottom 14 out.
std::array<QPointF, 6> Corners(int c, int r) {
    const QPointF o = HexCentre(c, r);
    return {QPointF(o.x() - 18.67, o.y()), QPointF(o.x() - 9.33, o.y() - 14), QPointF(o.x() + 9.33, o.y() - 14),
            QPointF(o.x() + 18.67, o.y()), QPointF(o.x() + 9.33, o.y() + 14), QPointF(o.x() - 9.33, o.y() + 14)};
}

// The edge shared with the neighbour in direction 1 (north), 2 (north-east) or 3 (south-east).
std::pair<QPointF, QPointF> Edge(int c, int r, int direction) {
    const auto k = Corners(c, r);
    switch (direction) {
        case 1: return {k[1], k[2]};
        case 2: return {k[2], k[3]};
        default: return {k[3], k[4]};
    }
}

QColor TerrainColour(int t) {
    switch (t) {
        case kTerrainWater: return QColor(110, 150, 205);
        case 1: return QColor(232, 224, 180);
        case 2: return QColor(120, 150, 110);
        case kTerrainImpassable: return QColor(140, 140, 140);
        case kTerrainCity: return QColor(232, 224, 180);
        case 5: return QColor(160, 120, 80);
        case 6: return QColor(90, 150, 80);
        default: return QColor(200, 180, 120);
    }
}

QColor StateColour(int s) {
    if (s == 0) return QColor(200, 200, 200);
    return QColor::fromHsv((s * 137) % 360, 70, 235);
}

QColor SideColour(int side) {
    return side == kUnion ? QColor(40, 70, 200) : side == kConfederacy ? QColor(170, 40, 40) : QColor(90, 90, 90);
}

bool IsCity(int t) { return t == kTerrainCity; }

}  // namespace

QImage DrawLayer(const TGameRec& g, const TMapGrid& map, Layer layer) {
    QImage image(kMapColumns * kHexPixels, kMapRows * kHexPixels + kHexPixels / 2, QImage::Format_RGB32);
    image.fill(QColor(60, 60, 60));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    for (int c = 1; c <= kMapColumns; ++c)
        for (int r = 1; r <= kMapRows; ++r) {
            const MapCell& cell = map.Cell(c, r);
            QColor fill = TerrainColour(cell.Terrain());
            if (layer == Layer::States && cell.Terrain() != kTerrainWater) fill = StateColour(cell.State());
            if (layer != Layer::Terrain && layer != Layer::States && cell.Terrain() != kTerrainWater)
                fill = QColor(238, 234, 220);
            const auto k = Corners(c, r);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawPolygon(k.data(), 6);
            if (layer == Layer::States && cell.ControlSide() != 0 && cell.Terrain() != kTerrainWater) {
                p.setBrush(SideColour(cell.ControlSide()));
                p.drawEllipse(HexCentre(c, r), 3, 3);
            }
        }

    // Borders between states, and the hexside obstacles on the river layer.
    for (int c = 1; c <= kMapColumns; ++c)
        for (int r = 1; r <= kMapRows; ++r)
            for (int d = 1; d <= 3; ++d) {
                int nc = c, nr = r;
                StepHexAt(nc, nr, d);
                if (!OnMap(nc, nr)) continue;
                const auto [a, b] = Edge(c, r, d);
                if (map.Cell(c, r).State() != map.Cell(nc, nr).State()) {
                    p.setPen(QPen(QColor(120, 0, 120), layer == Layer::States ? 2.5 : 1.0, Qt::DashLine));
                    p.drawLine(a, b);
                }
                const int side = map.Cell(c, r).Hexside(d);
                if (layer == Layer::Rivers && side != 0) {
                    const QColor colour = side == 3 ? QColor(0, 0, 0) : side == 2 ? QColor(0, 60, 200) : QColor(90, 160, 230);
                    p.setPen(QPen(colour, side == 1 ? 2.0 : 4.0));
                    p.drawLine(a, b);
                }
            }

    // Rivers and railways join each hex to the next one that carries them.
    for (int c = 1; c <= kMapColumns; ++c)
        for (int r = 1; r <= kMapRows; ++r) {
            const MapCell& cell = map.Cell(c, r);
            for (int d = 1; d <= 3; ++d) {
                int nc = c, nr = r;
                StepHexAt(nc, nr, d);
                if (!OnMap(nc, nr)) continue;
                const MapCell& next = map.Cell(nc, nr);
                if (layer == Layer::Rivers && cell.RiverNavigable() && next.RiverNavigable()) {
                    p.setPen(QPen(QColor(0, 40, 160), 3));
                    p.drawLine(HexCentre(c, r), HexCentre(nc, nr));
                }
                const bool railHere = cell.Rail() || IsCity(cell.Terrain());
                const bool railNext = next.Rail() || IsCity(next.Terrain());
                if (layer == Layer::Rail && railHere && railNext && (cell.Rail() || next.Rail())) {
                    p.setPen(QPen(QColor(20, 20, 20), 2.5));
                    p.drawLine(HexCentre(c, r), HexCentre(nc, nr));
                }
            }
            if (layer == Layer::Rivers && cell.River()) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0, 120, 255));
                p.drawEllipse(HexCentre(c, r), 4, 4);
            }
            if (layer == Layer::Rail && cell.Rail()) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(20, 20, 20));
                p.drawEllipse(HexCentre(c, r), 3, 3);
            }
        }

    // Cities: a square in the holder's colour, the index, and the name.
    QFont font("DejaVu Sans", 8);
    p.setFont(font);
    for (int i = 1; i <= kCityCount; ++i) {
        const TCityRec& city = g.Cities[i];
        if (!OnMap(city.HexX, city.HexY)) continue;
        const QPointF o = HexCentre(city.HexX, city.HexY);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(SideColour(city.Owner));
        p.drawRect(QRectF(o.x() - 5, o.y() - 5, 10, 10));
        QString label = QString::number(i) + " " + QString::fromStdString(city.Name.str());
        if (city.Port) label += " P";
        if (city.RiverLink) label += " R";
        if (city.RailLink) label += " L";
        p.setPen(Qt::black);
        p.drawText(QPointF(o.x() + 7, o.y() + 4), label);
    }
    return image;
}

}  // namespace kvt::debugview

// Counters in the manner of a period war map: nation colours, a white band with the corps
// number, a box with a cross (infantry) or a stroke (cavalry) for divisions, the army number on
// top, and a light track at the foot where the strength bar is drawn.
// Two cells share rows with the battle marker; see DrawBattleMarker.
#include "tools/picture_maker/symbol_sheets.h"

#include <QPainter>
#include <cmath>
#include <string>

#include "tools/picture_maker/palette.h"
#include "tools/picture_maker/pixel_font.h"

namespace kvt::pictures {

QColor ArmyColour(int army) { return QColor(QRgb(ArmyBarColour(army))); }

namespace {

QPoint At(const TSheetRect& r) { return {r.x, r.y}; }

}  // namespace

QPoint CorpsCell(int kind, int nation, int army) { return At(CorpsCellRect(kind, nation, army)); }

QPoint ArmyCell(int nation, int number) { return At(ArmyCellRect(nation, number)); }

QPoint FleetCell(int owner, bool river) {
    const TSheetRect r = FleetCellRect(owner, river);
    return r.valid ? At(r) : QPoint(-1, -1);
}

QPoint ArmyOverlay(int nation) { return At(ArmyOverlayRect(nation)); }
QPoint BattleMarker() { return {0, 122}; }

QPoint CorpsLabel(int nation, int ordinal) { return At(CorpsLabelRect(nation, ordinal)); }

QPoint FleetLabel(int nation, int number) { return At(FleetLabelRect(nation, number)); }

namespace {

QColor BodyColour(int nation) {
    switch (nation) {
        case 1: return kUnionBody;
        case 2: return kConfederateBody;
        case 3: return kFrenchBlue;
        default: return kBritishBody;
    }
}

void Fill(QImage& img, int x, int y, int w, int h, QColor c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (img.valid(i, j)) img.setPixelColor(i, j, c);
}

void Frame(QImage& img, int x, int y, int w, int h, QColor c) {
    Fill(img, x, y, w, 1, c);
    Fill(img, x, y + h - 1, w, 1, c);
    Fill(img, x, y, 1, h, c);
    Fill(img, x + w - 1, y, 1, h, c);
}

void Line(QImage& img, int x0, int y0, int x1, int y1, QColor c) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int s = 0; s <= steps; ++s) {
        const int x = x0 + (steps ? (x1 - x0) * s / steps : 0);
        const int y = y0 + (steps ? (y1 - y0) * s / steps : 0);
        if (img.valid(x, y)) img.setPixelColor(x, y, c);
    }
}

// The counter every symbol is built on: body, dark frame, light track along the foot.
void Counter(QImage& img, QPoint at, QColor body) {
    Fill(img, at.x(), at.y(), kSymbolCell, kSymbolCell, body);
    Fill(img, at.x() + 1, at.y() + 20, kSymbolCell - 2, 2, kTrack);
    Frame(img, at.x(), at.y(), kSymbolCell, kSymbolCell, kFrame);
}

// A French counter is blue over red, as the uniform was.
void FrenchCounter(QImage& img, QPoint at) {
    Counter(img, at, kFrenchBlue);
    Fill(img, at.x() + 1, at.y() + 11, kSymbolCell - 2, 9, kFrenchRed);
}

void ArmyNumber(QImage& img, QPoint at, int army) {
    if (army <= 0) return;
    const std::string digits = std::to_string(army);
    DrawSmallText(img, at.x() + (kSymbolCell - SmallTextWidth(digits)) / 2, at.y() + 1, digits, kWhite);
}

// Flags for the counters that carry no number label.
void FrenchFlag(QImage& img, int x, int y) {
    Fill(img, x, y, 5, 9, kFrenchBlue);
    Fill(img, x + 5, y, 5, 9, kWhite);
    Fill(img, x + 10, y, 5, 9, kFrenchRed);
    Frame(img, x - 1, y - 1, 17, 11, kFrame);
}

void BritishFlag(QImage& img, int x, int y) {
    Fill(img, x, y, 15, 9, QColor(30, 40, 110));
    Line(img, x, y, x + 14, y + 8, kWhite);
    Line(img, x, y + 8, x + 14, y, kWhite);
    Fill(img, x + 6, y, 3, 9, kWhite);
    Fill(img, x, y + 3, 15, 3, kWhite);
    Fill(img, x + 7, y, 1, 9, kBritishBody);
    Fill(img, x, y + 4, 15, 1, kBritishBody);
    Frame(img, x - 1, y - 1, 17, 11, kFrame);
}

void DrawCorpsCounter(QImage& img, int nation, int army) {
    const QPoint at = CorpsCell(0, nation, army);
    if (nation == 3) FrenchCounter(img, at); else Counter(img, at, BodyColour(nation));
    ArmyNumber(img, at, army);
    if (nation <= 2) {
        // The number label is laid here by the map drawing; the sheet shows a blank band.
        Fill(img, at.x() + 1, at.y() + 7, 21, 11, nation == 1 ? kUnionLight : kConfederateLight);
    } else if (nation == 3) {
        FrenchFlag(img, at.x() + 4, at.y() + 8);
    } else {
        BritishFlag(img, at.x() + 4, at.y() + 8);
    }
}

// The division box: a cross for infantry, a single stroke for cavalry; boxTop moves it up or down.
void DrawDivisionCounter(QImage& img, int kind, int nation, int army, int boxTop) {
    const QPoint at = CorpsCell(kind, nation, army);
    if (nation == 3) FrenchCounter(img, at); else Counter(img, at, BodyColour(nation));
    ArmyNumber(img, at, army);
    const int bx = at.x() + 4;
    const int by = at.y() + boxTop;
    const QColor ink = kWhite;
    Frame(img, bx, by, 15, 9, ink);
    if (kind == 1) {
        Line(img, bx, by, bx + 14, by + 8, ink);
        Line(img, bx, by + 8, bx + 14, by, ink);
    } else {
        Line(img, bx, by + 8, bx + 14, by, ink);
    }
}

void DrawArmyCounter(QImage& img, int nation, int number) {
    const QPoint at = ArmyCell(nation, number);
    Counter(img, at, BodyColour(nation == 1 ? 1 : 2));
    const std::string digits = std::to_string(number);
    DrawLargeText(img, at.x() + (kSymbolCell - LargeTextWidth(digits)) / 2, at.y() + 1, digits, kWhite);
    // Beneath the band: the colour of the army's strength bars.
    Fill(img, at.x() + 1, at.y() + 19, kSymbolCell - 2, 3, number <= kHighestArmyOnSheet ? ArmyColour(number) : kTrack);
    Frame(img, at.x(), at.y(), kSymbolCell, kSymbolCell, kFrame);
}

void DrawArmyOverlay(QImage& img, int nation) {
    const QPoint at = ArmyOverlay(nation);
    Fill(img, at.x(), at.y(), 19, 10, kGold);
    const QColor ink = nation == 1 ? kUnionBody : QColor(36, 36, 34);
    DrawLargeText(img, at.x() + (19 - LargeTextWidth("HQ")) / 2, at.y() + 1, "HQ", ink);
}

// A steamer on the open sea, or a casemate gunboat on a river, in the lower part of a cell.
void Ship(QImage& img, QPoint at, bool river, int top) {
    const int x = at.x();
    const int y = at.y();
    Fill(img, x + 1, y + top, kSymbolCell - 2, kSymbolCell - 1 - top, river ? kRiverWater : kOceanDeep);
    if (river) {
        Fill(img, x + 3, y + 16, 17, 3, kShipIron);   // hull
        Fill(img, x + 6, y + 13, 11, 3, kShipIron);   // sloping casemate
        Fill(img, x + 10, y + 11, 2, 2, kShipIron);   // stack
        Line(img, x + 5, y + 15, x + 6, y + 13, kShipIron);
        Line(img, x + 17, y + 13, x + 18, y + 15, kShipIron);
        Line(img, x + 2, y + 20, x + 20, y + 20, QColor(150, 134, 92));
    } else {
        Fill(img, x + 3, y + 17, 17, 2, kWhite);      // hull
        Line(img, x + 2, y + 16, x + 3, y + 17, kWhite);
        Line(img, x + 20, y + 17, x + 21, y + 16, kWhite);
        Fill(img, x + 7, y + top + 1, 1, 17 - top - 1, kWhite);   // masts
        Fill(img, x + 15, y + top + 1, 1, 17 - top - 1, kWhite);
        Fill(img, x + 10, y + 13, 3, 4, QColor(30, 30, 30));      // funnel
        Line(img, x + 2, y + 20, x + 20, y + 20, QColor(120, 150, 200));
    }
    Frame(img, x, y, kSymbolCell, kSymbolCell, kFrame);
}

void DrawFleetCounter(QImage& img, int owner, bool river) {
    const QPoint at = FleetCell(owner, river);
    if (at.x() < 0) return;
    Counter(img, at, BodyColour(owner));
    if (owner <= 2) {
        // The number label is laid over rows 0 to 10 by the map drawing.
        Fill(img, at.x(), at.y(), kSymbolCell, 11, BodyColour(owner));
        Ship(img, at, river, 11);
    } else {
        if (owner == 3) FrenchFlag(img, at.x() + 4, at.y() + 2); else BritishFlag(img, at.x() + 4, at.y() + 2);
        Ship(img, at, false, 12);
    }
}

// The battle marker shares its top ten rows with the Confederate cavalry division outside an
// army and its bottom nine rows with the Union infantry division outside an army. Those two
// cells keep their marks out of the shared rows, so the marker shows a grey counter's foot, a
// red and yellow flash, and a blue counter's head: the two sides meeting. Its own rows are the
// four between the cells and the sheet's first column.
void DrawBattleMarker(QImage& img) {
    const QPoint at = BattleMarker();
    Fill(img, at.x(), at.y(), 1, kSymbolCell, kFlashRed);
    Fill(img, at.x() + 1, at.y() + 10, kSymbolCell - 1, 4, kFlashRed);
    for (int i = 2; i < kSymbolCell - 1; i += 4) {
        Fill(img, at.x() + i, at.y() + 11, 2, 2, kFlashYellow);
    }
}

QColor MarkerGround() { return kMarkerGround; }

}  // namespace

QImage DrawSymbolSheet() {
    QImage img(kSymbolSheetWidth, kSymbolSheetHeight, QImage::Format_RGB888);
    img.fill(kPaper);
    for (int n = 1; n <= 15; ++n) {
        DrawArmyCounter(img, 1, n);
        DrawArmyCounter(img, 2, n);
    }
    DrawArmyOverlay(img, 1);
    DrawArmyOverlay(img, 2);
    for (int owner = 1; owner <= 4; ++owner) {
        DrawFleetCounter(img, owner, false);
        DrawFleetCounter(img, owner, true);
    }
    for (int nation = 1; nation <= 4; ++nation) {
        for (int army = 0; army <= kHighestArmyOnSheet; ++army) {
            DrawCorpsCounter(img, nation, army);
            int infantryBox = 8;
            int cavalryBox = 8;
            if (army == 0 && nation == 1) infantryBox = 10;  // rows 0-8 belong to the battle marker
            if (army == 0 && nation == 2) cavalryBox = 3;    // rows 13-22 belong to the battle marker
            DrawDivisionCounter(img, 1, nation, army, infantryBox);
            DrawDivisionCounter(img, 2, nation, army, cavalryBox);
        }
    }
    DrawBattleMarker(img);
    return img;
}

QImage DrawLabelSheet() {
    QImage img(kLabelSheetWidth, kLabelSheetHeight, QImage::Format_RGB888);
    img.fill(kPaper);
    for (int nation = 1; nation <= 2; ++nation) {
        const int highest = nation == 1 ? 33 : 40;
        for (int k = 1; k <= highest; ++k) {
            const QPoint at = CorpsLabel(nation, k);
            Fill(img, at.x(), at.y(), 21, 11, nation == 1 ? kUnionLight : kConfederateLight);
            const std::string digits = std::to_string(k);
            DrawLargeText(img, at.x() + (21 - LargeTextWidth(digits)) / 2, at.y() + 2, digits,
                          nation == 1 ? kUnionBody : QColor(48, 48, 46));
        }
        for (int n = 1; n <= 32; ++n) {
            const QPoint at = FleetLabel(nation, n);
            Fill(img, at.x(), at.y(), 23, 11, nation == 1 ? kUnionBody : kConfederateBody);
            Frame(img, at.x(), at.y(), 23, 11, kFrame);
            const std::string digits = std::to_string(n);
            DrawLargeText(img, at.x() + (23 - LargeTextWidth(digits)) / 2, at.y() + 2, digits, kWhite);
        }
    }
    return img;
}

QImage DrawMarkerStrip() {
    QImage img(kMarkerStripWidth, kMarkerStripHeight, QImage::Format_RGB888);
    img.fill(kPaper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int k = 1; k <= 6; ++k) {
        const int x = MoveMarkerRect(k).x;
        p.fillRect(x, 0, 12, 12, MarkerGround());
        p.setPen(QPen(kMarkerArrow, 1));
        p.drawRect(QRectF(x + 0.5, 0.5, 11, 11));
        // Directions clockwise from north; the north-east neighbour lies 28 across and 14 up.
        static const double angles[7] = {0, -90, -26.565, 26.565, 90, 153.435, 206.565};
        p.save();
        p.translate(x + 6.0, 6.0);
        p.rotate(angles[k]);
        QPolygonF head;
        head << QPointF(5.2, 0) << QPointF(0.6, -3.6) << QPointF(0.6, 3.6);
        p.setPen(Qt::NoPen);
        p.setBrush(kMarkerArrow);
        p.drawPolygon(head);
        p.fillRect(QRectF(-4.6, -1.2, 5.6, 2.4), kMarkerArrow);
        p.restore();
    }
    p.end();
    return img;
}

}  // namespace kvt::pictures

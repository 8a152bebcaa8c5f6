// The column heading of the battle tables.
#include "gui/dialogs/combat/column_heading.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <utility>

#include "gui/platform/colors.h"
#include "gui/platform/text_draw.h"

namespace kvt::gui {

void TColumnHeading::SetColumns(std::vector<int> columns) {
    columns_ = std::move(columns);
    update();
}

std::vector<QRect> TColumnHeading::WordPlaces() const {
    const QFontMetrics fm(font());
    // Words keep at least the two blanks the caption itself puts between them.
    const int gap = fm.horizontalAdvance(QStringLiteral("  "));
    const QStringList words = Caption().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<QRect> places;
    int end = -gap;  // the previous word's right edge
    for (int i = 0; i < words.size(); ++i) {
        const int width = fm.horizontalAdvance(words[i]);
        const auto k = static_cast<std::size_t>(i);
        int x = k < columns_.size() ? columns_[k] : end + gap;
        if (k + 1 < columns_.size()) x = std::min(x, columns_[k + 1] - gap - width);
        x = std::max(x, end + gap);  // never over the word before
        places.emplace_back(x, 0, width, height());
        end = x + width;
    }
    return places;
}

void TColumnHeading::DoDrawText(QPainter& p, QRect& rect, std::uint32_t flags, bool calc) {
    if (calc || columns_.empty()) {
        TElLabel::DoDrawText(p, rect, flags, calc);
        return;
    }
    const QStringList words = Caption().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const std::vector<QRect> places = WordPlaces();
    p.setPen(ToQColor(FontColor()));
    for (std::size_t i = 0; i < places.size(); ++i) {
        QRect r(places[i].left(), rect.top(), places[i].width() + 1, rect.height());
        DrawText(p, words[static_cast<int>(i)], r, flags | DT_NOCLIP);
    }
}

void PlaceOverResultCells(TColumnHeading* heading, const QWidget* form, const QString& side) {
    std::vector<int> columns;
    for (const char* cell : {"Name1", "Brigades1", "Casualties1", "Disruption1"})
        columns.push_back(form->findChild<QWidget*>(side + QLatin1String(cell))->x() - heading->x());
    heading->SetColumns(std::move(columns));
}

}  // namespace kvt::gui

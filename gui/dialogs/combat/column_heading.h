// The heading over a battle table's columns: one caption whose words, split at its runs of blanks,
// each stand over the column of cells the layout gives them. Shows text only; holds no rule.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

#include "gui/ui/labels.h"

namespace kvt::gui {

class TColumnHeading : public TElLabel {
    Q_OBJECT
public:
    using TElLabel::TElLabel;

    // The left edges of the columns, in the heading's own pixels. Without them the caption is
    // drawn as one line, as a plain label draws it.
    void SetColumns(std::vector<int> columns);

protected:
    void DoDrawText(QPainter& p, QRect& rect, std::uint32_t flags, bool calc) override;

private:
    // Where each word of the caption stands, in the heading's pixels: at its column's left edge,
    // or, when wider than its column, ending two blanks short of the next one.
    std::vector<QRect> WordPlaces() const;

    std::vector<int> columns_;
};

// Puts a results table's heading over the first row of one side's cells ("Union" or
// "Confederate": its Name1, Brigades1, Casualties1 and Disruption1).
void PlaceOverResultCells(TColumnHeading* heading, const QWidget* form, const QString& side);

}  // namespace kvt::gui

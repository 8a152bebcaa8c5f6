// The HTML caption renderer of check items and group boxes: prepares a caption written in a small
// subset of HTML (fonts, styles, lists, rules, images, links), measures it with Qt's font metrics
// and paints it into a rectangle. Invalid text raises EElHTMLError; the controls then draw it plain.
#pragma once

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

#include "gui/ui/formats/html_layout.h"

namespace kvt::gui {

using kvt::ui::EElHTMLError;
using kvt::ui::TElHTMLData;

class TElHTMLRender {
public:
    TElHTMLRender();
    virtual ~TElHTMLRender();
    TElHTMLRender(const TElHTMLRender&) = delete;
    TElHTMLRender& operator=(const TElHTMLRender&) = delete;

    TElHTMLData& Data() { return *data_; }
    // Parses and measures Text, wrapping at MaxWidth pixels when AutoWrap.
    void PrepareText(const QString& text, int maxWidth, bool autoWrap);
    // The widest line and the sum of the line heights.
    QSize TextSize() const { return QSize(data_->TextWidth, data_->TextHeight); }
    // Paints the prepared text into rect, scrolled by origin; an empty rect paints nothing. The
    // painting may reach one pixel beyond rect on the right and at the bottom (rect's edges).
    void DrawPreparedText(QPainter& canvas, QPoint origin, const QRect& rect);

    // Supplies the picture an <img> names; a null image when there is none.
    std::function<QImage(TElHTMLRender* sender, const QString& source)> OnImageNeeded;

    // The font a run measures and draws with.
    static QFont FontOf(const kvt::ui::THtmlFont& font);
    // The script a character set number of the captions stands for.
    static QFontDatabase::WritingSystem WritingSystemOf(uint8_t charset);

protected:
    virtual QImage TriggerImageNeeded(const QString& source);

private:
    class Metrics;
    std::unique_ptr<Metrics> metrics_;
    std::unique_ptr<TElHTMLData> data_;
};

// For controls with an HTML caption: measures or paints it, and when it is not valid HTML falls
// back to the caption as plain text in the painter's font and pen, so a bad caption still shows.
QSize MeasureHtmlCaption(TElHTMLRender& render, const QFont& plainFont, const QString& caption);
void DrawHtmlCaption(TElHTMLRender& render, QPainter& painter, const QString& caption, const QRect& rect);

}  // namespace kvt::gui

// Qt's side of the HTML captions: font metrics for the layout engine and painting its result.
#include "gui/ui/html_render.h"

#include <QFontMetrics>

#include <map>
#include <tuple>

#include "gui/platform/colors.h"
#include "gui/platform/fonts.h"
#include "gui/ui/canvas_utils.h"

namespace kvt::gui {

namespace {

QString ToQString(std::u32string_view s) {
    return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

QFontDatabase::WritingSystem TElHTMLRender::WritingSystemOf(uint8_t charset) {
    switch (charset) {
    case 2: return QFontDatabase::Symbol;
    case 128: return QFontDatabase::Japanese;
    case 129:
    case 130: return QFontDatabase::Korean;
    case 134: return QFontDatabase::SimplifiedChinese;
    case 136: return QFontDatabase::TraditionalChinese;
    case 161: return QFontDatabase::Greek;
    case 163: return QFontDatabase::Vietnamese;
    case 177: return QFontDatabase::Hebrew;
    case 178: return QFontDatabase::Arabic;
    case 204: return QFontDatabase::Cyrillic;
    case 222: return QFontDatabase::Thai;
    default: return QFontDatabase::Latin;  // the Western, Central European, Turkish and Baltic sets
    }
}

QFont TElHTMLRender::FontOf(const kvt::ui::THtmlFont& f) {
    // Sizes are points at 96 pixels an inch, as the captions were laid out.
    QFont font = MakeFont(QString::fromStdString(f.name), -MulDiv(f.size, 96, 72), f.style & kvt::ui::fsBold,
                          f.style & kvt::ui::fsItalic);
    font.setUnderline(f.style & kvt::ui::fsUnderline);
    font.setStrikeOut(f.style & kvt::ui::fsStrikeOut);
    // A face that lacks the caption's character set gives way to the first installed one that has
    // it, so lines are measured with the face whose glyphs are drawn.
    const QFontDatabase::WritingSystem system = WritingSystemOf(f.charset);
    if (!QFontDatabase::writingSystems(font.family()).contains(system)) {
        const QStringList faces = QFontDatabase::families(system);
        if (!faces.isEmpty()) font.setFamily(faces.front());
    }
    return font;
}

class TElHTMLRender::Metrics : public kvt::ui::THtmlMetrics {
public:
    explicit Metrics(TElHTMLRender* owner) : owner_(owner) {}

    int TextWidth(const kvt::ui::THtmlFont& f, std::u32string_view text) override {
        return Fm(f).horizontalAdvance(ToQString(text));
    }
    int TextHeight(const kvt::ui::THtmlFont& f) override { return Fm(f).height(); }
    int Descent(const kvt::ui::THtmlFont& f) override { return Fm(f).descent(); }
    int AverageCharWidth(const kvt::ui::THtmlFont& f) override { return Fm(f).averageCharWidth(); }
    int MaxCharWidth(const kvt::ui::THtmlFont& f) override { return Fm(f).maxWidth(); }
    bool ImageSize(std::u32string_view source, int& width, int& height) override {
        const QImage image = owner_->TriggerImageNeeded(ToQString(source));
        if (image.isNull()) return false;
        width = image.width();
        height = image.height();
        return true;
    }

private:
    const QFontMetrics& Fm(const kvt::ui::THtmlFont& f) {
        auto key = std::make_tuple(f.name, f.size, f.style, f.charset);
        auto it = cache_.find(key);
        if (it == cache_.end()) it = cache_.emplace(key, QFontMetrics(FontOf(f))).first;
        return it->second;
    }

    TElHTMLRender* owner_;
    std::map<std::tuple<std::string, int, uint8_t, uint8_t>, QFontMetrics> cache_;
};

TElHTMLRender::TElHTMLRender() : metrics_(std::make_unique<Metrics>(this)), data_(std::make_unique<TElHTMLData>()) {
    data_->Metrics = metrics_.get();
}

TElHTMLRender::~TElHTMLRender() = default;

QImage TElHTMLRender::TriggerImageNeeded(const QString& source) {
    return OnImageNeeded ? OnImageNeeded(this, source) : QImage();
}

void TElHTMLRender::PrepareText(const QString& text, int maxWidth, bool autoWrap) {
    const std::u32string chars = text.toStdU32String();
    kvt::ui::PrepareHtmlText(*data_, chars, maxWidth, autoWrap);
}

void TElHTMLRender::DrawPreparedText(QPainter& canvas, QPoint origin, const QRect& rect) {
    if (rect.isEmpty()) return;
    // The work bitmap spans right - left + 1 by bottom - top + 1 of the rectangle's edges, one
    // pixel beyond it on the right and at the bottom: lines align and rules end against that.
    const QRect bitmap(rect.topLeft(), QSize(rect.width() + 1, rect.height() + 1));
    const auto ops = kvt::ui::LayOutHtml(*data_, bitmap.width(), bitmap.height(), origin.x(), origin.y());
    if (ops.empty()) return;
    canvas.save();
    canvas.setClipRect(bitmap, canvas.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    canvas.translate(rect.topLeft());
    for (const auto& op : ops) {
        const kvt::ui::TElHTMLItem* item = op.item;
        switch (op.kind) {
        case kvt::ui::THtmlDrawOp::Bullet:
            canvas.setPen(Qt::NoPen);
            canvas.setBrush(ToQColor(item->FontColor));
            canvas.drawEllipse(QRect(op.x, op.y, op.width, op.height));
            break;
        case kvt::ui::THtmlDrawOp::Text: {
            const bool link = item->Flags & kvt::ui::hifLink;
            const QFont font = FontOf(item->MeasureFont());
            canvas.setFont(font);
            if (item->FontBgColor != kvt::ui::clNone) {
                // The box of the text itself: a run's width holds one pixel more.
                const QFontMetrics fm(font);
                canvas.fillRect(QRect(op.x, op.y - fm.ascent(), op.width - 1, fm.height()), ToQColor(item->FontBgColor));
            }
            canvas.setPen(ToQColor(link ? data_->LinkColor : item->FontColor));
            canvas.drawText(QPoint(op.x, op.y), ToQString(item->Text));
            break;
        }
        case kvt::ui::THtmlDrawOp::Image: {
            const QImage image = TriggerImageNeeded(ToQString(item->Text));
            if (image.isNull()) break;
            const QRgb corner = image.pixel(0, image.height() - 1);
            DrawTransparentBitmap(canvas, image, op.x, op.y, QRect(0, 0, op.width, op.height),
                                  RGBColor(qRed(corner), qGreen(corner), qBlue(corner)));
            break;
        }
        case kvt::ui::THtmlDrawOp::Rule:
            DrawSideLines(canvas, QRect(op.x, op.y, op.width, op.height), clBtnShadow, ebsTop | ebsBottom, clBtnFace);
            break;
        }
    }
    canvas.restore();
}

QSize MeasureHtmlCaption(TElHTMLRender& render, const QFont& plainFont, const QString& caption) {
    try {
        render.PrepareText(caption, 0, false);
        return render.TextSize();
    } catch (const EElHTMLError&) {
        const QFontMetrics fm(plainFont);
        return QSize(fm.horizontalAdvance(caption), fm.height());
    }
}

void DrawHtmlCaption(TElHTMLRender& render, QPainter& painter, const QString& caption, const QRect& rect) {
    try {
        render.PrepareText(caption, 0, false);
    } catch (const EElHTMLError&) {
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
        return;
    }
    render.DrawPreparedText(painter, QPoint(0, 0), rect);
}

}  // namespace kvt::gui

// Text drawing on Qt's layout, bounded to the behaviour the controls rely on.
#include "gui/platform/text_draw.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace kvt::gui {
namespace {

QString NormaliseBreaks(const QString& text, bool singleLine) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (singleLine) t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

int QtFlags(std::uint32_t flags) {
    int f = 0;
    if (flags & DT_CENTER)
        f |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        f |= Qt::AlignRight;
    else
        f |= Qt::AlignLeft;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            f |= Qt::AlignVCenter;
        else if (flags & DT_BOTTOM)
            f |= Qt::AlignBottom;
        else
            f |= Qt::AlignTop;
    } else {
        f |= Qt::AlignTop;
    }
    if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE)) f |= Qt::TextWordWrap;
    if (flags & DT_EXPANDTABS) f |= Qt::TextExpandTabs;
    if (flags & DT_NOCLIP) f |= Qt::TextDontClip;
    if (!(flags & DT_NOPREFIX)) f |= (flags & DT_HIDEPREFIX) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    return f;
}

// Elides each line that does not fit, keeping the accelerator marks intact.
QString ElideLines(const QFontMetrics& fm, const QString& text, int width, int qtFlags) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) line = fm.elidedText(line, Qt::ElideRight, std::max(0, width), qtFlags);
    return lines.join(QLatin1Char('\n'));
}

QRect Measure(const QFontMetrics& fm, const QString& t, const QRect& bounds, std::uint32_t flags) {
    const int qf = QtFlags(flags) & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom);
    const int width = (flags & DT_WORDBREAK) ? std::max(1, bounds.width()) : 100000;
    QRect r = fm.boundingRect(QRect(0, 0, width, 100000), qf | Qt::AlignLeft | Qt::AlignTop, t);
    const int lines = t.isEmpty() ? 1 : static_cast<int>(t.count(QLatin1Char('\n'))) + 1;
    const int height = (flags & DT_WORDBREAK) ? r.height() : lines * fm.height();
    return QRect(bounds.left(), bounds.top(), t.isEmpty() ? 0 : r.width(), height);
}

}  // namespace

QRect MeasureText(const QFont& font, const QString& text, const QRect& bounds, std::uint32_t flags) {
    const QFontMetrics fm(font);
    return Measure(fm, NormaliseBreaks(text, flags & DT_SINGLELINE), bounds, flags);
}

int DrawText(QPainter& painter, const QString& text, QRect& rect, std::uint32_t flags) {
    const QFontMetrics fm(painter.font());
    QString t = NormaliseBreaks(text, flags & DT_SINGLELINE);
    if (flags & DT_CALCRECT) {
        const QRect m = Measure(fm, t, rect, flags);
        rect.setWidth(m.width());
        rect.setHeight(m.height());
        return m.height();
    }
    const int qf = QtFlags(flags);
    if (flags & DT_END_ELLIPSIS) t = ElideLines(fm, t, rect.width(), qf);
    painter.save();
    if (!(flags & DT_NOCLIP)) painter.setClipRect(rect, Qt::IntersectClip);
    QRect bounding;
    painter.drawText(rect, qf, t, &bounding);
    painter.restore();
    return bounding.height();
}

QChar AcceleratorOf(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return QChar();
}

bool IsAccel(QChar key, const QString& caption) {
    const QChar a = AcceleratorOf(caption);
    return !a.isNull() && !key.isNull() && a.toUpper() == key.toUpper();
}

}  // namespace kvt::gui

// Recording visual-styles service; it paints a recognisable colour so pixel probes can tell
// themed drawing from the control's own.
#include "tests/gui/fake_visual_styles.h"

#include <QPainter>
#include <QWidget>

namespace kvt::testing {

using kvt::gui::HTHEME;

FakeVisualStyles::FakeVisualStyles() { kvt::gui::InstallVisualStyles(this); }
FakeVisualStyles::~FakeVisualStyles() { kvt::gui::InstallVisualStyles(nullptr); }

bool FakeVisualStyles::IsThemeActive() {
    calls << QStringLiteral("IsThemeActive");
    return true;
}

QString FakeVisualStyles::ClassOf(HTHEME theme) const {
    const auto it = open_.find(theme);
    return it == open_.end() ? QStringLiteral("?") : it->second;
}

HTHEME FakeVisualStyles::OpenThemeData(const QWidget*, const QString& classList) {
    calls << QStringLiteral("Open ") + classList;
    if (unknownClasses.contains(classList)) return 0;
    const HTHEME h = next_++;
    open_[h] = classList;
    return h;
}

std::int32_t FakeVisualStyles::CloseThemeData(HTHEME theme) {
    calls << QStringLiteral("Close ") + ClassOf(theme);
    open_.erase(theme);
    return kvt::gui::S_OK;
}

std::int32_t FakeVisualStyles::DrawThemeBackground(HTHEME theme, QPainter& painter, int part, int state,
                                                   const QRect& rect, const QRect*) {
    calls << QStringLiteral("Background %1 %2/%3").arg(ClassOf(theme)).arg(part).arg(state);
    painter.fillRect(rect, QColor(0, 160, 0));
    return kvt::gui::S_OK;
}

std::int32_t FakeVisualStyles::DrawThemeText(HTHEME theme, QPainter&, int part, int state, const QString& text,
                                             std::uint32_t, std::uint32_t, const QRect&) {
    calls << QStringLiteral("Text %1 %2/%3 %4").arg(ClassOf(theme)).arg(part).arg(state).arg(text);
    return kvt::gui::S_OK;
}

std::int32_t FakeVisualStyles::GetThemePartSize(HTHEME theme, QPainter*, int part, int state, const QRect*, int,
                                                QSize& size) {
    calls << QStringLiteral("PartSize %1 %2/%3").arg(ClassOf(theme)).arg(part).arg(state);
    size = partSize;
    return kvt::gui::S_OK;
}

std::int32_t FakeVisualStyles::GetThemeTextExtent(HTHEME theme, QPainter& painter, int part, int state,
                                                  const QString& text, std::uint32_t, const QRect* bounding,
                                                  QRect& extent) {
    calls << QStringLiteral("TextExtent %1 %2/%3").arg(ClassOf(theme)).arg(part).arg(state);
    const QFontMetrics fm(painter.font());
    const QPoint origin = bounding ? bounding->topLeft() : QPoint(0, 0);
    extent = QRect(origin, QSize(fm.horizontalAdvance(text), fm.height()));
    return kvt::gui::S_OK;
}

std::int32_t FakeVisualStyles::DrawThemeParentBackground(QWidget* window, QPainter& painter, const QRect* rect) {
    calls << QStringLiteral("ParentBackground");
    // The parent's colour, so probes can tell the parent showing through from themed parts.
    if (const QWidget* parent = window ? window->parentWidget() : nullptr)
        painter.fillRect(rect ? *rect : window->rect(), parent->palette().color(QPalette::Window));
    return kvt::gui::S_OK;
}

std::int32_t FakeVisualStyles::DrawThemeEdge(HTHEME theme, QPainter&, int part, int state, const QRect&,
                                             std::uint32_t, std::uint32_t, QRect*) {
    calls << QStringLiteral("Edge %1 %2/%3").arg(ClassOf(theme)).arg(part).arg(state);
    return kvt::gui::S_OK;
}

std::int32_t FakeVisualStyles::GetThemeColor(HTHEME, int, int, int, kvt::gui::TColor& color) {
    color = kvt::gui::clBlack;
    return kvt::gui::S_OK;
}

kvt::gui::TColor FakeVisualStyles::GetThemeSysColor(HTHEME, int colorId) { return kvt::gui::GetSysColor(colorId); }

}  // namespace kvt::testing

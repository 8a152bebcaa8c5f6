// The override cursor.
#include "gui/platform/cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace kvt::gui {
namespace {

TCursor gCursor = crDefault;

Qt::CursorShape ShapeOf(TCursor c) {
    switch (c) {
        case crHourGlass: return Qt::WaitCursor;
        case crSizeNS: return Qt::SizeVerCursor;
        case crSizeWE: return Qt::SizeHorCursor;
        default: return Qt::ArrowCursor;
    }
}

}  // namespace

TCursor ScreenCursor() { return gCursor; }

void SetScreenCursor(TCursor cursor) {
    if (cursor == gCursor) return;
    const bool had = gCursor != crDefault;
    gCursor = cursor;
    if (cursor == crDefault) {
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    } else if (had && QGuiApplication::overrideCursor()) {
        QGuiApplication::changeOverrideCursor(QCursor(ShapeOf(cursor)));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
    }
}

}  // namespace kvt::gui

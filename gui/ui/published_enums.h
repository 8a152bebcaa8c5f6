// The enumerations that the controls' layout files set by name ("kvt::gui::blGlyphTop"). They are
// registered with the meta-object system, so a property of one of these types takes a named value
// from a layout, and still a plain number. Every registered enumeration of the library lives here:
// the namespace can carry only one meta-object.
#pragma once

#include <QObject>

namespace kvt::gui {

Q_NAMESPACE

// Where a button's glyph stands beside its caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

// How a caption is drawn: plain, with a shadow, or raised.
enum TElTextDrawType { tdtNormal, tdtShadowed, tdtRaised };
Q_ENUM_NS(TElTextDrawType)

// Where a graphic button's pull-down menu opens.
enum TPopupPlace { ppDown, ppRight, ppTop };
Q_ENUM_NS(TPopupPlace)

}  // namespace kvt::gui

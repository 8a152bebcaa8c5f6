// Fonts by the names and heights the layouts give ("Times New Roman", -13): each name maps to a
// metric-compatible face that ships with the game's packages, so text fits where it was placed.
#pragma once

#include <QFont>
#include <QString>

class QApplication;

namespace kvt::gui {

// The installed face used for a layout's font name.
QString ResolveFontFamily(const QString& name);
// A negative height is the character height in pixels, a positive one the cell height
// (ascent plus descent), as the layouts store them.
QFont MakeFont(const QString& name, int height, bool bold = false, bool italic = false);
// The default font of controls that take no font from a layout.
QFont DefaultFont();
// Gives the application the fixed colours, the default font and one widget style, so standard
// widgets look the same on every machine.
void InstallPlatformLook(QApplication& app);

}  // namespace kvt::gui

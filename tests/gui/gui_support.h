// Helpers of the window tests: saving what a widget shows, and acting inside modal loops.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace kvt::testing {

// Saves the widget as a PNG under the screenshot folder; returns the path.
QString SaveScreenshot(QWidget* widget, const QString& name);
// Writes the bytes as the whole file, failing the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);
// Runs the action once the next modal dialog is showing (for code that calls exec()).
void WhenModalShows(std::function<void(QWidget* dialog)> action);
// The text the window system puts in the window's title bar: the title its window is given (Qt's
// -qwindowtitle option replaces the first main window's), and the application's display name,
// once the program has set one, appended to every title that does not already end with it.
QString TitleBarText(const QWidget* window);

}  // namespace kvt::testing

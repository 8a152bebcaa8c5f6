// What the program's start gives the application before its main window exists. The program and
// the window tests both start it so, and the tests see the look and the titles the player gets.
#pragma once

#include <memory>

class QApplication;

namespace kvt::gui {

// The application, given the program's name alone for its command line: the game reads no option,
// and Qt's own would override what the program sets (-qwindowtitle the main window's title bar,
// -style or -reverse the look). Then the platform look, the help file and the program's title,
// which the message boxes carry. The window system is given no display name: it would append it to
// every dialog's title bar.
std::unique_ptr<QApplication> StartApplication(int argc, char** argv);

}  // namespace kvt::gui

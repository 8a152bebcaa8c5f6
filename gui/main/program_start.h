// What the program's start gives the application before its main window exists. The program and
// the window tests both run it, so the tests see the look and the titles the player gets.
#pragma once

class QApplication;

namespace kvt::gui {

// The platform look, the help file and the program's title, which the message boxes carry. The
// window system is given no display name: it would append it to every dialog's title bar.
void PrepareApplication(QApplication& app);

}  // namespace kvt::gui

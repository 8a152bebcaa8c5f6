// The application's hint: the one text that describes what the player is pointing at (a menu item
// while it is highlighted), kept for whatever shows such texts. Empty when nothing is described.
#pragma once

#include <QString>

namespace kvt::gui {

QString ApplicationHint();
void SetApplicationHint(const QString& hint);

}  // namespace kvt::gui

// The application's hint.
#include "gui/platform/application_hint.h"

namespace kvt::gui {
namespace {
QString gHint;
}

QString ApplicationHint() { return gHint; }
void SetApplicationHint(const QString& hint) { gHint = hint; }

}  // namespace kvt::gui

// The installed visual-styles service.
#include "gui/platform/visual_styles.h"

namespace kvt::gui {
namespace {
NoVisualStyles gPlatformStyles;
IVisualStyles* gStyles = &gPlatformStyles;
}  // namespace

IVisualStyles& VisualStyles() { return *gStyles; }
void InstallVisualStyles(IVisualStyles* styles) { gStyles = styles ? styles : &gPlatformStyles; }

}  // namespace kvt::gui

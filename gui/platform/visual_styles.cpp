// The installed visual-styles service.
#include "gui/platform/visual_styles.h"

namespace kvt::gui {
namespace {
NoVisualStyles gPlatformStyles;
IVisualStyles* gStyles = &gPlatformStyles;
bool gLoaded = false;
}  // namespace

IVisualStyles& VisualStyles() { return *gStyles; }
void InstallVisualStyles(IVisualStyles* styles) {
    gStyles = styles ? styles : &gPlatformStyles;
    gLoaded = gStyles->Loaded();
}
bool VisualStylesLoaded() { return gLoaded; }

}  // namespace kvt::gui

// The library's pointer list and stack, plain C++ shared with its formats, under the controls'
// own names.
#pragma once

#include "gui/ui/formats/pointer_list.h"

namespace kvt::gui {

using kvt::ui::EElListError;
using kvt::ui::EElStackError;
using kvt::ui::TElList;
using kvt::ui::TElStack;

}  // namespace kvt::gui

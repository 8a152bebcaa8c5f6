// Horizontal and vertical text placement shared by panels, labels and check items, and the
// border of panels and list boxes.
#pragma once

namespace kvt::gui {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Check items take only the first two: the mark on the right or on the left.
using TLeftRight = TAlignment;
enum TTextLayout { tlTop, tlCenter, tlBottom };
// bsSingle: a sunken edge two pixels deep around the control, outside its client area.
enum TBorderStyle { bsNone, bsSingle };

}  // namespace kvt::gui

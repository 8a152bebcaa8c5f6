// Horizontal and vertical text placement shared by panels, labels and check items.
#pragma once

namespace kvt::gui {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Check items take only the first two: the mark on the right or on the left.
using TLeftRight = TAlignment;
enum TTextLayout { tlTop, tlCenter, tlBottom };

}  // namespace kvt::gui

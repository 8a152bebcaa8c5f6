// Gallery pictures of HTML captions and form-wide backgrounds (name, picture).
#pragma once

#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace kvt::gallery {

std::vector<std::pair<QString, QImage>> HtmlAndBackgroundShots();

}  // namespace kvt::gallery

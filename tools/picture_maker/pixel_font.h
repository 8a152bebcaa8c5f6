// Hand-drawn pixel glyphs for the numbers and letters on the symbol sheets: at 5 to 11 pixels high
// a font would blur, and these draw the same on every machine.
#pragma once

#include <QColor>
#include <QImage>
#include <string>

namespace kvt::pictures {

// Glyphs 5 wide and 7 high ("0"-"9", "H", "Q", "F", "B"); 1 pixel between glyphs.
int LargeTextWidth(const std::string& text);
void DrawLargeText(QImage& image, int x, int y, const std::string& text, QColor colour);

// Digits 3 wide and 5 high; 1 pixel between glyphs.
int SmallTextWidth(const std::string& text);
void DrawSmallText(QImage& image, int x, int y, const std::string& text, QColor colour);

}  // namespace kvt::pictures

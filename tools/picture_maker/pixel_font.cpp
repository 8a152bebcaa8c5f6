// Pixel glyphs: each row of a glyph is a string, '#' for a set pixel.
#include "tools/picture_maker/pixel_font.h"

#include <array>
#include <map>

namespace kvt::pictures {
namespace {


const std::map<char, std::array<const char*, 7>>& LargeGlyphs() {
    static const std::map<char, std::array<const char*, 7>> glyphs = {
        {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
        {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
        {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
        {'3', {"#### ", "    #", "    #", " ### ", "    #", "    #", "#### "}},
        {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
        {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
        {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
        {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
        {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
        {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
        {'H', {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"}},
        {'Q', {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"}},
        {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
        {'B', {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "}},
    };
    return glyphs;
}

const std::map<char, std::array<const char*, 5>>& SmallGlyphs() {
    static const std::map<char, std::array<const char*, 5>> glyphs = {
        {'0', {"###", "# #", "# #", "# #", "###"}}, {'1', {" # ", "## ", " # ", " # ", "###"}},
        {'2', {"###", "  #", "###", "#  ", "###"}}, {'3', {"###", "  #", " ##", "  #", "###"}},
        {'4', {"# #", "# #", "###", "  #", "  #"}}, {'5', {"###", "#  ", "###", "  #", "###"}},
        {'6', {"###", "#  ", "###", "# #", "###"}}, {'7', {"###", "  #", " # ", " # ", " # "}},
        {'8', {"###", "# #", "###", "# #", "###"}}, {'9', {"###", "# #", "###", "  #", "###"}},
    };
    return glyphs;
}

template <std::size_t Rows>
int DrawGlyphs(QImage& image, int x, int y, const std::string& text, QColor colour,
               const std::map<char, std::array<const char*, Rows>>& glyphs, int width) {
    for (char ch : text) {
        auto it = glyphs.find(ch);
        if (it != glyphs.end()) {
            for (std::size_t row = 0; row < Rows; ++row) {
                for (int col = 0; col < width; ++col) {
                    const int px = x + col;
                    const int py = y + static_cast<int>(row);
                    if (it->second[row][col] == '#' && image.valid(px, py)) image.setPixelColor(px, py, colour);
                }
            }
        }
        x += width + 1;
    }
    return x;
}

}  // namespace

int LargeTextWidth(const std::string& text) { return text.empty() ? 0 : static_cast<int>(text.size()) * 6 - 1; }
int SmallTextWidth(const std::string& text) { return text.empty() ? 0 : static_cast<int>(text.size()) * 4 - 1; }

void DrawLargeText(QImage& image, int x, int y, const std::string& text, QColor colour) {
    DrawGlyphs(image, x, y, text, colour, LargeGlyphs(), 5);
}

void DrawSmallText(QImage& image, int x, int y, const std::string& text, QColor colour) {
    DrawGlyphs(image, x, y, text, colour, SmallGlyphs(), 3);
}

}  // namespace kvt::pictures

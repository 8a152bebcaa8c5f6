// The HTML caption engine without a screen: parses a small subset of HTML into runs (text in a
// font, breaks, list items, images, rules), wraps and measures them through a metrics interface,
// and lays out what to paint where. Widths are 32-bit and every size an attribute gives is
// clamped, so no caption can wrap a width or ask for a giant font. Pixels throughout.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kvt::ui {

using TColor = uint32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;

enum : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Item kinds.
enum : uint8_t {
    hikText = 0,
    hikSoftBreak = 1,
    hikLineBreak = 2,
    hikParagraph = 3,
    hikImage = 4,
    hikRule = 5,
    hikListItem = 6,
    hikIndentMeasure = 7
};

// Item flags.
enum : uint8_t { hifLink = 1, hifSubscript = 2, hifSuperscript = 4 };

// Limits of what a caption may ask for.
constexpr int kHtmlMaxFontSize = 144;
constexpr int kHtmlMaxListLevel = 32;
constexpr int kHtmlMaxPixels = 16384;       // indents, rule widths, image sizes
constexpr size_t kHtmlMaxItems = 65536;

class EElHTMLError : public std::runtime_error {
public:
    EElHTMLError() : std::runtime_error("HTML engine error - the text is not valid HTML") {}
};

struct THtmlFont {
    std::string name;
    int size = 11;  // points
    uint8_t style = 0;
    uint8_t charset = 0;  // the character set the face must cover (0 the Western one)
};

// What the engine needs to know of fonts and pictures.
class THtmlMetrics {
public:
    virtual ~THtmlMetrics() = default;
    virtual int TextWidth(const THtmlFont& font, std::u32string_view text) = 0;
    virtual int TextHeight(const THtmlFont& font) = 0;
    virtual int Descent(const THtmlFont& font) = 0;
    virtual int AverageCharWidth(const THtmlFont& font) = 0;
    virtual int MaxCharWidth(const THtmlFont& font) = 0;
    // The size of the picture an image names; false when there is none.
    virtual bool ImageSize(std::u32string_view source, int& width, int& height) = 0;
};

struct TFontSettings {
    std::string name;
    int size = 11;
    TColor color = clWindowText;
    TColor bgColor = clNone;
};

class TElHTMLData;

class TElHTMLItem {
public:
    virtual ~TElHTMLItem() = default;
    TElHTMLData* Owner = nullptr;
    uint8_t ItemType = hikText;
    std::u32string Text;  // an image's source name
    uint8_t FontStyle = 0;
    int FontSize = 11;
    TColor FontBgColor = clNone;
    TColor FontColor = clWindowText;
    std::u32string LinkRef;
    std::string FontName;
    int ColorNesting = 0;
    int32_t CachedWidth = -1;  // text runs: measured once
    int32_t Width = 0;         // measured (a break: its line's width)
    int32_t Height = 0;        // measured (a break: its line's height)
    int32_t Indent = 0;
    uint8_t Flags = 0;

    bool IsBreak() const {
        return ItemType == hikSoftBreak || ItemType == hikLineBreak || ItemType == hikParagraph ||
               ItemType == hikListItem;
    }
    // The font the run measures and draws with: the link style for links, 2 points less for
    // sub- and superscript.
    THtmlFont MeasureFont() const;
    virtual int32_t GetWidth();
    virtual int32_t GetHeight(int32_t& descent);
};

class TElHTMLBreakItem : public TElHTMLItem {
public:
    uint8_t Alignment = 0;  // 0 left, 1 centre, 2 right
    int32_t LineDescent = 0;
    int ListLevel = 0;
    int ListIndex = -1;
    int32_t GetWidth() override;
    int32_t GetHeight(int32_t& descent) override;
};

class TElHTMLData {
public:
    THtmlMetrics* Metrics = nullptr;
    TColor LinkColor = 0xFF0000;
    TColor DefaultColor = clWindowText;
    uint8_t LinkStyle = fsUnderline;
    uint8_t DefaultStyle = 0;
    int DefaultSize = 11;
    uint8_t Charset = 0;
    std::string DefaultFont = "MS Sans Serif";
    std::vector<std::unique_ptr<TElHTMLItem>> Items;
    TColor DefaultBgColor = clNone;
    int32_t TextWidth = 0;
    int32_t TextHeight = 0;

    THtmlFont DefaultFontSpec() const { return {DefaultFont, DefaultSize, DefaultStyle, Charset}; }
};

// Parses and measures a caption; on invalid text the items are emptied and EElHTMLError raised.
void PrepareHtmlText(TElHTMLData& data, std::u32string_view text, int maxWidth, bool autoWrap);
// Line widths, heights and descents on the breaks, and the whole text's extent.
void MeasureHtml(TElHTMLData& data);

// One thing to paint, in the coordinates of the target rectangle.
struct THtmlDrawOp {
    enum Kind { Bullet, Text, Image, Rule } kind;
    const TElHTMLItem* item;  // the run, image, rule or list-item break
    int32_t x, y;             // Text: the baseline's start; others: the top-left corner
    int32_t width, height;
};

// What the prepared text paints into a bitmap of this size, scrolled by the origin; nothing for
// an empty bitmap. The bitmap of a rectangle is one pixel wider and higher than the rectangle.
std::vector<THtmlDrawOp> LayOutHtml(const TElHTMLData& data, int32_t width, int32_t height, int32_t originX,
                                    int32_t originY);

// A colour name of the control library ("clRed", or "red" which gets "cl" in front).
bool HtmlColorFromName(std::string_view name, TColor& color);

}  // namespace kvt::ui

// Parsing, wrapping, measuring and laying out HTML captions.
#include "gui/ui/formats/html_layout.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <memory>

#include "gui/ui/formats/pointer_list.h"

namespace kvt::ui {

namespace {

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::string Lower(std::u32string_view s) {
    std::string out;
    for (char32_t c : s) {
        if (c >= 'A' && c <= 'Z') c = c - 'A' + 'a';
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

std::string Utf8(std::u32string_view s) {
    std::string out;
    for (char32_t c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// An optionally signed decimal number; false for anything else or a number out of range.
bool ParseNumber(std::string_view s, int64_t& v) {
    if (s.empty() || s.size() > 12) return false;
    const char* b = s.data();
    const char* e = b + s.size();
    if (*b == '+') ++b;
    auto [end, ec] = std::from_chars(b, e, v);
    return b != e && ec == std::errc() && end == e;
}

// Characters 128..159 of the Windows code page the captions were written in.
constexpr char32_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// "#" and the twelve characters of the longest number read.
constexpr size_t kLongestUnclosedEntity = 13;

struct NamedColor {
    const char* name;
    TColor color;
};
// The colour identifiers of the class library, as a form file names them.
constexpr NamedColor kColors[] = {
    {"clblack", 0x000000},
    {"clmaroon", 0x000080},
    {"clgreen", 0x008000},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clgray", 0x808080},
    {"clsilver", 0xC0C0C0},
    {"clred", 0x0000FF},
    {"cllime", 0x00FF00},
    {"clyellow", 0x00FFFF},
    {"clblue", 0xFF0000},
    {"clfuchsia", 0xFF00FF},
    {"claqua", 0xFFFF00},
    {"clwhite", 0xFFFFFF},
    {"clmoneygreen", 0xC0DCC0},
    {"clskyblue", 0xF0CAA6},
    {"clcream", 0xF0FBFF},
    {"clmedgray", 0xA4A0A0},
    {"clactiveborder", 0x8000000A},
    {"clactivecaption", 0x80000002},
    {"clappworkspace", 0x8000000C},
    {"clbackground", 0x80000001},
    {"clbtnface", 0x8000000F},
    {"clbtnhighlight", 0x80000014},
    {"clbtnshadow", 0x80000010},
    {"clbtntext", 0x80000012},
    {"clcaptiontext", 0x80000009},
    {"cldefault", 0x20000000},
    {"clgradientactivecaption", 0x8000001B},
    {"clgradientinactivecaption", 0x8000001C},
    {"clgraytext", 0x80000011},
    {"clhighlight", 0x8000000D},
    {"clhighlighttext", 0x8000000E},
    {"clhotlight", 0x8000001A},
    {"clinactiveborder", 0x8000000B},
    {"clinactivecaption", 0x80000003},
    {"clinactivecaptiontext", 0x80000013},
    {"clinfobk", 0x80000018},
    {"clinfotext", 0x80000017},
    {"clmenu", 0x80000004},
    {"clmenubar", 0x8000001E},
    {"clmenuhighlight", 0x8000001D},
    {"clmenutext", 0x80000007},
    {"clnone", 0x1FFFFFFF},
    {"clscrollbar", 0x80000000},
    {"cl3ddkshadow", 0x80000015},
    {"cl3dlight", 0x80000016},
    {"clwindow", 0x80000005},
    {"clwindowframe", 0x80000006},
    {"clwindowtext", 0x80000008},
};

struct Attribute {
    std::string name;
    std::u32string value;
};

class Parser {
public:
    Parser(TElHTMLData& data, std::u32string_view text, int maxWidth, bool autoWrap)
        : data_(data), text_(text), maxWidth_(maxWidth), autoWrap_(autoWrap) {
        run_.Owner = &data_;
        run_.FontName = data_.DefaultFont;
        run_.FontSize = data_.DefaultSize;
        run_.FontStyle = data_.DefaultStyle;
        run_.FontColor = data_.DefaultColor;
        run_.FontBgColor = data_.DefaultBgColor;
    }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    // Font tags a caption left open are emptied off the stack, as is everything on an error.
    ~Parser() {
        while (!fontStack_.Empty()) delete static_cast<TFontSettings*>(fontStack_.Pop());
    }

    void Run() {
        size_t i = 0;
        while (i < text_.size()) {
            char32_t c = text_[i];
            if (c == '<') {
                i = ReadTag(i);
            } else if (c == '&') {
                i = ReadEntity(i);
            } else if (c == '\r') {
                // A caption's line ends (CR LF or a lone CR) are no break; a lone LF is kept.
                i += (i + 1 < text_.size() && text_[i + 1] == '\n') ? 2 : 1;
            } else {
                ++i;
                if (c == ' ' && !run_.Text.empty() && run_.Text.back() == ' ') continue;
                Append(c);
            }
        }
        if (!run_.Text.empty()) Push(std::make_unique<TElHTMLItem>(run_));
        if (data_.Items.empty() || data_.Items.front()->ItemType != hikParagraph) {
            auto start = std::make_unique<TElHTMLBreakItem>();
            start->Owner = &data_;
            start->ItemType = hikParagraph;
            start->FontName = data_.DefaultFont;
            start->FontSize = data_.DefaultSize;
            data_.Items.insert(data_.Items.begin(), std::move(start));
        }
    }

private:
    void Push(std::unique_ptr<TElHTMLItem> item) {
        if (data_.Items.size() >= kHtmlMaxItems) throw EElHTMLError();
        item->Owner = &data_;
        data_.Items.push_back(std::move(item));
    }

    TElHTMLBreakItem* LastBreak() const {
        for (auto it = data_.Items.rbegin(); it != data_.Items.rend(); ++it)
            if ((*it)->IsBreak()) return static_cast<TElHTMLBreakItem*>(it->get());
        return nullptr;
    }

    // Closes the current run (kept when it holds text) and starts one in the same settings.
    void CloseRun() {
        if (!run_.Text.empty()) Push(std::make_unique<TElHTMLItem>(run_));
        run_.Text.clear();
        run_.CachedWidth = -1;
    }

    std::unique_ptr<TElHTMLBreakItem> MakeBreak(uint8_t kind) {
        auto b = std::make_unique<TElHTMLBreakItem>();
        b->Owner = &data_;
        b->ItemType = kind;
        b->FontName = run_.FontName;
        b->FontSize = run_.FontSize;
        b->FontStyle = run_.FontStyle;
        b->FontColor = run_.FontColor;
        b->FontBgColor = run_.FontBgColor;
        b->Indent = run_.Indent;
        b->ListLevel = std::min<int>(static_cast<int>(listIndents_.size()), kHtmlMaxListLevel);
        if (const TElHTMLBreakItem* last = LastBreak()) b->Alignment = last->Alignment;
        return b;
    }

    bool EndsWithBreak(bool lineBreakOnly) const {
        if (data_.Items.empty()) return false;
        const auto& last = data_.Items.back();
        return lineBreakOnly ? last->ItemType == hikLineBreak : last->IsBreak();
    }

    void Append(char32_t c) {
        run_.Text += c;
        run_.CachedWidth = -1;
        if (autoWrap_) Wrap();
    }

    void Wrap() {
        TElHTMLBreakItem* lastBreak = LastBreak();
        int64_t width = lastBreak ? lastBreak->Indent : 0;
        bool others = false;
        for (auto it = data_.Items.rbegin(); it != data_.Items.rend() && !(*it)->IsBreak(); ++it) {
            width += (*it)->GetWidth();
            others = true;
        }
        width += run_.GetWidth();
        if (width <= maxWidth_) return;
        std::u32string& text = run_.Text;
        std::u32string moved;
        size_t blank = text.rfind(U' ');
        if (blank != std::u32string::npos) {
            moved = text.substr(blank + 1);
            text.erase(blank + 1);
        } else if (others) {
            moved = text;
            text.clear();
        } else {
            // Alone on its line and too wide: only the character just added moves on, even when
            // it is all the run holds (the line it leaves stays empty).
            moved = text.substr(text.size() - 1);
            text.pop_back();
        }
        run_.CachedWidth = -1;
        if (!text.empty()) Push(std::make_unique<TElHTMLItem>(run_));
        auto soft = MakeBreak(hikSoftBreak);
        if (lastBreak) {
            soft->Alignment = lastBreak->Alignment;
            soft->Indent = lastBreak->Indent;
            soft->ListLevel = lastBreak->ListLevel;
        }
        Push(std::move(soft));
        run_.Text = moved;
        run_.CachedWidth = -1;
    }

    // The name runs to the next ";" and an unknown one gives nothing. With no ";" left the rest of
    // the text is the name only when it is an entity; otherwise the "&" is an ordinary character,
    // so a caption's stray "&" does not swallow everything after it.
    size_t ReadEntity(size_t i) {
        if (!semicolonKnown_ || (nextSemicolon_ != std::u32string_view::npos && nextSemicolon_ <= i)) {
            nextSemicolon_ = text_.find(U';', i + 1);  // once per ";": many "&"s stay cheap
            semicolonKnown_ = true;
        }
        const size_t semicolon = nextSemicolon_;
        const size_t end = semicolon == std::u32string_view::npos ? text_.size() : semicolon;
        // Without a ";" only a short rest can be an entity ("trade", "#" and a number).
        if (semicolon == std::u32string_view::npos && end - i - 1 > kLongestUnclosedEntity) {
            Append('&');
            return i + 1;
        }
        const std::string name = Lower(text_.substr(i + 1, end - i - 1));
        static const struct {
            const char* name;
            char32_t c;
        } kNamed[] = {{"nbsp", ' '},     {"amp", '&'},     {"quot", '"'},    {"gt", '>'},
                      {"lt", '<'},       {"euro", 0x20AC}, {"sect", 0xA7},   {"reg", 0xAE},
                      {"copy", 0xA9},    {"para", 0xB6},   {"trade", 0x2122}};
        const auto named = std::find_if(std::begin(kNamed), std::end(kNamed), [&](const auto& n) { return name == n.name; });
        int64_t code = 0;
        const bool numbered = !name.empty() && name[0] == '#';
        const bool isNumber = numbered && ParseNumber(name.substr(1), code);
        if (semicolon == std::u32string_view::npos && named == std::end(kNamed) && !isNumber) {
            Append('&');
            return i + 1;
        }
        if (named != std::end(kNamed)) {
            Append(named->c);
        } else if (numbered && !isNumber) {
            Append(' ');
        } else if (isNumber) {
            if (code >= 128 && code < 160) {
                if (kCp1252High[code - 128]) Append(kCp1252High[code - 128]);
            } else if (code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
                Append(static_cast<char32_t>(code));
            }
        }
        return semicolon == std::u32string_view::npos ? end : semicolon + 1;
    }

    // Reads "<...>" from i; returns the position after it. The first ">" ends a tag, quoted or
    // not (quotes protect only blanks). A tag or comment that the text ends inside is not valid
    // HTML: the caption is then refused and its control shows it as plain text.
    size_t ReadTag(size_t i) {
        if (text_.substr(i + 1, 3) == U"!--") {
            size_t end = text_.find(U"-->", i + 4);
            if (end == std::u32string_view::npos) throw EElHTMLError();
            return end + 3;
        }
        const size_t j = text_.find(U'>', i + 1);
        if (j == std::u32string_view::npos) throw EElHTMLError();
        std::u32string_view body = text_.substr(i + 1, j - i - 1);
        size_t nameEnd = 0;
        while (nameEnd < body.size() && !IsBlank(body[nameEnd])) ++nameEnd;
        const std::string name = Lower(body.substr(0, nameEnd));
        std::vector<Attribute> attributes = ReadAttributes(body.substr(nameEnd));
        ApplyTag(name, attributes);
        return j + 1;
    }

    static std::vector<Attribute> ReadAttributes(std::u32string_view s) {
        std::vector<Attribute> out;
        size_t i = 0;
        while (i < s.size()) {
            while (i < s.size() && IsBlank(s[i])) ++i;
            if (i >= s.size()) break;
            size_t start = i;
            while (i < s.size() && !IsBlank(s[i]) && s[i] != '=') ++i;
            Attribute a;
            a.name = Lower(s.substr(start, i - start));
            if (i < s.size() && s[i] == '=') {
                ++i;
                if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
                    char32_t q = s[i++];
                    size_t end = s.find(q, i);
                    if (end == std::u32string_view::npos) end = s.size();
                    a.value = s.substr(i, end - i);
                    i = end < s.size() ? end + 1 : end;
                } else {
                    size_t vs = i;
                    while (i < s.size() && !IsBlank(s[i])) ++i;
                    a.value = s.substr(vs, i - vs);
                }
            }
            if (!a.name.empty()) out.push_back(std::move(a));
        }
        return out;
    }

    static const std::u32string* Find(const std::vector<Attribute>& a, const char* name) {
        for (const auto& x : a)
            if (x.name == name) return &x.value;
        return nullptr;
    }

    static int32_t Pixels(const std::u32string* v, int32_t fallback) {
        int64_t n = 0;
        if (!v || !ParseNumber(Lower(*v), n)) return fallback;
        return static_cast<int32_t>(std::clamp<int64_t>(n, 0, kHtmlMaxPixels));
    }

    void SetStyle(uint8_t bit, bool on) {
        CloseRun();
        run_.FontStyle = on ? (run_.FontStyle | bit) : (run_.FontStyle & ~bit);
    }
    void SetFlag(uint8_t bit, bool on) {
        CloseRun();
        run_.Flags = on ? (run_.Flags | bit) : (run_.Flags & ~bit);
    }

    bool ReadColor(const std::u32string& v, TColor fallback, TColor& out) const {
        std::string s = Lower(v);
        if (!s.empty() && s[0] == '#') {
            uint32_t rgb = 0;
            auto [end, ec] = std::from_chars(s.data() + 1, s.data() + s.size(), rgb, 16);
            if (s.size() != 7 || ec != std::errc() || end != s.data() + s.size()) {
                out = fallback;
            } else {
                out = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
            }
            return true;
        }
        return HtmlColorFromName(s, out);
    }

    void ApplyTag(const std::string& name, const std::vector<Attribute>& attrs) {
        if (name == "b" || name == "/b") return SetStyle(fsBold, name[0] != '/');
        if (name == "i" || name == "/i") return SetStyle(fsItalic, name[0] != '/');
        if (name == "u" || name == "/u") return SetStyle(fsUnderline, name[0] != '/');
        if (name == "strikeout" || name == "/strikeout") return SetStyle(fsStrikeOut, name[0] != '/');
        if (name == "sub" || name == "/sub") return SetFlag(hifSubscript, name[0] != '/');
        if (name == "sup" || name == "/sup") return SetFlag(hifSuperscript, name[0] != '/');
        if (name == "ul") {
            CloseRun();
            int32_t step = 0;
            if (listIndents_.size() < static_cast<size_t>(kHtmlMaxListLevel)) {
                TElHTMLItem measure(run_);
                measure.ItemType = hikIndentMeasure;
                step = measure.GetWidth();
            }
            listIndents_.push_back(step);
            run_.Indent = Clamp32(std::min<int64_t>(static_cast<int64_t>(run_.Indent) + step, kHtmlMaxPixels));
            return;
        }
        if (name == "/ul") {
            CloseRun();
            if (!listIndents_.empty()) {
                run_.Indent = std::max<int32_t>(0, run_.Indent - listIndents_.back());
                listIndents_.pop_back();
            }
            if (EndsWithBreak(false)) data_.Items.pop_back();
            Push(MakeBreak(hikLineBreak));
            return;
        }
        if (name == "li") {
            CloseRun();
            if (EndsWithBreak(true)) data_.Items.pop_back();
            Push(MakeBreak(hikListItem));
            return;
        }
        if (name == "p") {
            CloseRun();
            auto b = MakeBreak(hikParagraph);
            b->Alignment = 0;
            if (const auto* align = Find(attrs, "align")) {
                std::string a = Lower(*align);
                b->Alignment = a == "center" ? 1 : a == "right" ? 2 : 0;
            }
            b->Indent = Pixels(Find(attrs, "indent"), run_.Indent);
            Push(std::move(b));
            return;
        }
        if (name == "br") {
            CloseRun();
            Push(MakeBreak(hikLineBreak));
            return;
        }
        if (name == "hr") {
            CloseRun();
            const int32_t width = Pixels(Find(attrs, "width"), 0);
            const TElHTMLBreakItem* before = LastBreak();
            const uint8_t alignment = before ? before->Alignment : 0;
            auto ruleLine = MakeBreak(hikLineBreak);
            // A full-width rule measures 0 wide, so a centred or right-aligned line would start
            // it in the middle or at the right edge and run it off the rectangle: it starts at
            // the left. A rule of a given width keeps the alignment, and so does the next line.
            if (width == 0) ruleLine->Alignment = 0;
            Push(std::move(ruleLine));
            auto rule = std::make_unique<TElHTMLItem>(run_);
            rule->ItemType = hikRule;
            rule->Text.clear();
            rule->Width = width;
            Push(std::move(rule));
            auto after = MakeBreak(hikLineBreak);
            after->Alignment = alignment;
            Push(std::move(after));
            return;
        }
        if (name == "img") {
            const auto* src = Find(attrs, "src");
            if (!src || src->empty()) return;
            CloseRun();
            auto image = std::make_unique<TElHTMLItem>(run_);
            image->ItemType = hikImage;
            image->Text = *src;
            int w = 0, h = 0;
            if (!data_.Metrics || !data_.Metrics->ImageSize(*src, w, h)) w = h = 0;
            image->Width = Pixels(Find(attrs, "width"), std::clamp(w, 0, kHtmlMaxPixels));
            image->Height = Pixels(Find(attrs, "height"), std::clamp(h, 0, kHtmlMaxPixels));
            Push(std::move(image));
            return;
        }
        if (name == "a") {
            if (attrs.empty()) return;
            CloseRun();
            run_.Flags |= hifLink;
            const auto* href = Find(attrs, "href");
            run_.LinkRef = href ? *href : std::u32string();
            return;
        }
        if (name == "/a") {
            CloseRun();
            run_.Flags &= ~hifLink;
            run_.LinkRef.clear();
            return;
        }
        if (name == "font") {
            CloseRun();
            fontStack_.Push(new TFontSettings{run_.FontName, run_.FontSize, run_.FontColor, run_.FontBgColor});
            if (const auto* v = Find(attrs, "name")) run_.FontName = Utf8(*v);
            if (const auto* v = Find(attrs, "size")) {
                std::string s = Lower(*v);
                int64_t n = 0;
                int64_t size = data_.DefaultSize;
                if (ParseNumber(s, n)) size = (s[0] == '+' || s[0] == '-') ? data_.DefaultSize + n : n;
                run_.FontSize = static_cast<int>(std::clamp<int64_t>(size, 1, kHtmlMaxFontSize));
            }
            bool colored = false;
            if (const auto* v = Find(attrs, "color")) {
                colored = true;
                ReadColor(*v, data_.DefaultColor, run_.FontColor);
            }
            if (const auto* v = Find(attrs, "bgcolor")) {
                colored = true;
                ReadColor(*v, data_.DefaultBgColor, run_.FontBgColor);
            }
            if (colored) ++run_.ColorNesting;
            return;
        }
        if (name == "/font") {
            CloseRun();
            if (fontStack_.Empty()) return;
            const TFontSettings top = *std::unique_ptr<TFontSettings>(static_cast<TFontSettings*>(fontStack_.Pop()));
            if ((top.color != run_.FontColor || top.bgColor != run_.FontBgColor) && run_.ColorNesting > 0)
                --run_.ColorNesting;
            run_.FontName = top.name;
            run_.FontSize = top.size;
            run_.FontColor = top.color;
            run_.FontBgColor = top.bgColor;
            return;
        }
        // "/p", "html" and anything else: ignored.
    }

    TElHTMLData& data_;
    std::u32string_view text_;
    int maxWidth_;
    bool autoWrap_;
    size_t nextSemicolon_ = 0;
    bool semicolonKnown_ = false;
    TElHTMLItem run_;
    TElStack fontStack_;  // of TFontSettings, owned
    std::vector<int32_t> listIndents_;
};

}  // namespace

bool HtmlColorFromName(std::string_view name, TColor& color) {
    std::string s;
    for (char c : name) s += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (s.compare(0, 2, "cl") != 0) s = "cl" + s;
    for (const auto& c : kColors) {
        if (s == c.name) {
            color = c.color;
            return true;
        }
    }
    return false;
}

THtmlFont TElHTMLItem::MeasureFont() const {
    THtmlFont f;
    f.name = FontName;
    f.charset = Owner ? Owner->Charset : 0;
    f.style = (Flags & hifLink) && Owner ? Owner->LinkStyle : FontStyle;
    f.size = (Flags & (hifSubscript | hifSuperscript)) ? std::max(1, FontSize - 2) : FontSize;
    return f;
}

int32_t TElHTMLItem::GetWidth() {
    THtmlMetrics* m = Owner ? Owner->Metrics : nullptr;
    switch (ItemType) {
    case hikText:
        if (CachedWidth < 0) CachedWidth = m ? Clamp32(static_cast<int64_t>(m->TextWidth(MeasureFont(), Text)) + 1) : 0;
        return CachedWidth;
    case hikIndentMeasure: return m ? m->MaxCharWidth(MeasureFont()) : 0;
    default: return Width;  // images and rules carry theirs
    }
}

int32_t TElHTMLItem::GetHeight(int32_t& descent) {
    THtmlMetrics* m = Owner ? Owner->Metrics : nullptr;
    descent = 0;
    if (ItemType == hikText && m) {
        descent = m->Descent(MeasureFont());
        return m->TextHeight(MeasureFont());
    }
    if (ItemType == hikImage) return Height;
    return 0;
}

int32_t TElHTMLBreakItem::GetWidth() {
    THtmlMetrics* m = Owner ? Owner->Metrics : nullptr;
    return ItemType == hikListItem && m ? m->AverageCharWidth(MeasureFont()) : 0;
}

int32_t TElHTMLBreakItem::GetHeight(int32_t& descent) {
    descent = 0;
    THtmlMetrics* m = Owner ? Owner->Metrics : nullptr;
    if (!m || !Owner) return 0;
    int32_t h = m->TextHeight(Owner->DefaultFontSpec());
    // One and a half lines, rounded to the nearest pixel (halves up) as a 64-bit product.
    if (ItemType == hikParagraph && !(Owner->Items.size() && Owner->Items.front().get() == this))
        return Clamp32((static_cast<int64_t>(std::max(h, 0)) * 3 + 1) / 2);
    return h;
}

void PrepareHtmlText(TElHTMLData& data, std::u32string_view text, int maxWidth, bool autoWrap) {
    data.Items.clear();
    data.TextWidth = data.TextHeight = 0;
    try {
        Parser(data, text, maxWidth, autoWrap).Run();
    } catch (...) {
        data.Items.clear();
        throw EElHTMLError();
    }
    MeasureHtml(data);
}

void MeasureHtml(TElHTMLData& data) {
    int64_t textWidth = 0, textHeight = 0;
    TElHTMLBreakItem* line = nullptr;
    int64_t width = 0, height = 0, descent = 0;
    auto finish = [&]() {
        if (!line) return;
        line->Width = Clamp32(width);
        line->Height = Clamp32(height);
        line->LineDescent = Clamp32(descent);
        textWidth = std::max(textWidth, width);
        textHeight += height;
    };
    for (auto& item : data.Items) {
        if (item->IsBreak()) {
            finish();
            line = static_cast<TElHTMLBreakItem*>(item.get());
            int32_t d = 0;
            height = line->GetHeight(d);
            descent = d;
            width = line->Indent;
            continue;
        }
        int32_t d = 0;
        int64_t h = item->GetHeight(d);
        int64_t dd = d;
        if (item->Flags & hifSuperscript) {
            dd -= h / 2;
            h += h * 2 / 3;
        } else if (item->Flags & hifSubscript) {
            dd += h / 4;
            h += h / 4;
        }
        width += item->GetWidth();
        height = std::max(height, h);
        descent = std::max(descent, dd);
    }
    finish();
    data.TextWidth = Clamp32(textWidth);
    data.TextHeight = Clamp32(textHeight);
}

std::vector<THtmlDrawOp> LayOutHtml(const TElHTMLData& data, int32_t width, int32_t height, int32_t originX,
                                    int32_t originY) {
    std::vector<THtmlDrawOp> ops;
    if (width <= 0 || height <= 0) return ops;
    int64_t y = 0, x = 0;
    int64_t lineHeight = 0, lineDescent = 0, lineWidth = 0, previousWidth = 0;
    bool first = true;
    for (const auto& item : data.Items) {
        if (item->IsBreak()) {
            const auto* b = static_cast<const TElHTMLBreakItem*>(item.get());
            if (!first) y += lineHeight;
            first = false;
            if (y > static_cast<int64_t>(height) + originY) break;
            lineHeight = b->Height;
            lineDescent = b->LineDescent;
            lineWidth = b->Width;
            int64_t wide = std::max<int64_t>(previousWidth, width);
            if (b->Alignment == 1)
                x = (wide - 1 - lineWidth) / 2;
            else if (b->Alignment == 2)
                x = wide - lineWidth - 1;
            else
                x = b->Indent;
            previousWidth = lineWidth;
            if (b->ItemType == hikListItem) {
                int64_t w = const_cast<TElHTMLBreakItem*>(b)->GetWidth();
                ops.push_back({THtmlDrawOp::Bullet, b, Clamp32(x - 1 - w - originX),
                               Clamp32(y - originY + (lineHeight - w) / 2), Clamp32(w), Clamp32(w)});
            }
            continue;
        }
        TElHTMLItem* it = const_cast<TElHTMLItem*>(item.get());
        switch (it->ItemType) {
        case hikText: {
            int32_t d = 0;
            int64_t h = it->GetHeight(d);
            int64_t base = lineHeight + y - originY - lineDescent;
            if (it->Flags & hifSuperscript) base -= h / 2;
            if (it->Flags & hifSubscript) base += h / 4;
            ops.push_back({THtmlDrawOp::Text, it, Clamp32(x - originX), Clamp32(base), it->GetWidth(), Clamp32(h)});
            x += it->GetWidth();
            break;
        }
        case hikImage:
            ops.push_back({THtmlDrawOp::Image, it, Clamp32(x - originX), Clamp32(y - originY), it->Width, it->Height});
            x += it->Width;
            break;
        case hikRule: {
            int64_t w = it->Width ? it->Width : std::max<int64_t>(lineWidth, width);
            ops.push_back({THtmlDrawOp::Rule, it, Clamp32(x - originX), Clamp32(y - originY + lineHeight / 2),
                           Clamp32(w), 2});
            x += w;
            break;
        }
        default: break;
        }
    }
    return ops;
}

}  // namespace kvt::ui

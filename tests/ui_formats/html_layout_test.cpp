// HTML captions without a screen: what runs a caption parses into, how it wraps and measures,
// and where its pieces are painted. Fonts are a fixed-width fake so widths are exact.
#include <gtest/gtest.h>


#include "gui/ui/formats/html_layout.h"

namespace kvt::ui {
namespace {

// Every character is size/2 pixels wide (one more in bold); a line is 2 x size high.
class FakeMetrics : public THtmlMetrics {
public:
    int TextWidth(const THtmlFont& f, std::u32string_view t) override {
        return static_cast<int>(t.size()) * (f.size / 2 + ((f.style & fsBold) ? 1 : 0));
    }
    int TextHeight(const THtmlFont& f) override { return f.size * 2; }
    int Descent(const THtmlFont& f) override { return f.size / 2; }
    int AverageCharWidth(const THtmlFont& f) override { return f.size / 2; }
    int MaxCharWidth(const THtmlFont& f) override { return f.size; }
    bool ImageSize(std::u32string_view source, int& w, int& h) override {
        if (source != U"pic") return false;
        w = 10;
        h = 8;
        return true;
    }
};

struct Prepared {
    FakeMetrics metrics;
    TElHTMLData data;
    explicit Prepared(std::u32string_view text, int maxWidth = 0, bool wrap = false) {
        data.Metrics = &metrics;
        PrepareHtmlText(data, text, maxWidth, wrap);
    }
    // "P|T:Hello|B|..." : one letter per kind, text runs with their text.
    std::string Shape() const {
        std::string s;
        for (const auto& item : data.Items) {
            if (!s.empty()) s += '|';
            static const char* letters = "TSLPIRUM";
            s += letters[item->ItemType];
            if (item->ItemType == hikText) {
                s += ':';
                for (char32_t c : item->Text) s += c < 0x80 ? static_cast<char>(c) : '*';
            }
        }
        return s;
    }
    TElHTMLItem* Text(int n) const {
        for (const auto& item : data.Items)
            if (item->ItemType == hikText && n-- == 0) return item.get();
        return nullptr;
    }
};

TEST(HtmlParse, TagsEntitiesAndBlanksGiveTheseRuns) {
    struct Case {
        std::u32string html;
        std::string shape;
    } cases[] = {
        {U"Hello", "P|T:Hello"},
        {U"a  b", "P|T:a b"},
        {U"a &nbsp; b", "P|T:a  b"},
        // Line ends: CR LF and a lone CR are nothing, a lone LF is kept like a tab.
        {U"a\r\nb\tc", "P|T:ab\tc"},
        {U"a\rb\r", "P|T:ab"},
        {U"a\nb", "P|T:a\nb"},
        {U"a\r\n\nb\n\r", "P|T:a\nb\n"},
        {U"<B>x</b>y", "P|T:x|T:y"},
        {U"x<unknown attr=1>y&bogus;z</p><html>", "P|T:xyz"},
        {U"&amp;&lt;&gt;&quot;&#65;&#x;&#0;&#9999999;&#55296;&#12345678901;", "P|T:&<>\"A "},
        // An entity's name runs to the next ";", however long; unknown ones give nothing.
        {U"x&unknownentity;y&foo-bar;z&;", "P|T:xyz"},
        {U"AT&T rocks; yes", "P|T:AT yes"},
        {U"&AMP;&Lt;", "P|T:&<"},
        // With no ";" left an entity runs to the end; any other "&" is plain text.
        {U"fish &amp", "P|T:fish &"},
        {U"x&#65", "P|T:xA"},
        {U"Fish & chips", "P|T:Fish & chips"},
        {U"a &amp b &", "P|T:a &amp b &"},
        {U"<!-- note > here -->x", "P|T:x"},
        // The first ">" ends a tag even inside quotes; the rest is text.
        {U"<a href='x>y'>z", "P|T:y'>z"},
        {U"<p align=right>x", "P|T:x"},
        {U"a<br>b", "P|T:a|L|T:b"},
        {U"a<hr width=50>b", "P|T:a|L|R|L|T:b"},
        {U"<ul><li>a<li>b</ul>c", "P|U|T:a|U|T:b|L|T:c"},
        {U"a<br><li>b", "P|T:a|U|T:b"},
        {U"<img src=pic><img src=''>x", "P|I|T:x"},
        {U"<a href=\"go there\">l</a>n", "P|T:l|T:n"},
        {U"", "P"},
    };
    for (const auto& c : cases) {
        Prepared p(c.html);
        EXPECT_EQ(p.Shape(), c.shape) << std::string(c.html.begin(), c.html.end());
    }
    Prepared euro(U"&euro;&#128;&trade;&#153;&copy;&SECT;");
    EXPECT_EQ(euro.Text(0)->Text, U"\u20AC\u20AC\u2122\u2122\u00A9\u00A7");
}

// Each closing font tag gives back the font, size and colours the matching opening one found; a
// closing tag with nothing open, and font tags left open at the end, change nothing else.
TEST(HtmlParse, FontTagsNestAndCloseInOrder) {
    Prepared p(U"</font><font size=+2>a<font name=Serif size=20 color=#FF0000>b</font>c</font>d<font name=Mono>e");
    ASSERT_EQ(p.Shape(), "P|T:a|T:b|T:c|T:d|T:e");
    const struct {
        const char* font;
        int size;
        TColor color;
        int nesting;
    } runs[] = {
        {"MS Sans Serif", 13, clWindowText, 0}, {"Serif", 20, 0x0000FF, 1}, {"MS Sans Serif", 13, clWindowText, 0},
        {"MS Sans Serif", 11, clWindowText, 0}, {"Mono", 11, clWindowText, 0},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p.Text(i)->FontName, runs[i].font);
        EXPECT_EQ(p.Text(i)->FontSize, runs[i].size);
        EXPECT_EQ(p.Text(i)->FontColor, runs[i].color);
        EXPECT_EQ(p.Text(i)->ColorNesting, runs[i].nesting);
    }
    // Nested far deeper than the stack's first room, and back out again.
    std::u32string deep;
    for (int i = 1; i <= 100; ++i) deep += U"<font size=" + std::u32string(1, U'0' + i % 10) + U">x";
    deep += U"y";
    for (int i = 0; i < 99; ++i) deep += U"</font>";
    deep += U"z</font>w";
    Prepared d(deep);
    EXPECT_EQ(d.Text(100)->FontSize, 1);  // z: inside the first tag again (size 1)
    EXPECT_EQ(d.Text(101)->FontSize, 11);
}

TEST(HtmlParse, UnterminatedMarkupIsInvalidAndLeavesNoItems) {
    for (const char32_t* html : {U"x<b", U"x<!-- open", U"x<!-- a -- >", U"<font color='red"}) {
        FakeMetrics m;
        TElHTMLData data;
        data.Metrics = &m;
        PrepareHtmlText(data, U"ok", 0, false);
        try {
            PrepareHtmlText(data, html, 0, false);
            ADD_FAILURE() << "accepted";
        } catch (const EElHTMLError& e) {
            EXPECT_STREQ(e.what(), "HTML engine error - the text is not valid HTML");
        }
        EXPECT_TRUE(data.Items.empty());
    }
}


TEST(HtmlWrap, BreaksAtTheLastBlankOrMovesTheRun) {
    struct Case {
        std::u32string html;
        int maxWidth;
        std::string shape;
    } cases[] = {
        // 5 pixels a character, plus one per run.
        {U"aaa bbb ccc", 40, "P|T:aaa bbb |S|T:ccc"},
        {U"aaa bbb ccc", 20, "P|T:aaa |S|T:bbb |S|T:ccc"},
        {U"abcdefgh", 20, "P|T:abc|S|T:def|S|T:gh"},
        {U"ab<b>cdefg</b>", 30, "P|T:ab|S|T:cdef|S|T:g"},
        // A character too wide for the line moves on alone: the line it leaves stays empty.
        {U"x", 1, "P|S|T:x"},
        {U"abc", 1, "P|S|T:a|S|T:b|S|T:c"},
        {U"ab cd", 1, "P|S|T:a|S|T:b |S|S|T:c|S|T:d"},
        {U"<b>ab</b>c", 1, "P|S|T:a|S|T:b|S|T:c"},
    };
    for (const auto& c : cases) {
        Prepared p(c.html, c.maxWidth, true);
        EXPECT_EQ(p.Shape(), c.shape) << std::string(c.html.begin(), c.html.end()) << " in " << c.maxWidth;
    }
    // A soft break keeps the alignment and indent of the line it continues.
    Prepared centred(U"<p align=center indent=3>aaa bbb", 20, true);
    auto* soft = static_cast<TElHTMLBreakItem*>(centred.data.Items[2].get());
    ASSERT_EQ(soft->ItemType, hikSoftBreak);
    EXPECT_EQ(soft->Alignment, 1);
    EXPECT_EQ(soft->Indent, 3);
}

TEST(HtmlLayOut, PlacesRunsOnTheirBaselinesAndAlignsLines) {
    Prepared p(U"ab<p align=center>cd<p align=right>ef<p><ul><li>g</ul><hr>");
    auto ops = LayOutHtml(p.data, 100, 400, 0, 0);
    // Lines are 22 high (33 for a paragraph) with a descent of 5; runs are 5 pixels a letter + 1.
    struct Expect {
        THtmlDrawOp::Kind kind;
        int x, y, w;
    } expected[] = {
        {THtmlDrawOp::Text, 0, 22 - 5, 11},
        {THtmlDrawOp::Text, (100 - 1 - 11) / 2, 22 + 33 - 5, 11},
        {THtmlDrawOp::Text, 100 - 11 - 1, 55 + 33 - 5, 11},
        {THtmlDrawOp::Bullet, 11 - 1 - 5, 121 + (22 - 5) / 2, 5},
        {THtmlDrawOp::Text, 11, 121 + 22 - 5, 6},
        {THtmlDrawOp::Rule, 0, 165 + 11, 100},
    };
    ASSERT_EQ(ops.size(), std::size(expected));
    for (size_t i = 0; i < ops.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ops[i].kind, expected[i].kind);
        EXPECT_EQ(ops[i].x, expected[i].x);
        EXPECT_EQ(ops[i].y, expected[i].y);
        EXPECT_EQ(ops[i].width, expected[i].w);
    }
    // Scrolling moves everything; an empty rectangle paints nothing; lines below stop it.
    auto scrolled = LayOutHtml(p.data, 100, 400, 5, 7);
    EXPECT_EQ(scrolled[0].x, -5);
    EXPECT_EQ(scrolled[0].y, 17 - 7);
    EXPECT_TRUE(LayOutHtml(p.data, 0, 400, 0, 0).empty());
    EXPECT_TRUE(LayOutHtml(p.data, 100, -1, 0, 0).empty());
    EXPECT_EQ(LayOutHtml(p.data, 100, 30, 0, 0).size(), 2u);
}

// A full-width rule measures 0 wide: aligned like its line it would start at the right edge (or
// the middle) and run off the rectangle, so it starts at the left. A rule of a given width and
// the line after any rule keep the alignment.
TEST(HtmlLayOut, AFullWidthRuleStartsAtTheLeftUnderAnAlignedLine) {
    struct Case {
        std::u32string html;
        int32_t ruleX, ruleWidth;
    } cases[] = {
        {U"<p align=right>ab<hr>cd", 0, 100},
        {U"<p align=center>ab<hr>cd", 0, 100},
        {U"<p align=right>ab<hr width=30>cd", 100 - 30 - 1, 30},
        {U"<p align=center>ab<hr width=30>cd", (100 - 1 - 30) / 2, 30},
        {U"ab<hr width=30>cd", 0, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.html.begin(), c.html.end()));
        Prepared p(c.html);
        auto ops = LayOutHtml(p.data, 100, 400, 0, 0);
        ASSERT_EQ(ops.size(), 3u);
        EXPECT_EQ(ops[1].kind, THtmlDrawOp::Rule);
        EXPECT_EQ(ops[1].x, c.ruleX);
        EXPECT_EQ(ops[1].width, c.ruleWidth);
        // The text after the rule is aligned as the text before it.
        EXPECT_EQ(ops[2].x, ops[0].x);
    }
}

}  // namespace
}  // namespace kvt::ui

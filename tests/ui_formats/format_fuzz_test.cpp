// Bounded fuzzing of every reader of the control library: random and mutated bytes go to the
// settings loaders (text and binary), the HTML parser and the wave reader.
// Nothing may crash (the sanitizer build runs this too), and whatever a settings file loads as
// must survive being saved and loaded again.
#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "gui/ui/formats/html_layout.h"
#include "gui/ui/formats/settings_store.h"
#include "gui/ui/formats/text_utils.h"
#include "gui/ui/formats/wave_file.h"
#include "tests/support/engine_fixture.h"

namespace kvt::ui {
namespace {

constexpr uint32_t kSeed = 20240611;

class Mutator {
public:
    explicit Mutator(uint32_t seed) : rng_(seed) {}
    size_t Below(size_t n) { return n ? std::uniform_int_distribution<size_t>(0, n - 1)(rng_) : 0; }

    std::string Random(size_t maxLength, const std::string& alphabet = "") {
        std::string s(Below(maxLength + 1), '\0');
        for (char& c : s) c = alphabet.empty() ? static_cast<char>(Below(256)) : alphabet[Below(alphabet.size())];
        return s;
    }

    // Flips, inserts, deletes, duplicates and splices pieces of a valid input.
    std::string Mutate(std::string s, const std::string& alphabet = "") {
        const size_t edits = 1 + Below(8);
        for (size_t e = 0; e < edits; ++e) {
            char c = alphabet.empty() ? static_cast<char>(Below(256)) : alphabet[Below(alphabet.size())];
            switch (Below(6)) {
            case 0:
                if (!s.empty()) s[Below(s.size())] = c;
                break;
            case 1: s.insert(s.begin() + static_cast<std::ptrdiff_t>(Below(s.size() + 1)), c); break;
            case 2:
                if (!s.empty()) s.erase(Below(s.size()), 1 + Below(4));
                break;
            case 3: {
                if (s.empty()) break;
                size_t from = Below(s.size());
                std::string piece = s.substr(from, 1 + Below(16));
                s.insert(Below(s.size() + 1), piece);
                break;
            }
            case 4:
                if (!s.empty()) s.resize(Below(s.size()));
                break;
            case 5:
                if (!s.empty()) s[Below(s.size())] ^= static_cast<char>(1 << Below(8));
                break;
            }
        }
        return s;
    }

private:
    std::mt19937 rng_;
};

// Same tree: names (positional "#" names aside), types and values; values and subkeys each in
// order (a file lists a key's values before its subkeys, whatever order they were made in).
void ExpectSameTree(const TElIniEntry* a, const TElIniEntry* b, const std::string& where) {
    if (a->ValueType != kIniMultiString || !a->IsKey) {
        EXPECT_EQ(a->ValueType, b->ValueType) << where;
        EXPECT_EQ(a->BoolValue, b->BoolValue) << where;
        EXPECT_EQ(a->IntValue, b->IntValue) << where;
        EXPECT_EQ(a->SecondValue, b->SecondValue) << where;
        EXPECT_EQ(a->StringValue, b->StringValue) << where;
        EXPECT_EQ(a->MultiValue, b->MultiValue) << where;
        EXPECT_EQ(a->BinaryValue, b->BinaryValue) << where;
    }
    for (bool keys : {false, true}) {
        std::vector<const TElIniEntry*> x, y;
        for (const auto& c : a->Children)
            if (c->IsKey == keys) x.push_back(c.get());
        for (const auto& c : b->Children)
            if (c->IsKey == keys) y.push_back(c.get());
        ASSERT_EQ(x.size(), y.size()) << where;
        for (size_t i = 0; i < x.size(); ++i) {
            if (x[i]->Name.empty() || x[i]->Name[0] != '#' || keys) EXPECT_EQ(x[i]->Name, y[i]->Name) << where;
            ExpectSameTree(x[i], y[i], where + "/" + x[i]->Name);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

struct Tally {
    int runs = 0;
    int accepted = 0;
};

Tally FuzzSettings(bool binary, const std::vector<std::string>& seeds, int runs) {
    const std::string dir = kvt::testing::TempFolder(binary ? "fuzz-bin" : "fuzz-ini");
    const std::string input = dir + "/in", again = dir + "/again";
    Mutator m(kSeed + (binary ? 1 : 0));
    Tally t;
    for (int i = 0; i < runs && !::testing::Test::HasFailure(); ++i) {
        std::string bytes = i % 4 == 0 ? m.Random(200, binary ? "" : "ab=;[]\\\"#.0123456789-TRUEfalse454C \r\n")
                                       : m.Mutate(seeds[m.Below(seeds.size())]);
        WriteFileReplacing(input, bytes);
        TElIniFile ini;
        ini.SetBinaryMode(binary);
        ini.SetPath(input);
        ++t.runs;
        if (!ini.Load()) {
            ini.SetPath("");  // nothing to save on destruction
            continue;
        }
        ++t.accepted;
        ini.SetPath(again);
        EXPECT_TRUE(ini.Save());
        TElIniFile back;
        back.SetBinaryMode(binary);
        back.SetPath(again);
        EXPECT_TRUE(back.Load());
        ExpectSameTree(ini.Root(), back.Root(), "run " + std::to_string(i));
        if (::testing::Test::HasFailure()) ADD_FAILURE() << "input: " << ::testing::PrintToString(bytes);
    }
    return t;
}

TEST(FormatFuzz, TextSettingsLoadWithoutCrashingAndSurviveASaveAndLoad) {
    const std::vector<std::string> seeds = {
        ";warning\r\nCount=5\r\nRatio=1.5\r\nFlag=true\r\nData=454C 3 0A FF 01 \r\n[A\\B]\r\n=own\r\nList[0]=x\r\n"
        "List[5]=y\r\nText=\"a;b\" ; c\r\nName\r\n[C\r\nx=\"\\:a\\qb\\x0D\"\r\n",
        "[K]\r\nv=1\r\n[K\\L]\r\nw=454C 2 01\r\n#3=z\r\n",
    };
    Tally t = FuzzSettings(false, seeds, 1000);
    std::cout << "[ fuzz     ] ini text: " << t.runs << " inputs, " << t.accepted << " loaded\n";
    EXPECT_GT(t.accepted, 0);
}

TEST(FormatFuzz, BinarySettingsLoadWithoutCrashingAndSurviveASaveAndLoad) {
    std::vector<std::string> seeds;
    {
        const std::string dir = kvt::testing::TempFolder("fuzz-seed");
        TElIniFile ini;
        ini.SetBinaryMode(true);
        ini.SetPath(dir + "/seed");
        ini.WriteString("\\A\\B", "Text", "x;y");
        ini.WriteString("\\A", "", "own");
        ini.SetValueType("\\A", "I", kIniInteger);
        ini.SetValueType("\\", "L", kIniMultiString);
        ini.GetValueEntry("\\", "L")->MultiValue = {"a", "bc"};
        ini.SetValueType("\\", "B", kIniBinary);
        ini.GetValueEntry("\\", "B")->BinaryValue = {1, 2, 3};
        ini.SetValueType("\\", "P", kIniInt64Pair);
        ini.SetValueType("\\", "F", kIniBool);
        ini.Save();
        std::string s;
        ReadWholeFile(dir + "/seed", s);
        seeds.push_back(s);
    }
    Tally t = FuzzSettings(true, seeds, 1000);
    std::cout << "[ fuzz     ] ini binary: " << t.runs << " inputs, " << t.accepted << " loaded\n";
    EXPECT_GT(t.accepted, 0);
}

class FixedMetrics : public THtmlMetrics {
public:
    int TextWidth(const THtmlFont& f, std::u32string_view t) override { return static_cast<int>(t.size()) * f.size; }
    int TextHeight(const THtmlFont& f) override { return f.size * 2; }
    int Descent(const THtmlFont& f) override { return f.size / 3; }
    int AverageCharWidth(const THtmlFont& f) override { return f.size; }
    int MaxCharWidth(const THtmlFont& f) override { return f.size * 2; }
    bool ImageSize(std::u32string_view s, int& w, int& h) override {
        w = static_cast<int>(s.size()) * 1000;
        h = 40000;
        return !s.empty();
    }
};

TEST(FormatFuzz, HtmlParserNeverCrashesAndKeepsItsBounds) {
    const std::vector<std::string> seeds = {
        "<p align=center indent=4><b>Bold</b> &amp; <i>it</i><br><font size=+2 color=#FF0000 bgcolor=red "
        "name='Deja Vu'>big</font><ul><li>one<li>two<ul><li>deep</ul></ul><hr width=40><img src=pic width=9 "
        "height=7><a href=\"x y\">link</a><sub>2</sub><sup>3</sup>&nbsp;&#65;&euro;<!-- c -->",
        "a&#9999999;&b;<strikeout>s</strikeout></font></ul></a>",
    };
    Mutator m(kSeed + 3);
    FixedMetrics metrics;
    int accepted = 0;
    const int runs = 20000;
    for (int i = 0; i < runs; ++i) {
        std::string bytes = i % 3 == 0 ? m.Random(300, "<>/=\"' &;#abfilnpsu0123456789+-") : m.Mutate(seeds[m.Below(2)]);
        std::u32string text(bytes.begin(), bytes.end());
        for (char32_t& c : text) c &= 0xFF;
        TElHTMLData data;
        data.Metrics = &metrics;
        try {
            PrepareHtmlText(data, text, static_cast<int>(m.Below(400)), m.Below(2) == 1);
        } catch (const EElHTMLError&) {
            EXPECT_TRUE(data.Items.empty());
            continue;
        }
        ++accepted;
        ASSERT_FALSE(data.Items.empty());
        EXPECT_EQ(data.Items.front()->ItemType, hikParagraph);
        EXPECT_GE(data.TextWidth, 0);
        EXPECT_GE(data.TextHeight, 0);
        for (const auto& item : data.Items) {
            EXPECT_GE(item->FontSize, 1);
            EXPECT_LE(item->FontSize, kHtmlMaxFontSize);
            EXPECT_LE(item->Indent, kHtmlMaxPixels);
            if (item->IsBreak()) EXPECT_LE(static_cast<TElHTMLBreakItem*>(item.get())->ListLevel, kHtmlMaxListLevel);
        }
        LayOutHtml(data, static_cast<int32_t>(m.Below(500)), static_cast<int32_t>(m.Below(500)),
                   static_cast<int32_t>(m.Below(100)), static_cast<int32_t>(m.Below(100)));
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << ::testing::PrintToString(bytes);
            break;
        }
    }
    std::cout << "[ fuzz     ] html: " << runs << " inputs, " << accepted << " parsed\n";
    EXPECT_GT(accepted, 0);
}

TEST(FormatFuzz, WaveReaderNeverReadsPastTheFile) {
    std::string seed = "RIFF____WAVEfmt ";
    auto le = [](uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    seed += le(16, 4) + le(1, 2) + le(2, 2) + le(22050, 4) + le(88200, 4) + le(4, 2) + le(16, 2);
    seed += "LIST" + le(4, 4) + "INFO" + "data" + le(16, 4) + std::string(16, '\x11');
    Mutator m(kSeed + 4);
    int accepted = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = i % 4 == 0 ? "RIFF" + m.Random(80) : m.Mutate(seed);
        TWaveSound sound;
        if (!ParseWave(bytes, sound)) continue;
        ++accepted;
        EXPECT_LE(sound.samples.size(), bytes.size());
        EXPECT_EQ(sound.samples.size() % sound.FrameBytes(), 0u);
    }
    std::cout << "[ fuzz     ] wave: 3000 inputs, " << accepted << " read\n";
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace kvt::ui

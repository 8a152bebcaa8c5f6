// The settings store in its text, binary and registry modes: what a file loads as, what it is
// written back as, and that a damaged file the store could not read is never overwritten.
#include <gtest/gtest.h>


#include "gui/ui/formats/settings_store.h"
#include "gui/ui/formats/text_utils.h"
#include "tests/support/engine_fixture.h"

namespace kvt::ui {
namespace {

using kvt::testing::TempFolder;

std::string ReadFile(const std::string& path) {
    std::string s;
    ReadWholeFile(path, s);
    return s;
}

void WriteFile(const std::string& path, const std::string& s) { ASSERT_TRUE(WriteFileReplacing(path, s)); }

std::string FileStore(const std::string& text, const std::string& name = "s.ini") {
    std::string path = TempFolder("ini") + "/" + name;
    WriteFile(path, text);
    return path;
}

TEST(SettingsText, LoadsEachLineAsTheTypeItsTextReadsBackAs) {
    const std::string path = FileStore(
        "Count=5\r\nPadded=05\r\nRatio=1.5\r\nFlag=true\r\nOff=FALSE\r\nData=454C 3 0A FF 01 \r\n"
        "Broken=454C 9 zz\r\nText=a;b\r\nQuoted=\"a;b\" ; note\r\nName\r\nList[0]=x\r\nList[5]=y\r\n"
        "Neg=-7\r\nHuge=99999999999\r\nWide=454C 2 01 1FF \r\nShort=454C 3 01 02\r\nSign=454C 1 -\r\n"
        "Pair=-1.-2\r\nPlus=+1.2\r\nTwoDots=1.2.3\r\n");
    TElIniFile ini;
    ini.SetPath(path);
    ASSERT_TRUE(ini.Load());
    struct Case {
        const char* name;
        uint8_t type;
        std::string asText;
    } cases[] = {
        {"Count", kIniInteger, "5"},
        {"Padded", kIniString, "05"},
        {"Ratio", kIniInt64Pair, ""},
        {"Flag", kIniBool, "true"},
        {"Off", kIniBool, "false"},
        {"Data", kIniBinary, "454C 3 0A FF 01 "},
        {"Broken", kIniString, "454C 9 zz"},
        {"Text", kIniString, "a"},
        {"Quoted", kIniString, "\"a;b\" "},
        {"#10", kIniString, "Name"},
        {"List", kIniMultiString, "x\r\ny\r\n"},
        {"Neg", kIniInteger, "-7"},
        {"Huge", kIniString, "99999999999"},
        // Bytes read as the library reads them: a token above FF keeps its low byte, a sign alone
        // is 0, and a size the tokens cannot fill leaves the text a text.
        {"Wide", kIniBinary, "454C 2 01 FF "},
        {"Sign", kIniBinary, "454C 1 00 "},
        {"Short", kIniString, "454C 3 01 02"},
        {"Pair", kIniInt64Pair, ""},
        {"Plus", kIniString, "+1.2"},
        {"TwoDots", kIniString, "1.2.3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TElIniEntry* e = ini.GetValueEntry("\\", c.name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->ValueType, c.type);
        std::string s;
        if (c.type != kIniInt64Pair) {
            EXPECT_TRUE(ini.ReadString("\\", c.name, s, "?"));
            EXPECT_EQ(s, c.asText);
        }
    }
    TElIniEntry* ratio = ini.GetValueEntry("", "Ratio");
    EXPECT_EQ(ratio->IntValue, 1);
    EXPECT_EQ(ratio->SecondValue, 5);
    TElIniEntry* pair = ini.GetValueEntry("", "Pair");
    EXPECT_EQ(pair->IntValue, -1);
    EXPECT_EQ(pair->SecondValue, -2);
    bool b = false;
    EXPECT_TRUE(ini.ReadBool("", "Count", b, false));
    EXPECT_TRUE(b);
    EXPECT_FALSE(ini.ReadBool("", "Text", b, true));
    EXPECT_TRUE(b);  // the default
}

TEST(SettingsText, WritesTheFileInItsDocumentedLayout) {
    const std::string path = FileStore("");
    TElIniFile ini;
    ini.SetPath(path);
    ini.WriteString("\\", "Plain", "hello");
    ini.SetValueType("\\", "Flag", kIniBool);
    ini.GetValueEntry("\\", "Flag")->BoolValue = true;
    ini.SetValueType("\\Keys\\Sub", "Bytes", kIniBinary);
    ini.GetValueEntry("\\Keys\\Sub", "Bytes")->BinaryValue = {0x0A, 0xFF, 0x01};
    ini.SetValueType("\\Keys", "List", kIniMultiString);
    ini.GetValueEntry("\\Keys", "List")->MultiValue = {"x", "y"};
    ini.WriteString("\\Keys", "#7", "Name");
    ini.SetValueType("\\Keys", "Pair", kIniInt64Pair);
    ini.GetValueEntry("\\Keys", "Pair")->IntValue = -3;
    ini.GetValueEntry("\\Keys", "Pair")->SecondValue = 9;
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadFile(path),
              ";Automatically generated file. DO NOT MODIFY!!!\r\n"
              "Plain=hello\r\nFlag=true\r\n"
              "\r\n[Keys]\r\nList[0]=x\r\nList[1]=y\r\nName\r\nPair=-3.9\r\n"
              "\r\n[Keys\\Sub]\r\nBytes=454C 3 0A FF 01 \r\n");
    EXPECT_FALSE(ini.Modified());
}

// Strings that the plain text form would change (comments, line breaks, texts that read as
// another type) come back unchanged, and so do awkward names.
TEST(SettingsText, EveryStringAndNameSurvivesARoundTrip) {
    const std::vector<std::pair<std::string, std::string>> values = {
        {"Semicolon", "a;b"},
        {"Lines", "one\r\ntwo\nthree"},
        {"Number", "12"},
        {"Boolean", "TRUE"},
        {"Pair", "1.5"},
        {"Marker", "454C 1 41 "},
        {"WideMarker", "454C 1 1FF"},
        {"LooksEscaped", "\"\\:x\""},
        {"Quotes", "say \"hi\" ; ok"},
        {"Empty", ""},
        {"Blanks", "  padded  "},
        {"Header", "[x]"},
        {"Controls", std::string("a\tb\x01" "c")},
        {"Backslash", "C:\\dir\\file.wav"},
        {"with=sign", "v"},
        {";starts", "v"},
        {"[bracket", "v"},
        {"Index[3]", "v"},
        {"quote\"d", "v"},
    };
    const std::string path = FileStore("");
    {
        TElIniFile ini;
        ini.SetPath(path);
        for (const auto& [name, value] : values) ini.WriteString("\\Sect", name, value);
        ini.WriteString("\\Sect", "", "the key's own value");
        ini.SetValueType("\\Sect", "Multi", kIniMultiString);
        ini.GetValueEntry("\\Sect", "Multi")->MultiValue = {"a;b", "", "c\r\nd"};
        ASSERT_TRUE(ini.Save());
    }
    TElIniFile back;
    back.SetPath(path);
    ASSERT_TRUE(back.Load());
    for (const auto& [name, value] : values) {
        SCOPED_TRACE(name);
        TElIniEntry* e = back.GetValueEntry("\\Sect", name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->ValueType, kIniString);
        EXPECT_EQ(e->Name, name);
        EXPECT_EQ(e->StringValue, value);
    }
    std::string own;
    EXPECT_TRUE(back.ReadString("\\Sect", "", own, ""));
    EXPECT_EQ(own, "the key's own value");
    EXPECT_EQ(back.GetValueEntry("\\Sect", "Multi")->MultiValue, (std::vector<std::string>{"a;b", "", "c\r\nd"}));
    // Ordinary values stay as readable as before.
    EXPECT_NE(ReadFile(path).find("Backslash=C:\\dir\\file.wav\r\n"), std::string::npos);
}

TEST(SettingsBinary, EveryTypeSurvivesARoundTrip) {
    const std::string path = FileStore("", "s.bin");
    {
        TElIniFile ini;
        ini.SetBinaryMode(true);
        ini.SetPath(path);
        ini.WriteString("\\A\\B", "Text", "x;y\r\n");
        ini.WriteString("\\A", "", "own");
        ini.SetValueType("\\A", "Flag", kIniBool);
        ini.GetValueEntry("\\A", "Flag")->BoolValue = true;
        ini.SetValueType("\\A", "Int", kIniInteger);
        ini.GetValueEntry("\\A", "Int")->IntValue = -123456;
        ini.SetValueType("\\", "Lines", kIniMultiString);
        ini.GetValueEntry("\\", "Lines")->MultiValue = {"", "two"};
        ini.SetValueType("\\", "Blob", kIniBinary);
        ini.GetValueEntry("\\", "Blob")->BinaryValue = {0, 1, 254, 255};
        ini.SetValueType("\\", "Pair", kIniInt64Pair);
        ini.GetValueEntry("\\", "Pair")->IntValue = 7;
        ini.GetValueEntry("\\", "Pair")->SecondValue = -8;
        ASSERT_TRUE(ini.Save());
    }
    TElIniFile back;
    back.SetBinaryMode(true);
    back.SetPath(path);
    ASSERT_TRUE(back.Load());
    std::string s;
    EXPECT_TRUE(back.ReadString("\\A\\B", "Text", s, ""));
    EXPECT_EQ(s, "x;y\r\n");
    EXPECT_TRUE(back.ReadString("\\A", "", s, ""));
    EXPECT_EQ(s, "own");
    EXPECT_TRUE(back.ReadString("\\A", "Int", s, ""));
    EXPECT_EQ(s, "-123456");
    EXPECT_TRUE(back.ReadString("\\A", "Flag", s, ""));
    EXPECT_EQ(s, "true");
    EXPECT_EQ(back.GetValueEntry("\\", "Lines")->MultiValue, (std::vector<std::string>{"", "two"}));
    EXPECT_EQ(back.GetValueEntry("\\", "Blob")->BinaryValue, (std::vector<uint8_t>{0, 1, 254, 255}));
    EXPECT_EQ(back.GetValueEntry("\\", "Pair")->SecondValue, -8);
}

std::string Le32(int32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    return s;
}
std::string Str(const std::string& s) { return Le32(static_cast<int32_t>(s.size())) + s; }

// A damaged binary file is refused whole: the store keeps what it held and never writes over
// the file, neither on Save nor when it is destroyed with unsaved changes.
TEST(SettingsBinary, RefusesDamagedFilesAndNeverOverwritesThem) {
    const std::string good = std::string("\x01", 1) + Str("") + std::string("\x00", 1) + Str("N") + "\x02" + Le32(4) + Le32(5);
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"truncated length", std::string("\x01\x05\x00", 3)},
        {"string beyond the end", std::string("\x01", 1) + Le32(1000) + "abc"},
        {"huge string length", std::string("\x01", 1) + Le32(0x7FFFFFFF)},
        {"negative length", std::string("\x01", 1) + Le32(-4)},
        {"value size beyond the end", good + std::string("\x00", 1) + Str("V") + "\x02" + Le32(400) + Le32(1)},
        {"string running into the next record",
         good + std::string("\x00", 1) + Str("S") + "\x03" + Le32(6) + Le32(20) + "ab" + std::string("\x01", 1) + Str("K")},
        {"integer shorter than four bytes", std::string("\x00", 1) + Str("I") + "\x02" + Le32(2) + "ab"},
        {"unknown record tag", good + "\x07"},
        {"binary length beyond its value", std::string("\x00", 1) + Str("B") + "\x05" + Le32(5) + Le32(100) + "x"},
    };
    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        const std::string path = FileStore(bytes, "d.bin");
        {
            TElIniFile ini;
            ini.SetBinaryMode(true);
            ini.SetPath(path);
            ini.WriteString("\\Kept", "V", "before");
            EXPECT_FALSE(ini.Load());
            EXPECT_TRUE(ini.LoadFailed());
            std::string s;
            EXPECT_TRUE(ini.ReadString("\\Kept", "V", s, ""));
            EXPECT_EQ(s, "before");
            EXPECT_FALSE(ini.Save());
            ini.WriteString("\\Kept", "V", "after");
        }
        EXPECT_EQ(ReadFile(path), bytes);
    }
    // Unknown value types are skipped by their size; the rest of the file loads.
    const std::string path = FileStore(std::string("\x00", 1) + Str("U") + "\x09" + Le32(3) + "xyz" + good, "u.bin");
    TElIniFile ini;
    ini.SetBinaryMode(true);
    ini.SetPath(path);
    EXPECT_TRUE(ini.Load());
    std::string s;
    EXPECT_TRUE(ini.ReadString("\\", "N", s, ""));
    EXPECT_EQ(s, "5");
    EXPECT_EQ(ini.GetValueEntry("\\", "U"), nullptr);
}

// The registry stand-in, in a file of the test's own.
class SettingsRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = TempFolder("reg") + "/registry.txt";
        SetRegistryFile(file_);
    }
    void TearDown() override { SetRegistryFile(TempFolder("reg-unused") + "/none.txt"); }
    std::string file_;
};

TEST_F(SettingsRegistry, ValuesPersistInTheRegistryFile) {
    {
        TElIniFile ini;
        ini.SetUseRegistry(true);
        ini.SetPath("\\Software\\Test\\");
        EXPECT_EQ(ini.Path(), "\\Software\\Test");
        EXPECT_TRUE(ini.WriteString("Events\\Click", "", "click.wav"));
        EXPECT_TRUE(ini.WriteString("Events\\Click", "Note", "a;b\r\n"));
        EXPECT_TRUE(ini.OpenKey("Events", false));
        EXPECT_EQ(ini.CurrentPath(), "\\Events");
        EXPECT_TRUE(ini.OpenKey("Click", false));
        EXPECT_EQ(ini.CurrentPath(), "\\Events\\Click");
        EXPECT_FALSE(ini.OpenKey("Missing", false));
        EXPECT_EQ(ini.CurrentPath(), "\\Events\\Click");
    }
    SetRegistryFile(file_);  // forget the hive in memory: read the file again
    TElIniFile ini;
    ini.SetUseRegistry(true);
    ini.SetPath("\\SOFTWARE\\TEST");
    std::string s;
    EXPECT_TRUE(ini.ReadString("\\Events\\Click", "", s, ""));
    EXPECT_EQ(s, "click.wav");
    EXPECT_TRUE(ini.ReadString("\\Events\\Click", "note", s, ""));
    EXPECT_EQ(s, "a;b\r\n");
    EXPECT_FALSE(ini.ReadString("\\Events\\Click", "Other", s, "dflt"));
    EXPECT_EQ(s, "dflt");
}

}  // namespace
}  // namespace kvt::ui

// The settings text format: value parsing, reading by position and composing from the template.
#include "panel/settings_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

const int kZeros[kSettingPositions] = {0, 0, 0, 0, 0, 0, 0, 0, 0};

const char kFirstStartFile[] = "[WindowPoint]\r\nx=0\r\ny=0\r\n[MouseMode]\r\n"
                               "Wheel1_Play =0\r\nWheel1_Pause=0\r\nWheel2_Mode =0\r\nBottunMode  =0\r\n";

std::string ReadBinary(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(SettingsValue, ParsesLikeStrtolClampedToInt) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"1", 1},
        {" 1", 1},
        {"\t\v\f 42", 42},
        {"-7", -7},
        {"+5", 5},
        {"007", 7},
        {"12abc", 12},
        {"1 2", 1},
        {"1=2", 1},
        {"abc", 0},
        {"", 0},
        {" ", 0},
        {"-", 0},
        {"+", 0},
        {"--1", 0},
        {"- 1", 0},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"99999999999999999999999999999", INT_MAX},
        {"-99999999999999999999999999999", INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseSettingValue(c.text), c.expected) << '"' << c.text << '"';
}

TEST(SettingsValue, HugeDigitRunClampsWithoutOverflow) {
    EXPECT_EQ(ParseSettingValue(std::string(100000, '9')), INT_MAX);
    EXPECT_EQ(ParseSettingValue("-" + std::string(100000, '9')), INT_MIN);
    EXPECT_EQ(ParseSettingValue(std::string(100000, '0') + "3"), 3);
    // A value of blanks only, not followed by a terminator: nothing past its end is read (ASan would see it).
    const char blanks[3] = {' ', ' ', ' '};
    EXPECT_EQ(ParseSettingValue(std::string_view(blanks, sizeof blanks)), 0);
}

TEST(SettingsRead, ValuesGoByPositionOfEachEqualsSign) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"shipped layout, CR LF",
         "[WindowPoint]\r\nx=300\r\ny=200\r\n[MouseMode]\r\nWheel1_Play =1\r\nWheel1_Pause=0\r\n"
         "Wheel2_Mode =5\r\nBottunMode  =1\r\n",
         {300, 200, 1, 0, 5, 1}},
        {"LF only",
         "[WindowPoint]\nx=300\ny=200\n[MouseMode]\nWheel1_Play =1\nWheel1_Pause=0\n"
         "Wheel2_Mode =5\nBottunMode  =1\n",
         {300, 200, 1, 0, 5, 1}},
        {"CR only", "x=1\ry=2\rz=3", {1, 2, 3}},
        {"lines swapped: names are not read",
         "x=0\r\ny=0\r\nWheel1_Pause=1\r\nWheel1_Play =0\r\n",
         {0, 0, 1, 0}},
        {"blank and letters", "a= 1\r\nb=abc\r\nc=\r\n", {1, 0, 0}},
        {"a further '=' belongs to the value", "a=1=2\r\nb=3\r\n", {1, 3}},
        {"a section line holding '=' counts", "[a=b]\r\nx=4\r\n", {0, 4}},
        {"lines without '=' are skipped", "junk\r\n\r\n[s]\r\nx=8\r\nmore junk\r\ny=9", {8, 9}},
        {"last value without a line end", "x=17", {17}},
        {"empty lines between", "x=1\r\n\r\n\n\ny=2\r\n", {1, 2}},
        {"no '=' at all", "[WindowPoint]\r\n", {}},
        {"empty", "", {}},
        {"NUL bytes are ordinary text", std::string("x=1\0y=2\r\nz=3", 13), {1, 3}},
        {"at most nine positions",
         "=1\n=2\n=3\n=4\n=5\n=6\n=7\n=8\n=9\n=10\n=11\n",
         {1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadSettingValues(c.text), c.expected) << c.name;
}

TEST(SettingsRead, LongFileAndLongValues) {
    // Far past any fixed buffer: a long section line, a 5000-character value and a value after 1 MB.
    std::string text = "[" + std::string(3000, 'k') + "]\r\nx=" + std::string(5000, '7') + "\r\ny=";
    text += std::string(1 << 20, ' ') + "12\r\n";
    EXPECT_EQ(ReadSettingValues(text), (std::vector<int>{INT_MAX, 12}));
}

TEST(SettingsCompose, FirstStartIsTheTemplateWithZeros) {
    const std::string out = ComposeSettingsText(ShippedSettingsTemplate(), kZeros);
    EXPECT_EQ(out.size(), 102u);
    EXPECT_EQ(out, kFirstStartFile);
}

TEST(SettingsCompose, BuiltInTemplateIsTheShippedFile) {
    EXPECT_EQ(ShippedSettingsTemplate().size(), 96u);
    EXPECT_EQ(std::string(ShippedSettingsTemplate()), ReadBinary(TELLY_TEMPLATE_PATH));
}

TEST(SettingsCompose, TemplateBytesCopiedThroughAndValueLinesEndedByCrLf) {
    const int values[kSettingPositions] = {-1, 2147483647, INT_MIN, 3, 4, 5, 6, 7, 8};
    struct Case {
        const char* name;
        std::string templ;
        std::string expected;
    };
    const Case cases[] = {
        {"empty template", "", ""},
        {"LF key lines keep LF, value lines get CR LF", "[s]\nx=\ny=\n", "[s]\nx=-1\r\ny=2147483647\r\n"},
        {"template text after '=' is dropped", "a=old\r\nb==x\r\n", "a=-1\r\nb=2147483647\r\n"},
        {"last value line without line end", "[s]\r\nx=", "[s]\r\nx=-1\r\n"},
        {"trailing text without '=' is kept as it is", "x=\r\n[end]\r\nnote", "x=-1\r\n[end]\r\nnote"},
        {"key texts are copied byte for byte", "\x81\x40 key \t=\r\n", "\x81\x40 key \t=-1\r\n"},
        {"seven lines carry the scan-line mode", std::string(ShippedSettingsTemplate()) + "ScanLine=\r\n",
         "[WindowPoint]\r\nx=-1\r\ny=2147483647\r\n[MouseMode]\r\nWheel1_Play =-2147483648\r\n"
         "Wheel1_Pause=3\r\nWheel2_Mode =4\r\nBottunMode  =5\r\nScanLine=6\r\n"},
        {"beyond nine positions the value is left empty", "=\n=\n=\n=\n=\n=\n=\n=\n=\n=\n=\n",
         "=-1\r\n=2147483647\r\n=-2147483648\r\n=3\r\n=4\r\n=5\r\n=6\r\n=7\r\n=8\r\n=\r\n=\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposeSettingsText(c.templ, values), c.expected) << c.name;
}

TEST(SettingsCompose, ReadingBackGivesTheValuesOfEveryValueLine) {
    const int values[kSettingPositions] = {11, -22, 1, 0, INT_MAX, INT_MIN, 2, 25, 24};
    const std::string templates[] = {
        std::string(ShippedSettingsTemplate()),
        std::string(ShippedSettingsTemplate()) + "ScanLine=\r\nMaskTop=\r\nMaskBottom=\r\nExtra=\r\n",
        "a=1=2\nb=\rc=\r\n",
        "x=" + std::string(5000, '=') + "\r\ny=" + std::string(3000, 'z'),
    };
    const size_t expectedCount[] = {6, 9, 2, 2};
    for (size_t t = 0; t < 4; ++t) {
        const std::vector<int> back = ReadSettingValues(ComposeSettingsText(templates[t], values));
        ASSERT_EQ(back.size(), expectedCount[t]) << t;
        for (size_t n = 0; n < back.size(); ++n)
            EXPECT_EQ(back[n], values[n]) << t << ' ' << n;
    }
}

// The position bar mapping and the reply parsing the controller relies on. Pure functions.
#include "playback/knob_mapping.h"
#include "playback/movie_device.h"

#include <gtest/gtest.h>

#include <climits>

using namespace fw;

namespace {

TEST(KnobMapping, RightEndOfTheBarSeeksToLengthMinusOne) {
    for (int length : {1, 2, 10, 100, 165, 999, 1000, 7919, 90000, 1000000, 16000000}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(KnobToPosition(length, 24), 0);
        EXPECT_EQ(KnobToPosition(length, 189), length - 1);
    }
}

TEST(KnobMapping, KnobToPositionStaysInsideIntForAnyLength) {
    for (int length : {INT_MAX, 2000000000, INT_MIN, -1}) {
        SCOPED_TRACE(length);
        for (int knob = 24; knob <= 189; ++knob) {
            const long long exact = static_cast<long long>(static_cast<double>(length) *
                                                           static_cast<double>(0.006060606f) * (knob - 24));
            EXPECT_EQ(KnobToPosition(length, knob), exact);
        }
        if (length == -1) continue;
        // Off the bar, a long movie would leave the int range: saturated.
        EXPECT_EQ(KnobToPosition(length, INT_MAX), length > 0 ? INT_MAX : INT_MIN);
        EXPECT_EQ(KnobToPosition(length, INT_MIN), length > 0 ? INT_MIN : INT_MAX);
    }
}

TEST(KnobMapping, PositionToKnobStaysOnTheBar) {
    struct Case {
        int position, length, knob;
    } cases[] = {
        {0, 1000, 24},     {500, 1000, 24 + 82}, {999, 1000, 188}, {1000, 1000, 189},
        {5000, 1000, 189}, {-20, 1000, 24},      {0, 0, 24},       {123, 0, 24},
        {5, -7, 24},       {INT_MAX, 1, 189},    {INT_MIN, 1, 24}, {1, INT_MAX, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << "/" << c.length);
        EXPECT_EQ(PositionToKnob(c.position, c.length), c.knob);
    }
}

TEST(KnobMapping, KnobAndPositionRoundTripWithinOnePixel) {
    const int length = 4321;
    for (int knob = 24; knob <= 189; ++knob) {
        const int back = PositionToKnob(KnobToPosition(length, knob), length);
        EXPECT_LE(knob - back, 1);
        EXPECT_GE(knob - back, 0);
    }
}

TEST(MciText, RepliesReadLikeAtoiButNeverOverflow) {
    struct Case {
        const wchar_t* reply;
        int value;
    } cases[] = {{L"", 0},
                 {L"1234", 1234},
                 {L"  42", 42},
                 {L"-17", -17},
                 {L"+8", 8},
                 {L"12abc", 12},
                 {L"abc", 0},
                 {L"\t\n7", 7},
                 {L"99999999999999", INT_MAX},
                 {L"-99999999999999", INT_MIN},
                 {L"2147483647", INT_MAX},
                 {L"-2147483648", INT_MIN}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseMciNumber(c.reply), c.value) << c.reply;
}

TEST(MciText, OpenCommandQuotesThePathAndRefusesQuotes) {
    std::wstring command;
    ASSERT_TRUE(BuildOpenCommand(L"C:\\My Movies\\a b.avi", &command));
    EXPECT_EQ(command, L"open \"C:\\My Movies\\a b.avi\" alias  movie");
    ASSERT_TRUE(BuildOpenCommand(std::wstring(300, L'x'), &command));
    EXPECT_EQ(command.size(), 300u + 20u);
    command = L"unchanged";
    EXPECT_FALSE(BuildOpenCommand(L"a\" type waveaudio \"b", &command));
    EXPECT_EQ(command, L"unchanged");
}

} // namespace

#include <gtest/gtest.h>

#include "app/version.h"

namespace {

struct VersionCase {
    const wchar_t* text;
    int hundredths;
};

TEST(VersionToHundredths, ReadsLikeAtofAndRoundsToHundredths) {
    const VersionCase cases[] = {
        {L"2.80", 280},
        {L"2.8", 280},
        {L"1.05", 105},
        // A plain truncation of the binary product would give 114, 28 and 56.
        {L"1.15", 115},
        {L"0.29", 29},
        {L"0.57", 57},
        {L"", 0},
        {L"abc", 0},
        {L"-1.5", -150},
        {L"  3.1", 310},  // leading white space
        {L"2.80a", 280},  // stops at the first other character
        {L"+1.2", 120},
        {L".5", 50},
        {L"5.", 500},
        {L"1e1", 1000},
        {L"1e", 100},  // a bare exponent sign is not read
        {L"-", 0},
        {L".", 0},
        {L"1234567890", -1},  // fits ten characters, but not an int in hundredths
        {L"12345678.9", 1234567890},
        {L"12345678901", -1},  // eleven characters
        {L"inf", 0},
        {L"0x10", 0},  // forms the C libraries disagree on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(VersionToHundredths(c.text), c.hundredths);
    }
}

TEST(FormatVersion, PrintsHundredthsOrDashes) {
    EXPECT_EQ(FormatVersion(280), L"2.80");
    EXPECT_EQ(FormatVersion(5), L"0.05");
    EXPECT_EQ(FormatVersion(0), L"0.00");
    EXPECT_EQ(FormatVersion(12345), L"123.45");
    EXPECT_EQ(FormatVersion(-1), L"---");
    EXPECT_EQ(FormatVersion(-150), L"---");
}

}  // namespace

#include "app/text_format.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatTextTest, FillsConversionsInOrderAndLeavesTheRest) {
    struct Case {
        const wchar_t* format;
        std::initializer_list<CString> values;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"From %s  To %s", {L"-.--", L"2.80"}, L"From -.--  To 2.80"},
        {L"This installer doesn't support %s.",
         {L"QZ-90"},
         L"This installer doesn't support QZ-90."},
        // A value is never read as a format itself.
        {L"%s!", {L"%s %d"}, L"%s %d!"},
        {L"100%% %s", {L"done"}, L"100% done"},
        {L"%s and %s", {L"one"}, L"one and "},
        {L"%d stays, so does a trailing %", {L"x"}, L"%d stays, so does a trailing %"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatText(c.format, c.values), c.expected) << c.format;
    }
}

}  // namespace

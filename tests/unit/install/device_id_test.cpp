#include <gtest/gtest.h>

#include <string>

#include "install/device_id.h"

namespace {

TEST(ParseDeviceId, SplitsPairsByTheExactRules) {
    struct Case {
        const wchar_t* text;
        CMapStringToString pairs;
    };
    const Case cases[] = {
        {L"MDL:QZ-70;VER:2.80", {{L"MDL", L"QZ-70"}, {L"VER", L"2.80"}}},
        {L"MDL:QZ-70;VER:2.80;", {{L"MDL", L"QZ-70"}, {L"VER", L"2.80"}}},
        {L"VER:1.00;VER:2.00;", {{L"VER", L"2.00"}}},  // the later pair wins
        {L"mdl:QZ-70", {{L"mdl", L"QZ-70"}}},
        {L" MDL:QZ-70", {{L" MDL", L"QZ-70"}}},
        {L"K: v \r\n;", {{L"K", L" v \r\n"}}},  // nothing trimmed
        {L"K:a:b;", {{L"K", L"a:b"}}},          // later colons belong to the value
        {L"ABC", {{L"", L"ABC"}}},
        // The key runs on across a semicolon to the next colon.
        {L"X;MDL:QZ-70;", {{L"X;MDL", L""}, {L"MDL", L"QZ-70"}}},
        {L"A:1;;B:2", {{L"A", L"1"}, {L";B", L""}, {L"B", L"2"}}},
        // A segment without a colon after it: the empty key, valued from the text's start.
        {L"MDL:QZ-70;ABC", {{L"MDL", L"QZ-70"}, {L"", L"MDL:QZ-70;ABC"}}},
        {L";", {{L"", L""}}},
        {L":;", {{L"", L""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        CMapStringToString values{{L"OLD", L"gone"}};
        EXPECT_EQ(ParseDeviceId(values, c.text), 1);
        EXPECT_EQ(values, c.pairs);
    }
}

TEST(ParseDeviceId, FindsNoPairInAnEmptyReply) {
    CMapStringToString values{{L"OLD", L"gone"}};
    EXPECT_EQ(ParseDeviceId(values, L""), 0);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(ParseDeviceId(values, nullptr), 0);
}

TEST(ExtractStatusText, TakesTheStatusWordByFormat) {
    struct Case {
        int format;
        const wchar_t* status;
        const wchar_t* text;
    };
    const Case cases[] = {
        {-1, L"80000000", L"80000000"},
        {-1, L"800000001234", L"80000000"},
        {-1, L"8000000", L""},
        {-1, L"", L""},
        {0, L"0208800000000104ABCD", L"ABCD"},
        {0, L"0104ABCD", L"ABCD"},
        {0, L"0104ABCD0104EFGH", L"ABCD"},  // the first record of type 1
        {0,
         L"0200"
         L"0104ABCD",
         L"ABCD"},                  // an empty record is skipped
        {0, L"020880000000", L""},  // no record of type 1
        {0, L"0106AB", L"AB"},      // clipped to the value
        {0, L"0102", L""},
        {0, L"01", L""},  // no length characters: length 0
        {0, L" 1 2AB", L"AB"},
        {0, L"0x0x0104ABCD", L"ABCD"},  // "0x" fields read 0: an empty record of type 0
        {0, L"02FF0104ABCD", L""},      // a length past the end ends the walk
        // A negative length ends the walk with no text.
        {0, L"02-10104ABCD", L""},
        {0, L"02-1x02AB", L""},  // stepping back by one would find a record "1x02AB"
        {0, L"02-40104ABCD", L""},
        {0, L"01-1ABCD", L""},
        {0, L"", L""},
        {1, L"80000000", L""},
        {-2, L"80000000", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.format << " " << testing::PrintToString(std::wstring(c.status)));
        CString out = L"stale";
        EXPECT_EQ(ExtractStatusText(c.format, out, c.status), *c.text != 0 ? 1 : 0);
        EXPECT_EQ(out, c.text);
    }
}

TEST(CheckStatus, PassesWithoutFormatOrInLoaderModeAndElseNeedsAStatusWord) {
    struct Case {
        const char* label;
        CMapStringToString values;
        int format;
        int result;
        const wchar_t* statusText;
    };
    const Case cases[] = {
        {"no format, no STATUS", {{L"MDL", L"QZ-70"}}, -2, 1, L""},
        {"loader mode, no STATUS", {{L"MODE", L"IPL"}}, -1, 1, L""},
        {"loader mode, STATUS untouched",
         {{L"MODE", L"IPL"}, {L"STATUS", L"80000000"}},
         -1,
         1,
         L""},
        {"no STATUS", {{L"MDL", L"QZ-70"}}, -1, 0, L""},
        {"short STATUS", {{L"STATUS", L"8000"}}, -1, 0, L""},
        {"leading eight", {{L"STATUS", L"80000000"}}, -1, 1, L"80000000"},
        {"records", {{L"STATUS", L"0104ABCD"}}, 0, 1, L"ABCD"},
        {"lower-case loader mode", {{L"MODE", L"ipl"}, {L"STATUS", L"12"}}, -1, 0, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        DeviceIdInfo info{c.values, L""};
        EXPECT_EQ(CheckStatus(info, c.format), c.result);
        EXPECT_EQ(info.statusText, c.statusText);
    }
}

TEST(GetReplyVersion, ReadsVerInHundredths) {
    const struct {
        CMapStringToString values;
        int version;
    } cases[] = {
        {{{L"VER", L"2.70"}}, 270},       {{{L"VER", L"2.8"}}, 280}, {{{L"VER", L"---"}}, 0},
        {{{L"VER", L"12345678901"}}, -1}, {{{L"ver", L"2.70"}}, -1}, {{}, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetReplyVersion(c.values), c.version);
    }
}

TEST(IsIplMode, NeedsModeExactlyIpl) {
    EXPECT_EQ(IsIplMode({{L"MODE", L"IPL"}}), 1);
    EXPECT_EQ(IsIplMode({{L"MODE", L"ipl"}}), 0);
    EXPECT_EQ(IsIplMode({{L"MODE", L"IPL "}}), 0);
    EXPECT_EQ(IsIplMode({{L"MODE ", L"IPL"}}), 0);
    EXPECT_EQ(IsIplMode({}), 0);
}

}  // namespace

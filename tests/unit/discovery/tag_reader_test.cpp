#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "discovery/tag_reader.h"

namespace {

std::vector<CString> Contents(const wchar_t* text, const wchar_t* tag) {
    std::vector<std::wstring_view> list;
    const int appended = FindElements(text, tag, list);
    EXPECT_EQ(appended, static_cast<int>(list.size()));
    return {list.begin(), list.end()};
}

TEST(FindElements, FollowsTheTagRules) {
    const struct {
        const char* label;
        const wchar_t* text;
        std::vector<CString> contents;
    } cases[] = {
        {"plain", L"<a>1</a>", {L"1"}},
        {"in file order", L"<a>1</a><b>x</b><a>2</a>", {L"1", L"2"}},
        {"content unchanged", L"<a> x &amp; <i>y</i> </a>", {L" x &amp; <i>y</i> "}},
        {"empty content", L"<a></a>", {L""}},
        {"attributes skipped", L"<a id=\"7\" x='>'>1</a>", {L"'>1"}},
        {"attributes up to the first >", L"<a k=v>1</a>", {L"1"}},
        {"longer name", L"<ab>1</ab><a>2</a>", {L"2"}},
        {"line break after the name", L"<a\n>1</a>", {}},
        {"tab after the name", L"<a\tk=v>1</a>", {}},
        {"slash after the name", L"<a/><a>2</a>", {L"2"}},
        {"case-sensitive", L"<A>1</A><a>2</A>", {}},
        {"blank but no >", L"<a k=v", {}},
        {"name at the very end", L"x<a", {}},
        {"no closing tag", L"<a>1", {}},
        {"closing tag of a longer name only", L"<a>1</ab>", {}},
        {"unclosed first runs to the next closing tag", L"<a>1<a>2</a>", {L"1<a>2", L"2"}},
        {"nested", L"<a>1<a>2</a>3</a>", {L"1<a>2", L"2"}},
        {"last one unclosed", L"<a>1</a><a>2", {L"1"}},
        {"inside another element", L"<list><a>1</a></list>", {L"1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Contents(c.text, L"a"), c.contents);
    }
}

TEST(FindElements, AppendsToWhatTheListHolds) {
    std::vector<std::wstring_view> list{L"kept"};
    EXPECT_EQ(FindElements(L"<a>1</a>", L"a", list), 1);
    EXPECT_EQ(list, (std::vector<std::wstring_view>{L"kept", L"1"}));
}

TEST(FindElements, StaysLinearOnManyUnclosedOrNestedTags) {
    std::wstring unclosed;
    std::wstring nested;
    for (int i = 0; i < 200000; ++i) {
        unclosed += L"<DeviceInfo>";
        nested += L"<a>";
    }
    nested += L"</a>";
    std::vector<std::wstring_view> list;
    EXPECT_EQ(FindElements(unclosed, L"DeviceInfo", list), 0);
    EXPECT_EQ(FindElements(nested, L"a", list), 200000);
    EXPECT_EQ(list.back(), L"");
}

TEST(GetElementText, TakesTheFirstElementOrEmpty) {
    EXPECT_EQ(GetElementText(L"<b>x</b><a>1</a><a>2</a>", L"a"), L"1");
    EXPECT_EQ(GetElementText(L"<b>x</b>", L"a"), L"");
    EXPECT_EQ(GetElementText(L"", L"a"), L"");
}

TEST(GetElementNumber, ReadsTheLeadingSigned32BitDecimal) {
    const struct {
        const wchar_t* text;
        int value;
    } cases[] = {
        {L"", 0},
        {L"<n></n>", 0},
        {L"<n>1</n>", 1},
        {L"<n> \t\r\n12x</n>", 12},
        {L"<n>-3</n>", -3},
        {L"<n>+4</n>", 4},
        {L"<n>- 4</n>", 0},
        {L"<n>x1</n>", 0},
        {L"<n>0x10</n>", 0},
        {L"<n>2147483647</n>", 2147483647},
        {L"<n>2147483648</n>", 2147483647},
        {L"<n>-2147483648</n>", INT32_MIN},
        {L"<n>-99999999999999999999</n>", INT32_MIN},
        {L"<n>00000000000000000000007</n>", 7},
        {L"<n>1</n><n>2</n>", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(GetElementNumber(c.text, L"n"), c.value);
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "discovery/path_append.h"

namespace {

TEST(AppendPath, JoinsWithOneBackslash) {
    const struct {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* joined;
    } cases[] = {
        {L"C:\\Arvane", L"Inkomar\\Device\\DeviceInfo.xml",
         L"C:\\Arvane\\Inkomar\\Device\\DeviceInfo.xml"},
        {L"C:\\Arvane\\", L"x.xml", L"C:\\Arvane\\x.xml"},
        {L"C:\\", L"x.xml", L"C:\\x.xml"},
        {L"C:", L"x.xml", L"C:\\x.xml"},
        {L"C:\\Arvane", L"\\\\x.xml", L"C:\\Arvane\\x.xml"},
        {L"", L"Inkomar\\x.xml", L"Inkomar\\x.xml"},  // relative to the current directory
        {L"", L"\\x.xml", L"x.xml"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(AppendPath(c.path, c.name), std::optional<CString>(c.joined));
    }
}

TEST(AppendPath, FailsBeyondAPathBuffer) {
    const CString directory(250, L'd');
    EXPECT_EQ(AppendPath(directory, L"12345678"), directory + L"\\12345678");  // 259 characters
    EXPECT_EQ(AppendPath(directory, L"123456789"), std::nullopt);
    EXPECT_EQ(AppendPath(CString(259, L'd'), L"x"), std::nullopt);
}

}  // namespace

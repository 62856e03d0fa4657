#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "discovery/utf8_decode.h"
#include "discovery/utf8_text_file.h"
#include "platform/posix/posix_file_system.h"
#include "temp_dir.h"

namespace {

using discovery_test::SystemPath;
using discovery_test::TempDir;

class ReadUtf8TextFileTest : public testing::Test {
  protected:
    CString ReadBytes(std::string_view bytes) {
        return ReadUtf8TextFile(m_files, SystemPath(m_dir.Write("f.xml", bytes)));
    }

    TempDir m_dir;
    platform::posix::PosixFileSystem m_files;
};

TEST_F(ReadUtf8TextFileTest, ReadsTheTextWithOrWithoutByteOrderMark) {
    const CString expected = L"<a>\u00C4rvane \u30D7\u30EA\u30F3\u30BF</a>";
    const std::string utf8 =
        "<a>\xC3\x84rvane \xE3\x83\x97\xE3\x83\xAA\xE3\x83\xB3\xE3\x82\xBF</a>";
    EXPECT_EQ(ReadBytes(utf8), expected);
    EXPECT_EQ(ReadBytes("\xEF\xBB\xBF" + utf8), expected);
    // Only a leading mark is dropped, and only a whole one.
    EXPECT_EQ(ReadBytes("\xEF\xBB\xBF\xEF\xBB\xBFx"), L"\uFEFFx");
    EXPECT_EQ(ReadBytes("x\xEF\xBB\xBF"), L"x\uFEFF");
    EXPECT_EQ(ReadBytes("\xEF\xBBx"), L"\uFFFDx");
}

TEST_F(ReadUtf8TextFileTest, EndsAtTheFirstNulByte) {
    EXPECT_EQ(ReadBytes(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(ReadBytes(std::string("\xEF\xBB\xBF\0x", 5)), L"");
}

TEST_F(ReadUtf8TextFileTest, GivesEmptyTextOnEveryFailure) {
    EXPECT_EQ(ReadBytes(""), L"");
    EXPECT_EQ(ReadBytes("\xEF\xBB\xBF"), L"");
    EXPECT_EQ(ReadUtf8TextFile(m_files, L""), L"");
    EXPECT_EQ(ReadUtf8TextFile(m_files, SystemPath(m_dir.path() / "missing.xml")), L"");
    std::filesystem::create_directory(m_dir.path() / "dir.xml");
    EXPECT_EQ(ReadUtf8TextFile(m_files, SystemPath(m_dir.path() / "dir.xml")), L"");
    const auto locked = m_dir.Write("locked.xml", "<a>1</a>");
    chmod(locked.c_str(), 0);
    if (access(locked.c_str(), R_OK) != 0) {  // root reads it all the same
        EXPECT_EQ(ReadUtf8TextFile(m_files, SystemPath(locked)), L"");
    }
}

TEST_F(ReadUtf8TextFileTest, RefusesAFileTooLargeForADeviceFile) {
    const auto file = m_dir.Write("big.xml", "<a>1</a>");
    std::filesystem::resize_file(file, (16u << 20) + 1);  // sparse, cheap to make
    EXPECT_EQ(ReadUtf8TextFile(m_files, SystemPath(file)), L"");
    std::filesystem::resize_file(file, 16u << 20);
    EXPECT_EQ(ReadUtf8TextFile(m_files, SystemPath(file)), L"<a>1</a>");
}

TEST(DecodeUtf8, ReplacesEachIllFormedPartOnce) {
    const struct {
        const char* label;
        std::string bytes;
        CString text;
    } cases[] = {
        {"ascii", "a<b>", L"a<b>"},
        {"two bytes", "\xC3\xA9", L"\u00E9"},
        {"three bytes", "\xE2\x82\xAC", L"\u20AC"},
        {"stray continuation", "a\x80z", L"a\uFFFDz"},
        {"overlong two bytes", "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},
        {"surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"invalid lead",
         "\xFF"
         "a",
         L"\uFFFDa"},
        {"cut by an ASCII byte", "\xE2\x82<", L"\uFFFD<"},
        {"cut at the end", "a\xF0\x9F\x98", L"a\uFFFD"},
        {"NUL decoded as any byte", std::string("a\0b", 3), CString(L"a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(DecodeUtf8(c.bytes), c.text);
    }
}

TEST(DecodeUtf8, KeepsCharactersBeyondTheBasicPlane) {
    const CString text = DecodeUtf8("\xF0\x9F\x96\xA8");  // U+1F5A8, a printer
    if constexpr (sizeof(wchar_t) == 2) {
        EXPECT_EQ(text, CString({wchar_t(0xD83D), wchar_t(0xDDA8)}));
    } else {
        EXPECT_EQ(text, CString(1, static_cast<wchar_t>(0x1F5A8)));
    }
}

}  // namespace

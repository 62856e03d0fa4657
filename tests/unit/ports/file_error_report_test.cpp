// A file error raised by a port operation: shown with the standard text of its cause
// where a dialog's handler ends, and never thrown out of the updater's destructor.
#include <gtest/gtest.h>

#include <memory>
#include <new>

#include "fakes/fake_services.h"
#include "fakes/fake_string_table.h"
#include "install/updater.h"
#include "platform/dialog.h"
#include "platform/error_report.h"
#include "platform/file_error.h"

namespace {

using platform::FileError;

// A port whose Close fails as a deletion held up by another program does.
class UndeletablePort final : public CPort {
  public:
    explicit UndeletablePort(int& closes) : m_closes(closes) {}
    BOOL GetDeviceId(CString&) override { return FALSE; }
    BOOL BeginUpdate() override { return FALSE; }
    BOOL SendData(const void*, std::uint32_t, std::uint32_t) override { return FALSE; }
    void Close() override {
        ++m_closes;
        throw FileError(FileError::Cause::sharingViolation, 32, L"C:\\Temp\\QZ70CTR142.DLL");
    }
    const char* GetOpenCode() override { return nullptr; }

  private:
    int& m_closes;
};

TEST(FileErrorReport, TheCauseChoosesTheTextInTheUsersLanguage) {
    const struct {
        fakes::Language language;
        FileError::Cause cause;
        const wchar_t* text;
    } cases[] = {
        {fakes::Language::English, FileError::Cause::sharingViolation,
         L"A sharing violation occurred while accessing C:\\T\\F.DLL."},
        {fakes::Language::English, FileError::Cause::diskFull,
         L"The disk became full while accessing C:\\T\\F.DLL."},
        {fakes::Language::English, FileError::Cause::generic,
         L"An unexpected error occurred while accessing C:\\T\\F.DLL."},
        {fakes::Language::Japanese, FileError::Cause::accessDenied,
         L"C:\\T\\F.DLL へのアクセスが拒否されました。"},
    };
    for (const auto& c : cases) {
        fakes::FakeStringTable strings(c.language);
        fakes::FakeMessageBoxes boxes;
        platform::ReportFileError(strings, boxes, FileError(c.cause, 0, L"C:\\T\\F.DLL"));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, c.text);
        EXPECT_EQ(boxes.shown[0].caption, L"Arvane Firmware Installer");
        EXPECT_EQ(boxes.shown[0].style, platform::mb::kOk | platform::mb::kIconExclamation);
    }
}

TEST(FileErrorReport, AHandlerThatRaisesIsReportedAndTheDialogGoesOn) {
    fakes::FakeStringTable strings;
    fakes::FakeMessageBoxes boxes;
    int closes = 0;
    UndeletablePort port(closes);
    EXPECT_EQ(platform::RunMessageHandler(strings, boxes,
                                          [&] {
                                              port.Close();
                                              return FALSE;
                                          }),
              TRUE);
    EXPECT_EQ(platform::RunMessageHandler(
                  strings, boxes, []() -> BOOL { throw std::bad_alloc(); }, FALSE),
              FALSE);
    EXPECT_EQ(platform::RunMessageHandler(strings, boxes, [] { return FALSE; }), FALSE)
        << "a handler that raises nothing gives its own result";
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text,
              L"A sharing violation occurred while accessing C:\\Temp\\QZ70CTR142.DLL.");
    EXPECT_EQ(boxes.shown[1].text, L"Out of memory.");
}

TEST(FileErrorReport, TheUpdatersDestructorShowsAFailedCloseInsteadOfThrowing) {
    fakes::FakeStringTable strings;
    fakes::FakeMessageBoxes boxes;
    int closes = 0;
    {
        CUpdater updater;
        updater.SetExitReport(strings, boxes);
        updater.m_pPort = std::make_unique<UndeletablePort>(closes);
    }  // a throwing destructor would end the test program here
    EXPECT_EQ(closes, 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              L"A sharing violation occurred while accessing C:\\Temp\\QZ70CTR142.DLL.");
}

}  // namespace

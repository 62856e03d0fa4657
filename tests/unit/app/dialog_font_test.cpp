#include "app/dialog_font.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/about_dlg.h"
#include "fakes/fake_platform.h"
#include "resource.h"

namespace {

TEST(ApplyDialogFontTest, OnlyAFontWithAHandleIsGiven) {
    for (const bool hasHandle : {true, false}) {
        SCOPED_TRACE(hasHandle ? "font" : "no font");
        const fakes::FakeFont font(hasHandle);
        fakes::FakeDialogWindow window(fakes::TemplateControls(IDD_ABOUTBOX));
        ApplyDialogFont(window, font);
        EXPECT_EQ(window.appliedFonts,
                  hasHandle ? std::vector<const void*>{font.Handle()} : std::vector<const void*>{});
    }
}

class AboutDialogTest : public testing::Test, protected fakes::FakePlatform<> {};

TEST_F(AboutDialogTest, ShowsItsTextInControl1009WithTheDialogFont) {
    CString shown;
    std::vector<const void*> fonts;
    dialogs.Script(IDD_ABOUTBOX, {fakes::Inspect([&](fakes::FakeDialogWindow& window) {
                                      shown = window.GetItemText(IDC_ABOUT_VERSION);
                                      fonts = window.appliedFonts;
                                  }),
                                  fakes::Press(IDOK)});

    CAboutDlg about(services, L"Tessaro Series  Version 2.80");
    EXPECT_EQ(about.DoModal(), IDOK);

    EXPECT_EQ(dialogs.runTemplates, std::vector<unsigned>{IDD_ABOUTBOX});
    EXPECT_EQ(shown, L"Tessaro Series  Version 2.80");
    // The program's one font, whichever test made it first.
    const void* font = GetDialogFont(graphics).Handle();
    EXPECT_EQ(fonts, font != nullptr ? std::vector<const void*>{font} : std::vector<const void*>{});
}

}  // namespace

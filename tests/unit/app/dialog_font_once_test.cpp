// Runs in a program of its own, so that the process-wide font is still unmade when
// the test begins.
#include <gtest/gtest.h>

#include "app/dialog_font.h"
#include "fakes/fake_graphics.h"

namespace {

TEST(DialogFontTest, IsMadeOnceFromTheIconTitleFont) {
    fakes::FakeGraphics first;
    const platform::Font& font = GetDialogFont(first);
    EXPECT_EQ(first.fontRequests, 1);
    EXPECT_NE(font.Handle(), nullptr);

    fakes::FakeGraphics second;
    second.iconTitleFontAvailable = false;
    EXPECT_EQ(&GetDialogFont(second), &font);
    EXPECT_EQ(GetDialogFont(second).Handle(), font.Handle());
    EXPECT_EQ(second.fontRequests, 0);
    EXPECT_EQ(first.fontRequests, 1);
}

}  // namespace

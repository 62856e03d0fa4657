#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "ports/open_codes.h"

namespace {

TEST(OpenCodeTable, HoldsTwoDifferentAccessCodesOfPrintableCharacters) {
    for (std::size_t entry = 0; entry < 2; ++entry) {
        SCOPED_TRACE(entry);
        const std::string_view text(kOpenCodeTable[entry]);
        ASSERT_EQ(text.size(), 510u);
        EXPECT_TRUE(text.starts_with("OPEN CODE="));
        EXPECT_EQ(AccessCode(entry), text.substr(10));
        for (const char c : AccessCode(entry)) {
            EXPECT_GE(c, 0x20);
            EXPECT_LE(c, 0x5F);
        }
    }
    EXPECT_NE(AccessCode(0), AccessCode(1));
}

}  // namespace

#include "app/install_outcome.h"

#include <gtest/gtest.h>

#include "app/message_ids.h"
#include "platform/message_box.h"

namespace {

TEST(InstallOutcomeTest, EveryEndCodeHasItsMessageIconAndExitCode) {
    using platform::mb::kIconError;
    struct Case {
        int progress;
        int portType;
        InstallOutcome expected;
    };
    const Case cases[] = {
        {16, 0x41, {IDS_INSTALL_SUCCEEDED, platform::mb::kIconInformation, 0}},
        {17, 0x41, {IDS_INSTALL_FAILED, kIconError, 4}},
        {18, 0x41, {IDS_SEND_FAILED, kIconError, 4}},
        {19, 0x14, {IDS_INSTALL_FAILED, kIconError, 4}},
        {20, 0x13, {IDS_INSTALL_FAILED, kIconError, 4}},
        {20, 0x14, {IDS_INSTALL_FAILED_SUM, kIconError, 4}},
        {21, 0x41, {0, 0, 1}},
        {-1, 0x41, {IDS_INSTALL_FAILED, kIconError, 4}},
        {0, 0x14, {IDS_INSTALL_FAILED, kIconError, 4}},
    };
    for (const Case& c : cases) {
        const InstallOutcome outcome = OutcomeOfProgress(c.progress, c.portType);
        EXPECT_EQ(outcome.message, c.expected.message) << c.progress << " " << c.portType;
        EXPECT_EQ(outcome.icon, c.expected.icon) << c.progress;
        EXPECT_EQ(outcome.exitCode, c.expected.exitCode) << c.progress;
    }
}

}  // namespace

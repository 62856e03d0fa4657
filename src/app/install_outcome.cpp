#include "app/install_outcome.h"

#include "app/exit_code.h"
#include "app/message_ids.h"
#include "app/send_status_dlg.h"
#include "platform/message_box.h"

namespace {

constexpr int kEthernet4 = 0x14;

}  // namespace

InstallOutcome OutcomeOfProgress(int progressResult, int portType) {
    using platform::mb::kIconError;
    switch (progressResult) {
        case SENDSTATUS_INSTALLED:
            return {IDS_INSTALL_SUCCEEDED, platform::mb::kIconInformation,
                    TarnelExitCode::EXIT_SUCCEEDED};
        case SENDSTATUS_SEND_FAILED:
            return {IDS_SEND_FAILED, kIconError, TarnelExitCode::EXIT_INSTALL_FAILED};
        case SENDSTATUS_NOT_CONFIRMED:
            return {portType == kEthernet4 ? unsigned{IDS_INSTALL_FAILED_SUM} : IDS_INSTALL_FAILED,
                    kIconError, TarnelExitCode::EXIT_INSTALL_FAILED};
        case SENDSTATUS_ABANDONED:
            return {0, 0, TarnelExitCode::EXIT_CANCELED};
        default:  // no timer, a refused model and anything unexpected
            return {IDS_INSTALL_FAILED, kIconError, TarnelExitCode::EXIT_INSTALL_FAILED};
    }
}

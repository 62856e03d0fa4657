// Runs dialogs in memory: control texts by id, and a script of commands that the
// "user" gives once the dialog has initialised.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/dialog.h"

namespace fakes {

class FakeDialogHost final : public platform::DialogHost {
  public:
    // Called with the dialog right after OnInitDialog, before the commands run.
    using Observer = std::function<void(platform::CDialog&)>;

    int RunModal(unsigned templateId, platform::CDialog& dialog) override;

    // Commands (control ids) pressed in order while the dialog runs.
    std::vector<int> commands;
    // Returned by RunModal when the window cannot be made; nothing runs then.
    std::optional<int> creationFailure;
    Observer onInit;
    std::vector<unsigned> runTemplates;
};

}  // namespace fakes

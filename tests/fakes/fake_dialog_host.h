// Runs dialogs in memory on the controls of their templates: each dialog plays the
// script of its template (what the "user" does, in order) once it has initialised;
// when the script is done and the dialog still runs, its timers run on the virtual
// clock until it ends.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "fakes/fake_dialog_window.h"

namespace fakes {

// One step of a script.
using DialogAction = std::function<void(FakeDialogWindow&, platform::CDialog&)>;

DialogAction Press(int id);
// Selects item `index` of a combo box as the user does, with its notification.
DialogAction Select(int comboId, int index);
DialogAction TypeAddress(int id, std::uint32_t address);
DialogAction SystemCommand(unsigned commandId);
// Looks at the window at this point of the script.
DialogAction Inspect(std::function<void(FakeDialogWindow&)> look);

// The controls of the program's dialog templates, as the resource script has them.
std::vector<TemplateControl> TemplateControls(unsigned templateId);

class FakeDialogHost final : public platform::DialogHost {
  public:
    using Observer = std::function<void(platform::CDialog&, FakeDialogWindow&)>;

    int RunModal(unsigned templateId, platform::CDialog& dialog) override;

    // Each run of a template takes the next script queued for it.
    void Script(unsigned templateId, std::vector<DialogAction> actions);

    // Called with the dialog right after OnInitDialog, before its script runs.
    Observer onInit;
    // Called when the dialog has ended, before its window goes.
    Observer onEnd;
    // Returned by RunModal when the window cannot be made; nothing runs then.
    std::optional<int> creationFailure;
    // Applied to each new window before OnInitDialog (to take away a system menu, ...).
    std::function<void(FakeDialogWindow&)> prepareWindow;
    std::vector<unsigned> runTemplates;
    // Timer ticks a dialog may take after its script before the run counts as hung.
    long long tickLimit = 100000;

  private:
    std::map<unsigned, std::deque<std::vector<DialogAction>>> m_scripts;
};

}  // namespace fakes

#include "fakes/fake_dialog_host.h"

#include <stdexcept>
#include <utility>

namespace fakes {

DialogAction Press(int id) {
    return [id](FakeDialogWindow&, platform::CDialog& dialog) {
        dialog.OnCommand(id, platform::kButtonClicked);
    };
}

DialogAction Select(int comboId, int index) {
    return [comboId, index](FakeDialogWindow& window, platform::CDialog& dialog) {
        window.ComboSetCurSel(comboId, index);
        dialog.OnCommand(comboId, platform::kComboSelectionChange);
    };
}

DialogAction TypeAddress(int id, std::uint32_t address) {
    return [id, address](FakeDialogWindow& window, platform::CDialog&) {
        window.SetAddress(id, address);
    };
}

DialogAction SystemCommand(unsigned commandId) {
    return [commandId](FakeDialogWindow&, platform::CDialog& dialog) {
        dialog.OnSysCommand(commandId, 0);
    };
}

DialogAction Inspect(std::function<void(FakeDialogWindow&)> look) {
    return [look = std::move(look)](FakeDialogWindow& window, platform::CDialog&) { look(window); };
}

void FakeDialogHost::Script(unsigned templateId, std::vector<DialogAction> actions) {
    m_scripts[templateId].push_back(std::move(actions));
}

int FakeDialogHost::RunModal(unsigned templateId, platform::CDialog& dialog) {
    runTemplates.push_back(templateId);
    if (creationFailure) {
        return *creationFailure;
    }
    std::vector<DialogAction> actions;
    auto& queued = m_scripts[templateId];
    if (!queued.empty()) {
        actions = std::move(queued.front());
        queued.pop_front();
    }
    FakeDialogWindow window(TemplateControls(templateId));
    if (prepareWindow) {
        prepareWindow(window);
    }
    dialog.Attach(&window);
    dialog.OnInitDialog();
    if (onInit) {
        onInit(dialog, window);
    }
    for (const DialogAction& action : actions) {
        if (window.endResult) {
            break;
        }
        action(window, dialog);
    }
    for (long long tick = 0; !window.endResult && tick < tickLimit; ++tick) {
        if (!window.DeliverNextTick(dialog)) {
            break;
        }
    }
    if (!window.endResult) {
        dialog.Attach(nullptr);
        throw std::logic_error("the dialog's script ended while the dialog was still open");
    }
    if (onEnd) {
        onEnd(dialog, window);
    }
    dialog.DestroyWindow();
    dialog.Attach(nullptr);
    return *window.endResult;
}

}  // namespace fakes

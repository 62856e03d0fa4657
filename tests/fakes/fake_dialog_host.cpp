#include "fakes/fake_dialog_host.h"

#include <stdexcept>

namespace fakes {

namespace {

class FakeDialogWindow final : public platform::DialogWindow {
  public:
    void End(int result) override { endResult = result; }
    void SetCaption(const CString& text) override { caption = text; }
    bool HasItem(int id) const override { return texts.count(id) != 0; }
    CString GetItemText(int id) const override {
        const auto found = texts.find(id);
        return found != texts.end() ? found->second : CString();
    }
    void SetItemText(int id, const CString& text) override { texts[id] = text; }

    std::optional<int> endResult;
    CString caption;
    std::map<int, CString> texts;
};

}  // namespace

int FakeDialogHost::RunModal(unsigned templateId, platform::CDialog& dialog) {
    runTemplates.push_back(templateId);
    if (creationFailure) {
        return *creationFailure;
    }
    FakeDialogWindow window;
    dialog.Attach(&window);
    dialog.OnInitDialog();
    if (onInit) {
        onInit(dialog);
    }
    for (int command : commands) {
        if (window.endResult) {
            break;
        }
        dialog.OnCommand(command, 0);
    }
    dialog.Attach(nullptr);
    if (!window.endResult) {
        throw std::logic_error("the dialog's script ended while the dialog was still open");
    }
    return *window.endResult;
}

}  // namespace fakes

// A dialog's window kept in memory: the controls of its template with their
// texts, states, combo-box items and addresses, the focus, the timers on a virtual
// clock, and what the dialog asked of the window itself.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "platform/dialog.h"

namespace fakes {

enum class ControlKind { Static, Button, Combo, IpAddress, Picture, Icon };

// One control of a dialog template, as the resource script declares it.
struct TemplateControl {
    int id;
    ControlKind kind;
    CString text;
    bool sorted = false;  // combo boxes with CBS_SORT
    bool visible = true;
};

struct ComboItem {
    CString text;
    std::uintptr_t data = 0;
};

struct FakeControl {
    TemplateControl entry;  // as the template declares it
    CString text;
    bool enabled = true;
    bool visible = true;
    std::vector<ComboItem> items;
    int selection = platform::kComboError;
    int droppedWidth = 0;
    std::uint32_t address = 0;
    std::optional<std::pair<unsigned, int>> icon;             // icon id and size
    std::vector<std::pair<long long, unsigned>> iconChanges;  // virtual time and icon id
    const void* bitmap = nullptr;  // a picture's image given by the dialog (its handle)
};

struct TimerEvent {
    long long at;  // virtual milliseconds since the window opened
    unsigned id;
};

class FakeDialogWindow final : public platform::DialogWindow {
  public:
    explicit FakeDialogWindow(const std::vector<TemplateControl>& controls);

    void End(int result) override { endResult = result; }
    void SetCaption(const CString& text) override { caption = text; }
    void SetBigIcon(unsigned iconId) override { bigIcon = iconId; }
    bool AppendSystemMenuItem(unsigned commandId, const CString& text) override;
    void EnableToolTips() override { toolTipsEnabled = true; }
    void BeginWaitCursor() override;
    void EndWaitCursor() override { --waitCursorDepth; }
    bool SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override { timers.erase(id); }

    bool HasItem(int id) const override { return controls.count(id) != 0; }
    CString GetItemText(int id) const override;
    void SetItemText(int id, const CString& text) override;
    void EnableItem(int id, bool enable) override;
    bool IsItemEnabled(int id) const override;
    void ShowItem(int id, bool show) override;
    bool IsItemVisible(int id) const override;
    void FocusItem(int id) override;
    int FocusedItem() const override { return focus; }
    void SetItemIcon(int id, unsigned iconId, int size) override;

    int ComboAddString(int id, const CString& text) override;
    int ComboInsertString(int id, int index, const CString& text) override;
    bool ComboSetItemData(int id, int index, std::uintptr_t data) override;
    std::uintptr_t ComboGetItemData(int id, int index) const override;
    int ComboSetCurSel(int id, int index) override;
    int ComboGetCurSel(int id) const override;
    int ComboGetCount(int id) const override;
    CString ComboGetItemText(int id, int index) const override;
    int ComboGetDroppedWidth(int id) const override;
    void ComboSetDroppedWidth(int id, int width) override;
    std::optional<int> ComboWidestItemText(int id) const override;

    std::uint32_t GetAddress(int id) const override;
    void SetAddress(int id, std::uint32_t address) override;

    void SetItemBitmap(int id, const platform::Bitmap& bitmap) override;
    void ApplyFont(const platform::Font& font) override;

    FakeControl& Control(int id);
    const FakeControl* Find(int id) const;
    // Delivers the timer ticks due within the next `milliseconds` of virtual time, in
    // order, to `dialog`, stopping early when the dialog ends.
    void AdvanceTime(platform::CDialog& dialog, long long milliseconds);
    // Delivers the next due tick; false when no timer runs.
    bool DeliverNextTick(platform::CDialog& dialog);

    // The width of one character in the test's "font", for the drop-down width.
    static constexpr int kCharacterWidth = 6;

    std::map<int, FakeControl> controls;
    std::optional<int> endResult;
    CString caption;
    std::optional<unsigned> bigIcon;
    std::vector<std::pair<unsigned, CString>> systemMenuItems;
    bool hasSystemMenu = true;
    bool toolTipsEnabled = false;
    int waitCursorDepth = 0;
    int waitCursorCalls = 0;
    int focus = 0;
    bool comboContextAvailable = true;
    bool timersAvailable = true;
    std::vector<const void*> appliedFonts;  // the handles given to the window and its children
    long long now = 0;
    struct Timer {
        unsigned period;
        long long due;
    };
    std::map<unsigned, Timer> timers;
    std::vector<TimerEvent> ticks;

  private:
    std::map<unsigned, Timer>::iterator NextDue();
};

}  // namespace fakes

#include "fakes/fake_dialog_window.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "platform/graphics.h"

namespace fakes {

namespace {

// The order of a sorted combo box for the texts the tests use: case-insensitive,
// character by character.
bool SortsBefore(const CString& left, const CString& right) {
    return std::lexicographical_compare(
        left.begin(), left.end(), right.begin(), right.end(),
        [](wchar_t a, wchar_t b) { return std::towlower(a) < std::towlower(b); });
}

}  // namespace

FakeDialogWindow::FakeDialogWindow(const std::vector<TemplateControl>& entries) {
    for (const TemplateControl& entry : entries) {
        FakeControl control;
        control.entry = entry;
        control.text = entry.text;
        control.visible = entry.visible;
        controls.emplace(entry.id, control);
    }
}

bool FakeDialogWindow::AppendSystemMenuItem(unsigned commandId, const CString& text) {
    if (!hasSystemMenu) {
        return false;
    }
    systemMenuItems.emplace_back(commandId, text);
    return true;
}

void FakeDialogWindow::BeginWaitCursor() {
    ++waitCursorDepth;
    ++waitCursorCalls;
}

bool FakeDialogWindow::SetTimer(unsigned id, unsigned milliseconds) {
    if (!timersAvailable) {
        return false;
    }
    timers[id] = Timer{milliseconds, now + milliseconds};
    return true;
}

FakeControl& FakeDialogWindow::Control(int id) {
    const auto found = controls.find(id);
    if (found == controls.end()) {
        throw std::out_of_range("the dialog has no control " + std::to_string(id));
    }
    return found->second;
}

const FakeControl* FakeDialogWindow::Find(int id) const {
    const auto found = controls.find(id);
    return found != controls.end() ? &found->second : nullptr;
}

CString FakeDialogWindow::GetItemText(int id) const {
    const FakeControl* control = Find(id);
    return control != nullptr ? control->text : CString();
}

void FakeDialogWindow::SetItemText(int id, const CString& text) {
    if (HasItem(id)) {
        Control(id).text = text;
    }
}

void FakeDialogWindow::EnableItem(int id, bool enable) {
    if (HasItem(id)) {
        Control(id).enabled = enable;
    }
}

bool FakeDialogWindow::IsItemEnabled(int id) const {
    const FakeControl* control = Find(id);
    return control != nullptr && control->enabled;
}

void FakeDialogWindow::ShowItem(int id, bool show) {
    if (HasItem(id)) {
        Control(id).visible = show;
    }
}

bool FakeDialogWindow::IsItemVisible(int id) const {
    const FakeControl* control = Find(id);
    return control != nullptr && control->visible;
}

void FakeDialogWindow::FocusItem(int id) {
    if (HasItem(id)) {
        focus = id;
    }
}

void FakeDialogWindow::SetItemIcon(int id, unsigned iconId, int size) {
    if (HasItem(id)) {
        Control(id).icon = std::make_pair(iconId, size);
        Control(id).iconChanges.emplace_back(now, iconId);
    }
}

int FakeDialogWindow::ComboAddString(int id, const CString& text) {
    if (!HasItem(id)) {
        return platform::kComboError;
    }
    auto& items = Control(id).items;
    auto position = items.end();
    if (Control(id).entry.sorted) {
        // A new text goes after the equal ones already there.
        position = std::upper_bound(items.begin(), items.end(), text,
                                    [](const CString& value, const ComboItem& item) {
                                        return SortsBefore(value, item.text);
                                    });
    }
    // The insertion may move the items: take the index from the new position only.
    const auto inserted = items.insert(position, ComboItem{text});
    return static_cast<int>(inserted - items.begin());
}

int FakeDialogWindow::ComboInsertString(int id, int index, const CString& text) {
    if (!HasItem(id)) {
        return platform::kComboError;
    }
    auto& items = Control(id).items;
    if (index < 0 || index > static_cast<int>(items.size())) {
        return platform::kComboError;
    }
    items.insert(items.begin() + index, ComboItem{text});
    return index;
}

bool FakeDialogWindow::ComboSetItemData(int id, int index, std::uintptr_t data) {
    if (!HasItem(id) || index < 0 || index >= ComboGetCount(id)) {
        return false;
    }
    Control(id).items[static_cast<std::size_t>(index)].data = data;
    return true;
}

std::uintptr_t FakeDialogWindow::ComboGetItemData(int id, int index) const {
    if (index < 0 || index >= ComboGetCount(id)) {
        return 0;
    }
    return Find(id)->items[static_cast<std::size_t>(index)].data;
}

int FakeDialogWindow::ComboSetCurSel(int id, int index) {
    if (!HasItem(id)) {
        return platform::kComboError;
    }
    const bool valid = index >= 0 && index < ComboGetCount(id);
    Control(id).selection = valid ? index : platform::kComboError;
    return valid ? index : platform::kComboError;
}

int FakeDialogWindow::ComboGetCurSel(int id) const {
    const FakeControl* control = Find(id);
    return control != nullptr ? control->selection : platform::kComboError;
}

int FakeDialogWindow::ComboGetCount(int id) const {
    const FakeControl* control = Find(id);
    return control != nullptr ? static_cast<int>(control->items.size()) : 0;
}

CString FakeDialogWindow::ComboGetItemText(int id, int index) const {
    if (index < 0 || index >= ComboGetCount(id)) {
        return {};
    }
    return Find(id)->items[static_cast<std::size_t>(index)].text;
}

int FakeDialogWindow::ComboGetDroppedWidth(int id) const {
    const FakeControl* control = Find(id);
    return control != nullptr ? control->droppedWidth : 0;
}

void FakeDialogWindow::ComboSetDroppedWidth(int id, int width) {
    if (HasItem(id)) {
        Control(id).droppedWidth = width;
    }
}

std::optional<int> FakeDialogWindow::ComboWidestItemText(int id) const {
    const FakeControl* control = Find(id);
    if (control == nullptr || !comboContextAvailable) {
        return std::nullopt;
    }
    int widest = 0;
    for (const ComboItem& item : control->items) {
        widest = std::max(widest, static_cast<int>(item.text.size()) * kCharacterWidth);
    }
    return widest;
}

std::uint32_t FakeDialogWindow::GetAddress(int id) const {
    const FakeControl* control = Find(id);
    return control != nullptr ? control->address : 0;
}

void FakeDialogWindow::SetAddress(int id, std::uint32_t address) {
    if (HasItem(id)) {
        Control(id).address = address;
    }
}

void FakeDialogWindow::SetItemBitmap(int id, const platform::Bitmap& bitmap) {
    if (HasItem(id) && bitmap.Handle() != nullptr) {
        Control(id).bitmap = bitmap.Handle();
    }
}

void FakeDialogWindow::ApplyFont(const platform::Font& font) {
    appliedFonts.push_back(font.Handle());
}

std::map<unsigned, FakeDialogWindow::Timer>::iterator FakeDialogWindow::NextDue() {
    return std::min_element(timers.begin(), timers.end(), [](const auto& a, const auto& b) {
        return a.second.due < b.second.due;
    });
}

bool FakeDialogWindow::DeliverNextTick(platform::CDialog& dialog) {
    if (timers.empty()) {
        return false;
    }
    const auto next = NextDue();
    const unsigned id = next->first;
    now = next->second.due;
    next->second.due += next->second.period;
    ticks.push_back({now, id});
    dialog.OnTimer(id);
    return true;
}

void FakeDialogWindow::AdvanceTime(platform::CDialog& dialog, long long milliseconds) {
    const long long until = now + milliseconds;
    while (!endResult && !timers.empty() && NextDue()->second.due <= until) {
        DeliverNextTick(dialog);
    }
    if (!endResult) {
        now = until;
    }
}

}  // namespace fakes

// Recording fakes of the small platform services.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/single_instance.h"
#include "platform/system_setup.h"

namespace fakes {

struct ShownMessage {
    CString text;
    CString caption;
    unsigned style;
};

// Records every box; answers from a script, then with OK.
class FakeMessageBoxes final : public platform::MessageBoxes {
  public:
    int Show(const CString& text, const CString& caption, unsigned style) override {
        shown.push_back({text, caption, style});
        if (answers.empty()) {
            return platform::mb::kIdOk;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<ShownMessage> shown;
    std::deque<int> answers;
};

class FakeSingleInstance final : public platform::SingleInstance {
  public:
    bool Acquire(const wchar_t* name) override {
        requestedName = name;
        return !heldElsewhere;
    }

    bool heldElsewhere = false;
    std::wstring requestedName;
};

class FakeSystemSetup final : public platform::SystemSetup {
  public:
    void InitCommonControls() override { ++commonControlsCalls; }
    bool InitSockets() override { return socketsAvailable; }

    bool socketsAvailable = true;
    int commonControlsCalls = 0;
};

}  // namespace fakes

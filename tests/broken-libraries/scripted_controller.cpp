// A controller library whose answers come from the test program's script. Built
// twice: complete, and without the interface export (TARNEL_NO_INTERFACE_EXPORT).
#include <dlfcn.h>

#include <cstdlib>

#include "library_script.h"
#include "ports/controller_api.h"

namespace {

ControllerScript& Script() {
    static auto* script =
        static_cast<ControllerScript*>(dlsym(RTLD_DEFAULT, kControllerScriptSymbol));
    if (script == nullptr) {
        std::abort();
    }
    return *script;
}

class ScriptedController final : public IControllerAPI {
  public:
    bool Open() override {
        ++Script().openCalls;
        return Script().openResult;
    }
    int ReadDeviceId(char* buffer, int size) override {
        ControllerScript& script = Script();
        ++script.readCalls;
        script.readSize = size;
        return WriteDeviceId(script.deviceId, script.write, buffer, size);
    }
    std::int32_t GetStatus() override { return Script().status; }
    bool RequestMode(int timeLimitMs, int mode) override {
        ControllerScript& script = Script();
        ++script.modeCalls;
        script.modeTimeLimit = timeLimitMs;
        script.mode = mode;
        return script.modeResult;
    }
    void ClearCondition() override { ++Script().clearCalls; }

    // The port never calls these.
    void Reserved1() override { std::abort(); }
    void Reserved2() override { std::abort(); }
    void Reserved3() override { std::abort(); }
    void Reserved4() override { std::abort(); }
    void Reserved5() override { std::abort(); }
    void Reserved6() override { std::abort(); }
    void Reserved7() override { std::abort(); }
    void Reserved8() override { std::abort(); }
    void Reserved11() override { std::abort(); }
    void Reserved12() override { std::abort(); }
    void Reserved13() override { std::abort(); }
    void Reserved14() override { std::abort(); }
    void Reserved15() override { std::abort(); }
    void Reserved16() override { std::abort(); }
    void Reserved17() override { std::abort(); }
    void Reserved18() override { std::abort(); }
    void Reserved19() override { std::abort(); }
    void Reserved20() override { std::abort(); }
    void Reserved21() override { std::abort(); }
    void Reserved22() override { std::abort(); }
    void Reserved23() override { std::abort(); }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const char* GetAPIVersion() {
    return Script().version;
}

#ifndef TARNEL_NO_INTERFACE_EXPORT
extern "C" __attribute__((visibility("default"))) IControllerAPI* QZ70ControllerAPI() {
    static ScriptedController controller;
    return Script().nullInterface ? nullptr : &controller;
}
#endif

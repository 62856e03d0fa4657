// A remote-connect library whose answers come from the test program's script.
// Built twice: complete, and without "GetServiceToolAPI" (TARNEL_NO_SERVICE_TOOL_EXPORT).
#include <dlfcn.h>

#include <cstdlib>

#include "library_script.h"
#include "ports/remote_connect_api.h"

namespace {

RemoteScript& Script() {
    static auto* script = static_cast<RemoteScript*>(dlsym(RTLD_DEFAULT, kRemoteScriptSymbol));
    if (script == nullptr) {
        std::abort();
    }
    return *script;
}

class ScriptedRemoteConnect final : public IRemoteConnectAPI {
  public:
    const char* GetVersion() override { return Script().remoteConnectVersion; }
    bool Connect(const char* address) override {
        RemoteScript& script = Script();
        ++script.connectCalls;
        script.connectAddress = address;
        return script.connectResult;
    }
};

class ScriptedServiceTool final : public IServiceToolAPI {
  public:
    const char* GetVersion() override { return Script().serviceToolVersion; }
    void GetStatus(int* status, int* /*unused*/) override { *status = Script().status; }
    void Reserved2() override { std::abort(); }
    void ReadDeviceId(char* buffer, int size) override {
        RemoteScript& script = Script();
        script.readSize = size;
        (void)WriteDeviceId(script.deviceId, script.write, buffer, size);
    }
    bool EnterUpdateMode(int argument) override {
        RemoteScript& script = Script();
        ++script.updateCalls;
        script.updateArgument = argument;
        return script.updateResult;
    }
    void ClearCondition() override { ++Script().clearCalls; }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) IRemoteConnectAPI* GetRemoteConnectAPI() {
    static ScriptedRemoteConnect remoteConnect;
    return Script().nullRemoteConnect ? nullptr : &remoteConnect;
}

#ifndef TARNEL_NO_SERVICE_TOOL_EXPORT
extern "C" __attribute__((visibility("default"))) IServiceToolAPI* GetServiceToolAPI() {
    static ScriptedServiceTool serviceTool;
    return Script().nullServiceTool ? nullptr : &serviceTool;
}
#endif

// Our stand-in for the maker's remote-connect library: the two interface objects
// that the remote-connect port calls, answered by the printer simulator over the
// stand-in channel (see standin_channel.h).
#include <string>

#include "ports/remote_connect_api.h"
#include "standin_library.h"

namespace {

constexpr char kLibrary[] = "standin-remote";
constexpr char kInterfaceVersion[] = "V100";
// The printer answers at once; this only bounds a simulator that does not.
constexpr int kUpdateTimeLimitMs = 10000;

// One connection serves both interfaces; defined first, so it is closed last.
standin::StandinChannel g_channel;

class StandinRemoteConnect final : public IRemoteConnectAPI {
  public:
    const char* GetVersion() override { return kInterfaceVersion; }
    bool Connect(const char* address) override {
        std::string text;
        return standin::IsDottedAddress(address) &&
               g_channel.Request(std::string("CONNECT ") + address, text);
    }
};

class StandinServiceTool final : public IServiceToolAPI {
  public:
    const char* GetVersion() override { return kInterfaceVersion; }
    void GetStatus(int* status, int*) override {
        if (status != nullptr) {
            *status = standin::RequestStatusWord(g_channel);
        }
    }
    void Reserved2() override { standin::PlaceholderCalled(kLibrary, 2); }
    void ReadDeviceId(char* buffer, int size) override {
        std::string identity;
        if (buffer != nullptr && size > 0 && g_channel.Request("IDENTITY", identity)) {
            static_cast<void>(standin::CopyText(identity, buffer, size));
        }
    }
    bool EnterUpdateMode(int argument) override {
        std::string text;
        return g_channel.Request("UPDATE " + std::to_string(argument), text, kUpdateTimeLimitMs);
    }
    void ClearCondition() override {
        std::string text;
        static_cast<void>(g_channel.Request("CLEAR", text));
    }
};

StandinRemoteConnect g_remoteConnect;
StandinServiceTool g_serviceTool;

}  // namespace

STANDIN_EXPORT IRemoteConnectAPI* GetRemoteConnectAPI() {
    return &g_remoteConnect;
}

STANDIN_EXPORT IServiceToolAPI* GetServiceToolAPI() {
    return &g_serviceTool;
}

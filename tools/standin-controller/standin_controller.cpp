// Our stand-in for the maker's controller library: the interface object that the
// controller-library port calls, answered by the printer simulator over the
// stand-in channel (see standin_channel.h).
#include <string>

#include "ports/controller_api.h"
#include "standin_library.h"

namespace {

constexpr char kLibrary[] = "standin-controller";
constexpr char kInterfaceVersion[] = "V141";

class StandinController final : public IControllerAPI {
  public:
    bool Open() override {
        std::string text;
        return m_channel.Request("OPEN", text);
    }
    void Reserved1() override { standin::PlaceholderCalled(kLibrary, 1); }
    void Reserved2() override { standin::PlaceholderCalled(kLibrary, 2); }
    void Reserved3() override { standin::PlaceholderCalled(kLibrary, 3); }
    void Reserved4() override { standin::PlaceholderCalled(kLibrary, 4); }
    void Reserved5() override { standin::PlaceholderCalled(kLibrary, 5); }
    void Reserved6() override { standin::PlaceholderCalled(kLibrary, 6); }
    void Reserved7() override { standin::PlaceholderCalled(kLibrary, 7); }
    void Reserved8() override { standin::PlaceholderCalled(kLibrary, 8); }

    int ReadDeviceId(char* buffer, int size) override {
        std::string identity;
        if (buffer == nullptr || size <= 0 || !m_channel.Request("IDENTITY", identity)) {
            return -1;  // nothing written
        }
        return standin::CopyText(identity, buffer, size);
    }

    std::int32_t GetStatus() override { return standin::RequestStatusWord(m_channel); }

    void Reserved11() override { standin::PlaceholderCalled(kLibrary, 11); }
    void Reserved12() override { standin::PlaceholderCalled(kLibrary, 12); }
    void Reserved13() override { standin::PlaceholderCalled(kLibrary, 13); }
    void Reserved14() override { standin::PlaceholderCalled(kLibrary, 14); }
    void Reserved15() override { standin::PlaceholderCalled(kLibrary, 15); }
    void Reserved16() override { standin::PlaceholderCalled(kLibrary, 16); }
    void Reserved17() override { standin::PlaceholderCalled(kLibrary, 17); }
    void Reserved18() override { standin::PlaceholderCalled(kLibrary, 18); }
    void Reserved19() override { standin::PlaceholderCalled(kLibrary, 19); }
    void Reserved20() override { standin::PlaceholderCalled(kLibrary, 20); }
    void Reserved21() override { standin::PlaceholderCalled(kLibrary, 21); }
    void Reserved22() override { standin::PlaceholderCalled(kLibrary, 22); }
    void Reserved23() override { standin::PlaceholderCalled(kLibrary, 23); }

    // The whole exchange, connecting included, stays within the caller's limit.
    bool RequestMode(int timeLimitMs, int mode) override {
        std::string text;
        return timeLimitMs > 0 &&
               m_channel.Request("MODE " + std::to_string(mode) + " " + std::to_string(timeLimitMs),
                                 text, timeLimitMs);
    }

    void ClearCondition() override {
        std::string text;
        static_cast<void>(m_channel.Request("CLEAR", text));
    }

  private:
    standin::StandinChannel m_channel;
};

// Lives from loading to unloading; its destruction closes the connection, because
// the port never calls a close operation.
StandinController g_controller;

}  // namespace

STANDIN_EXPORT const char* GetAPIVersion() {
    return kInterfaceVersion;
}

STANDIN_EXPORT IControllerAPI* QZ70ControllerAPI() {
    return &g_controller;
}

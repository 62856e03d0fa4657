// What the test libraries answer and what they were asked. The test program defines
// one script of each kind; a library loaded into it finds the script by name among
// the program's exports, so each test sets the answers its case needs, including the
// broken ones (wrong versions, null interfaces, a text without terminator).
#pragma once

#include <cstdint>
#include <string>

enum class DeviceIdWrite {
    text,            // the text and its NUL
    nothing,         // the buffer is left as it was; the result is negative
    fillWithoutNul,  // all `size` bytes, none of them a NUL
};

struct ControllerScript {
    const char* version = "V141";
    bool nullInterface = false;
    bool openResult = true;
    std::string deviceId = "MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:80000000;";
    DeviceIdWrite write = DeviceIdWrite::text;
    std::int32_t status = 0;
    bool modeResult = true;

    int openCalls = 0;
    int readCalls = 0;
    int readSize = 0;
    int clearCalls = 0;
    int modeCalls = 0;
    int modeTimeLimit = 0;
    int mode = 0;
};

struct RemoteScript {
    const char* remoteConnectVersion = "V100";
    const char* serviceToolVersion = "V100";
    bool nullRemoteConnect = false;
    bool nullServiceTool = false;
    bool connectResult = true;
    std::string deviceId = "MDL:TR-880;VER:1.10;MODE:NORMAL;STATUS:80000000;";
    DeviceIdWrite write = DeviceIdWrite::text;
    int status = 0;
    bool updateResult = true;

    int connectCalls = 0;
    std::string connectAddress;
    int readSize = 0;
    int clearCalls = 0;
    int updateCalls = 0;
    int updateArgument = -1;
};

// The names under which the test program exports its scripts.
inline constexpr char kControllerScriptSymbol[] = "tarnel_test_controller_script";
inline constexpr char kRemoteScriptSymbol[] = "tarnel_test_remote_script";

// Writes the scripted identity as `write` says; the result as the libraries give it.
inline int WriteDeviceId(const std::string& text, DeviceIdWrite write, char* buffer, int size) {
    switch (write) {
        case DeviceIdWrite::nothing:
            return -1;
        case DeviceIdWrite::fillWithoutNul:
            for (int i = 0; i < size; ++i) {
                buffer[i] = 'A';
            }
            return size;
        case DeviceIdWrite::text:
            break;
    }
    const int n = static_cast<int>(text.size()) < size ? static_cast<int>(text.size()) : size - 1;
    text.copy(buffer, static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

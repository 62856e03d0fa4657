#include <winsock2.h>

#include <commctrl.h>

#include "platform/win32/win32_services.h"

namespace platform::win32 {

void Win32SystemSetup::InitCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

bool Win32SystemSetup::InitSockets() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

}  // namespace platform::win32

// Entry point of the installer: builds the Win32 services and runs the
// application object; its exit code becomes the process exit code.
#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "app/tarnel_app.h"
#include "platform/services.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_services.h"

namespace {

std::vector<CString> ProcessArguments() {
    std::vector<CString> arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr) {
        return arguments;
    }
    for (int i = 0; i < count; ++i) {
        arguments.emplace_back(argv[i]);
    }
    LocalFree(argv);
    return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    using namespace platform::win32;
    Win32StringTable strings(instance);
    Win32MessageBoxes messageBoxes;
    Win32SingleInstance singleInstance;
    Win32SystemSetup systemSetup;
    Win32DialogHost dialogs(instance);
    Win32Resources resources(instance);
    platform::Services services{strings,     messageBoxes, singleInstance,
                                systemSetup, dialogs,      resources};
    return RunTarnelApp(services, ProcessArguments());
}

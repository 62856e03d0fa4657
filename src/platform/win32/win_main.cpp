// Entry point of the installer: builds the Win32 services and runs the
// application object; its exit code becomes the process exit code.
#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "app/tarnel_app.h"
#include "install/updater.h"
#include "platform/services.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_graphics.h"
#include "platform/win32/win32_port_services.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_usb_devices.h"
#include "ports/system_port_factory.h"

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
    RestrictLibrarySearch();
    // Static and made before the updater, which is destroyed at process exit after
    // this function has returned (statics go in reverse order of their making) and
    // may still have to show a file error then.
    static Win32StringTable strings(instance);
    static Win32MessageBoxes messageBoxes;
    // The ports' services too: a port the updater still holds at exit uses them.
    static Win32UsbDevices usbDevices;
    static Win32TempFiles tempFiles;
    static Win32DynamicLibraries libraries;
    static Win32Spooler spooler;
    static Win32Resources resources(instance);
    static SystemPortFactory ports(usbDevices, DllPortServices{tempFiles, libraries, spooler,
                                                               resources, strings, messageBoxes});
    CUpdater::GetInstance().SetExitReport(strings, messageBoxes);
    Win32SingleInstance singleInstance;
    Win32SystemSetup systemSetup;
    Win32DialogHost dialogs(instance, strings, messageBoxes);
    Win32Graphics graphics(instance);
    Win32Registry registry;
    Win32FileSystem files;
    platform::Services services{strings,   messageBoxes, singleInstance, systemSetup, dialogs,
                                resources, graphics,     registry,       files};
    return RunTarnelApp(services, CUpdater::GetInstance(), ports, ProcessArguments());
}

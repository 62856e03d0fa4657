// The OS services that the system's classes use, handed to them at start-up. The
// product fills it with the Win32 implementations; tests with fakes.
#pragma once

namespace platform {

class DialogHost;
class MessageBoxes;
class Resources;
class SingleInstance;
class StringTable;
class SystemSetup;

struct Services {
    StringTable& strings;
    MessageBoxes& messageBoxes;
    SingleInstance& singleInstance;
    SystemSetup& systemSetup;
    DialogHost& dialogs;
    Resources& resources;
};

}  // namespace platform

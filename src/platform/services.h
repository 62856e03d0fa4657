// The OS services that the system's classes use, handed to them at start-up. The
// product fills it with the Win32 implementations; tests with fakes.
#pragma once

namespace platform {

class DialogHost;
class FileSystem;
class Graphics;
class MessageBoxes;
class Registry;
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
    Graphics& graphics;
    const Registry& registry;
    const FileSystem& files;
};

}  // namespace platform

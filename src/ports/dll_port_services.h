// What the maker-library ports need of the system, handed to their constructors:
// the temporary folder, the loader, the spooler, the embedded library and the boxes
// of the file errors.
#pragma once

namespace platform {
class DynamicLibraries;
class MessageBoxes;
class Resources;
class Spooler;
class StringTable;
class TempFiles;
}  // namespace platform

struct DllPortServices {
    platform::TempFiles& tempFiles;
    platform::DynamicLibraries& libraries;
    platform::Spooler& spooler;
    const platform::Resources& resources;
    const platform::StringTable& strings;
    platform::MessageBoxes& messageBoxes;
};

// Drives CQZ70Port with the product's Win32 services under Wine, in a prefix whose
// queue "Arvane QZ-70" tools/spooler-setup added. Argument: the Windows path where
// the payload it sends is written for comparison.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "platform/message_box.h"
#include "platform/string_table.h"
#include "platform/win32/win32_port_services.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_services.h"
#include "ports/dll_port.h"

namespace {

int g_failures = 0;

void Check(bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "ok" : "FAIL", what);
    std::fflush(stdout);
    if (!ok) {
        ++g_failures;
    }
}

// A box would stop an unattended run: its text is printed instead.
class PrintedBoxes final : public platform::MessageBoxes {
  public:
    int Show(const CString& text, const CString&, unsigned style) override {
        std::printf("box %u %ls\n", style, text.c_str());
        ++shown;
        return platform::mb::kIdOk;
    }
    int shown = 0;
};

class NoStrings final : public platform::StringTable {
  public:
    std::optional<CString> Load(unsigned) const override { return std::nullopt; }
};

bool FileExists(const CString& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The guard's promises, on Wine's real files: it cannot open while a writer is
// open; once open, nobody can write or delete the file, and the loader still can.
void CheckGuard(platform::win32::Win32TempFiles& files, std::span<const unsigned char> library) {
    const CString path = files.Folder().value_or(CString()) + L"tarnel-guard-check.dll";
    auto writer = files.Create(path);
    writer->Write(library);
    bool refused = false;
    try {
        (void)files.Guard(path);
    } catch (const platform::FileError& error) {
        refused = error.m_cause == platform::FileError::Cause::sharingViolation;
    }
    Check(refused, "guard refused while a writer is open");
    writer->Close();

    auto guard = files.Guard(path);
    Check(guard->ReadAll().size() == library.size(), "guard reads the file back");
    const HANDLE second =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    Check(second == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION,
          "guard refuses a second writer");
    if (second != INVALID_HANDLE_VALUE) {
        CloseHandle(second);
    }
    Check(!DeleteFileW(path.c_str()), "guard refuses deletion");
    platform::win32::Win32DynamicLibraries libraries;
    const platform::LibraryHandle loaded = libraries.Load(path);
    Check(loaded != nullptr, "library loads by full path while guarded");
    Check(loaded != nullptr && libraries.Symbol(loaded, "GetAPIVersion") != nullptr,
          "export found");
    guard.reset();
    if (loaded != nullptr) {
        libraries.Free(loaded);
    }
    files.Remove(path);
}

std::vector<unsigned char> Payload() {
    std::vector<unsigned char> bytes(300000);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<unsigned char>((i * 31 + i / 256) & 0xFF);
    }
    return bytes;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::printf("usage: library_port_check PAYLOAD-FILE\n");
        return 2;
    }
    platform::win32::RestrictLibrarySearch();
    platform::win32::Win32TempFiles files;
    platform::win32::Win32DynamicLibraries libraries;
    platform::win32::Win32Spooler spooler;
    platform::win32::Win32Resources resources(GetModuleHandleW(nullptr));
    NoStrings strings;
    PrintedBoxes boxes;
    const DllPortServices services{files, libraries, spooler, resources, strings, boxes};

    const auto library = resources.Find(146, L"DLL");
    if (!library) {
        std::printf("FAIL no resource DLL 146\n");
        return 1;
    }
    try {
        CheckGuard(files, *library);
    } catch (const platform::FileError& error) {
        std::printf("FAIL file error %d (%ld) in the guard check\n",
                    static_cast<int>(error.m_cause), error.m_lOsError);
        return 1;
    }

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const CString libraryPath = CString(temp) + L"QZ70CTR142.DLL";

    CQZ70Port port(services);
    Check(port.m_strLibraryPath == libraryPath && FileExists(libraryPath),
          "library extracted into the temporary folder");
    Check(port.m_pController != nullptr, "library loaded and opened");

    CString identity;
    Check(port.GetDeviceId(identity) != FALSE, "identity read");
    std::printf("identity %ls\n", identity.c_str());
    Check(!FileExists(libraryPath), "file deleted after the operation");

    Check(port.BeginUpdate() != FALSE, "update mode requested");

    const std::vector<unsigned char> payload = Payload();
    const HANDLE out = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    Check(
        out != INVALID_HANDLE_VALUE &&
            WriteFile(out, payload.data(), static_cast<DWORD>(payload.size()), &written, nullptr) &&
            written == payload.size(),
        "payload written for comparison");
    CloseHandle(out);
    Check(port.SendData(payload.data(), static_cast<std::uint32_t>(payload.size()), 0) != FALSE,
          "firmware sent through the spooler");
    port.Close();
    Check(!FileExists(libraryPath) && port.m_hLibrary == nullptr, "nothing left after Close");
    Check(boxes.shown == 0, "no message box");
    return g_failures == 0 ? 0 : 1;
}

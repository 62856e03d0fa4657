// resdump: prints the resources of a Windows program the way the tests compare
// them, so that what the resource compiler produced is checked, not what the
// script meant. Cross-built console program, run under Wine.
//
//   resdump PROGRAM.exe
//
// Output, one line each, UTF-8:
//   string LANG ID TEXT        every string of the string tables (\n and \\ escaped)
//   dialog LANG ID             every dialog template
//   resource TYPE ID LANG SIZE every FIRMWARE and DLL resource
//   version KEY VALUE          the version resource's fixed and string values
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void PrintUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

std::wstring Escaped(const wchar_t* text, std::size_t length) {
    std::wstring out;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == L'\n') {
            out += L"\\n";
        } else if (text[i] == L'\\') {
            out += L"\\\\";
        } else {
            out += text[i];
        }
    }
    return out;
}

struct Context {
    HMODULE module;
    LPCWSTR type;
    unsigned id;
};

// A string table block holds strings 16 * (block - 1) to 16 * block - 1, each a
// length word followed by that many characters.
void PrintStringBlock(HMODULE module, unsigned block, WORD language) {
    const HRSRC found =
        FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), language);
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* data =
        static_cast<const wchar_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (data == nullptr) {
        return;
    }
    for (unsigned i = 0; i < 16; ++i) {
        const std::size_t length = static_cast<std::size_t>(*data++);
        if (length != 0) {
            wchar_t head[64];
            swprintf(head, 64, L"string %u %u ", language, (block - 1) * 16 + i);
            PrintUtf8(head + Escaped(data, length) + L"\n");
        }
        data += length;
    }
}

BOOL CALLBACK OnLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR) {
    const auto id = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name));
    wchar_t line[128];
    if (type == MAKEINTRESOURCEW(6)) {
        PrintStringBlock(module, id, language);
        return TRUE;
    }
    if (type == MAKEINTRESOURCEW(5)) {
        swprintf(line, 128, L"dialog %u %u\n", language, id);
    } else {
        const HRSRC found = FindResourceExW(module, type, name, language);
        swprintf(line, 128, L"resource %ls %u %u %lu\n", type, id, language,
                 static_cast<unsigned long>(SizeofResource(module, found)));
    }
    PrintUtf8(line);
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR) {
    EnumResourceLanguagesW(module, type, name, OnLanguage, 0);
    return TRUE;
}

void PrintVersion(const wchar_t* path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0) {
        return;
    }
    std::string data(size, '\0');
    if (!GetFileVersionInfoW(path, 0, size, data.data())) {
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    wchar_t line[256];
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        swprintf(line, 256, L"version FILEVERSION %lu.%lu.%lu.%lu\n", fixed->dwFileVersionMS >> 16,
                 fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16,
                 fixed->dwFileVersionLS & 0xFFFF);
        PrintUtf8(line);
    }
    for (const wchar_t* key :
         {L"FileVersion", L"ProductVersion", L"OriginalFilename", L"InternalName"}) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
        wchar_t* value = nullptr;
        if (VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) {
            PrintUtf8(std::wstring(L"version ") + key + L" " + value + L"\n");
        }
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: resdump PROGRAM.exe\n", stderr);
        return 2;
    }
    const HMODULE module = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        std::fprintf(stderr, "resdump: cannot open %ls (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    EnumResourceNamesW(module, MAKEINTRESOURCEW(6), OnName, 0);
    EnumResourceNamesW(module, MAKEINTRESOURCEW(5), OnName, 0);
    EnumResourceNamesW(module, L"FIRMWARE", OnName, 0);
    EnumResourceNamesW(module, L"DLL", OnName, 0);
    PrintVersion(argv[1]);
    FreeLibrary(module);
    return 0;
}

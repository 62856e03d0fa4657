#include "platform/win32/win32_registry.h"

#include <windows.h>

namespace platform::win32 {

namespace {

class ScopedKey {
  public:
    ScopedKey() = default;
    ~ScopedKey() {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    HKEY get() const { return m_key; }
    HKEY* out() { return &m_key; }

  private:
    HKEY m_key = nullptr;
};

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_USERS;
}

}  // namespace

std::optional<CString> Win32Registry::ReadString(RegistryRoot root, const wchar_t* key,
                                                 const wchar_t* name, std::size_t capacity) const {
    // The 32-bit view: the one a 32-bit build sees, so that the x86_64 and the i686
    // builds read the same values on 64-bit Windows.
    ScopedKey opened;
    if (RegOpenKeyExW(RootKey(root), key, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, opened.out()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    CString data(capacity, L'\0');
    DWORD type = REG_NONE;
    DWORD bytes = static_cast<DWORD>(capacity * sizeof(wchar_t));
    if (RegQueryValueExW(opened.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // The data need not end in a NUL; it is exactly `bytes` long.
    data.resize(bytes / sizeof(wchar_t));
    return data;
}

}  // namespace platform::win32

#include "platform/win32/win32_resources.h"

namespace platform::win32 {

std::optional<std::span<const unsigned char>> Win32Resources::Find(unsigned id,
                                                                   const wchar_t* type) const {
    // FindResourceW, not the Ex form: the firmware is language-neutral.
    const HRSRC info = FindResourceW(m_module, MAKEINTRESOURCEW(id), type);
    if (info == nullptr) {
        return std::nullopt;
    }
    // A loaded resource belongs to the module; it is never freed or unlocked.
    const HGLOBAL loaded = LoadResource(m_module, info);
    if (loaded == nullptr) {
        return std::nullopt;
    }
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr) {
        return std::nullopt;
    }
    return std::span<const unsigned char>(static_cast<const unsigned char*>(bytes),
                                          SizeofResource(m_module, info));
}

}  // namespace platform::win32

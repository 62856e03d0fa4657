#include "platform/win32/win32_services.h"

namespace platform::win32 {

std::optional<CString> Win32StringTable::Load(unsigned id) const {
    // With a zero buffer size LoadStringW hands out the resource's own text, so no
    // message is ever cut to a buffer.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(m_module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return std::nullopt;
    }
    return CString(text, static_cast<std::size_t>(length));
}

}  // namespace platform::win32

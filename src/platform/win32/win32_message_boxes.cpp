#include "platform/win32/win32_services.h"

namespace platform::win32 {

int Win32MessageBoxes::Show(const CString& text, const CString& caption, unsigned style) {
    // Owned by the active dialog, so that the box is modal to it.
    return MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), style);
}

}  // namespace platform::win32

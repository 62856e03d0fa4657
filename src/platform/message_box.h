// Modal message boxes, as the user sees every outcome of the program.
#pragma once

#include "platform/tarnel_types.h"

namespace platform {

// Style bits and answers with the values of the Windows API, so that the portable
// code and the Win32 implementation agree without including <windows.h>.
namespace mb {
inline constexpr unsigned kOk = 0x00000000;
inline constexpr unsigned kYesNo = 0x00000004;
inline constexpr unsigned kIconError = 0x00000010;
inline constexpr unsigned kIconExclamation = 0x00000030;
inline constexpr unsigned kIconInformation = 0x00000040;
inline constexpr unsigned kDefButton2 = 0x00000100;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows the box modally over the active window and returns the button pressed.
    virtual int Show(const CString& text, const CString& caption, unsigned style) = 0;
};

}  // namespace platform

#include "platform/win32/win32_services.h"

namespace platform::win32 {

bool Win32SingleInstance::Acquire(const wchar_t* name) {
    // The handle stays open for the life of the process: the mutex only has to exist.
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, name);
    return mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace platform::win32

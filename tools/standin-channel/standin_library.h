// What both stand-in libraries need besides the channel: the export marker, the
// placeholders' guard and the copying of answers into the caller's buffers.
#pragma once

#include <cstdint>
#include <string>

#include "standin_channel.h"

#if defined(_WIN32)
#define STANDIN_EXPORT extern "C" __declspec(dllexport)
#else
#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace standin {

// A placeholder of an interface table was called: the caller counts positions
// wrongly. Ends the process loudly rather than answer something plausible.
[[noreturn]] void PlaceholderCalled(const char* library, int position);

// Copies at most size - 1 bytes of `text` and a NUL into `buffer` (size > 0); the
// number of bytes copied before the NUL.
int CopyText(const std::string& text, char* buffer, int size);

// The printer's status word; -1 (no status) when the simulator gives none.
std::int32_t RequestStatusWord(StandinChannel& channel);

// A dotted IPv4 address text, which cannot carry a second request line.
bool IsDottedAddress(const char* text);

}  // namespace standin

// White space in wide texts, the same on every build (the C libraries' iswspace
// differ between Windows and Linux locales).
#pragma once

#include "platform/tarnel_types.h"

bool IsWideSpace(wchar_t c);

// The text without white space at either end.
CString TrimWideSpace(const CString& text);

// The catalogue's texts are printf formats whose only conversion is "%s"; this
// fills them without handing a translated text to printf as a format.
#pragma once

#include <initializer_list>

#include "platform/tarnel_types.h"

// Replaces each "%s" of `format` by the next of `values` (nothing when they run
// out) and each "%%" by "%"; every other character stays as it is.
CString FormatText(const CString& format, std::initializer_list<CString> values);

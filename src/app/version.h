// Firmware versions as ints in hundredths ("2.80" is 280; -1 absent or unreadable).
#pragma once

#include "platform/tarnel_types.h"

// Reads a decimal version text the way atof does and rounds it to hundredths.
// -1 when the text is longer than 10 characters, or when its value does not fit.
int VersionToHundredths(const CString& text);

// "%d.%02d" of the version, "---" when it is negative.
CString FormatVersion(int version);

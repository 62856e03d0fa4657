// What this build installs: the supported model names, the carried version and
// the product code. Made once by the main dialog, then owned by the updater.
#pragma once

#include <vector>

#include "platform/tarnel_types.h"

class FirmwareTarget {
  public:
    // `modelList` is split at commas; each name loses the white space at its ends and
    // is kept even when empty; a trailing comma adds nothing.
    FirmwareTarget(int version, int productCode, const CString& modelList);

    // Suffix mode off: a name equal to `model`. Suffix mode on: for each name in order,
    // its first occurrence in `model` ends exactly at the end of `model`.
    BOOL IsSupportedModel(const CString& model, BOOL suffixMode) const;

    std::vector<CString> models;
    int version;      // hundredths; -1 when unreadable
    int productCode;  // -1 when missing or unreadable
};

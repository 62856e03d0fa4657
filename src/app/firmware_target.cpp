#include "app/firmware_target.h"

#include <algorithm>

#include "app/wide_space.h"

FirmwareTarget::FirmwareTarget(int version, int productCode, const CString& modelList)
    : version(version), productCode(productCode) {
    std::size_t start = 0;
    while (start < modelList.size()) {
        std::size_t comma = modelList.find(L',', start);
        if (comma == CString::npos) {
            comma = modelList.size();
        }
        models.push_back(TrimWideSpace(modelList.substr(start, comma - start)));
        start = comma + 1;
    }
}

BOOL FirmwareTarget::IsSupportedModel(const CString& model, BOOL suffixMode) const {
    if (!suffixMode) {
        return std::find(models.begin(), models.end(), model) != models.end() ? TRUE : FALSE;
    }
    for (const CString& name : models) {
        const std::size_t first = model.find(name);
        if (first != CString::npos && first + name.size() == model.size()) {
            return TRUE;
        }
    }
    return FALSE;
}

#include "app/text_format.h"

CString FormatText(const CString& format, std::initializer_list<CString> values) {
    CString text;
    auto next = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const bool conversion = format[i] == L'%' && i + 1 < format.size();
        if (conversion && format[i + 1] == L's') {
            if (next != values.end()) {
                text += *next++;
            }
            ++i;
        } else if (conversion && format[i + 1] == L'%') {
            text += L'%';
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

// One candidate printer that the main dialog can offer: a printer recorded by the
// print-management software, or the address given on the command line.
#pragma once

#include <cstdint>

#include "platform/tarnel_types.h"

class CPortInfo {
  public:
    enum Kind : std::int32_t { KIND_NETWORK = 0, KIND_USB = 1 };

    // A network printer. A null text gives an empty string.
    CPortInfo(const wchar_t* modelName, std::uint32_t ipAddress, const wchar_t* nickName);
    // A USB printer, whose address is 0. A null text gives an empty string.
    CPortInfo(const wchar_t* modelName, const wchar_t* usbPortName, const wchar_t* nickName);

    // The text of its combo box item: "nick [ model ] ", or the model name and one
    // blank when there is no nick name. Both forms end in a blank.
    CString Label() const;

    std::int32_t m_kind;
    CString m_modelName;
    CString m_nickName;
    CString m_usbPortName;
    std::uint32_t m_ipAddress;  // host byte order, first octet most significant; 0 for USB
};

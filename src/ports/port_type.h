// Port types: the build's one port type is named by configuration string 205 and
// turned into a code whose bits group the kinds (0x10 TCP/IP ports the program
// drives itself, 0x20 USB printer class, 0x40 controller library, 0x80
// remote-connect library; the low four bits number the variant).
#pragma once

#include "platform/tarnel_types.h"

enum PortTypeCode : int {
    PORT_TYPE_NONE = 0,
    PORT_TYPE_ETHERNET1 = 0x11,      // LPR, open code 0
    PORT_TYPE_ETHERNET2 = 0x12,      // LPR, open code 1
    PORT_TYPE_ETHERNET3 = 0x13,      // direct socket, boot frame on 9101
    PORT_TYPE_ETHERNET4 = 0x14,      // direct socket, boot frame on 9500
    PORT_TYPE_USB = 0x21,            // USB printer class
    PORT_TYPE_DLL_USB = 0x41,        // controller library and the print spooler
    PORT_TYPE_DLL_ETHERNET1 = 0x81,  // remote-connect library
};

// Case-insensitive lookup in the port type table; 0 for a name that is not in it,
// including names of more than 15 characters.
int GetPortTypeCode(const CString& name);

#include <gtest/gtest.h>

#include "app/build_config.h"
#include "fakes/fake_string_table.h"
#include "ports/port_type.h"
#include "resource.h"

namespace {

TEST(GetPortTypeCode, LooksNamesUpIgnoringCase) {
    const struct {
        const wchar_t* name;
        int code;
    } cases[] = {
        {L"Ethernet1", 0x11},
        {L"Ethernet2", 0x12},
        {L"Ethernet3", 0x13},
        {L"Ethernet4", 0x14},
        {L"USB", 0x21},
        {L"DLL_USB", 0x41},
        {L"DLL_Ethernet1", 0x81},
        {L"dll_usb", 0x41},
        {L"Dll_Usb", 0x41},
        {L"ETHERNET3", 0x13},
        {L"usb", 0x21},
        {L"Ethernet5", 0},
        {L"", 0},
        {L"DLL_USB ", 0},
        {L" USB", 0},
        {L"Ethernet", 0},
        {L"DLL_Ethernet1xyz", 0},  // sixteen characters never fit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        EXPECT_EQ(GetPortTypeCode(c.name), c.code);
    }
}

TEST(GetPortType, ReadsString205) {
    fakes::FakeStringTable strings;
    EXPECT_EQ(GetPortType(strings), 0x41);
    strings.Set(IDS_CFG_PORT_TYPE, L"ethernet4");
    EXPECT_EQ(GetPortType(strings), 0x14);
    strings.Set(IDS_CFG_PORT_TYPE, L"Ethernet5");
    EXPECT_EQ(GetPortType(strings), 0);
    strings.Remove(IDS_CFG_PORT_TYPE);
    EXPECT_EQ(GetPortType(strings), 0);
}

TEST(GetProductCode, ReadsString204LikeAtoi) {
    const struct {
        const wchar_t* text;
        int code;
    } cases[] = {
        {L"70168", 70168},
        {L" 42", 42},
        {L"-7", -7},
        {L"12ab", 12},
        {L"abc", 0},
        {L"", 0},
        {L"2147483647", 2147483647},
        {L"9999999999", 2147483647},  // saturates instead of overflowing
        {L"-999999999", -999999999},
        {L"12345678901", -1},  // longer than ten characters
    };
    fakes::FakeStringTable strings;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        strings.Set(IDS_CFG_PRODUCT_CODE, c.text);
        EXPECT_EQ(GetProductCode(strings), c.code);
    }
    strings.Remove(IDS_CFG_PRODUCT_CODE);
    EXPECT_EQ(GetProductCode(strings), -1);
}

}  // namespace

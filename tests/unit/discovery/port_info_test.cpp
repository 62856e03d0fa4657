#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "discovery/port_info.h"
#include "discovery/port_info_list.h"

namespace {

TEST(CPortInfo, LabelsEndInABlank) {
    const struct {
        const wchar_t* model;
        const wchar_t* nick;
        const wchar_t* label;
    } cases[] = {
        {L"QZ-70", L"B", L"B [ QZ-70 ] "},
        {L"Arvane QZ-70", L"", L"Arvane QZ-70 "},
        {L"Arvane QZ-70", nullptr, L"Arvane QZ-70 "},
        {L"", L"", L" "},  // the command-line entry
        {L"", L"Office", L"Office [  ] "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.label)));
        EXPECT_EQ(CPortInfo(c.model, 0x0A000005u, c.nick).Label(), c.label);
        EXPECT_EQ(CPortInfo(c.model, L"USB001", c.nick).Label(), c.label);
    }
}

TEST(CPortInfo, NetworkAndUsbRecordsFillTheirFields) {
    const CPortInfo network(L"QZ-70", 0xC0A8000Au, L"B");
    EXPECT_EQ(network.m_kind, CPortInfo::KIND_NETWORK);
    EXPECT_EQ(network.m_kind, 0);
    EXPECT_EQ(network.m_modelName, L"QZ-70");
    EXPECT_EQ(network.m_nickName, L"B");
    EXPECT_EQ(network.m_usbPortName, L"");
    EXPECT_EQ(network.m_ipAddress, 0xC0A8000Au);

    const CPortInfo usb(L"QZ-70", L"USB001", L"U");
    EXPECT_EQ(usb.m_kind, 1);
    EXPECT_EQ(usb.m_modelName, L"QZ-70");
    EXPECT_EQ(usb.m_nickName, L"U");
    EXPECT_EQ(usb.m_usbPortName, L"USB001");
    EXPECT_EQ(usb.m_ipAddress, 0u);

    const CPortInfo nulls(nullptr, nullptr, nullptr);
    EXPECT_EQ(nulls.m_kind, 1);
    EXPECT_EQ(nulls.m_modelName, L"");
    EXPECT_EQ(nulls.m_nickName, L"");
    EXPECT_EQ(nulls.m_usbPortName, L"");
    const CPortInfo networkNulls(nullptr, 0x0A000005u, nullptr);
    EXPECT_EQ(networkNulls.Label(), L" ");
}

// Run under AddressSanitizer, a leak or a second delete of an entry fails the test.
TEST(CPortInfoList, OwnsItsEntriesInTheOrderAdded) {
    CPortInfoList list;
    EXPECT_EQ(list.GetCount(), 0);
    auto first = std::make_unique<CPortInfo>(L"A", 1u, L"");
    const CPortInfo* firstEntry = first.get();
    list.Add(std::move(first));
    list.Add(nullptr);
    list.Add(std::make_unique<CPortInfo>(L"B", L"USB001", L""));
    // Item data keep pointing at the same entries however many more are added.
    for (unsigned i = 0; i < 100; ++i) {
        list.Add(std::make_unique<CPortInfo>(L"C", i + 2, L""));
    }
    ASSERT_EQ(list.GetCount(), 102);
    EXPECT_EQ(list.GetAt(0), firstEntry);
    EXPECT_EQ(list.GetAt(1)->m_modelName, L"B");
    EXPECT_EQ(list.GetAt(101)->m_ipAddress, 101u);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(102), nullptr);

    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetAt(0), nullptr);
    list.Add(std::make_unique<CPortInfo>(L"D", 4u, L""));
    EXPECT_EQ(list.GetAt(0)->m_modelName, L"D");
}

}  // namespace

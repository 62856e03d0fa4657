#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "discovery/device_info_file.h"
#include "discovery/device_info_parser.h"
#include "discovery/utf8_text_file.h"
#include "fakes/fake_registry.h"
#include "platform/posix/posix_file_system.h"
#include "temp_dir.h"

namespace {

using discovery_test::SystemPath;
using discovery_test::TempDir;

struct Record {
    std::int32_t kind;
    CString modelName;
    CString nickName;
    CString usbPortName;
    std::uint32_t ipAddress;
    bool operator==(const Record&) const = default;
};

void PrintTo(const Record& r, std::ostream* os) {
    *os << "{" << r.kind << ", " << testing::PrintToString(r.modelName) << ", "
        << testing::PrintToString(r.nickName) << ", " << testing::PrintToString(r.usbPortName)
        << ", " << std::hex << r.ipAddress << "}";
}

std::vector<Record> Parse(const CString& text) {
    CPortInfoList list;
    const int appended = ParseDeviceInfo(text, list);
    EXPECT_EQ(appended, list.GetCount());
    std::vector<Record> records;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CPortInfo& e = *list.GetAt(i);
        records.push_back({e.m_kind, e.m_modelName, e.m_nickName, e.m_usbPortName, e.m_ipAddress});
    }
    return records;
}

CString NetworkElement(const CString& model, const CString& nick, const CString& ip) {
    return L"<DeviceInfo><strNickName>" + nick + L"</strNickName><strLongModelName>" + model +
           L"</strLongModelName><ePortType>0</ePortType><uchIP>" + ip + L"</uchIP></DeviceInfo>";
}

// 192.168.0.10 as the software writes it: its bytes in network order, read as a
// little-endian number, 10 * 2^24 + 168 * 2^8 + 192.
constexpr const wchar_t* kIp192_168_0_10 = L"167815360";
constexpr std::uint32_t kHost192_168_0_10 = 0xC0A8000A;

TEST(ParseDeviceInfo, GivesEveryNetworkPrinterInFileOrder) {
    const CString file =
        LR"(<?xml version="1.0" encoding="utf-8"?>
<DeviceInfoList version="2">
  <DeviceInfo>
    <strNickName>B</strNickName>
    <strLongModelName>QZ-70</strLongModelName>
    <ePortType>0</ePortType>
    <uchIP>167815360</uchIP>
  </DeviceInfo>
  <DeviceInfo>
    <strNickName></strNickName>
    <strLongModelName>Arvane QZ-70</strLongModelName>
    <ePortType>0</ePortType>
    <uchIP>184592576</uchIP>
  </DeviceInfo>
  <DeviceInfo>
    <strLongModelName>QZ-700</strLongModelName>
    <uchIP>201369792</uchIP>
  </DeviceInfo>
</DeviceInfoList>
)";
    const std::vector<Record> expected = {
        {0, L"QZ-70", L"B", L"", 0xC0A8000A},
        {0, L"Arvane QZ-70", L"", L"", 0xC0A8000B},
        {0, L"QZ-700", L"", L"", 0xC0A8000C},
    };
    EXPECT_EQ(Parse(file), expected);
}

TEST(ParseDeviceInfo, ReadsEachElementByItsPortType) {
    const struct {
        const char* label;
        CString text;
        std::vector<Record> records;
    } cases[] = {
        {"network",
         NetworkElement(L"QZ-70", L"N", kIp192_168_0_10),
         {{0, L"QZ-70", L"N", L"", kHost192_168_0_10}}},
        {"no ePortType is network",
         L"<DeviceInfo><strLongModelName>M</strLongModelName><uchIP>167815360</uchIP></DeviceInfo>",
         {{0, L"M", L"", L"", kHost192_168_0_10}}},
        {"empty ePortType is network",
         L"<DeviceInfo><ePortType></ePortType><uchIP>167815360</uchIP></DeviceInfo>",
         {{0, L"", L"", L"", kHost192_168_0_10}}},
        {"USB",
         L"<DeviceInfo><strNickName>U</strNickName><strLongModelName>QZ-70</strLongModelName>"
         L"<ePortType>1</ePortType><strUSBPortName>USB001</strUSBPortName>"
         L"<uchIP>167815360</uchIP></DeviceInfo>",
         {{1, L"QZ-70", L"U", L"USB001", 0}}},
        {"USB without port name",
         L"<DeviceInfo><ePortType>1</ePortType><strUSBPortName></strUSBPortName></DeviceInfo>",
         {}},
        {"network port name is ignored",
         L"<DeviceInfo><uchIP>167815360</uchIP><strUSBPortName>USB001</strUSBPortName></"
         L"DeviceInfo>",
         {{0, L"", L"", L"", kHost192_168_0_10}}},
        {"other port type",
         L"<DeviceInfo><ePortType>2</ePortType><uchIP>1</uchIP></DeviceInfo>",
         {}},
        {"negative port type",
         L"<DeviceInfo><ePortType>-1</ePortType><uchIP>1</uchIP></DeviceInfo>",
         {}},
        {"port type with trailing text",
         L"<DeviceInfo><ePortType> 1 (USB)</ePortType><strUSBPortName>USB002</strUSBPortName>"
         L"</DeviceInfo>",
         {{1, L"", L"", L"USB002", 0}}},
        {"first child counts",
         L"<DeviceInfo><strLongModelName>A</strLongModelName><strLongModelName>B</strLongModelName>"
         L"<uchIP>167815360</uchIP><uchIP>1</uchIP></DeviceInfo>",
         {{0, L"A", L"", L"", kHost192_168_0_10}}},
        {"texts unchanged",
         L"<DeviceInfo><strNickName> A &amp; B </strNickName><uchIP>167815360</uchIP></DeviceInfo>",
         {{0, L"", L" A &amp; B ", L"", kHost192_168_0_10}}},
        {"attributes on the element",
         L"<DeviceInfo id=\"3\"><uchIP>167815360</uchIP></DeviceInfo>",
         {{0, L"", L"", L"", kHost192_168_0_10}}},
        {"a line break after the name is another tag",
         L"<DeviceInfo\n><uchIP>167815360</uchIP></DeviceInfo>",
         {}},
        {"similar names are other tags",
         L"<DeviceInfoList><DeviceInfos><uchIP>167815360</uchIP></DeviceInfos></DeviceInfoList>",
         {}},
        {"last element unclosed",
         NetworkElement(L"A", L"", kIp192_168_0_10) +
             L"<DeviceInfo><strLongModelName>B</strLongModelName><uchIP>1</uchIP>",
         {{0, L"A", L"", L"", kHost192_168_0_10}}},
        {"a nested element is found too",
         L"<DeviceInfo><DeviceInfo><uchIP>167815360</uchIP></DeviceInfo></DeviceInfo>",
         {{0, L"", L"", L"", kHost192_168_0_10}, {0, L"", L"", L"", kHost192_168_0_10}}},
        {"a bad element between good ones",
         NetworkElement(L"A", L"", L"1") + NetworkElement(L"B", L"", L"0") +
             NetworkElement(L"C", L"", L"2"),
         {{0, L"A", L"", L"", 0x01000000}, {0, L"C", L"", L"", 0x02000000}}},
        {"text ends at a NUL",
         NetworkElement(L"A", L"", L"1") + L'\0' + NetworkElement(L"B", L"", L"2"),
         {{0, L"A", L"", L"", 0x01000000}}},
        {"empty text", L"", {}},
        {"no element", L"<Devices/>", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Parse(c.text), c.records);
    }
}

TEST(ParseDeviceInfo, TakesTheSignedAndTheUnsignedFormOfTheAddress) {
    const struct {
        const wchar_t* uchIP;
        std::uint32_t address;  // host byte order, 0 for no record
    } cases[] = {
        {L"167815360", 0xC0A8000A},
        {L"+167815360", 0xC0A8000A},
        {L" \t167815360 ", 0xC0A8000A},
        {L"167815360xyz", 0xC0A8000A},
        // 192.168.0.200: 200 * 2^24 + 168 * 2^8 + 192 does not fit a signed number.
        {L"3355486400", 0xC0A800C8},
        {L"-939480896", 0xC0A800C8},
        {L"4294967295", 0xFFFFFFFF},
        {L"-1", 0xFFFFFFFF},
        {L"2147483648", 0x00000080},
        {L"-2147483648", 0x00000080},
        {L"1", 0x01000000},
        {L"0", 0},
        {L"-0", 0},
        {L"", 0},
        {L"abc", 0},
        {L"0x0A00A8C0", 0},
        {L"4294967296", 0},   // beyond 32 bits: no address at all
        {L"-2147483649", 0},  // the same below
        {L"99999999999999999999999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.uchIP)));
        const auto records = Parse(NetworkElement(L"QZ-70", L"", c.uchIP));
        if (c.address == 0) {
            EXPECT_TRUE(records.empty());
        } else {
            ASSERT_EQ(records.size(), 1u);
            EXPECT_EQ(records[0].ipAddress, c.address);
        }
    }
    EXPECT_TRUE(
        Parse(L"<DeviceInfo><strLongModelName>QZ-70</strLongModelName></DeviceInfo>").empty());
}

TEST(ParseDeviceInfo, AppendsToTheRecordsTheListHolds) {
    CPortInfoList list;
    list.Add(std::make_unique<CPortInfo>(L"", 0x0A000005u, L""));
    EXPECT_EQ(ParseDeviceInfo(NetworkElement(L"QZ-70", L"", kIp192_168_0_10), list), 1);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(0)->m_ipAddress, 0x0A000005u);
    EXPECT_EQ(list.GetAt(1)->m_ipAddress, kHost192_168_0_10);
}

// Both generations' files, found, read and parsed the way the dialog does it.
TEST(DeviceInfoFile, EachGenerationYieldsTheRecordsOfItsOwnFile) {
    TempDir velmo;
    TempDir inkomar;
    fakes::FakeRegistry registry;
    registry.SetString(platform::RegistryRoot::LocalMachine,
                       L"SOFTWARE\\Arvane\\Arvane Inkomar Velmo\\Installer", L"InstallPath",
                       SystemPath(velmo.path()));
    registry.SetString(platform::RegistryRoot::Users,
                       L".DEFAULT\\SOFTWARE\\Arvane\\Inkomar\\1.0\\Installer", L"InstallPath",
                       SystemPath(inkomar.path()));
    velmo.Write("Inkomar/Device/DeviceInfo.xml",
                "\xEF\xBB\xBF<DeviceInfo><strNickName>K\xC3\xBC"
                "che</strNickName>"
                "<strLongModelName>QZ-70</strLongModelName><uchIP>167815360</uchIP></DeviceInfo>");
    inkomar.Write("Inkomar 1.0/Device/DeviceInfo.xml",
                  "<DeviceInfo><strLongModelName>QZ-70</strLongModelName><ePortType>1</ePortType>"
                  "<strUSBPortName>USB001</strUSBPortName></DeviceInfo>"
                  "<DeviceInfo><strLongModelName>Arvane QZ-70</strLongModelName>"
                  "<uchIP>-939480896</uchIP></DeviceInfo>");
    const platform::posix::PosixFileSystem files;
    const auto read = [&](int generation) {
        DeviceInfoLocation location;
        return Parse(
            ReadUtf8TextFile(files, FindDeviceInfoFile(registry, files, generation, location)));
    };
    EXPECT_EQ(read(0), (std::vector<Record>{{0, L"QZ-70", L"K\u00FCche", L"", kHost192_168_0_10}}));
    EXPECT_EQ(read(1), (std::vector<Record>{{1, L"QZ-70", L"", L"USB001", 0},
                                            {0, L"Arvane QZ-70", L"", L"", 0xC0A800C8}}));
}

}  // namespace

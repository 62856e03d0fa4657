#include "ports/usb_port.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_usb_devices.h"
#include "ports/boot_packet.h"
#include "ports/open_codes.h"

namespace {

using fakes::FakeUsbDevice;
using fakes::WriteAnswer;

// The printer class's interface GUID, and a second class for other devices.
const CString kPrinterClass = L"28d78fad-5a12-11d1-ae5b-0000f803a8c2";
const CString kOtherClass = L"a5dcbf10-6530-11d2-901f-00c04fb951ed";
const CString kSupported = L"USB\\VID_1A7E&PID_0316\\A1";
const CString kUnsupported = L"USB\\VID_04B8&PID_0005\\B2";

CString Braced(const CString& guid) {
    return L"{" + guid + L"}";
}
// An interface key as Windows names them: the device path, ending with the class.
CString InterfaceKey(const CString& serial, const CString& guid) {
    return L"##?#USB#VID_1A7E&PID_0316#" + serial + L"#" + Braced(guid);
}

std::string Payload(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    }
    return bytes;
}

std::string BootPacket() {
    const auto packet = BuildBootPacket();
    return std::string(packet.begin(), packet.end());
}

class UsbPortTest : public testing::Test {
  protected:
    // Whatever a test did, the port left no handle open and closed none twice.
    void TearDown() override {
        EXPECT_EQ(devices.OpenHandles(), 0);
        EXPECT_EQ(devices.badHandleUses, 0);
    }

    // A supported printer, registered and plugged in.
    FakeUsbDevice& AddPrinter(const CString& path = L"\\\\?\\usb#printer") {
        devices.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                                  kSupported);
        FakeUsbDevice& device = devices.AddPresentInterface(kPrinterClass, path);
        device.deviceId = "MDL:QZ-70;VER:2.70;";
        return device;
    }

    fakes::FakeUsbDevices devices;
    CKM410USBPort port{devices};
};

TEST_F(UsbPortTest, MatchDeviceIdAcceptsTheThreePrefixesInAnyCase) {
    const struct {
        const wchar_t* instanceId;
        bool supported;
    } cases[] = {
        {L"USB\\VID_1A7E&PID_0316\\0123456", true},
        {L"USB\\VID_1A7E&PID_0319\\X", true},
        {L"USB\\VID_1A7E&PID_031A\\X", true},
        {L"usb\\vid_1a7e&pid_031a\\x", true},
        {L"USB\\VID_1A7E&PID_0316", true},
        {L"USB\\VID_1A7E&PID_03160000&anything", true},
        {L"USB\\VID_1A7E&PID_0317\\X", false},
        {L"USB\\VID_1A7E&PID_031", false},
        {L" USB\\VID_1A7E&PID_0316", false},
        {L"USBPRINT\\VID_1A7E&PID_0316", false},
        {L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "instance id " << std::wstring(c.instanceId));
        EXPECT_EQ(port.MatchDeviceId(c.instanceId) != FALSE, c.supported);
    }
}

TEST_F(UsbPortTest, GetDeviceIdPassesOnExactlyTheBytesReturned) {
    using namespace std::string_literals;
    const struct {
        std::string reply;
        CString expected;
    } cases[] = {
        {"MDL:QZ-70;VER:2.70;", L"MDL:QZ-70;VER:2.70;"},
        // Counted bytes after a NUL are part of the reply.
        {"MDL:QZ-70;\0VER"s, L"MDL:QZ-70;\0VER"s},
        // A reply that fills the buffer has no NUL to stop at; longer ones are cut to it.
        {std::string(1024, 'x'), CString(1024, L'x')},
        {std::string(1500, 'y'), CString(1024, L'y')},
    };
    FakeUsbDevice& printer = AddPrinter();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "reply of " << c.reply.size() << " bytes");
        printer.deviceId = c.reply;
        CString out = L"stale";
        EXPECT_TRUE(port.GetDeviceId(out));
        EXPECT_EQ(out, c.expected);
    }
    EXPECT_EQ(devices.controlCodes, std::vector<std::uint32_t>(std::size(cases), 0x16000C));
    EXPECT_TRUE(printer.writeSizes.empty());
}

TEST_F(UsbPortTest, GetDeviceIdFailsWhenTheDeviceGivesNoIdentity) {
    FakeUsbDevice& printer = AddPrinter();
    for (const auto& reply : {std::optional<std::string>(""), std::optional<std::string>()}) {
        SCOPED_TRACE(reply ? "0-byte reply" : "request fails");
        printer.deviceId = reply;
        CString out = L"stale";
        EXPECT_FALSE(port.GetDeviceId(out));
        EXPECT_EQ(out, L"");
    }
    EXPECT_EQ(printer.controlRequests, 2);
}

TEST_F(UsbPortTest, EveryOperationFailsWithoutAnOpenableDevice) {
    const struct {
        const char* label;
        std::function<void(fakes::FakeUsbDevices&)> setUp;
    } cases[] = {
        {"nothing registered", [](fakes::FakeUsbDevices&) {}},
        {"registered but unplugged",
         [](fakes::FakeUsbDevices& d) {
             d.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                                 kSupported);
             d.AddPresentInterface(kOtherClass, L"\\\\?\\other");
         }},
        {"only an unsupported model registered",
         [](fakes::FakeUsbDevices& d) {
             d.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"B2", kPrinterClass),
                                 kUnsupported);
             d.AddPresentInterface(kPrinterClass, L"\\\\?\\unsupported");
         }},
        {"present but does not open",
         [](fakes::FakeUsbDevices& d) {
             d.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                                 kSupported);
             d.AddPresentInterface(kPrinterClass, L"\\\\?\\busy").opens = false;
         }},
        {"the device set cannot be had",
         [](fakes::FakeUsbDevices& d) {
             d.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                                 kSupported);
             d.AddPresentInterface(kPrinterClass, L"\\\\?\\printer");
             d.failDeviceSets = true;
         }},
    };
    const std::string payload = Payload(100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fakes::FakeUsbDevices local;
        c.setUp(local);
        CKM410USBPort unplugged(local);
        CString out = L"untouched";
        EXPECT_FALSE(unplugged.GetDeviceId(out));
        EXPECT_EQ(out, L"untouched");
        EXPECT_FALSE(unplugged.BeginUpdate());
        EXPECT_FALSE(unplugged.SendData(payload.data(), 100, 0));
        EXPECT_FALSE(unplugged.SendData(nullptr, 0, 0));
        EXPECT_TRUE(local.controlCodes.empty());
        EXPECT_EQ(local.OpenHandles(), 0);
        EXPECT_EQ(local.badHandleUses, 0);
    }
}

TEST_F(UsbPortTest, TheClassComesFromTheFirstSupportedRegisteredInterface) {
    // Earlier keys lead nowhere: an unsupported model, and an interface without its value.
    devices.RegisterInterface(Braced(kOtherClass), InterfaceKey(L"B2", kOtherClass), kUnsupported);
    devices.RegisterInterface(Braced(kOtherClass), InterfaceKey(L"C3", kOtherClass), std::nullopt);
    devices.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                              L"usb\\vid_1a7e&pid_0319\\a1");
    devices.AddPresentInterface(kOtherClass, L"\\\\?\\other").deviceId = "MDL:OTHER;";
    devices.AddPresentInterface(kPrinterClass, L"\\\\?\\printer").deviceId = "MDL:QZ-70;";
    CString out;
    EXPECT_TRUE(port.GetDeviceId(out));
    EXPECT_EQ(out, L"MDL:QZ-70;");
    EXPECT_EQ(devices.openAttempts, std::vector<CString>{L"\\\\?\\printer"});
}

TEST_F(UsbPortTest, TheClassIsTakenFromTheLastBracesThatEndTheKeyName) {
    const struct {
        CString interfaceKey;
        const wchar_t* opened;  // null: no device opens
    } cases[] = {
        {InterfaceKey(L"A1", kPrinterClass), L"first"},
        {L"{00000000-0000-0000-0000-000000000000}#" + Braced(kPrinterClass), L"first"},
        {L"no braces at all", L"fallback"},
        {Braced(kPrinterClass) + L"#", L"fallback"},
        {L"#{" + kPrinterClass, L"fallback"},
        {L"#{}", L"fallback"},
        // A class text that is no GUID ends the search: the first answer is the answer.
        {L"#{not-a-guid}", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.interfaceKey);
        fakes::FakeUsbDevices local;
        local.RegisterInterface(Braced(kPrinterClass), c.interfaceKey, kSupported);
        local.RegisterInterface(Braced(kOtherClass), InterfaceKey(L"A1", kOtherClass), kSupported);
        local.AddPresentInterface(kPrinterClass, L"first").deviceId = "MDL:QZ-70;";
        local.AddPresentInterface(kOtherClass, L"fallback").deviceId = "MDL:QZ-70;";
        CKM410USBPort searching(local);
        CString out;
        EXPECT_EQ(searching.GetDeviceId(out) != FALSE, c.opened != nullptr);
        EXPECT_EQ(local.openAttempts,
                  c.opened ? std::vector<CString>{c.opened} : std::vector<CString>{});
        EXPECT_EQ(local.OpenHandles(), 0);
    }
}

TEST_F(UsbPortTest, TheFirstOpenableInterfaceOfTheClassIsUsedWhateverItsModel) {
    devices.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                              kSupported);
    devices.AddPresentInterface(kPrinterClass, L"no detail", false);
    devices.AddPresentInterface(kPrinterClass, L"busy").opens = false;
    devices.AddPresentInterface(kPrinterClass, L"other model").deviceId = "MDL:OTHER;";
    devices.AddPresentInterface(kPrinterClass, L"supported").deviceId = "MDL:QZ-70;";
    CString out;
    EXPECT_TRUE(port.GetDeviceId(out));
    EXPECT_EQ(out, L"MDL:OTHER;");
    EXPECT_EQ(devices.openAttempts, (std::vector<CString>{L"busy", L"other model"}));
}

TEST_F(UsbPortTest, SendDataWritesPiecesOfTheLimit) {
    const struct {
        std::uint32_t length;
        std::uint32_t chunkSize;
        std::vector<std::uint32_t> pieces;
    } cases[] = {
        {10000, 0, {4096, 4096, 1808}},
        {10000, 4097, {4096, 4096, 1808}},
        {10000, 0xFFFFFFFF, {4096, 4096, 1808}},
        {2500, 1000, {1000, 1000, 500}},
        {8192, 4096, {4096, 4096}},
        {1, 0, {1}},
        {0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " bytes, chunk size " << c.chunkSize);
        fakes::FakeUsbDevices local;
        local.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                                kSupported);
        FakeUsbDevice& printer = local.AddPresentInterface(kPrinterClass, L"printer");
        const std::string payload = Payload(c.length);
        CKM410USBPort sending(local);
        EXPECT_TRUE(sending.SendData(payload.data(), c.length, c.chunkSize));
        EXPECT_EQ(printer.writeSizes, c.pieces);
        EXPECT_EQ(printer.received, payload);
        // Also a length of 0 opens the device: that is what its success means.
        EXPECT_EQ(printer.openCount, 1);
        EXPECT_EQ(local.OpenHandles(), 0);
    }
}

TEST_F(UsbPortTest, PartialWritesContinueWhereTheDeviceStopped) {
    FakeUsbDevice& printer = AddPrinter();
    printer.writeAnswers = {WriteAnswer::Accept(1000), WriteAnswer::Accept(3000)};
    const std::string payload = Payload(10000);
    EXPECT_TRUE(port.SendData(payload.data(), 10000, 0));
    EXPECT_EQ(printer.writeSizes, (std::vector<std::uint32_t>{4096, 3096, 96, 4096, 1808}));
    EXPECT_EQ(printer.received, payload);
}

TEST_F(UsbPortTest, WritesThatTakeNothingAreBounded) {
    constexpr int kBound = CUSBPort::kMaxWritesWithoutProgress;
    const std::string payload = Payload(5000);
    FakeUsbDevice& printer = AddPrinter();
    // One short of the bound, then a byte, resets the count; the transfer completes.
    printer.writeAnswers.assign(kBound - 1, WriteAnswer::Accept(0));
    printer.writeAnswers.push_back(WriteAnswer::Accept(1));
    printer.writeAnswers.insert(printer.writeAnswers.end(), kBound - 1, WriteAnswer::Accept(0));
    EXPECT_TRUE(port.SendData(payload.data(), 5000, 0));
    EXPECT_EQ(printer.received, payload);

    // A device that always reports success without taking a byte fails the transfer.
    printer.received.clear();
    printer.writeSizes.clear();
    printer.afterScript = WriteAnswer::Accept(0);
    EXPECT_FALSE(port.SendData(payload.data(), 5000, 0));
    EXPECT_EQ(printer.writeSizes, std::vector<std::uint32_t>(kBound, 4096));
    EXPECT_EQ(printer.received, "");
}

TEST_F(UsbPortTest, AFailedWriteEndsTheTransfer) {
    const struct {
        const char* label;
        std::vector<WriteAnswer> answers;
        std::size_t writes;
        std::size_t delivered;
    } cases[] = {
        {"first write fails", {WriteAnswer::Fail()}, 1, 0},
        {"second piece fails", {WriteAnswer::All(), WriteAnswer::Fail()}, 2, 4096},
        {"rest of a piece fails", {WriteAnswer::Accept(10), WriteAnswer::Fail()}, 2, 10},
        {"more accepted than offered", {WriteAnswer::Accept(4097)}, 1, 4096},
    };
    const std::string payload = Payload(10000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fakes::FakeUsbDevices local;
        local.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                                kSupported);
        FakeUsbDevice& printer = local.AddPresentInterface(kPrinterClass, L"printer");
        printer.writeAnswers.assign(c.answers.begin(), c.answers.end());
        CKM410USBPort sending(local);
        EXPECT_FALSE(sending.SendData(payload.data(), 10000, 0));
        EXPECT_EQ(printer.writeSizes.size(), c.writes);
        EXPECT_EQ(printer.received, payload.substr(0, c.delivered));
        EXPECT_EQ(local.OpenHandles(), 0);
    }
}

TEST_F(UsbPortTest, BeginUpdateSendsOpenCodeMonitorAndBootPacketOnSeparateOpenings) {
    FakeUsbDevice& printer = AddPrinter();
    EXPECT_STREQ(port.GetOpenCode(), kOpenCodeTable[0]);
    EXPECT_TRUE(port.BeginUpdate());
    // The first opening is BeginUpdate's own; each SendData searches and opens again.
    EXPECT_EQ(printer.sessions,
              (std::vector<std::string>{"", kOpenCodeTable[0], "PIPE MONITOR", BootPacket()}));
    EXPECT_EQ(printer.writeSizes, (std::vector<std::uint32_t>{510, 12, 21}));
}

TEST_F(UsbPortTest, BeginUpdateStopsAtTheFirstFailedWrite) {
    const std::vector<std::string> parts = {kOpenCodeTable[0], "PIPE MONITOR", BootPacket()};
    for (std::size_t failing = 0; failing < parts.size(); ++failing) {
        SCOPED_TRACE(testing::Message() << "write " << failing << " fails");
        fakes::FakeUsbDevices local;
        local.RegisterInterface(Braced(kPrinterClass), InterfaceKey(L"A1", kPrinterClass),
                                kSupported);
        FakeUsbDevice& printer = local.AddPresentInterface(kPrinterClass, L"printer");
        printer.writeAnswers.assign(failing, WriteAnswer::All());
        printer.writeAnswers.push_back(WriteAnswer::Fail());
        CKM410USBPort updating(local);
        EXPECT_FALSE(updating.BeginUpdate());
        std::string sent;
        for (std::size_t i = 0; i < failing; ++i) {
            sent += parts[i];
        }
        EXPECT_EQ(printer.received, sent);
        EXPECT_EQ(printer.writeSizes.size(), failing + 1);
        EXPECT_EQ(local.OpenHandles(), 0);
    }
}

TEST_F(UsbPortTest, CloseHoldsNothingAndThePortStaysUsable) {
    AddPrinter();
    port.Close();
    port.Close();
    CString out;
    EXPECT_TRUE(port.GetDeviceId(out));
    port.Close();
    EXPECT_EQ(out, L"MDL:QZ-70;VER:2.70;");
}

}  // namespace

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/scripted_port.h"
#include "install/updater.h"
#include "unit/image/puf_payloads.h"

namespace {

using fakes::PortLog;
using testing_puf::ImageOf;
using testing_puf::Payload;

constexpr int kCarried = 280;
constexpr int kProduct = 70168;

std::unique_ptr<FirmwareTarget> Target(int version = kCarried, int product = kProduct) {
    return std::make_unique<FirmwareTarget>(version, product, L"QZ-70, QZ-70S");
}

class UpdaterTest : public testing::Test {
  protected:
    void GiveFirmware() { GiveFirmware(updater); }
    void GiveFirmware(CUpdater& to) {
        auto target = Target();
        auto image = ImageOf(Payload("070168", "2.80", "body"));
        ASSERT_EQ(to.SetFirmware(target, image), 1);
    }

    // A port named `name` that gives these replies in turn (nullopt: a failure).
    std::unique_ptr<CPort> Port(const std::string& name,
                                std::deque<std::optional<CString>> replies) {
        return std::make_unique<fakes::ScriptedPort>(name, log, std::move(replies));
    }

    // Attaches a port named "P" that accepts: 2.70 is older than the carried 2.80.
    void AttachOlderPrinter(std::deque<std::optional<CString>> laterReplies, int format = -1) {
        AttachOlderPrinter(updater, std::move(laterReplies), format);
    }
    void AttachOlderPrinter(CUpdater& to, std::deque<std::optional<CString>> laterReplies,
                            int format) {
        laterReplies.push_front(L"MDL:QZ-70;VER:2.70;");
        auto port = Port("P", std::move(laterReplies));
        ASSERT_EQ(to.AttachPrinter(port, format), ATTACH_ACCEPTED);
        log->clear();
    }

    std::shared_ptr<PortLog> log = std::make_shared<PortLog>();
    CUpdater updater;
};

TEST_F(UpdaterTest, StartsEmpty) {
    EXPECT_EQ(updater.m_pTarget, nullptr);
    EXPECT_EQ(updater.m_pImage, nullptr);
    EXPECT_EQ(updater.m_pPort, nullptr);
    EXPECT_EQ(updater.m_nStatusFormat, -2);
    EXPECT_TRUE(updater.m_strModel.empty());
    EXPECT_EQ(updater.m_nPrinterVersion, 0);
    EXPECT_EQ(&CUpdater::GetInstance(), &CUpdater::GetInstance());
}

TEST_F(UpdaterTest, SetFirmwareTakesAMatchingPairOnlyOnce) {
    auto target = Target();
    auto image = ImageOf(Payload("070168", "2.80"));
    const FirmwareTarget* heldTarget = target.get();
    const CPufImage* heldImage = image.get();
    ASSERT_EQ(updater.SetFirmware(target, image), 1);
    EXPECT_EQ(target, nullptr);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(updater.m_pTarget.get(), heldTarget);
    EXPECT_EQ(updater.m_pImage.get(), heldImage);

    auto secondTarget = Target();
    auto secondImage = ImageOf(Payload("070168", "2.80"));
    EXPECT_EQ(updater.SetFirmware(secondTarget, secondImage), 0);
    EXPECT_NE(secondTarget, nullptr);  // refused: still the caller's
    EXPECT_NE(secondImage, nullptr);
    EXPECT_EQ(updater.m_pTarget.get(), heldTarget);
    EXPECT_EQ(updater.m_pImage.get(), heldImage);
}

TEST_F(UpdaterTest, SetFirmwareRefusesAnImageThatDoesNotFitTheTarget) {
    struct Case {
        const char* label;
        std::unique_ptr<FirmwareTarget> target;
        std::unique_ptr<CPufImage> image;
        int result;
    };
    Case cases[] = {
        {"other product code", Target(), ImageOf(Payload("070169", "2.80")), 0},
        {"other version", Target(), ImageOf(Payload("070168", "2.81")), 0},
        {"older version", Target(), ImageOf(Payload("070168", "2.70")), 0},
        {"no PUF1 header", Target(), ImageOf("PUF2070168" + std::string(18, ' ') + "2.80"), 0},
        {"empty image", Target(), std::make_unique<CPufImage>(), 0},
        {"no image", Target(), nullptr, 0},
        {"no target", nullptr, ImageOf(Payload("070168", "2.80")), 0},
        // Both versions unreadable compare equal as -1.
        {"both versions -1", Target(-1), ImageOf(Payload("070168", "123456789.01")), 1},
        {"both product codes -1", Target(kCarried, -1), ImageOf(Payload("    -1", "2.80")), 1},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.label);
        CUpdater fresh;
        const bool hadBoth = c.target && c.image;
        EXPECT_EQ(fresh.SetFirmware(c.target, c.image), c.result);
        if (c.result == 0) {
            EXPECT_EQ(fresh.m_pTarget, nullptr);
            EXPECT_EQ(fresh.m_pImage, nullptr);
            EXPECT_EQ(c.target != nullptr && c.image != nullptr, hadBoth);
        }
    }
}

TEST_F(UpdaterTest, AttachPrinterDecidesByModelVersionAndLoaderMode) {
    struct Case {
        const char* label;
        std::optional<CString> reply;
        int result;
        const wchar_t* model;
        int version;
    };
    const Case cases[] = {
        {"GetDeviceId fails", std::nullopt, ATTACH_UNUSABLE, L"", 0},
        {"no pairs", L"", ATTACH_NO_PAIRS, L"", 0},
        {"no MDL", L"VER:2.70;", ATTACH_MODEL_REFUSED, L"", 0},
        {"MDL in other case", L"mdl:QZ-70;VER:2.70", ATTACH_MODEL_REFUSED, L"", 0},
        {"model differs in case", L"MDL:qz-70;VER:2.70;", ATTACH_MODEL_REFUSED, L"qz-70", 0},
        {"model with a blank", L"MDL:QZ-70 ;VER:2.70;", ATTACH_MODEL_REFUSED, L"QZ-70 ", 0},
        {"no VER", L"MDL:QZ-70;", ATTACH_VERSION_REFUSED, L"QZ-70", -1},
        {"VER too long", L"MDL:QZ-70;VER:2.700000000;", ATTACH_VERSION_REFUSED, L"QZ-70", -1},
        {"older", L"MDL:QZ-70;VER:2.79;", ATTACH_ACCEPTED, L"QZ-70", 279},
        {"second model", L"MDL:QZ-70S;VER:1.00", ATTACH_ACCEPTED, L"QZ-70S", 100},
        {"VER without a number", L"MDL:QZ-70;VER:---;", ATTACH_ACCEPTED, L"QZ-70", 0},
        {"same version", L"MDL:QZ-70;VER:2.80;", ATTACH_VERSION_REFUSED, L"QZ-70", 280},
        {"same version, loader mode", L"MDL:QZ-70;VER:2.80;MODE:IPL;", ATTACH_ACCEPTED, L"QZ-70",
         280},
        {"same version, mode ipl", L"MDL:QZ-70;VER:2.80;MODE:ipl;", ATTACH_VERSION_REFUSED,
         L"QZ-70", 280},
        {"newer", L"MDL:QZ-70;VER:2.90;", ATTACH_VERSION_REFUSED, L"QZ-70", 290},
        {"newer, loader mode", L"MDL:QZ-70;VER:2.90;MODE:IPL;", ATTACH_VERSION_REFUSED, L"QZ-70",
         290},
        {"no VER, loader mode", L"MDL:QZ-70;MODE:IPL;", ATTACH_VERSION_REFUSED, L"QZ-70", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CUpdater fresh;
        GiveFirmware(fresh);
        log->clear();
        auto port = Port("P", {c.reply});
        const CPort* offered = port.get();
        EXPECT_EQ(fresh.AttachPrinter(port, 0), c.result);
        EXPECT_EQ(fresh.m_strModel, c.model);
        EXPECT_EQ(fresh.m_nPrinterVersion, c.version);
        // One question; the updater closes nothing of a port it does not take.
        EXPECT_EQ(*log, PortLog{"P.GetDeviceId"});
        if (c.result == ATTACH_ACCEPTED) {
            EXPECT_EQ(port, nullptr);
            EXPECT_EQ(fresh.m_pPort.get(), offered);
            EXPECT_EQ(fresh.m_nStatusFormat, 0);
        } else {
            EXPECT_EQ(port.get(), offered);
            EXPECT_EQ(fresh.m_pPort, nullptr);
            EXPECT_EQ(fresh.m_nStatusFormat, -2);
        }
    }
}

TEST_F(UpdaterTest, AttachPrinterNeedsFirmwareAndAPort) {
    auto port = Port("P", {L"MDL:QZ-70;VER:2.70;"});
    EXPECT_EQ(updater.AttachPrinter(port, -1), ATTACH_UNUSABLE);
    EXPECT_TRUE(log->empty());
    EXPECT_NE(port, nullptr);
    GiveFirmware();
    std::unique_ptr<CPort> none;
    EXPECT_EQ(updater.AttachPrinter(none, -1), ATTACH_UNUSABLE);
}

TEST_F(UpdaterTest, ARefusalKeepsTheModelAndVersionRead) {
    GiveFirmware();
    auto first = Port("A", {L"MDL:QZ-71;VER:2.70;"});
    EXPECT_EQ(updater.AttachPrinter(first, -1), ATTACH_MODEL_REFUSED);
    EXPECT_EQ(updater.m_strModel, L"QZ-71");
    // A reply without "MDL" leaves the model of the one before.
    auto second = Port("B", {L"VER:2.70;"});
    EXPECT_EQ(updater.AttachPrinter(second, -1), ATTACH_MODEL_REFUSED);
    EXPECT_EQ(updater.m_strModel, L"QZ-71");
    auto third = Port("C", {L"MDL:QZ-70;VER:3.00;"});
    EXPECT_EQ(updater.AttachPrinter(third, -1), ATTACH_VERSION_REFUSED);
    EXPECT_EQ(updater.m_strModel, L"QZ-70");
    EXPECT_EQ(updater.m_nPrinterVersion, 300);
}

TEST_F(UpdaterTest, AnAcceptedPortReplacesTheAttachedOneAndARefusedOneDoesNot) {
    GiveFirmware();
    auto a = Port("A", {L"MDL:QZ-70;VER:2.70;"});
    ASSERT_EQ(updater.AttachPrinter(a, -1), ATTACH_ACCEPTED);
    auto b = Port("B", {L"MDL:QZ-70;VER:2.60;"});
    const CPort* portB = b.get();
    ASSERT_EQ(updater.AttachPrinter(b, 0), ATTACH_ACCEPTED);
    EXPECT_EQ(*log, (PortLog{"A.GetDeviceId", "B.GetDeviceId", "A.Close", "A.delete"}));
    EXPECT_EQ(updater.m_pPort.get(), portB);
    EXPECT_EQ(updater.m_nStatusFormat, 0);

    log->clear();
    auto c = Port("C", {L"MDL:QZ-70;VER:2.90;"});
    EXPECT_EQ(updater.AttachPrinter(c, -1), ATTACH_VERSION_REFUSED);
    EXPECT_EQ(*log, PortLog{"C.GetDeviceId"});
    EXPECT_EQ(updater.m_pPort.get(), portB);
    EXPECT_EQ(updater.m_nStatusFormat, 0);
}

TEST_F(UpdaterTest, DetachPrinterReleasesThePortAndForgetsThePrinter) {
    GiveFirmware();
    AttachOlderPrinter({}, 0);
    updater.DetachPrinter();
    EXPECT_EQ(*log, (PortLog{"P.Close", "P.delete"}));
    EXPECT_EQ(updater.m_pPort, nullptr);
    EXPECT_TRUE(updater.m_strModel.empty());
    EXPECT_EQ(updater.m_nPrinterVersion, 0);
    EXPECT_EQ(updater.m_nStatusFormat, 0);
    EXPECT_EQ(updater.CheckReady(), READY_UNUSABLE);

    updater.DetachPrinter();  // nothing attached: only the resets
    EXPECT_EQ(log->size(), 2u);

    auto other = Port("Q", {L"MDL:QZ-70;VER:2.00;"});
    EXPECT_EQ(updater.AttachPrinter(other, -1), ATTACH_ACCEPTED);
    EXPECT_EQ(updater.m_nPrinterVersion, 200);
    EXPECT_EQ(updater.m_nStatusFormat, -1);
}

TEST_F(UpdaterTest, CheckReadyReadsTheStatusWord) {
    struct Case {
        const char* label;
        int format;
        std::optional<CString> reply;
        int result;
    };
    const Case cases[] = {
        {"GetDeviceId fails", -1, std::nullopt, READY_NO_REPLY},
        {"no pairs", -1, L"", READY_UNUSABLE},
        {"no STATUS", -1, L"MDL:QZ-70;", READY_UNUSABLE},
        {"short STATUS", -1, L"STATUS:8000000;", READY_UNUSABLE},
        {"bit 31 set", -1, L"STATUS:80000000;", READY_ACCEPTED},
        {"bit 31 clear", -1, L"STATUS:7FFFFFFF;", READY_NOT_READY},
        {"first eight characters only", -1, L"STATUS:FFFFFFFF9;", READY_ACCEPTED},
        {"blank first", -1, L"STATUS: 8000000;", READY_NOT_READY},
        {"hex prefix", -1, L"STATUS:0x800000;", READY_NOT_READY},
        {"minus sign negates", -1, L"STATUS:-0000001;", READY_ACCEPTED},
        {"no hex digits", -1, L"STATUS:ZZZZZZZZ;", READY_NOT_READY},
        {"loader mode", -1, L"MODE:IPL;STATUS:7FFFFFFF;", READY_LOADER_MODE},
        {"loader mode, no STATUS", -1, L"MODE:IPL;", READY_LOADER_MODE},
        {"record of type 1", 0, L"STATUS:0208800000000104ABCD;", READY_NOT_READY},
        {"record with bit 31", 0, L"STATUS:020400000108C0000000;", READY_ACCEPTED},
        {"no record of type 1", 0, L"STATUS:020880000000;", READY_UNUSABLE},
        // 0x100000000 does not fit 32 bits and reads 0xFFFFFFFF.
        {"too large for 32 bits", 0, L"STATUS:0109100000000;", READY_ACCEPTED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CUpdater fresh;
        GiveFirmware(fresh);
        AttachOlderPrinter(fresh, {c.reply}, c.format);
        EXPECT_EQ(fresh.CheckReady(), c.result);
        EXPECT_EQ(*log, PortLog{"P.GetDeviceId"});
    }
}

TEST_F(UpdaterTest, CheckReadyAsksNothingWithoutAPrinterOrAStatusFormat) {
    EXPECT_EQ(updater.CheckReady(), READY_UNUSABLE);
    GiveFirmware();
    EXPECT_EQ(updater.CheckReady(), READY_UNUSABLE);
    AttachOlderPrinter({L"STATUS:80000000;"}, -2);
    EXPECT_EQ(updater.CheckReady(), READY_UNUSABLE);
    EXPECT_TRUE(log->empty());
}

TEST_F(UpdaterTest, CheckInstalledWaitsForTheCarriedVersion) {
    struct Case {
        const char* label;
        std::optional<CString> reply;
        int result;
    };
    const Case cases[] = {
        {"GetDeviceId fails", std::nullopt, INSTALLED_NO_REPLY},
        {"no pairs", L"", INSTALLED_UNUSABLE},
        {"loader mode, any version", L"MODE:IPL;VER:9.99;", INSTALLED_LOADER_MODE},
        {"loader mode without MDL", L"MODE:IPL;", INSTALLED_LOADER_MODE},
        {"no MDL", L"VER:2.80;", INSTALLED_UNUSABLE},
        {"other model", L"MDL:QZ-71;VER:2.80;", INSTALLED_MODEL_REFUSED},
        {"no VER", L"MDL:QZ-70;", INSTALLED_UNUSABLE},
        {"VER too long", L"MDL:QZ-70;VER:00000002.800;", INSTALLED_UNUSABLE},
        {"old version", L"MDL:QZ-70;VER:2.70;", INSTALLED_OTHER_VERSION},
        {"newer version", L"MDL:QZ-70;VER:2.90;", INSTALLED_OTHER_VERSION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CUpdater fresh;
        GiveFirmware(fresh);
        AttachOlderPrinter(fresh, {c.reply}, -1);
        EXPECT_EQ(fresh.CheckInstalled(), c.result);
        EXPECT_EQ(*log, PortLog{"P.GetDeviceId"});  // the port is closed only on success
        log->clear();
    }
    EXPECT_EQ(updater.CheckInstalled(), INSTALLED_UNUSABLE);
}

TEST_F(UpdaterTest, AnInstallationPollsUntilTheNewVersionAndClosesThePortOnce) {
    GiveFirmware();
    AttachOlderPrinter({L"STATUS:80000000;", std::nullopt, L"MODE:IPL;", L"MDL:QZ-70;VER:2.70;",
                        L"MDL:QZ-70;VER:2.80;"});
    EXPECT_EQ(updater.CheckReady(), READY_ACCEPTED);
    ASSERT_TRUE(updater.m_pPort->BeginUpdate());
    ASSERT_TRUE(
        updater.m_pPort->SendData(updater.m_pImage->m_pData.get(), updater.m_pImage->m_nLength, 0));
    EXPECT_EQ(updater.CheckInstalled(), INSTALLED_NO_REPLY);
    EXPECT_EQ(updater.CheckInstalled(), INSTALLED_LOADER_MODE);
    EXPECT_EQ(updater.CheckInstalled(), INSTALLED_OTHER_VERSION);
    EXPECT_EQ(updater.CheckInstalled(), INSTALLED_CONFIRMED);
    EXPECT_NE(updater.m_pPort, nullptr);  // closed, still attached
    EXPECT_EQ(*log, (PortLog{"P.GetDeviceId", "P.BeginUpdate", "P.SendData", "P.GetDeviceId",
                             "P.GetDeviceId", "P.GetDeviceId", "P.GetDeviceId", "P.Close"}));
}

TEST_F(UpdaterTest, DestructionClosesAndDeletesTheAttachedPort) {
    {
        CUpdater local;
        auto target = Target();
        auto image = ImageOf(Payload("070168", "2.80"));
        ASSERT_EQ(local.SetFirmware(target, image), 1);
        auto port = Port("P", {L"MDL:QZ-70;VER:2.70;", L"MDL:QZ-70;VER:2.80;"});
        ASSERT_EQ(local.AttachPrinter(port, -1), ATTACH_ACCEPTED);
        ASSERT_EQ(local.CheckInstalled(), INSTALLED_CONFIRMED);
        log->clear();
    }
    // Closed once more after the successful check, then deleted.
    EXPECT_EQ(*log, (PortLog{"P.Close", "P.delete"}));
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fakes/fake_resources.h"
#include "image/puf_container.h"
#include "image/puf_image.h"
#include "resource.h"
#include "unit/image/puf_payloads.h"

namespace {

using testing_puf::Bytes;
using testing_puf::Payload;

std::string PayloadOf(const CPufImage& image) {
    return std::string(reinterpret_cast<const char*>(image.m_pData.get()), image.m_nLength);
}

int Decode(CPufImage& image, const std::vector<unsigned char>& container) {
    return image.Decode(container.data(), static_cast<std::uint32_t>(container.size()));
}

TEST(PufImageDecode, UnpacksAContainerWorkedOutByHand) {
    CPufImage image;
    ASSERT_EQ(Decode(image, {0x8E, 0x92}), 1);
    EXPECT_EQ(PayloadOf(image), "P");
    EXPECT_EQ(image.m_pData[1], 0);  // the check byte's place
}

TEST(PufImageDecode, ReturnsWhatWasPackedForEveryLength) {
    // Lengths round the key's period and the smallest containers.
    std::vector<std::size_t> lengths{1, 2, 3, 8, 9, 31, 32, 33};
    for (std::size_t n = 495; n <= 506; ++n) {
        lengths.push_back(n);
    }
    lengths.push_back(1002);
    lengths.push_back(70001);
    for (std::size_t length : lengths) {
        SCOPED_TRACE(length);
        std::string payload(length, '\0');
        for (std::size_t i = 0; i < length; ++i) {
            payload[i] = static_cast<char>(i * 131 + length);
        }
        const std::vector<unsigned char> container = PackPufContainer(Bytes(payload));
        ASSERT_EQ(container.size(), length + 1);
        CPufImage image;
        ASSERT_EQ(Decode(image, container), 1);
        EXPECT_EQ(PayloadOf(image), payload);
        EXPECT_EQ(image.m_pData[length], 0);
    }
}

TEST(PufImageDecode, RefusesAnyContainerWithOneBitChanged) {
    // Every container bit lands on exactly one payload bit, so any flip breaks the sum.
    const std::vector<unsigned char> good = PackPufContainer(Bytes(Payload("070168", "2.80")));
    for (std::size_t i = 0; i < good.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            std::vector<unsigned char> bad = good;
            bad[i] ^= static_cast<unsigned char>(1u << bit);
            CPufImage image;
            ASSERT_EQ(Decode(image, bad), 0) << "byte " << i << " bit " << bit;
            ASSERT_EQ(image.m_pData, nullptr);
        }
    }
}

TEST(PufImageDecode, AFailureOrAOneByteContainerKeepsThePayload) {
    CPufImage image;
    ASSERT_EQ(Decode(image, PackPufContainer(Bytes("first"))), 1);
    std::vector<unsigned char> wrongSum = PackPufContainer(Bytes("second"));
    wrongSum[0] ^= 1;
    EXPECT_EQ(Decode(image, wrongSum), 0);
    EXPECT_EQ(Decode(image, {}), 0);
    // One byte decoding to 0x7F (0x7F plus the key's 'N') passes, but stores nothing.
    EXPECT_EQ(Decode(image, {0xCD}), 1);
    EXPECT_EQ(PayloadOf(image), "first");
    // A later good container replaces the payload.
    ASSERT_EQ(Decode(image, PackPufContainer(Bytes("third!"))), 1);
    EXPECT_EQ(PayloadOf(image), "third!");
}

TEST(PufImageDecode, RefusesContainersBeyondTheLargestLength) {
    // Refused by its length alone: not one byte is read, so a short buffer serves.
    const unsigned char byte = 0xCD;
    CPufImage image;
    EXPECT_EQ(image.Decode(&byte, kPufMaxContainerLength + 1), 0);
    EXPECT_EQ(image.Decode(&byte, 0xFFFFFFFFu), 0);
    EXPECT_EQ(image.m_pData, nullptr);
}

class PufImageLoad : public testing::Test {
  protected:
    int Load() { return image.Load(resources, IDR_FIRMWARE, L"FIRMWARE"); }

    fakes::FakeResources resources;
    CPufImage image;
};

TEST_F(PufImageLoad, DecodesTheFirmwareResource) {
    const std::string payload = Payload("070168", "2.80", std::string(1000, 'b'));
    resources.Add(IDR_FIRMWARE, L"FIRMWARE", PackPufContainer(Bytes(payload)));
    ASSERT_EQ(Load(), 1);
    EXPECT_EQ(PayloadOf(image), payload);
    EXPECT_EQ(image.m_nLength, payload.size());
}

TEST_F(PufImageLoad, FailsAndStaysEmptyWithoutAUsableResource) {
    struct Case {
        const char* label;
        unsigned id;
        const wchar_t* type;
        std::vector<unsigned char> bytes;
    };
    std::vector<unsigned char> flipped = PackPufContainer(Bytes(Payload("070168", "2.80")));
    flipped.back() ^= 0x01;
    const Case cases[] = {
        {"other id", IDR_FIRMWARE + 1, L"FIRMWARE", PackPufContainer(Bytes("PUF1"))},
        {"other type", IDR_FIRMWARE, L"DLL", PackPufContainer(Bytes("PUF1"))},
        {"empty resource", IDR_FIRMWARE, L"FIRMWARE", {}},
        {"one bit flipped", IDR_FIRMWARE, L"FIRMWARE", flipped},
        // 0xCC less the key's 'N' is 0x7E.
        {"sum 0x7E", IDR_FIRMWARE, L"FIRMWARE", {0xCC}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fakes::FakeResources only;
        only.Add(c.id, c.type, c.bytes);
        CPufImage fresh;
        EXPECT_EQ(fresh.Load(only, IDR_FIRMWARE, L"FIRMWARE"), 0);
        EXPECT_EQ(fresh.m_pData, nullptr);
        EXPECT_EQ(fresh.m_nLength, 0u);
    }
}

TEST_F(PufImageLoad, AcceptsAOneByteContainerButStaysEmpty) {
    resources.Add(IDR_FIRMWARE, L"FIRMWARE", {0xCD});
    EXPECT_EQ(Load(), 1);
    EXPECT_EQ(image.m_pData, nullptr);
    PufHeaderInfo info{};
    EXPECT_EQ(image.ReadHeader(info), 0);
}

TEST_F(PufImageLoad, AFailedLoadKeepsTheEarlierPayload) {
    resources.Add(IDR_FIRMWARE, L"FIRMWARE", PackPufContainer(Bytes("PUF1 kept")));
    ASSERT_EQ(Load(), 1);
    std::vector<unsigned char> broken = PackPufContainer(Bytes("PUF1 other"));
    broken[3] ^= 0x40;
    resources.Add(IDR_FIRMWARE, L"FIRMWARE", broken);
    EXPECT_EQ(Load(), 0);
    EXPECT_EQ(PayloadOf(image), "PUF1 kept");
}

TEST(PufImageReadHeader, ReadsProductCodeAndVersion) {
    struct Case {
        const char* label;
        std::string payload;
        int productCode;
        int version;
    };
    const std::string blanks18(18, ' ');
    const Case cases[] = {
        {"blanks before the version", "PUF1070168" + blanks18 + "2.80", 70168, 280},
        {"blanks after the version", "PUF1070168" + std::string("2.80") + blanks18, 70168, 280},
        {"text before the version", Payload("070168", "Firmware V2.8"), 70168, 280},
        {"no digits or points", Payload("070168", "ABCDEFGHIJKLMNOPQRSTUV"), 70168, 0},
        {"eleven digits and points", Payload("070168", "x12345678.90"), 70168, -1},
        {"the whole field is one run", Payload("070168", "0000000000000000002.80"), 70168, -1},
        {"only the last run counts", Payload("070168", "1.00 build 2.80"), 70168, 280},
        {"a run read as atof reads it", Payload("070168", "1.2.3"), 70168, 120},
        {"product digits stay out of the version",
         "PUF1070168" + std::string("280") + blanks18 + " ", 70168, 28000},
        {"the body is not read", Payload("070168", "2.80 ") + "9.99", 70168, 280},
        {"a NUL inside the version field",
         "PUF1070168  1.50" + std::string(1, '\0') + "      3.00" + blanks18, 70168, 150},
        {"short payload", "PUF1070168  2.8", 70168, 280},
        {"magic only", "PUF1", 0, 0},
        {"signed product code", Payload(" -1234", "2.80"), -1234, 280},
        {"product code stops at a letter", Payload("12AB56", "2.80"), 12, 280},
        {"blank product code", Payload("      ", "2.80"), 0, 280},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto image = testing_puf::ImageOf(c.payload);
        ASSERT_NE(image, nullptr);
        PufHeaderInfo info{-7, -7};
        ASSERT_EQ(image->ReadHeader(info), 1);
        EXPECT_EQ(info.productCode, c.productCode);
        EXPECT_EQ(info.version, c.version);
    }
}

TEST(PufImageReadHeader, RefusesAnotherMagicAndLeavesTheInfoAlone) {
    for (const std::string& payload :
         {Payload("070168", "2.80").replace(3, 1, "2"), std::string("PUF"), std::string("puf1"),
          std::string("PU\0"
                      "1070168",
                      10)}) {
        SCOPED_TRACE(payload);
        const auto image = testing_puf::ImageOf(payload);
        ASSERT_NE(image, nullptr);
        PufHeaderInfo info{-7, -7};
        EXPECT_EQ(image->ReadHeader(info), 0);
        EXPECT_EQ(info.productCode, -7);
        EXPECT_EQ(info.version, -7);
    }
    PufHeaderInfo info{-7, -7};
    EXPECT_EQ(CPufImage().ReadHeader(info), 0);
    EXPECT_EQ(info.productCode, -7);
}

}  // namespace

// The container that this build embeds in the installer, as the build made it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/build_config.h"
#include "app/version.h"
#include "fakes/fake_string_table.h"
#include "image/puf_image.h"
#include "install/updater.h"
#include "resource.h"

namespace {

std::vector<unsigned char> BuildContainer() {
    std::ifstream in(TARNEL_FIRMWARE_CONTAINER_FILE, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// The target that the installer builds from its configuration strings.
std::unique_ptr<FirmwareTarget> BuildTarget() {
    fakes::FakeStringTable strings;
    strings.Set(IDS_CFG_PRODUCT_CODE, L"" TARNEL_PRODUCT_CODE);
    return std::make_unique<FirmwareTarget>(VersionToHundredths(L"" TARNEL_FIRMWARE_VERSION),
                                            GetProductCode(strings), L"" TARNEL_MODELS);
}

TEST(BuildFirmware, IsAcceptedExactlyWhenItsHeaderMatchesTheConfiguration) {
    const std::vector<unsigned char> container = BuildContainer();
    auto image = std::make_unique<CPufImage>();
    ASSERT_EQ(image->Decode(container.data(), static_cast<std::uint32_t>(container.size())), 1);
    EXPECT_EQ(image->m_nLength, container.size() - 1);
    PufHeaderInfo header{};
    ASSERT_EQ(image->ReadHeader(header), 1);

    auto target = BuildTarget();
    const bool matches =
        header.productCode == target->productCode && header.version == target->version;
    CUpdater updater;
    EXPECT_EQ(updater.SetFirmware(target, image), matches ? 1 : 0);
}

TEST(BuildFirmware, SyntheticContainerCarriesTheConfiguredHeader) {
    if (!TARNEL_FIRMWARE_SYNTHETIC) {
        GTEST_SKIP() << "this build embeds a supplied firmware";
    }
    const std::vector<unsigned char> container = BuildContainer();
    ASSERT_EQ(container.size(), 1178057u);
    auto image = std::make_unique<CPufImage>();
    ASSERT_EQ(image->Decode(container.data(), static_cast<std::uint32_t>(container.size())), 1);
    const std::string product = TARNEL_PRODUCT_CODE;
    const std::string version = TARNEL_FIRMWARE_VERSION;
    const std::string expected = "PUF1" + std::string(6 - product.size(), '0') + product +
                                 std::string(22 - version.size(), ' ') + version;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image->m_pData.get()), 32), expected);
    auto target = BuildTarget();
    CUpdater updater;
    EXPECT_EQ(updater.SetFirmware(target, image), 1);
}

}  // namespace

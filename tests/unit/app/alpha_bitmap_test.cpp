#include "app/alpha_bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_graphics.h"
#include "resource.h"

namespace {

using fakes::BitmapImage;
using platform::RgbQuad;
using Pixel = std::array<std::uint8_t, 3>;  // blue, green, red as the section holds them

// Fills the row padding of the 8-bit images: an index and an opacity that a blend
// reading the wrong bytes would use.
constexpr std::uint8_t kPadding = 0xEE;

// An 8-bit image holding `rows` in memory order, each padded to its stride.
BitmapImage EightBit(const std::vector<std::vector<std::uint8_t>>& rows,
                     std::vector<RgbQuad> table = {}) {
    const int width = static_cast<int>(rows.front().size());
    BitmapImage image = BitmapImage::Blank(width, static_cast<int>(rows.size()), 8);
    std::fill(image.bits.begin(), image.bits.end(), kPadding);
    const std::size_t stride = BitmapImage::Stride(width, 8);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        std::copy(rows[row].begin(), rows[row].end(), image.bits.begin() + row * stride);
    }
    image.colourTable = std::move(table);
    return image;
}

constexpr std::uint32_t Colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red | (green << 8) | (static_cast<std::uint32_t>(blue) << 16);
}

class AlphaBitmapTest : public testing::Test {
  protected:
    void Images(BitmapImage colour, BitmapImage alpha) {
        graphics.bitmaps[IDB_LOGO_COLOUR] = std::move(colour);
        graphics.bitmaps[IDB_LOGO_ALPHA] = std::move(alpha);
    }

    static Pixel PixelAt(const platform::BitmapSection& section, int row, int x) {
        const std::size_t at =
            static_cast<std::size_t>(row) * BitmapImage::Stride(section.width, 24) +
            static_cast<std::size_t>(x) * 3;
        return {section.bits[at], section.bits[at + 1], section.bits[at + 2]};
    }

    fakes::FakeGraphics graphics;
};

TEST_F(AlphaBitmapTest, OpacityMixesTheTableColourWithTheBackground) {
    struct Case {
        const char* label;
        RgbQuad colour;
        std::uint8_t alpha;
        std::uint32_t background;
        Pixel expected;
    };
    const Case cases[] = {
        {"opaque gives the table colour",
         {30, 20, 10, 0},
         255,
         Colour(200, 150, 100),
         {30, 20, 10}},
        {"transparent gives the background",
         {30, 20, 10, 0},
         0,
         Colour(200, 150, 100),
         {100, 150, 200}},
        // (200 x 128 + 127 x 100) / 255 = 150; green 12700 / 255 = 49 with the remainder dropped.
        {"half over the background", {255, 0, 200, 0}, 128, Colour(100, 100, 0), {128, 49, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Images(EightBit({{1}}, {{}, c.colour}), EightBit({{c.alpha}}));
        CAlphaBitmap logo(graphics);
        ASSERT_TRUE(logo.LoadImages());
        ASSERT_TRUE(logo.BlendOnto(c.background));
        const auto section = logo.Section();
        ASSERT_TRUE(section);
        EXPECT_EQ(section->bitsPerPixel, 24);
        EXPECT_EQ(PixelAt(*section, 0, 0), c.expected);
    }
}

// Five pixels a row: the 8-bit rows take 8 bytes, the 24-bit rows 16.
TEST_F(AlphaBitmapTest, EveryRowIsReadAndWrittenAtItsPaddedStride) {
    constexpr int kWidth = 5;
    constexpr int kRows = 3;
    std::vector<RgbQuad> table(256);
    for (int i = 0; i < 256; ++i) {
        table[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0};
    }
    const std::uint32_t background = Colour(40, 50, 60);
    std::vector<std::vector<std::uint8_t>> indices(kRows), opacities(kRows);
    for (int row = 0; row < kRows; ++row) {
        for (int x = 0; x < kWidth; ++x) {
            indices[row].push_back(static_cast<std::uint8_t>(10 * row + x));
            opacities[row].push_back((row + x) % 2 == 0 ? 255 : 0);
        }
    }
    Images(EightBit(indices, table), EightBit(opacities));
    CAlphaBitmap logo(graphics);
    ASSERT_TRUE(logo.LoadImages());
    ASSERT_TRUE(logo.BlendOnto(background));

    EXPECT_EQ(graphics.createdSections, (std::vector<std::pair<int, int>>{{kWidth, kRows}}));
    const auto section = logo.Section();
    ASSERT_TRUE(section);
    ASSERT_EQ(section->bits.size(), 16u * kRows);
    for (int row = 0; row < kRows; ++row) {
        for (int x = 0; x < kWidth; ++x) {
            SCOPED_TRACE("row " + std::to_string(row) + " pixel " + std::to_string(x));
            const RgbQuad& entry = table[indices[row][x]];
            const Pixel expected = opacities[row][x] == 255
                                       ? Pixel{entry.blue, entry.green, entry.red}
                                       : Pixel{60, 50, 40};
            EXPECT_EQ(PixelAt(*section, row, x), expected);
        }
        EXPECT_EQ(section->bits[row * 16u + 15], 0) << "padding of row " << row;
    }
}

TEST_F(AlphaBitmapTest, AnIndexPastTheColourTableReadsBlack) {
    Images(EightBit({{5, 1}}, {{1, 1, 1, 0}, {2, 2, 2, 0}}), EightBit({{255, 255}}));
    CAlphaBitmap logo(graphics);
    ASSERT_TRUE(logo.LoadImages());
    ASSERT_TRUE(logo.BlendOnto(Colour(9, 9, 9)));
    EXPECT_EQ(PixelAt(*logo.Section(), 0, 0), (Pixel{0, 0, 0}));
    EXPECT_EQ(PixelAt(*logo.Section(), 0, 1), (Pixel{2, 2, 2}));
}

TEST_F(AlphaBitmapTest, TheLogoAndBothImagesLiveUntilTheObjectGoes) {
    Images(EightBit({{0, 0}}), EightBit({{255, 0}}));
    {
        CAlphaBitmap logo(graphics);
        EXPECT_EQ(logo.Handle(), nullptr);
        ASSERT_TRUE(logo.LoadImages());
        ASSERT_TRUE(logo.BlendOnto(0));
        EXPECT_NE(logo.Handle(), nullptr);
        EXPECT_EQ(graphics.LiveBitmaps(), 3);
    }
    EXPECT_EQ(graphics.LiveBitmaps(), 0);
}

TEST_F(AlphaBitmapTest, AFailedLoadLeavesNothing) {
    struct Case {
        const char* label;
        bool colourPresent;
        bool alphaPresent;
        std::vector<unsigned> loaded;
    };
    const Case cases[] = {
        {"no colour image", false, true, {IDB_LOGO_COLOUR}},
        {"no alpha image", true, false, {IDB_LOGO_COLOUR, IDB_LOGO_ALPHA}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fakes::FakeGraphics local;
        if (c.colourPresent) {
            local.bitmaps[IDB_LOGO_COLOUR] = EightBit({{0}});
        }
        if (c.alphaPresent) {
            local.bitmaps[IDB_LOGO_ALPHA] = EightBit({{0}});
        }
        CAlphaBitmap logo(local);
        EXPECT_FALSE(logo.LoadImages());
        EXPECT_EQ(local.loadedIds, c.loaded);
        EXPECT_EQ(local.LiveBitmaps(), 0);
        // Without images there is nothing to compose or to show.
        EXPECT_FALSE(logo.BlendOnto(0));
        EXPECT_EQ(logo.Handle(), nullptr);
    }
}

TEST_F(AlphaBitmapTest, AFailedReloadDropsTheEarlierLogo) {
    Images(EightBit({{0}}), EightBit({{0}}));
    CAlphaBitmap logo(graphics);
    ASSERT_TRUE(logo.LoadImages());
    ASSERT_TRUE(logo.BlendOnto(0));
    graphics.bitmaps.erase(IDB_LOGO_COLOUR);
    EXPECT_FALSE(logo.LoadImages());
    EXPECT_EQ(logo.Handle(), nullptr);
}

TEST_F(AlphaBitmapTest, BlendFailuresLeaveNoLogo) {
    struct Case {
        const char* label;
        std::function<void(fakes::FakeGraphics&)> spoil;
    };
    const Case cases[] = {
        {"colour description unreadable",
         [](auto& g) { g.bitmaps[IDB_LOGO_COLOUR].sectionReadable = false; }},
        {"alpha description unreadable",
         [](auto& g) { g.bitmaps[IDB_LOGO_ALPHA].sectionReadable = false; }},
        {"no section for the logo", [](auto& g) { g.sectionsCreatable = false; }},
        {"alpha image narrower",
         [](auto& g) {
             g.bitmaps[IDB_LOGO_ALPHA] = EightBit({{0, 0}, {0, 0}});
         }},
        {"alpha image shorter",
         [](auto& g) {
             g.bitmaps[IDB_LOGO_ALPHA] = EightBit({{0, 0, 0}});
         }},
        {"colour image not 8-bit",
         [](auto& g) { g.bitmaps[IDB_LOGO_COLOUR] = BitmapImage::Blank(3, 2, 24); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fakes::FakeGraphics local;
        local.bitmaps[IDB_LOGO_COLOUR] = EightBit({{0, 0, 0}, {0, 0, 0}});
        local.bitmaps[IDB_LOGO_ALPHA] = EightBit({{0, 0, 0}, {0, 0, 0}});
        c.spoil(local);
        CAlphaBitmap logo(local);
        ASSERT_TRUE(logo.LoadImages());
        EXPECT_FALSE(logo.BlendOnto(0));
        EXPECT_EQ(logo.Handle(), nullptr);
    }
}

}  // namespace

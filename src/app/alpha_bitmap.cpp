#include "app/alpha_bitmap.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "resource.h"

namespace {

constexpr std::size_t kColourTableSize = 256;

// Section rows are padded to whole 32-bit words.
std::size_t RowStride(std::size_t bytesPerRow) {
    return (bytesPerRow + 3) & ~std::size_t{3};
}

std::uint8_t Blend(std::uint8_t colour, std::uint8_t opacity, std::uint8_t background) {
    return static_cast<std::uint8_t>((colour * opacity + (255 - opacity) * background) / 255);
}

bool Covers(const platform::BitmapSection& section, std::size_t stride, std::size_t rows) {
    return section.bits.size() >= stride * rows;
}

}  // namespace

BOOL CAlphaBitmap::LoadImages() {
    m_colorImage = m_graphics.LoadBitmapSection(IDB_LOGO_COLOUR);
    if (!m_colorImage) {
        m_logo.reset();
        return FALSE;
    }
    m_alphaImage = m_graphics.LoadBitmapSection(IDB_LOGO_ALPHA);
    if (!m_alphaImage) {
        m_colorImage.reset();
        m_logo.reset();
        return FALSE;
    }
    return TRUE;
}

BOOL CAlphaBitmap::BlendOnto(std::uint32_t background) {
    if (!m_alphaImage) {
        // Without opacities the colour image is the logo as it is.
        if (!m_colorImage) {
            return FALSE;
        }
        m_logo = std::move(m_colorImage);
        return TRUE;
    }
    if (!m_colorImage) {
        return FALSE;
    }
    const auto colour = m_colorImage->Section();
    const auto alpha = m_alphaImage->Section();
    if (!colour || !alpha) {
        return FALSE;
    }
    // The opacities are read in the colour image's layout, so both must be 8-bit
    // images of one size whose memory holds that layout.
    if (colour->width <= 0 || colour->height <= 0 || colour->bitsPerPixel != 8 ||
        alpha->bitsPerPixel != 8 || alpha->width != colour->width ||
        alpha->height != colour->height) {
        return FALSE;
    }
    const auto width = static_cast<std::size_t>(colour->width);
    const auto height = static_cast<std::size_t>(colour->height);
    const std::size_t inStride = RowStride(width);
    if (!Covers(*colour, inStride, height) || !Covers(*alpha, inStride, height)) {
        return FALSE;
    }
    auto composed = m_graphics.CreateSection24(colour->width, colour->height);
    if (!composed) {
        return FALSE;
    }
    const auto output = composed->Section();
    const std::size_t outStride = RowStride(3 * width);
    if (!output || !Covers(*output, outStride, height)) {
        return FALSE;
    }

    // An index past the image's own table reads black.
    std::array<platform::RgbQuad, kColourTableSize> table{};
    const std::vector<platform::RgbQuad> entries = m_colorImage->ColourTable();
    std::copy_n(entries.begin(), std::min(entries.size(), table.size()), table.begin());

    const auto red = static_cast<std::uint8_t>(background & 0xFF);
    const auto green = static_cast<std::uint8_t>((background >> 8) & 0xFF);
    const auto blue = static_cast<std::uint8_t>((background >> 16) & 0xFF);
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* indices = colour->bits.data() + row * inStride;
        const std::uint8_t* opacities = alpha->bits.data() + row * inStride;
        std::uint8_t* pixel = output->bits.data() + row * outStride;
        for (std::size_t x = 0; x < width; ++x) {
            const platform::RgbQuad& entry = table[indices[x]];
            const std::uint8_t opacity = opacities[x];
            *pixel++ = Blend(entry.blue, opacity, blue);
            *pixel++ = Blend(entry.green, opacity, green);
            *pixel++ = Blend(entry.red, opacity, red);
        }
    }
    m_logo = std::move(composed);
    return TRUE;
}

std::optional<platform::BitmapSection> CAlphaBitmap::Section() const {
    return m_logo ? m_logo->Section() : std::nullopt;
}

std::vector<platform::RgbQuad> CAlphaBitmap::ColourTable() const {
    return m_logo ? m_logo->ColourTable() : std::vector<platform::RgbQuad>();
}

void* CAlphaBitmap::Handle() const {
    return m_logo ? m_logo->Handle() : nullptr;
}

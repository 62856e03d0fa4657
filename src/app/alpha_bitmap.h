// The logo of the main dialog: a colour image (bitmap 138) composed over the
// dialog's face colour through a per-pixel opacity image (bitmap 139). The object
// is itself a bitmap, the composed logo, once BlendOnto has succeeded.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/tarnel_types.h"

class CAlphaBitmap final : public platform::Bitmap {
  public:
    explicit CAlphaBitmap(platform::Graphics& graphics) : m_graphics(graphics) {}
    CAlphaBitmap(const CAlphaBitmap&) = delete;
    CAlphaBitmap& operator=(const CAlphaBitmap&) = delete;

    // Loads both images as sections; nonzero on success. A failure leaves neither
    // the colour image nor a composed logo.
    BOOL LoadImages();
    // Composes the logo over `background` (red in the low byte, then green, then
    // blue) and makes it this object's bitmap; nonzero on success.
    BOOL BlendOnto(std::uint32_t background);

    // The composed logo.
    std::optional<platform::BitmapSection> Section() const override;
    std::vector<platform::RgbQuad> ColourTable() const override;
    void* Handle() const override;

  private:
    platform::Graphics& m_graphics;
    std::unique_ptr<platform::Bitmap> m_logo;  // the composed logo, or none
    std::unique_ptr<platform::Bitmap> m_colorImage;
    std::unique_ptr<platform::Bitmap> m_alphaImage;
};

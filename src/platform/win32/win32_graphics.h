// The Win32 implementation of the bitmaps, colours and system font.
#pragma once

#include <windows.h>

#include "platform/graphics.h"

namespace platform::win32 {

class Win32Graphics final : public Graphics {
  public:
    explicit Win32Graphics(HINSTANCE module) : m_module(module) {}
    std::unique_ptr<Bitmap> LoadBitmapSection(unsigned id) override;
    std::unique_ptr<Bitmap> CreateSection24(int width, int height) override;
    std::uint32_t FaceColour() const override;
    std::unique_ptr<Font> IconTitleFont() override;

  private:
    HINSTANCE m_module;
};

}  // namespace platform::win32

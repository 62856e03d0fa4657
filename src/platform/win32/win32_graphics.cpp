#include "platform/win32/win32_graphics.h"

namespace platform::win32 {

namespace {

// Owns one GDI object; copying is deleted so that the object is deleted once.
template <typename GdiHandle, typename Base>
class GdiOwner : public Base {
  public:
    explicit GdiOwner(GdiHandle handle) : m_handle(handle) {}
    ~GdiOwner() override {
        if (m_handle != nullptr) {
            DeleteObject(m_handle);
        }
    }
    GdiOwner(const GdiOwner&) = delete;
    GdiOwner& operator=(const GdiOwner&) = delete;

    void* Handle() const override { return m_handle; }

  protected:
    GdiHandle m_handle;
};

class Win32Bitmap final : public GdiOwner<HBITMAP, Bitmap> {
  public:
    using GdiOwner::GdiOwner;

    std::optional<BitmapSection> Section() const override {
        DIBSECTION section{};
        if (GetObjectW(m_handle, sizeof section, &section) != sizeof section ||
            section.dsBm.bmBits == nullptr) {
            return std::nullopt;
        }
        const BITMAP& bitmap = section.dsBm;
        const auto size = static_cast<std::size_t>(bitmap.bmWidthBytes) *
                          static_cast<std::size_t>(bitmap.bmHeight);
        return BitmapSection{bitmap.bmWidth,
                             bitmap.bmHeight,
                             bitmap.bmBitsPixel,
                             {static_cast<std::uint8_t*>(bitmap.bmBits), size}};
    }

    std::vector<RgbQuad> ColourTable() const override {
        // A section's colour table can only be read while it is selected into a DC.
        const HDC dc = CreateCompatibleDC(nullptr);
        if (dc == nullptr) {
            return {};
        }
        const HGDIOBJ old = SelectObject(dc, m_handle);
        RGBQUAD table[256];
        const UINT count = GetDIBColorTable(dc, 0, 256, table);
        SelectObject(dc, old);
        DeleteDC(dc);
        std::vector<RgbQuad> entries;
        for (UINT i = 0; i < count; ++i) {
            entries.push_back({table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed, 0});
        }
        return entries;
    }
};

class Win32Font final : public GdiOwner<HFONT, Font> {
  public:
    using GdiOwner::GdiOwner;
};

}  // namespace

std::unique_ptr<Bitmap> Win32Graphics::LoadBitmapSection(unsigned id) {
    // Size 0 by 0 without LR_DEFAULTSIZE keeps the resource's natural size.
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageW(m_module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32Bitmap>(bitmap);
}

std::unique_ptr<Bitmap> Win32Graphics::CreateSection24(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return nullptr;
    }
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (bitmap == nullptr) {
        return nullptr;
    }
    return std::make_unique<Win32Bitmap>(bitmap);
}

std::uint32_t Win32Graphics::FaceColour() const {
    return GetSysColor(COLOR_BTNFACE);
}

std::unique_ptr<Font> Win32Graphics::IconTitleFont() {
    LOGFONTW description{};
    static_assert(sizeof description == 92);
    HFONT font = nullptr;
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof description, &description, 0)) {
        font = CreateFontIndirectW(&description);
    }
    return std::make_unique<Win32Font>(font);
}

}  // namespace platform::win32

// Bitmaps, system colours and the system font, as the logo and the dialog font
// need them. Bitmaps and fonts own their GDI objects in Win32; the window layer
// reaches the object through Handle().
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// One entry of a colour table, laid out as the Windows API's RGBQUAD.
struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};

// The layout and pixel memory of a device-independent section bitmap.
struct BitmapSection {
    int width = 0;
    int height = 0;  // number of rows
    int bitsPerPixel = 0;
    std::span<std::uint8_t> bits;  // all rows, in memory order
};

class Bitmap {
  public:
    virtual ~Bitmap() = default;
    // Nothing when the bitmap holds no section or its description cannot be read.
    virtual std::optional<BitmapSection> Section() const = 0;
    // The section's colour table, at most 256 entries; empty when it has none.
    virtual std::vector<RgbQuad> ColourTable() const = 0;
    // The GDI object for the window layer; nullptr when the bitmap holds none.
    virtual void* Handle() const = 0;
};

class Font {
  public:
    virtual ~Font() = default;
    // The GDI object for the window layer; nullptr when the font holds none.
    virtual void* Handle() const = 0;
};

class Graphics {
  public:
    virtual ~Graphics() = default;
    // Bitmap resource `id` of the program's own module as a section of its natural
    // size (an RLE-compressed resource arrives decompressed); nullptr when it is
    // missing or cannot be loaded.
    [[nodiscard]] virtual std::unique_ptr<Bitmap> LoadBitmapSection(unsigned id) = 0;
    // A 24-bit, uncompressed, bottom-up section for the screen; nullptr on failure.
    [[nodiscard]] virtual std::unique_ptr<Bitmap> CreateSection24(int width, int height) = 0;
    // The button-face colour: red in the low byte, then green, then blue.
    virtual std::uint32_t FaceColour() const = 0;
    // A font made from the system's icon-title font description; never nullptr, but
    // without a handle when the system cannot give the description or the font.
    [[nodiscard]] virtual std::unique_ptr<Font> IconTitleFont() = 0;
};

}  // namespace platform

// In-memory bitmaps and fonts: the bitmap resources a test defines, failures to
// inject, what was asked for, and how many bitmaps are alive, so that a test sees
// what a failure has released.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/graphics.h"

namespace fakes {

// A section's contents: rows padded to whole 32-bit words, as in GDI.
struct BitmapImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8;
    std::vector<std::uint8_t> bits;
    std::vector<platform::RgbQuad> colourTable;
    bool sectionReadable = true;  // false: the description cannot be read

    static std::size_t Stride(int width, int bitsPerPixel) {
        return (static_cast<std::size_t>(width * bitsPerPixel) + 31) / 32 * 4;
    }
    // A blank image of this size.
    static BitmapImage Blank(int width, int height, int bitsPerPixel) {
        BitmapImage image{width, height, bitsPerPixel, {}, {}, true};
        image.bits.assign(Stride(width, bitsPerPixel) * static_cast<std::size_t>(height), 0);
        return image;
    }
};

class FakeBitmap final : public platform::Bitmap {
  public:
    FakeBitmap(BitmapImage image, std::shared_ptr<int> live)
        : m_image(std::move(image)), m_live(std::move(live)) {
        ++*m_live;
    }
    ~FakeBitmap() override { --*m_live; }
    FakeBitmap(const FakeBitmap&) = delete;
    FakeBitmap& operator=(const FakeBitmap&) = delete;

    std::optional<platform::BitmapSection> Section() const override {
        if (!m_image.sectionReadable) {
            return std::nullopt;
        }
        return platform::BitmapSection{m_image.width, m_image.height, m_image.bitsPerPixel,
                                       m_image.bits};
    }
    std::vector<platform::RgbQuad> ColourTable() const override { return m_image.colourTable; }
    void* Handle() const override { return m_handle; }

  private:
    // Pixel memory stays writable through a const bitmap, as a section's does.
    mutable BitmapImage m_image;
    std::shared_ptr<int> m_live;
    void* m_handle = this;
};

class FakeFont final : public platform::Font {
  public:
    explicit FakeFont(bool hasHandle) : m_handle(hasHandle ? this : nullptr) {}
    void* Handle() const override { return m_handle; }

  private:
    void* m_handle;
};

class FakeGraphics final : public platform::Graphics {
  public:
    std::unique_ptr<platform::Bitmap> LoadBitmapSection(unsigned id) override {
        loadedIds.push_back(id);
        const auto found = bitmaps.find(id);
        if (found == bitmaps.end()) {
            return nullptr;
        }
        return std::make_unique<FakeBitmap>(found->second, m_live);
    }
    std::unique_ptr<platform::Bitmap> CreateSection24(int width, int height) override {
        createdSections.emplace_back(width, height);
        if (!sectionsCreatable) {
            return nullptr;
        }
        return std::make_unique<FakeBitmap>(BitmapImage::Blank(width, height, 24), m_live);
    }
    std::uint32_t FaceColour() const override { return faceColour; }
    std::unique_ptr<platform::Font> IconTitleFont() override {
        ++fontRequests;
        return std::make_unique<FakeFont>(iconTitleFontAvailable);
    }

    int LiveBitmaps() const { return *m_live; }

    std::map<unsigned, BitmapImage> bitmaps;  // the bitmap resources, by id
    bool sectionsCreatable = true;
    std::uint32_t faceColour = 0xF0F0F0;
    bool iconTitleFontAvailable = true;
    std::vector<unsigned> loadedIds;
    std::vector<std::pair<int, int>> createdSections;  // width and height
    int fontRequests = 0;

  private:
    std::shared_ptr<int> m_live = std::make_shared<int>(0);
};

}  // namespace fakes

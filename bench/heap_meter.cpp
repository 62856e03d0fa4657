#include "heap_meter.h"

#include <cstdlib>
#include <new>

namespace {

// Each block carries its size in front, so the unsized deletes can count it too.
constexpr std::size_t kHeader = alignof(std::max_align_t);

std::size_t g_live = 0;
std::size_t g_peak = 0;

void* Allocate(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    g_live += size;
    if (g_live > g_peak) {
        g_peak = g_live;
    }
    return block + kHeader;
}

void Release(void* pointer) {
    if (pointer == nullptr) {
        return;
    }
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    g_live -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

}  // namespace

namespace heap_meter {

std::size_t LiveBytes() {
    return g_live;
}

void ResetPeak() {
    g_peak = g_live;
}

std::size_t PeakBytes() {
    return g_peak;
}

}  // namespace heap_meter

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}

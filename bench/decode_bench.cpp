// Decoding a firmware container against a memcpy of the same size in the same run.
// Sizes: the container this installer carries, and 64 MiB.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "heap_meter.h"
#include "image/puf_container.h"
#include "image/puf_image.h"

namespace {

constexpr std::int64_t kCarriedContainer = 1178057;
constexpr std::int64_t k64MiB = std::int64_t{64} << 20;

std::vector<unsigned char> Container(std::int64_t n) {
    std::vector<unsigned char> payload(static_cast<std::size_t>(n - 1));
    std::uint32_t state = 0x2545F491;
    for (auto& byte : payload) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<unsigned char>(state >> 24);
    }
    return PackPufContainer(payload);
}

void BM_Decode(benchmark::State& state) {
    const std::vector<unsigned char> container = Container(state.range(0));
    const auto n = static_cast<std::uint32_t>(container.size());
    std::size_t peakExtra = 0;
    for (auto _ : state) {
        // Each decoding fills a new image, as the installer's one Load does.
        CPufImage image;
        heap_meter::ResetPeak();
        const std::size_t before = heap_meter::LiveBytes();
        if (!image.Decode(container.data(), n)) {
            state.SkipWithError("decoding failed");
            break;
        }
        peakExtra = heap_meter::PeakBytes() - before;
        benchmark::DoNotOptimize(image.m_pData.get());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    // Heap bytes beyond the container while decoding, per container byte: the
    // payload and the one temporary copy make 2.
    state.counters["heap_per_byte"] = static_cast<double>(peakExtra) / n;
}

void BM_Memcpy(benchmark::State& state) {
    const std::vector<unsigned char> source = Container(state.range(0));
    std::vector<unsigned char> target(source.size(), 0);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The same copy into a new buffer, as decoding must fill new memory: the first touch
// of each page costs the operating system a fault.
void BM_MemcpyToNewBuffer(benchmark::State& state) {
    const std::vector<unsigned char> source = Container(state.range(0));
    for (auto _ : state) {
        const auto target = std::make_unique_for_overwrite<unsigned char[]>(source.size());
        std::memcpy(target.get(), source.data(), source.size());
        benchmark::DoNotOptimize(target.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_Decode)->Arg(kCarriedContainer)->Arg(k64MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Arg(kCarriedContainer)->Arg(k64MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyToNewBuffer)->Arg(kCarriedContainer)->Arg(k64MiB)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// SendData of the network ports to loopback sinks, beside a plain blocking sender
// of the same bytes in the same run. Sizes: the firmware this installer carries,
// and 256 MiB. Each timed send lasts until the sink has seen the connection end.
//
// Counters: `vs_plain` is the port's throughput over the plain sender's (goal at
// least 0.9); for LPR, `vs_raw` compares with the raw port, `ack_wait_ms` is the
// time per send that the wire stood idle waiting for acknowledgements, and
// `vs_raw_without_waits` the comparison with those waits taken out. `heap_bytes`
// is the heap the send took: the payload is never copied.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "heap_meter.h"
#include "loopback_sinks.h"
#include "ports/network_port.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr std::int64_t kCarriedFirmware = 1178056;
constexpr std::int64_t k256MiB = std::int64_t{256} << 20;
// An address of its own, so that the run does not meet the tests' printers.
constexpr const char* kSinkAddress = "127.80.0.1";

std::uint32_t SinkAddress() {
    return ::inet_addr(kSinkAddress);
}

std::vector<char> Payload(std::int64_t n) {
    std::vector<char> payload(static_cast<std::size_t>(n));
    std::uint32_t state = 0x9E3779B9;
    for (auto& byte : payload) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    return payload;
}

// One send and the sink's report of it; nothing when either failed.
template <typename Send>
std::optional<bench::ConnectionReport> Timed(bench::LoopbackSink& sink, std::size_t size, Send send,
                                             Seconds& took) {
    const auto start = Clock::now();
    const bool sent = send();
    const bench::ConnectionReport report = sink.WaitForConnection();
    took = Clock::now() - start;
    if (!sent || report.bytes < size) {
        return std::nullopt;
    }
    return report;
}

void BM_RawSendData(benchmark::State& state) {
    const std::vector<char> payload = Payload(state.range(0));
    const auto size = static_cast<std::uint32_t>(payload.size());
    bench::LoopbackSink sink(bench::LoopbackSink::Kind::kRaw, SinkAddress(), 9100);
    CBorenNetworkPort port(SinkAddress());
    Seconds portTotal{0};
    Seconds plainTotal{0};
    std::size_t heapBytes = 0;
    for (auto _ : state) {
        Seconds took{};
        heap_meter::ResetPeak();
        const std::size_t before = heap_meter::LiveBytes();
        if (!Timed(
                sink, size, [&] { return port.SendData(payload.data(), size, 0) != FALSE; },
                took)) {
            state.SkipWithError("the port's send failed");
            break;
        }
        heapBytes = heap_meter::PeakBytes() - before;
        state.SetIterationTime(took.count());
        portTotal += took;
        if (!Timed(
                sink, size,
                [&] { return bench::PlainBlockingSend(SinkAddress(), 9100, payload.data(), size); },
                took)) {
            state.SkipWithError("the plain send failed");
            break;
        }
        plainTotal += took;
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["vs_plain"] = plainTotal / portTotal;
    state.counters["plain_MBps"] = static_cast<double>(state.iterations()) *
                                   static_cast<double>(size) / 1e6 / plainTotal.count();
    state.counters["heap_bytes"] = static_cast<double>(heapBytes);
}

void BM_LprSendData(benchmark::State& state) {
    const std::vector<char> payload = Payload(state.range(0));
    const auto size = static_cast<std::uint32_t>(payload.size());
    bench::LoopbackSink lpd(bench::LoopbackSink::Kind::kLpd, SinkAddress(), 515);
    bench::LoopbackSink raw(bench::LoopbackSink::Kind::kRaw, SinkAddress(), 9100);
    CLprNetworkPort port(SinkAddress(), 0);
    CBorenNetworkPort rawPort(SinkAddress());
    Seconds lprTotal{0};
    Seconds rawTotal{0};
    Seconds plainTotal{0};
    Seconds waits{0};
    std::size_t acknowledgements = 0;
    std::size_t heapBytes = 0;
    for (auto _ : state) {
        Seconds took{};
        heap_meter::ResetPeak();
        const std::size_t before = heap_meter::LiveBytes();
        const auto report = Timed(
            lpd, size, [&] { return port.SendData(payload.data(), size, 0) != FALSE; }, took);
        if (!report) {
            state.SkipWithError("the LPR send failed");
            break;
        }
        heapBytes = heap_meter::PeakBytes() - before;
        state.SetIterationTime(took.count());
        lprTotal += took;
        waits += report->idleAfterAcknowledgements;
        acknowledgements = report->acknowledgements;
        const bool rawOk =
            Timed(
                raw, size, [&] { return rawPort.SendData(payload.data(), size, 0) != FALSE; }, took)
                .has_value();
        rawTotal += took;
        const bool plainOk =
            Timed(
                raw, size,
                [&] { return bench::PlainBlockingSend(SinkAddress(), 9100, payload.data(), size); },
                took)
                .has_value();
        plainTotal += took;
        if (!rawOk || !plainOk) {
            state.SkipWithError("the raw send failed");
            break;
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["vs_raw"] = rawTotal / lprTotal;
    state.counters["vs_plain"] = plainTotal / lprTotal;
    state.counters["raw_MBps"] = iterations * static_cast<double>(size) / 1e6 / rawTotal.count();
    state.counters["ack_wait_ms"] = waits.count() * 1e3 / iterations;
    state.counters["acks"] = static_cast<double>(acknowledgements);
    state.counters["vs_raw_without_waits"] = rawTotal / (lprTotal - waits);
    state.counters["heap_bytes"] = static_cast<double>(heapBytes);
}

BENCHMARK(BM_RawSendData)
    ->Arg(kCarriedFirmware)
    ->Arg(k256MiB)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LprSendData)
    ->Arg(kCarriedFirmware)
    ->Arg(k256MiB)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

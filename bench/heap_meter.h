// Counts the bytes that operator new hands out in this program, so a benchmark
// can report the peak memory an operation takes beyond what it started with.
#pragma once

#include <cstddef>

namespace heap_meter {

std::size_t LiveBytes();
// Forgets the peak: from now on it is measured from the bytes live now.
void ResetPeak();
std::size_t PeakBytes();

}  // namespace heap_meter

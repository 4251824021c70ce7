// WFDB storage formats as pure functions over bytes: where a sample lies in its signal
// file, and one signal's column of a block of interleaved frames, in physical units.
#pragma once

#include <cstddef>
#include <cstdint>

namespace trivant {

// 212, 16, 80, 61, 24, 32.
bool WfdbFormatKnown(int format);
// The byte where the block holding sample k (0-based, all signals of the file interleaved)
// starts; a 212 block starts at an even sample, so its first sample may be k - 1.
int64_t WfdbBlockStart(int format, int64_t k);
// Bytes from WfdbBlockStart(k) up to and including sample last (>= k).
int64_t WfdbBlockBytes(int format, int64_t k, int64_t last);
// Whole samples that bytes of a signal file hold.
int64_t WfdbSamplesIn(int format, int64_t bytes);

// count samples of one signal: the first at sample index k of the file, then every stride-th
// (the number of signals in the file), from a block read at WfdbBlockStart(k). Each is
// (adc - baseline) * scale.
void DecodeWfdbColumn(int format, const unsigned char* block, int64_t k, int stride, size_t count,
                      double baseline, double scale, float* out);

}  // namespace trivant

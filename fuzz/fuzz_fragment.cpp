// The fragment analysis on any recording the .rr reader accepts, from any start. The
// spectrum is left out: its loops take the same steps for every input and cost
// milliseconds, and its results reach the report through a saturating conversion.
#include "fragment_analysis.h"
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "rr_file.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static auto buffers = std::make_unique<trivant::AnalysisBuffers>();  // 24 MB, once
    static auto report = std::make_unique<trivant::FragmentReport>();
    trivant::Recording& rec = FreshRecording();
    trivant::DecodeRr(std::string(reinterpret_cast<const char*>(data + 2), size - 2), rec);
    rec.Unpack();  // all the analysis reads; the rr target covers the rest of preparation
    const int start = (data[0] | data[1] << 8) % 400;
    const trivant::ResampleResult r = trivant::PrepareAnalysis(rec, *buffers);
    const trivant::Overview o = trivant::MakeOverview(buffers->ResampleBuf.data(), r.length);
    trivant::MeasureFragment(rec, start, r, *buffers, *report, nullptr);
    return o.BufLen < 0 ? 1 : 0;
}

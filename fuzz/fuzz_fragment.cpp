// The fragment analysis, spectrum included, on any recording the .rr reader accepts, from
// any start.
#include "fragment_analysis.h"
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "rr_file.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static auto buffers = std::make_unique<trivant::AnalysisBuffers>();
    static auto report = std::make_unique<trivant::FragmentReport>();
    trivant::Recording& rec = FreshRecording();
    trivant::DecodeRr(std::string(reinterpret_cast<const char*>(data + 2), size - 2), rec);
    rec.Unpack();  // all the analysis reads; the rr target covers the rest of preparation
    const int start = (data[0] | data[1] << 8) % 400;
    const trivant::ResampleResult r = trivant::PrepareAnalysis(rec, *buffers);
    const trivant::Overview o = trivant::MakeOverview(*buffers, r);
    trivant::AnalyzeFragment(rec, start, r, *buffers, *report, nullptr);
    return o.BufLen < 0 ? 1 : 0;
}

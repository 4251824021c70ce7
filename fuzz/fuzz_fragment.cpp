// The fragment analysis on any recording the .rr reader accepts, from any start.
#include "fragment_analysis.h"
#include "fuzz_target.h"
#include "rr_file.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static auto buffers = std::make_unique<trivant::AnalysisBuffers>();  // 24 MB, once
    auto rec = std::make_unique<trivant::Recording>();
    trivant::DecodeRr(std::string(reinterpret_cast<const char*>(data + 2), size - 2), *rec);
    rec->PrepareData(trivant::CoreSettings{});
    const int start = (data[0] | data[1] << 8) % 400;
    const trivant::ResampleResult r = trivant::PrepareAnalysis(*rec, *buffers);
    const trivant::Overview o = trivant::MakeOverview(buffers->ResampleBuf.data(), r.length);
    auto report = std::make_unique<trivant::FragmentReport>();
    trivant::AnalyzeFragment(*rec, start, r, *buffers, *report, nullptr);
    return o.BufLen < 0 ? 1 : 0;
}

// Block-wise detection over a record, and reference beats taken as detected ones.
#include "source_beats.h"

#include "qrs_detector.h"

#include <algorithm>

namespace trivant {

SourceBeats DetectSourceBeats(EcgSource& source, int channel,
                              const std::function<bool(int64_t, int64_t)>& progress) {
    SourceBeats out;
    const EcgChannel& ch = source.info().channels.at(static_cast<size_t>(channel));
    QrsDetector detector(ch.rate);
    std::vector<float> block;
    for (int64_t first = 0; first < ch.samples; first += kDetectBlockSamples) {
        if (!source.Read(channel, first, kDetectBlockSamples, block, out.error))
            return out;
        if (block.empty())
            break;
        detector.Feed(block.data(), block.size());
        if (progress && !progress(std::min(ch.samples, first + kDetectBlockSamples), ch.samples)) {
            out.cancelled = true;
            return out;
        }
    }
    detector.Finish();
    out.samples = detector.beats();
    return out;
}

std::vector<int64_t> AnnotatedBeats(const std::vector<EcgAnnotation>& annotations) {
    std::vector<int64_t> beats;
    for (const EcgAnnotation& a : annotations)
        if (a.beat && a.sample >= 0)
            beats.push_back(a.sample);
    std::sort(beats.begin(), beats.end());
    beats.erase(std::unique(beats.begin(), beats.end()), beats.end());
    return beats;
}

}  // namespace trivant

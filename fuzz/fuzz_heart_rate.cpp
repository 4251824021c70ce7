// Strap notifications: the input is cut into payloads, each led by a length byte, decoded
// and fed to the recording tick. A malformed payload yields no interval, a kept interval is
// one a recording can hold, and the recording holds every interval kept.
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "heart_rate_decoder.h"
#include "recorder.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    trivant::RecorderSettings s;
    s.AutoStop = false;
    trivant::Recording& rec = FreshRecording();
    trivant::RecordingEvents events;
    trivant::Recorder recorder(rec, events);
    recorder.Start();
    int kept = 0;
    for (size_t at = 0; at < size;) {
        const size_t n = std::min<size_t>(data[at], size - at - 1);
        const trivant::HeartRateMeasurement m = trivant::DecodeHeartRate(data + at + 1, n);
        at += 1 + n;
        if (!m.ok && m.rrCount != 0)
            __builtin_trap();
        for (size_t i = 0; i < m.rrCount; ++i)
            if (m.rrUs[i] < trivant::kMinIntervalUs || m.rrUs[i] > trivant::kMaxIntervalUs)
                __builtin_trap();
        kept += static_cast<int>(m.rrCount);
        recorder.TickExact(m.rrUs.data(), m.rrCount, true, s);
    }
    if (rec.beats() != std::min(kept, trivant::kMaxBeats) ||
        (kept > 0 && rec.ExactUs.size() != static_cast<size_t>(rec.beats()) + 1))
        __builtin_trap();
    for (int k = 1; k <= rec.beats(); ++k)
        if ((rec.ExactUs[k] + 5000) / 10000 != rec.at(trivant::kSerRR, k))
            __builtin_trap();
    recorder.Stop(s.core);
    return 0;
}

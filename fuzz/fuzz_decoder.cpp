// Any byte stream from the device, split into reads at points the input chooses, with
// any sample size and device model, through the recording tick and the stop.
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "recorder.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    trivant::RecorderSettings s;
    s.core.Sample = trivant::kMinSample +
                    (data[0] | data[1] << 8) % (trivant::kMaxSample - trivant::kMinSample + 1);
    s.RRUnit = data[2] & 1 ? 8 : 10;
    s.AutoStop = data[2] & 2;
    const size_t chunk = 1 + (data[2] >> 2);  // bytes per read
    trivant::Recording& rec = FreshRecording();
    trivant::RecordingEvents events;
    trivant::Recorder recorder(rec, events);
    recorder.Start();
    for (size_t i = 3; i < size && recorder.recording(); i += chunk)
        recorder.Tick(data + i, std::min(chunk, size - i), s);
    recorder.Tick(nullptr, 0, s);  // a silent tick
    recorder.Stop(s.core);
    return rec.CurrentFileLen > trivant::kCapacity ? 1 : 0;
}

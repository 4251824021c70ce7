// Any byte stream from the device, split into reads at points the input chooses, with
// any sample size and device model, through the recording tick and the stop.
// Bytes 0-2 choose the settings; the stream follows. Each read's length comes from a
// control byte taken from the end of the input, whose top bit adds a silent tick first.
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
    s.core.IbCompensation = data[2] & 4;
    trivant::Recording& rec = FreshRecording();
    trivant::RecordingEvents events;
    trivant::Recorder recorder(rec, events);
    recorder.Start();
    size_t head = 3, tail = size;
    while (head < tail && recorder.recording()) {
        const uint8_t control = data[--tail];
        if (control & 0x80)
            recorder.Tick(nullptr, 0, s);
        const size_t n = std::min<size_t>(1 + (control & 0x7f), tail - head);
        recorder.Tick(data + head, n, s);
        head += n;
    }
    recorder.Tick(nullptr, 0, s);  // a silent tick
    recorder.Stop(s.core);
    return rec.CurrentFileLen > trivant::kCapacity ? 1 : 0;
}

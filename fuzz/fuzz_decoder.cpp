// Any byte stream from the device, split into reads at points the input chooses: first
// through the frame decoder alone, then with any sample size and device model through the
// recording tick and the stop.
// Bytes 0-2 choose the settings; the stream follows. Each read's length comes from a
// control byte taken from the end of the input, whose top bit adds a silent tick first.
#include "frame_decoder.h"
#include "fresh_recording.h"
#include "fuzz_target.h"
#include "recorder.h"

#include <algorithm>

namespace {

// The reads of the input, as the recording tick gets them: keepGoing is asked before each.
template <typename Read, typename KeepGoing>
void forEachRead(const uint8_t* data, size_t size, Read read, KeepGoing keepGoing) {
    size_t head = 3, tail = size;
    while (head < tail && keepGoing()) {
        const uint8_t control = data[--tail];
        const size_t n = std::min<size_t>(1 + (control & 0x7f), tail - head);
        read(control & 0x80, data + head, n);
        head += n;
    }
}

// The beats the decoder finds in the whole stream; it traps on a state out of range.
int decodedBeats(const uint8_t* data, size_t size) {
    trivant::FrameDecoder decoder;
    int beats = 0;
    forEachRead(
        data, size,
        [&](bool, const uint8_t* bytes, size_t n) {
            for (size_t i = 0; i < n; ++i)
                beats += decoder.Feed(bytes[i]).kind == trivant::FrameEvent::Beat;
            if (decoder.ByteNum() < 0 || decoder.ByteNum() > 2 || decoder.ElStatus() < 0 ||
                decoder.ElStatus() >= trivant::kStatusCodes)
                __builtin_trap();
        },
        [] { return true; });
    return beats;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const int beats = decodedBeats(data, size);
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
    forEachRead(
        data, size,
        [&](bool silentFirst, const uint8_t* bytes, size_t n) {
            if (silentFirst)
                recorder.Tick(nullptr, 0, s);
            recorder.Tick(bytes, n, s);
        },
        [&] { return recorder.recording(); });
    // A recording that no limit ended holds every beat the decoder found.
    if (recorder.recording() && rec.beats() != beats)
        __builtin_trap();
    recorder.Tick(nullptr, 0, s);  // a silent tick
    recorder.Stop(s.core);
    return rec.CurrentFileLen > trivant::kCapacity ? 1 : 0;
}

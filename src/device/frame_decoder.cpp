// The frame state machine. Only a frame with status 0 carries a beat; the bytes of a
// status frame are read past whatever they hold, status codes included.
#include "frame_decoder.h"

namespace trivant {

FrameEvent FrameDecoder::Feed(uint8_t b) {
    FrameEvent e;
    switch (byteNum_) {
    case 0:
        if (b >= kStatusCodes) {
            e.kind = FrameEvent::Skipped;  // not a frame start
            return e;
        }
        byteNum_ = 1;
        elStatus_ = b;
        e.kind = FrameEvent::Status;
        e.code = b;
        return e;
    case 1:
        byteNum_ = 2;
        rr_ = b;
        if (elStatus_ == 0) {
            e.kind = FrameEvent::RR;
            e.rr = b;
        }
        return e;
    default:
        byteNum_ = 0;
        if (elStatus_ == 0) {
            e.kind = FrameEvent::Beat;
            e.rr = rr_;
            e.spo = b;
        }
        return e;
    }
}

}  // namespace trivant

// The pulse device's byte stream cut into 3-byte frames: a status byte below kStatusCodes,
// the RR byte and the SpO2 byte. Plain C++: it knows neither the recording nor the window.
#pragma once

#include <cstdint>

namespace trivant {

constexpr int kStatusCodes = 6;  // a frame starts with a byte below this

// What one byte of the stream meant; every byte fed yields exactly one.
struct FrameEvent {
    enum Kind {
        None,     // the RR or SpO2 byte of a status frame: nothing to store
        Skipped,  // a byte outside a frame that cannot start one
        Status,   // a frame started with status code; code 0 carries a beat
        RR,       // the RR byte of a beat frame; its SpO2 byte is still to come
        Beat,     // the SpO2 byte completed a beat frame
    };
    Kind kind = None;
    int code = 0;     // Status
    uint8_t rr = 0;   // RR and Beat: the RR byte as the device sent it
    uint8_t spo = 0;  // Beat: the SpO2 byte as the device sent it
};

class FrameDecoder {
public:
    FrameEvent Feed(uint8_t b);
    // Drops a partial frame: the next byte below kStatusCodes starts one.
    void Restart() { byteNum_ = 0; }

    int32_t ByteNum() const { return byteNum_; }    // position expected next: 0, 1 or 2
    int32_t ElStatus() const { return elStatus_; }  // status code of the current frame

private:
    int32_t byteNum_ = 0;
    int32_t elStatus_ = 0;
    uint8_t rr_ = 0;  // the RR byte of the current frame
};

}  // namespace trivant

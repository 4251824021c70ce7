// The frame decoder alone: byte arrays in, the events they mean out.
#include "frame_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trivant {
namespace {

using Bytes = std::vector<uint8_t>;

// One event as a word: S<code> a frame start, R<rr> the RR byte of a beat frame,
// B<rr>/<spo> a complete beat, x a skipped byte, . nothing.
std::string word(const FrameEvent& e) {
    switch (e.kind) {
    case FrameEvent::Status:
        return "S" + std::to_string(e.code);
    case FrameEvent::RR:
        return "R" + std::to_string(e.rr);
    case FrameEvent::Beat:
        return "B" + std::to_string(e.rr) + "/" + std::to_string(e.spo);
    case FrameEvent::Skipped:
        return "x";
    case FrameEvent::None:
        break;
    }
    return ".";
}

std::string feed(FrameDecoder& d, const Bytes& bytes) {
    std::string out;
    for (uint8_t b : bytes)
        out += (out.empty() ? "" : " ") + word(d.Feed(b));
    return out;
}

struct Case {
    const char* name;
    std::vector<Bytes> reads;       // fed one after another to one decoder
    std::vector<std::string> want;  // the events of each read
    int byteNum, elStatus;          // the state after the last read
};

const Case kCases[] = {
    {"one beat", {{0, 80, 197}}, {"S0 R80 B80/197"}, 0, 0},
    {"two beats", {{0, 80, 197, 0, 90, 196}}, {"S0 R80 B80/197 S0 R90 B90/196"}, 0, 0},
    {"split after the status", {{0}, {80, 197}}, {"S0", "R80 B80/197"}, 0, 0},
    {"split after the RR", {{0, 80}, {197, 0}}, {"S0 R80", "B80/197 S0"}, 1, 0},
    {"one byte a read", {{0}, {80}, {197}}, {"S0", "R80", "B80/197"}, 0, 0},
    {"frame still open", {{0, 80}}, {"S0 R80"}, 2, 0},
    {"garbage before a frame", {{7, 200, 255, 6, 0, 100, 80}}, {"x x x x S0 R100 B100/80"}, 0, 0},
    {"garbage between reads",
     {{0, 80, 197, 9}, {250, 0, 81, 198}},
     {"S0 R80 B80/197 x", "x S0 R81 B81/198"},
     0,
     0},
    {"status frame stores nothing", {{3, 80, 197}}, {"S3 . ."}, 0, 3},
    {"every status code",
     {{1, 1, 1, 2, 2, 2, 4, 0, 0, 5, 9, 9}},
     {"S1 . . S2 . . S4 . . S5 . ."},
     0,
     5},
    {"status frame split", {{4}, {0}, {0}}, {"S4", ".", "."}, 0, 4},
    {"status then beat", {{2, 0, 0, 0, 80, 197}}, {"S2 . . S0 R80 B80/197"}, 0, 0},
    {"status codes as RR and SpO2", {{0, 3, 5}}, {"S0 R3 B3/5"}, 0, 0},
    {"zeros as RR and SpO2", {{0, 0, 0, 0}}, {"S0 R0 B0/0 S0"}, 1, 0},
    {"large bytes inside a frame", {{0, 255, 6, 1, 200, 201}}, {"S0 R255 B255/6 S1 . ."}, 0, 1},
    {"lowest garbage byte", {{6, 5, 6, 7}}, {"x S5 . ."}, 0, 5},
};

TEST(FrameDecoder, EventsOfEachRead) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        FrameDecoder d;
        ASSERT_EQ(c.reads.size(), c.want.size());
        for (size_t i = 0; i < c.reads.size(); ++i)
            EXPECT_EQ(feed(d, c.reads[i]), c.want[i]) << "read " << i;
        EXPECT_EQ(d.ByteNum(), c.byteNum);
        EXPECT_EQ(d.ElStatus(), c.elStatus);
    }
}

TEST(FrameDecoder, StartsOutsideAFrame) {
    FrameDecoder d;
    EXPECT_EQ(d.ByteNum(), 0);
    EXPECT_EQ(d.ElStatus(), 0);
}

TEST(FrameDecoder, RestartDropsAPartialFrame) {
    FrameDecoder d;
    EXPECT_EQ(feed(d, {0, 80}), "S0 R80");
    d.Restart();
    EXPECT_EQ(d.ByteNum(), 0);
    EXPECT_EQ(feed(d, {200, 0, 90, 196}), "x S0 R90 B90/196");
}

}  // namespace
}  // namespace trivant

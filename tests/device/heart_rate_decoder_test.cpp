// The strap's Heart Rate Measurement decoder: payloads in, fields and intervals out.
#include "heart_rate_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trivant {
namespace {

struct Case {
    const char* name;
    std::vector<uint8_t> payload;
    bool ok;
    int heartRate;
    SensorContact contact;
    int energy;  // -1: none
    std::vector<int32_t> rrUs;
    int dropped;
};

constexpr auto kNone = SensorContact::Unsupported;
constexpr auto kLost = SensorContact::Lost;
constexpr auto kOn = SensorContact::Touching;

const Case kCases[] = {
    {"uint8 heart rate only", {0x00, 72}, true, 72, kNone, -1, {}, 0},
    {"contact bit 1 alone is unsupported", {0x02, 72}, true, 72, kNone, -1, {}, 0},
    {"no contact", {0x04, 72}, true, 72, kLost, -1, {}, 0},
    {"contact", {0x06, 72}, true, 72, kOn, -1, {}, 0},
    {"uint16 heart rate", {0x01, 0x2C, 0x01}, true, 300, kNone, -1, {}, 0},
    {"RR flagged, none sent", {0x10, 60}, true, 60, kNone, -1, {}, 0},
    {"one RR (1024 = 1 s)", {0x16, 60, 0x00, 0x04}, true, 60, kOn, -1, {1000000}, 0},
    {"three RR, rounded to the µs",
     {0x10, 75, 0x34, 0x03, 0x35, 0x03, 0x01, 0x02},
     true,
     75,
     kNone,
     -1,
     {800781, 801758, 500977},
     0},
    {"uint16 rate with energy moves the RR",
     {0x19, 0x48, 0x00, 0x10, 0x27, 0x00, 0x04},
     true,
     72,
     kNone,
     10000,
     {1000000},
     0},
    {"energy without RR", {0x08, 72, 0x05, 0x00}, true, 72, kNone, 5, {}, 0},
    {"reserved bits ignored", {0xE6, 72, 0x00, 0x04}, true, 72, kOn, -1, {}, 0},
    {"RR 0 dropped", {0x10, 60, 0x00, 0x00, 0x00, 0x04}, true, 60, kNone, -1, {1000000}, 1},
    {"RR past 2555 ms dropped, 2554.688 ms kept",
     {0x10, 60, 0xFF, 0xFF, 0x38, 0x0A, 0x39, 0x0A},
     true,
     60,
     kNone,
     -1,
     {2554688},
     2},
    {"RR under 5 ms dropped", {0x10, 60, 0x05, 0x00}, true, 60, kNone, -1, {}, 1},
    {"trailing bytes without RR flagged", {0x00, 72, 0x00, 0x04}, true, 72, kNone, -1, {}, 0},
    {"empty", {}, false, 0, kNone, -1, {}, 0},
    {"flags alone", {0x00}, false, 0, kNone, -1, {}, 0},
    {"uint16 rate cut short", {0x01, 72}, false, 0, kNone, -1, {}, 0},
    {"energy cut short", {0x08, 72, 0x05}, false, 0, kNone, -1, {}, 0},
    {"odd byte after RR", {0x10, 60, 0x00, 0x04, 0x00}, false, 0, kNone, -1, {}, 0},
};

TEST(HeartRateDecoder, Table) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const HeartRateMeasurement m = DecodeHeartRate(c.payload.data(), c.payload.size());
        ASSERT_EQ(m.ok, c.ok) << m.problem;
        if (!c.ok) {
            EXPECT_EQ(m.rrCount, 0u);
            EXPECT_NE(std::string(m.problem), "");
            continue;
        }
        EXPECT_EQ(m.heartRate, c.heartRate);
        EXPECT_EQ(m.contact, c.contact);
        EXPECT_EQ(m.hasEnergy ? m.energy : -1, c.energy);
        EXPECT_EQ(std::vector<int32_t>(m.rrUs.begin(), m.rrUs.begin() + m.rrCount), c.rrUs);
        EXPECT_EQ(m.dropped, c.dropped);
    }
}

TEST(HeartRateDecoder, LongestPayloadAndBeyond) {
    std::vector<uint8_t> p(kMaxHeartRatePayload - 1, 0x04);
    p[0] = 0x10;  // uint8 rate, then 254 RR values and an odd byte
    p[1] = 60;
    EXPECT_FALSE(DecodeHeartRate(p.data(), p.size()).ok);
    p.push_back(0x04);  // 255 values of 0x0404 units
    const HeartRateMeasurement m = DecodeHeartRate(p.data(), p.size());
    ASSERT_TRUE(m.ok);
    EXPECT_EQ(m.rrCount, (kMaxHeartRatePayload - 2) / 2);
    p.resize(kMaxHeartRatePayload + 2, 0x04);
    EXPECT_FALSE(DecodeHeartRate(p.data(), p.size()).ok);
}

}  // namespace
}  // namespace trivant

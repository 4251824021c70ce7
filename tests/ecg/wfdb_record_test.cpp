// The WFDB reader over the six committed records, a CRLF copy, and headers that must fail.
#include "clock_time.h"
#include "ecg_read.h"
#include "temp_dir.h"
#include "wfdb_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace trivant;
using test::TempDir;

namespace {

const std::string kData = std::string(TRIVANT_TEST_DATA) + "/ecg/";

struct RecordCase {
    const char* name;
    double rate;
    int64_t samples;
    const char* labels[2];
    float first[2];  // the headers' initial values in mV: (initval - baseline) / gain
    int beats;       // reference beats in NAME.atr
};

const RecordCase kRecords[] = {
    {"101", 360, 650000, {"MLII", "V1"}, {-0.345f, -0.16f}, 1865},
    {"106", 360, 650000, {"MLII", "V1"}, {-0.31f, 0.195f}, 2027},
    {"119", 360, 650000, {"MLII", "V1"}, {-0.995f, -0.47f}, 1987},
    {"208", 360, 650000, {"MLII", "V1"}, {-0.105f, 0.19f}, 2955},
    {"118e12", 360, 650000, {"MLII", "V1"}, {(-167 - 1024) / 200.f, (-103 - 1024) / 200.f}, 2278},
    {"800", 128, 230400, {"ECG", "ECG"}, {-0.505f, 0.615f}, 1883},
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(WfdbRecord, ReadsEachRecord) {
    for (const RecordCase& c : kRecords) {
        SCOPED_TRACE(c.name);
        const std::string hea = kData + c.name + ".hea";
        EcgOpen open = OpenWfdbRecord(hea);
        ASSERT_TRUE(open.source) << open.error;
        const EcgInfo& info = open.source->info();
        EXPECT_EQ(info.format, "WFDB");
        EXPECT_EQ(info.rate, c.rate);
        EXPECT_EQ(info.startClockS, kNoClock);
        ASSERT_EQ(info.channels.size(), 2u);
        std::vector<float> mv;
        std::string error;
        for (int ch = 0; ch < 2; ++ch) {
            EXPECT_EQ(info.channels[ch].label, c.labels[ch]);
            EXPECT_EQ(info.channels[ch].samples, c.samples);
            ASSERT_TRUE(open.source->Read(ch, 0, 3, mv, error)) << error;
            ASSERT_EQ(mv.size(), 3u);
            EXPECT_FLOAT_EQ(mv[0], c.first[ch]);
            // The last samples are there, and nothing past them.
            ASSERT_TRUE(open.source->Read(ch, c.samples - 2, 10, mv, error));
            EXPECT_EQ(mv.size(), 2u);
            ASSERT_TRUE(open.source->Read(ch, c.samples, 10, mv, error));
            EXPECT_TRUE(mv.empty());
        }
        std::vector<EcgAnnotation> ann;
        ASSERT_TRUE(ReadWfdbAnnotations(hea, "atr", ann, error)) << error;
        EXPECT_EQ(std::count_if(ann.begin(), ann.end(), [](auto& a) { return a.beat; }), c.beats);
        EXPECT_TRUE(std::is_sorted(ann.begin(), ann.end(),
                                   [](auto& a, auto& b) { return a.sample < b.sample; }));
        EXPECT_EQ(EcgChannelIndex(info, "", error), 0);
        EXPECT_EQ(DetectEcgRecord(ReadAll(hea), hea), EcgKind::Wfdb);
    }
}

// The same samples whatever the block boundaries, in a CRLF copy with a start clock, and
// across a 212 pair that a block splits (odd first sample).
TEST(WfdbRecord, CrlfCopyAndBlocksReadTheSame) {
    TempDir dir;
    dir.write("101.dat", ReadAll(kData + "101.dat"));
    dir.write("101.hea", "101 2 360 650000 10:20:30.5 28/02/2024\r\n"
                         "101.dat 212 200 11 1024 955 29832 0 MLII\r\n"
                         "101.dat 212 200 11 1024 992 19589 0 V1\r\n# a comment\r\n");
    EcgOpen lf = OpenWfdbRecord(kData + "101.hea");
    EcgOpen crlf = OpenWfdbRecord(dir.file("101.hea"));
    ASSERT_TRUE(crlf.source) << crlf.error;
    EXPECT_EQ(crlf.source->info().startClockS, ClockOf(2024, 2, 28, 10 * 3600 + 20 * 60 + 30));
    std::vector<float> whole, part;
    std::string error;
    ASSERT_TRUE(lf.source->Read(1, 0, 650000, whole, error));
    for (int64_t first : {0, 1, 12345, 65535, 65536, 649999}) {
        ASSERT_TRUE(crlf.source->Read(1, first, 70001, part, error));
        ASSERT_FALSE(part.empty());
        EXPECT_TRUE(std::equal(part.begin(), part.end(), whole.begin() + first)) << first;
    }
}

struct BadCase {
    const char* what;
    const char* header;
    int datBytes;  // a 101.dat of this many bytes of 101's beside it; -1 none
    const char* expected;
};

TEST(WfdbRecord, RefusesBadHeaders) {
    const BadCase kBad[] = {
        {"missing .dat", "r 1 360 100\nx.dat 212 200 11 1024 0 0 0 MLII\n", -1,
         "cannot open signal file"},
        {"short .dat", "r 2 360 650000\n101.dat 212 200\n101.dat 212 200\n", 3000,
         "holds 1000 samples, the header says 650000"},
        {"format 999", "r 1 360\n101.dat 999 200\n", 3000, "storage format 999 is not known"},
        {"rate 50", "r 1 50\n101.dat 16 200\n", 3000, "sample rate 50 Hz is outside"},
        {"rate 5000", "r 1 5000\n101.dat 16 200\n", 3000, "sample rate 5000 Hz is outside"},
        {"no signals", "r 0 360\n", 3000, "no signals"},
        {"too few lines", "r 2 360\n101.dat 16\n", 3000, "names 2 signals, 1 signal lines"},
        {"garbage", "\x01\x02 zz\n", 3000, "line 1: not a WFDB record line"},
        {"bad gain", "r 1 360\n101.dat 16 2x0\n", 3000, "line 2: bad gain"},
        {"bad count", "r 1 360 -5\n101.dat 16\n", 3000, "bad sample count"},
        {"bad date", "r 1 360 10 1:2:3 30/02/2023\n101.dat 16\n", 3000, "bad start date"},
        {"x2 frames", "r 1 360\n101.dat 16x2\n", 3000, "2 samples per frame are not read"},
        {"segments", "r/3 1 360\n", 3000, "multi-segment records (r/3) are not read"},
        {"other folder", "r 1 360\n../101.dat 16\n", 3000, "not a file beside the header"},
        {"two formats", "r 2 360\n101.dat 16\n101.dat 212\n", 3000, "two storage formats"},
        {"empty .dat", "r 1 360\n101.dat 16+3000 200\n", 3000, "holds no samples"},
    };
    const std::string dat = ReadAll(kData + "101.dat");
    for (const BadCase& c : kBad) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        if (c.datBytes >= 0)
            dir.write("101.dat", dat.substr(0, static_cast<size_t>(c.datBytes)));
        const std::string hea = dir.write("r.hea", c.header);
        const EcgOpen open = OpenWfdbRecord(hea);
        EXPECT_FALSE(open.source);
        EXPECT_NE(open.error.find(hea), std::string::npos) << open.error;
        EXPECT_NE(open.error.find(c.expected), std::string::npos) << open.error;
    }
}

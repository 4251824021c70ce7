// EDF+ and BDF files written here from a piece of record 101 read back through
// OpenEcgRecord: the same samples within the digital resolution, the start clock and the
// EDF+ annotations with their times.
#include "clock_time.h"
#include "ecg_read.h"
#include "edf_writer.h"
#include "temp_dir.h"
#include "wfdb_record.h"

#include <gtest/gtest.h>

using namespace trivant;
using test::TempDir;

namespace {

constexpr int kRate = 360, kSeconds = 10;

std::vector<float> Piece(int ch) {
    EcgOpen open = OpenWfdbRecord(std::string(TRIVANT_TEST_DATA) + "/ecg/101.hea");
    std::vector<float> mv;
    std::string error;
    open.source->Read(ch, 0, kRate * kSeconds, mv, error);
    return mv;
}

struct EdfCase {
    const char* name;
    bool bdf;
    const char* unit;
    double perMv;  // the file's unit per mV
    const char* format;
};

}  // namespace

TEST(EdfRecord, ReadsBackWhatWasWritten) {
    const EdfCase kCases[] = {{"edf+", false, "mV", 1, "EDF+"}, {"bdf", true, "uV", 1000, "BDF"}};
    const std::vector<float> mlii = Piece(0), v1 = Piece(1);
    for (const EdfCase& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<test::EdfSignalIn> signals = {
            {"MLII", c.unit, -10 * c.perMv, 10 * c.perMv, mlii},
            {"V1", c.unit, -10 * c.perMv, 10 * c.perMv, v1}};
        for (auto& s : signals)
            for (float& v : s.values)
                v = static_cast<float>(v * c.perMv);
        TempDir dir;
        const std::string path =
            dir.write(std::string("r.") + c.name,
                      test::WriteEdfBytes(c.bdf, kRate, signals, {{2.5, "Noise"}, {7, "Beat 7"}}));
        EcgOpen open = OpenEcgRecord(path);
        ASSERT_TRUE(open.source) << open.error;
        const EcgInfo& info = open.source->info();
        EXPECT_EQ(info.format, c.format);
        EXPECT_EQ(info.rate, kRate);
        EXPECT_EQ(info.startClockS, ClockOf(2024, 3, 1, 22 * 3600 + 15 * 60 + 30));
        ASSERT_EQ(info.channels.size(), 2u);
        EXPECT_EQ(info.channels[1].label, "V1");
        EXPECT_EQ(info.channels[0].samples, kRate * kSeconds);
        std::string error;
        EXPECT_EQ(EcgChannelIndex(info, "", error), 0);
        const double step = 20.0 / (c.bdf ? 16777214 : 65534);  // mV per digital unit
        std::vector<float> mv;
        // Blocks at odd offsets across record boundaries, and one running past the end.
        for (int first : {0, 359, 361, 1000, 2877, 3599}) {
            ASSERT_TRUE(open.source->Read(1, first, 733, mv, error)) << error;
            ASSERT_EQ(mv.size(), std::min<size_t>(733, kRate * kSeconds - first));
            for (size_t i = 0; i < mv.size(); ++i)
                ASSERT_NEAR(mv[i], v1[first + i], step) << first + i;
        }
        ASSERT_EQ(info.annotations.size(), 2u);
        EXPECT_EQ(info.annotations[0].text, "Noise");
        EXPECT_EQ(info.annotations[0].sample, 900);
        EXPECT_EQ(info.annotations[1].text, "Beat 7");
        EXPECT_EQ(info.annotations[1].sample, 7 * kRate);
    }
}

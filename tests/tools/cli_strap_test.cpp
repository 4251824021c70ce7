// trivant-cli with a strap: a notification log recorded without a radio, exact to the
// microsecond, and a strap's journal recovered exactly.
#include "cli_fixture.h"

#include "journal.h"
#include "number_text.h"

#include <cmath>
#include <fstream>

namespace trivant::test {
namespace {

// The log's intervals from its source: ms to 1/1024 s as the log was made, then to µs as a
// strap's are kept, written as Trivant's CSV writes them.
std::vector<std::string> sourceIntervals() {
    std::ifstream in(std::string(TRIVANT_TEST_DATA) + "/rr/rhenanbartels_hrv-noisy_rri.txt");
    std::vector<std::string> out;
    char text[32];
    for (int ms = 0; in >> ms;) {
        const double units = std::floor(ms * 1.024 + 0.5);
        const long us = std::lround(units * 1e6 / 1024);
        std::snprintf(text, sizeof text, "%ld.%03ld", us / 1000, us % 1000);
        std::string t = text;  // as the CSV writes it: no trailing zeros
        t.erase(t.find_last_not_of('0') + 1);
        if (t.back() == '.')
            t.pop_back();
        out.push_back(t);
    }
    return out;
}

std::vector<std::string> csvIntervals(const std::string& csv) {
    std::vector<std::string> out;
    for (size_t at = csv.find('\n') + 1; at < csv.size(); at = csv.find('\n', at) + 1)
        out.push_back(csv.substr(at, csv.find(';', at) - at));
    return out;
}

TEST_F(CliTest, RecordFromAStrapLogIsExactAndDropsTheFirstNotification) {
    const std::string log =
        std::string(TRIVANT_TEST_DATA) + "/../../examples/strap/polar-noisy.log";
    const CliRun r = run({"record", "--ble-replay", log, "strap.csv"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::vector<std::string> got = csvIntervals(dir.read("strap.csv"));
    const std::vector<std::string> source = sourceIntervals();
    ASSERT_GT(got.size(), 300u);  // the five-minute limit ends it
    // The first notification carries one interval, which is dropped.
    EXPECT_EQ(got, std::vector<std::string>(source.begin() + 1, source.begin() + 1 + got.size()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("strap.csv.part")));

    ASSERT_EQ(run({"record", "--ble-replay", log, "--beats", "5", "strap.rr"}).status, kExitOk);
    dir.write("bad.log", "0 16 3C 00 04\n1 16 3C 00 04 01\nzz\n2.5 16 3C 00 04 00 02\n9 16\n");
    const CliRun bad = run({"record", "--ble-replay", "bad.log", "bad.csv"});
    EXPECT_EQ(bad.status, kExitOk);
    EXPECT_EQ(bad.err, "trivant-cli: bad.log:2: an odd byte after the RR intervals\n"
                       "trivant-cli: bad.log:3: no payload after the time\n"
                       "trivant-cli: bad.log:5: notification shorter than its flags say\n"
                       "trivant-cli: 2 beats saved to bad.csv\n");
    // Without a radio linked (as in this test), the radio's commands say so.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"ble-scan"}, {"record", "--ble", "AA:BB", "x.csv"}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, kExitBadInput);
        EXPECT_EQ(r.err, "trivant-cli: this build has no Bluetooth support\n");
    }
}

// An explicit length replaces the settings' five minutes, which stop the recording otherwise.
TEST_F(CliTest, RecordLengthAskedForReplacesTheFiveMinuteLimit) {
    const std::string log =
        std::string(TRIVANT_TEST_DATA) + "/../../examples/strap/polar-noisy.log";
    const struct {
        std::vector<std::string> length;
        double minS, maxS;
        size_t beats;  // 0: any
    } cases[] = {
        {{}, 300, 315, 0},  // 31000 units of 10 ms, the recorder's own count
        {{"--seconds", "1200"}, 1190, 1200, 0},
        {{"--beats", "3000"}, 1200, 2403, 3000},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"record", "--ble-replay", log, "long.csv"};
        args.insert(args.end(), c.length.begin(), c.length.end());
        const CliRun r = run(args);
        ASSERT_EQ(r.status, kExitOk) << r.err;
        EXPECT_EQ(r.err.find("five-minute") != std::string::npos, c.length.empty()) << r.err;
        double ms = 0;
        const std::vector<std::string> got = csvIntervals(dir.read("long.csv"));
        for (const std::string& rr : got) {
            double v = 0;
            EXPECT_TRUE(ParseNumber(rr, v)) << rr;
            ms += v;
        }
        EXPECT_TRUE(ms / 1000 >= c.minS && ms / 1000 <= c.maxS) << ms << " " << args.back();
        EXPECT_TRUE(c.beats == 0 || got.size() == c.beats) << got.size();
    }
}

TEST_F(CliTest, RecoverKeepsAStrapsIntervalsExactInCsv) {
    {
        JournalWriter w;
        ASSERT_TRUE(w.Open(dir.file("s.csv.part"), true).ok);
        for (const int32_t us : {812345, 798001})
            w.Append(packSample(static_cast<uint8_t>((us + 5000) / 10000), 0), us);
    }
    ASSERT_EQ(run({"recover", "s.csv.part", "s.csv"}).status, kExitOk);
    EXPECT_EQ(csvIntervals(dir.read("s.csv")), (std::vector<std::string>{"812.345", "798.001"}));
    EXPECT_EQ(dir.entryCount(), 1);
}

}  // namespace
}  // namespace trivant::test

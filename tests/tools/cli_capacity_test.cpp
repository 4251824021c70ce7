// Recordings on both sides of the .rr format's 31999 beats, up to the whole day: lists, CSV,
// a strap's log, its journal and recovery keep every beat; .rr and text refuse what they
// can't hold, writing nothing.
#include "cli_fixture.h"

#include "journal.h"

#include <cmath>
#include <fstream>

namespace trivant::test {
namespace {

std::vector<int> dayMs() {
    std::ifstream in(std::string(TRIVANT_TEST_DATA) + "/rr/nsr2db-nsr009.txt");
    std::vector<int> ms;
    for (int v = 0; in >> v;)
        ms.push_back(v);
    return ms;
}

// The CSV from its header on: the lines before it (comment, start) are not the beats.
std::string table(const std::string& csv) {
    size_t at = 0;
    while (at < csv.size() && csv[at] == '#')
        at = csv.find('\n', at) + 1;
    return csv.substr(at);
}

size_t rows(const std::string& csv) {
    const std::string t = table(csv);
    return static_cast<size_t>(std::count(t.begin(), t.end(), '\n')) - 1;  // less the header
}

std::string limitText(const char* format, size_t beats) {
    return std::string("a ") + format + " file holds at most 31999 beats and this recording has " +
           std::to_string(beats) + ": save it as a CSV table (.csv)";
}

TEST_F(CliTest, BeatsPastTheRrFormatGoToCsvOnly) {
    const std::vector<int> day = dayMs();
    ASSERT_EQ(day.size(), 102858u);
    for (const size_t n : {size_t{31999}, size_t{32000}, day.size()}) {
        SCOPED_TRACE(n);
        std::string list;
        for (size_t i = 0; i < n; ++i)
            list += std::to_string(day[i]) + "\n";
        dir.write("list.txt", list);
        ASSERT_EQ(run({"convert", "list.txt", "day.csv"}).status, kExitOk);
        const std::string csv = dir.read("day.csv");
        EXPECT_EQ(rows(csv), n);
        ASSERT_EQ(run({"convert", "day.csv", "again.csv"}).status, kExitOk);
        EXPECT_EQ(dir.read("again.csv"), csv);
        const bool fits = n <= 31999;
        for (const auto& [command, out, format] : {std::tuple{"convert", "day.rr", ".rr"},
                                                   {"convert", "day.txt", "text"},
                                                   {"import-ms", "day.rr", ".rr"}}) {
            std::filesystem::remove(dir.file(out));
            const CliRun r = run({command, "list.txt", out});
            EXPECT_EQ(r.status, fits ? kExitOk : kExitBadInput) << command << " " << out;
            EXPECT_EQ(std::filesystem::exists(dir.file(out)), fits);
            const std::string refusal =
                std::string("trivant-cli: ") + out + ": " + limitText(format, n) + "\n";
            EXPECT_TRUE(fits || r.err == refusal) << r.err;
        }
    }
}

TEST_F(CliTest, AStrapsDayAndItsJournalKeepEveryBeat) {
    const std::vector<int> day = dayMs();
    // One interval a notification, in 1/1024 s as a strap sends them; the first is dropped.
    std::string log;
    double t = 0;
    std::vector<int32_t> us;
    for (size_t i = 0; i <= day.size(); ++i) {
        const int units = static_cast<int>(std::lround(day[i % day.size()] * 1.024));
        char line[64];
        std::snprintf(line, sizeof line, "%.3f 10 3C %02X %02X\n", t, units & 0xFF, units >> 8);
        log += line;
        t += units / 1024.0;
        if (i > 0)
            us.push_back(static_cast<int32_t>(std::lround(units * 1e6 / 1024)));
    }
    dir.write("day.log", log);
    const CliRun r = run({"record", "--ble-replay", "day.log", "--seconds", "100000", "day.csv"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(rows(dir.read("day.csv")), day.size());

    {
        JournalWriter w;
        ASSERT_TRUE(w.Open(dir.file("j.csv.part"), true).ok);
        for (const int32_t v : us)
            w.Append(packSample(static_cast<uint8_t>((v + 5000) / 10000), 0), v);
    }
    const CliRun refused = run({"recover", "j.csv.part", "j.rr"});
    EXPECT_EQ(refused.status, kExitBadInput);
    EXPECT_NE(refused.err.find(limitText(".rr", us.size())), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("j.rr")));
    ASSERT_EQ(run({"recover", "j.csv.part", "j.csv"}).status, kExitOk);
    // Recovery is exact: the same rows as the recording itself.
    EXPECT_EQ(table(dir.read("j.csv")), table(dir.read("day.csv")));
}

}  // namespace
}  // namespace trivant::test

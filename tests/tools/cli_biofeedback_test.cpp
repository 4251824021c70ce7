// trivant-cli resonance and coherence on synthetic paced breathing: five rates of two
// minutes, the heart rate swinging most at one of them, found through labels and --rates.
#include "cli_fixture.h"
#include "number_text.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace trivant::test {
namespace {

const double kRates[] = {6.5, 6, 5.5, 5, 4.5};
constexpr double kFirstS = 10, kSegmentS = 120;

// An RR list in ms whose heart rate follows each rate's breathing, swinging by 2 * 8 bpm at
// rate number peak and by 2 * 3 bpm at the others.
std::string pacedList(int peak) {
    std::string text;
    double t = 0;
    while (t < kFirstS + 5 * kSegmentS + 5) {
        const int seg = std::clamp(static_cast<int>((t - kFirstS) / kSegmentS), 0, 4);
        const double swing = seg == peak ? 8 : 3;
        const double hr = 65 + swing * std::sin(2 * M_PI * kRates[seg] / 60 * t);
        const double rrMs = std::round(60000 / hr);
        t += rrMs / 1000;
        text += std::to_string(static_cast<int>(rrMs)) + "\n";
    }
    return text;
}

std::vector<std::vector<std::string>> csvRows(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        rows.emplace_back();
        std::istringstream cells(line);
        for (std::string c; std::getline(cells, c, ',');)
            rows.back().push_back(c);
    }
    return rows;
}

double number(const std::string& s) {
    double v = NAN;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

// The rate of the row marked resonance; 0 when none is.
double chosenRate(const std::string& out) {
    const auto rows = csvRows(out);
    EXPECT_EQ(rows.size(), 6u);
    for (size_t i = 1; i < rows.size(); ++i)
        if (rows[i].size() == 7 && rows[i][6] == "1")
            return number(rows[i][0]);
    return 0;
}

using CliBiofeedbackTest = CliTest;

TEST_F(CliBiofeedbackTest, ResonanceFindsTheRateThatSwingsMost) {
    for (int peak = 0; peak < 5; ++peak) {
        SCOPED_TRACE(peak);
        std::ofstream("paced.txt") << pacedList(peak);
        std::string at;
        for (int i = 0; i < 5; ++i)
            at += (i ? "," : "") + std::to_string(static_cast<int>(kFirstS + i * kSegmentS)) +
                  (i % 2 ? "=rate " : "=темп ") + NumberText(kRates[i]);
        ASSERT_EQ(run({"label", "paced.txt", "labelled.csv", "--at", at}).status, 0);
        const CliRun byLabels = run({"resonance", "labelled.csv", "--csv"});
        ASSERT_EQ(byLabels.status, 0) << byLabels.err;
        EXPECT_EQ(chosenRate(byLabels.out), kRates[peak]);
        const CliRun byRates = run({"resonance", "paced.txt", "--rates", "6.5,6,5.5,5,4.5",
                                    "--minutes", "2", "--start", "10"});
        ASSERT_EQ(byRates.status, 0) << byRates.err;
        EXPECT_EQ(chosenRate(byRates.out), kRates[peak]);
        const auto rows = csvRows(byRates.out);
        for (size_t i = 1; i < rows.size(); ++i) {
            EXPECT_EQ(number(rows[i][1]), kFirstS + kSegmentS * static_cast<double>(i - 1));
            EXPECT_NEAR(number(rows[i][4]), i - 1 == size_t(peak) ? 16 : 6, 1.5) << i;
        }
    }
    EXPECT_EQ(run({"resonance", "paced.txt"}).status, 1);  // no label names a rate
    EXPECT_EQ(run({"resonance", "paced.txt", "--rates", "6,0.5"}).status, 2);
}

TEST_F(CliBiofeedbackTest, CoherenceRowsEveryFiveSeconds) {
    std::ofstream("paced.txt") << pacedList(2);
    const CliRun r = run({"coherence", "paced.txt", "--csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = csvRows(r.out);
    ASSERT_GT(rows.size(), 100u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"time_s", "hr_bpm", "rmssd_60s", "amplitude_bpm",
                                                 "coherence"}));
    // The first row once an interval ended 63.5 s before the latest beat.
    const double firstS = number(rows[1][0]);
    EXPECT_TRUE(firstS == 65 || firstS == 70) << firstS;
    for (size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 5u) << i;
        EXPECT_EQ(number(rows[i][0]), firstS + 5 * static_cast<double>(i - 1)) << i;
        EXPECT_GT(number(rows[i][1]), 55);
        EXPECT_LT(number(rows[i][1]), 75);
    }
    // Late in a single-rate segment the breathing dominates the spectrum.
    const auto late = static_cast<size_t>((kFirstS + 3 * kSegmentS - firstS) / 5 + 1);
    EXPECT_EQ(number(rows[late][0]), kFirstS + 3 * kSegmentS);
    EXPECT_GT(number(rows[late][4]), 3);
}

}  // namespace
}  // namespace trivant::test

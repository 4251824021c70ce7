// Which intervals each trend window and each stage holds, at the edges.
#include "fragment_analysis.h"
#include "whole_recording.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trivant {
namespace {

constexpr int64_t kS = 1000000;  // µs

// Spans as "first-last@start" words, e.g. "0-3@0 2-5@2".
template <typename Span> std::string words(const std::vector<Span>& spans) {
    std::string out;
    for (const Span& s : spans)
        out += (out.empty() ? "" : " ") + std::to_string(s.first) + "-" + std::to_string(s.last) +
               "@" + std::to_string(s.startUs / kS);
    return out;
}

struct TrendCase {
    const char* name;
    std::vector<int64_t> rrS;  // seconds
    int64_t window, step;
    const char* want;
};

// A window at a: the first beat starting at or after a, then the intervals after it for a
// window's time; windows while a + window lies within the time after the first interval.
TEST(WholeRecording, TrendWindowsAtTheEdges) {
    const TrendCase cases[] = {
        // Starts 0,1,2,3,4,5,6; the picker's time is 6 s.
        {"a beat exactly a window later ends the window",
         {1, 1, 1, 1, 1, 1, 1},
         3,
         3,
         "1-4@0 4-7@3"},
        {"overlapping windows", {1, 1, 1, 1, 1, 1, 1}, 4, 1, "1-5@0 2-6@1 3-7@2"},
        {"a between beats: the next beat", {2, 2, 2, 2, 2}, 4, 1, "1-3@0 2-4@1 2-4@2 3-5@3 3-5@4"},
        {"a window running past the last beat ends at it", {1, 5, 1, 1}, 2, 2, "1-3@0 3-4@2 3-4@4"},
        {"shorter than one window", {1, 1, 1}, 3, 1, ""},
        {"no intervals", {}, 3, 1, ""},
    };
    for (const TrendCase& c : cases) {
        std::vector<int64_t> us;
        for (int64_t s : c.rrS)
            us.push_back(s * kS);
        EXPECT_EQ(words(TrendSpans(us, c.window * kS, c.step * kS)), c.want) << c.name;
    }
}

// Every 300 s window holds the beats the fragment picker's fragment at its start holds, up
// to the last start the picker takes.
TEST(WholeRecording, TrendWindowsAreThePickersFragments) {
    Recording rec;
    const int beats = 900;  // about 720 s
    rec.CurrentFileLen = beats + 1;
    for (int k = 1; k <= beats; ++k)
        rec.DataSeries[kSerRR][k] = static_cast<uint8_t>(60 + (k * 37) % 41);
    const std::vector<IntervalSpan> spans = RecordingTrendSpans(rec, kFragmentSeconds, 1);
    const int64_t pickerS = TrendTimeUs(LocatingIntervalsUs(rec)) / kS;
    ASSERT_EQ(int64_t(spans.size()), pickerS - kFragmentSeconds + 1);
    for (const IntervalSpan& span : spans) {
        const FragmentBounds b = LocateFragment(rec, int(span.startUs / kS));
        ASSERT_EQ(std::make_pair(span.first, span.last),
                  std::make_pair(std::size_t(b.FrPos), std::size_t(b.FrEnd)))
            << span.startUs / kS;
    }
}

struct StageCase {
    const char* name;
    std::vector<bool> labelled;  // of five 1 s intervals
    const char* want;
};

TEST(WholeRecording, StagesBetweenLabels) {
    const StageCase cases[] = {
        {"no labels: one stage", {0, 0, 0, 0, 0}, "0-5@0"},
        {"a label on the first beat: no stage 0", {1, 0, 0, 0, 0}, "0-5@0"},
        {"a label on the last beat", {0, 0, 0, 0, 1}, "0-4@0 4-5@4"},
        {"two labels in a row", {0, 1, 1, 0, 0}, "0-1@0 1-2@1 2-5@2"},
    };
    const std::vector<int64_t> us(5, kS);
    for (const StageCase& c : cases) {
        const std::vector<StageSpan> stages = StageSpans(us, c.labelled);
        EXPECT_EQ(words(stages), c.want) << c.name;
        std::string numbers;
        for (const StageSpan& s : stages)
            numbers += std::to_string(s.stage);
        const bool firstLabelled = c.labelled[0];
        EXPECT_EQ(numbers.front(), firstLabelled ? '1' : '0') << c.name;
    }
}

}  // namespace
}  // namespace trivant

namespace trivant {
namespace {

// From a recording: exact intervals where it has them, labels from its label marks.
TEST(WholeRecording, RecordingsGiveTheirExactIntervalsAndLabels) {
    Recording rec;
    rec.CurrentFileLen = 5;  // four beats
    rec.ExactUs = {0, 804999, 805000, 900000, 1000000};
    const uint8_t rr[] = {0, 80, 81, 90, 100};
    for (int k = 1; k <= 4; ++k) {
        rec.DataSeries[kSerRR][k] = rr[k];
        rec.DataSeries[kSerLbl][k] = k == 3;
    }
    EXPECT_EQ(RecordingIntervalsUs(rec), (std::vector<int64_t>{804999, 805000, 900000, 1000000}));
    EXPECT_EQ(RecordingLabels(rec), (std::vector<bool>{false, false, true, false}));
    const std::vector<SpanMeasures> stages = RecordingStages(rec, {});
    ASSERT_EQ(stages.size(), 2u);
    EXPECT_EQ(stages[1].stage, 1);
    EXPECT_EQ(stages[1].span.startUs, 1609999);
    EXPECT_TRUE(stages[0].m.exact_intervals);
    EXPECT_DOUBLE_EQ(*stages[0].m.mean_rr, 804.9995);
    rec.ExactUs.clear();  // 10 ms steps only
    EXPECT_EQ(RecordingIntervalsUs(rec)[0], 800000);
    EXPECT_FALSE(RecordingStages(rec, {})[0].m.exact_intervals);
}

}  // namespace
}  // namespace trivant

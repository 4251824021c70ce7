// Hand edits on the ECG strip: the R peak a click is placed on, the interval it falls in, a
// beat deleted and inserted again from the strip's menu, and an R mark dragged onto its peak.
#include "fake_ecg_source.h"
#include "review_fixture.h"

#include "ecg_strip_edit.h"
#include "ecg_strip_paint.h"

#include <QAction>
#include <QTest>
#include <QUndoStack>

#include <algorithm>

namespace trivant::test {
namespace {

constexpr int kBeats = 400;
constexpr int64_t kFirstR = 100, kRr = 288;  // 0.8 s at 360 Hz
constexpr int64_t kSamples = kFirstR + kBeats * kRr + 200;

TEST(EcgStripEdit, TheRPeakNearestTheClickedInstant) {
    constexpr double kRate = 250;  // 0.1 s: 25 samples either side
    struct Case {
        std::vector<std::pair<int64_t, float>> waves;  // sample, mV over a 0.2 mV line
        int64_t at, expected;
    };
    const Case cases[] = {
        {{{500, 1.2f}}, 480, 500},
        {{{500, 1.2f}}, 525, 500},
        {{{500, 1.2f}}, 474, 474},                // out of reach: the click stays
        {{{800, -0.9f}}, 790, 800},               // a QS complex counts by its depth
        {{{500, 1.0f}, {510, -1.3f}}, 505, 510},  // the larger deviation wins
        {{{500, 1.0f}, {520, 1.0f}}, 512, 520},   // of equals, the nearer
        {{{0, 1.0f}}, 3, 0},                      // at the record's start
    };
    for (const Case& c : cases) {
        std::vector<float> mv(1000, 0.2f);
        for (const auto& [s, v] : c.waves)
            mv[static_cast<size_t>(s)] += v;
        EXPECT_EQ(NearestRPeak(mv.data(), 0, 1000, c.at, kRate), c.expected) << c.at;
        // The same through a window that starts later.
        if (c.at >= 250) {
            EXPECT_EQ(NearestRPeak(mv.data() + 200, 200, 800, c.at, kRate), c.expected) << c.at;
        }
    }
    const std::vector<int64_t> beats{100, 388, 676};
    const std::pair<int64_t, int> intervals[] = {{50, 0},  {100, 0}, {200, 1}, {388, 0},
                                                 {500, 2}, {676, 0}, {700, 0}};
    for (const auto& [sample, k] : intervals)
        EXPECT_EQ(EcgIntervalAt(beats, sample), k) << sample;
}

std::unique_ptr<RecordingWindow> ecgGraph(TestHost& host) {
    auto g = loadedGraph(host, std::vector<int>(kBeats, 80), 900, 600);
    SetBeatSamples(g->recording(), kBeats, kFirstR, kRr);
    g->SetEcgSource(std::make_shared<FakeEcgSource>(kSamples, kFirstR, kRr), 0);
    return g;
}

int stripX(const EcgStripLayout& L, int64_t sample) {
    return static_cast<int>(std::lround(L.sampleToX(sample)));
}

QPoint onStrip(RecordingWindow& g, int64_t sample) {
    EcgStripLayout L;
    EXPECT_TRUE(g.ecgStripLayout(L));
    return QPoint(stripX(L, sample), (L.paper.Top + L.paper.Bottom) / 2);
}

TEST(EcgStripEdit, ABeatDeletedAndInsertedAgainAtTheClickFromTheStripMenu) {
    TestHost host;
    auto g = ecgGraph(host);
    const Recording& rec = g->recording();
    const int64_t r100 = rec.BeatSamples[100];
    g->ShowBeat(100);
    popupAt(*g, onStrip(*g, r100) + QPoint(2, 0));
    EXPECT_EQ(g->menuAt(onStrip(*g, r100)), g->PopM_Ecg);
    ASSERT_EQ(g->menuBeat(), 100);
    EXPECT_FALSE(g->A_EcgInsert->isEnabled());  // on a mark
    ASSERT_TRUE(g->A_DeleteBeat->isEnabled());
    g->A_DeleteBeat->trigger();
    EXPECT_EQ(rec.beats(), kBeats - 1);
    EXPECT_FALSE(std::binary_search(rec.BeatSamples.begin(), rec.BeatSamples.end(), r100));
    // 15 samples (42 ms) off the R peak: the beat lands on it.
    popupAt(*g, onStrip(*g, r100 + 15));
    ASSERT_TRUE(g->A_EcgInsert->isEnabled());
    g->A_EcgInsert->trigger();
    EXPECT_EQ(rec.beats(), kBeats);
    EXPECT_EQ(rec.BeatSamples[100], r100);
    EXPECT_EQ(rec.intervalUs(100), 800000);
    EXPECT_EQ(rec.intervalUs(101), 800000);
    EXPECT_EQ(g->A_UndoLabel->text(), "Отменить вставку удара");
}

TEST(EcgStripEdit, AnRMarkDraggedLandsOnItsPeakAndTheUndoPutsItBack) {
    TestHost host;
    auto g = ecgGraph(host);
    Recording& rec = g->recording();
    const int64_t peak = rec.BeatSamples[150];
    rec.BeatSamples[150] = peak + 20;  // a detection off its peak
    const int64_t us150 = rec.intervalUs(150), us151 = rec.intervalUs(151);
    const auto shiftUs = static_cast<int64_t>(std::lround(20 * 1e6 / FakeEcgSource::kRate));
    g->ShowBeat(150);
    QTest::mousePress(g.get(), Qt::LeftButton, Qt::NoModifier, onStrip(*g, peak + 20));
    QTest::mouseRelease(g.get(), Qt::LeftButton, Qt::NoModifier, onStrip(*g, peak + 6));
    EXPECT_EQ(rec.BeatSamples[150], peak);
    EXPECT_EQ(rec.beatEdit(150), BeatEdit::Moved);
    // The two intervals beside it change by the move, their sum stays.
    EXPECT_NEAR(rec.intervalUs(150), us150 - shiftUs, 1);
    EXPECT_EQ(rec.intervalUs(150) + rec.intervalUs(151), us150 + us151);
    EXPECT_FALSE(g->saved());
    g->undoStack()->undo();
    EXPECT_EQ(rec.BeatSamples[150], peak + 20);
    // A press off every mark drags nothing.
    QTest::mousePress(g.get(), Qt::LeftButton, Qt::NoModifier, onStrip(*g, peak + 140));
    QTest::mouseRelease(g.get(), Qt::LeftButton, Qt::NoModifier, onStrip(*g, peak));
    EXPECT_EQ(rec.BeatSamples[150], peak + 20);
    EXPECT_FALSE(g->undoStack()->canUndo());
}

TEST(EcgStripEdit, AFlaggedBeatCarriesItsKindUnderItsRMark) {
    TestHost host;
    auto g = ecgGraph(host);
    ASSERT_TRUE(g->DeleteBeatAt(151));  // two intervals as one: a missed beat
    const auto& flags = g->flaggedBeats();
    const auto missed = std::find_if(flags.begin(), flags.end(), [](const FlaggedBeat& f) {
        return f.kind == BeatClass::Missed && std::abs(f.beat - 151) <= 1;
    });
    ASSERT_NE(missed, flags.end());
    const int k = missed->beat;
    g->SelectBeat(k - 2);  // the selection's red stays off the mark probed
    const QImage img = g->renderImage();
    EcgStripLayout L;
    ASSERT_TRUE(g->ecgStripLayout(L));
    const double h = L.mmToPx(kEcgMarkMm);
    const int y = static_cast<int>(L.paper.Top + 1 + h + 1 + h / 2);
    const auto& r = g->recording().BeatSamples;
    EXPECT_TRUE(sameColor(img.pixel(stripX(L, r[k]), y), BeatMarkColor(BeatClass::Missed)));
    EXPECT_FALSE(sameColor(img.pixel(stripX(L, r[k - 1]), y), BeatMarkColor(BeatClass::Missed)));
}

// A moved R mark is an outline, where a deleted beat was a grey cross.
TEST(EcgStripEdit, EditedMarksAreOutlinedAndDeletedBeatsCrossed) {
    TestHost host;
    auto g = ecgGraph(host);
    Recording& rec = g->recording();
    const int64_t gone = rec.BeatSamples[151];
    ASSERT_TRUE(g->DeleteBeatAt(151));
    ASSERT_TRUE(g->ApplyBeatChange(MoveBeat(rec, 148, rec.BeatSamples[148] + 6), "x"));
    g->undoStack()->clear();  // as reopened
    g->SelectBeat(146);
    const QImage img = g->renderImage();
    EcgStripLayout L;
    ASSERT_TRUE(g->ecgStripLayout(L));
    const EcgStripStyle style;
    const int h = static_cast<int>(L.mmToPx(kEcgMarkMm)), top = L.paper.Top + 1;
    // Pixels of colour c in the h by h box under the marks' top round sample s.
    const auto inBox = [&](int64_t s, const QColor& c) {
        int n = 0;
        for (int dx = -h / 2; dx <= h / 2; ++dx)
            n += countInColumn(img, stripX(L, s) + dx, top, top + h, c);
        return n;
    };
    // Inside the triangle, at its centroid: white for the outline only.
    const auto centroid = [&](int k) {
        return img.pixel(stripX(L, rec.BeatSamples[k]), top + h / 3);
    };
    EXPECT_TRUE(sameColor(centroid(147), style.mark));
    EXPECT_TRUE(sameColor(centroid(148), Qt::white));
    EXPECT_GT(inBox(rec.BeatSamples[148], style.mark), h);
    EXPECT_GE(inBox(gone, EditMarkColor()), h);
    EXPECT_EQ(inBox(rec.BeatSamples[147], EditMarkColor()), 0);
}

}  // namespace
}  // namespace trivant::test

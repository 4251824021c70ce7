// The trend picture: each chosen measure's line in its own panel and colour, broken where
// the windows have no value, and the axes' ranges.
#include "trend_paint.h"

#include <QImage>

#include <gtest/gtest.h>

namespace trivant {
namespace {

int countColor(const QImage& image, const Rect& r, QRgb color) {
    int n = 0;
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int x = r.Left; x <= r.Right; ++x)
            n += image.pixel(x, y) == color;
    return n;
}

// 20 minutes of intervals alternating 800 and 900 ms, one window every minute.
TrendPicture picture(std::vector<std::string> keys) {
    std::vector<int64_t> us;
    for (int i = 0; i < 1400; ++i)
        us.push_back(i % 2 ? 900000 : 800000);
    TrendPicture t;
    t.rows = MeasureSpans(us, true, TrendSpans(us, 300000000, 60000000), {}, {});
    t.durationS = 1190;
    t.keys = std::move(keys);
    return t;
}

// A panel without a value says why: 60 s windows are too short for a spectrum.
TEST(TrendView, EmptyPanelsSayWhyAndClicksFindTheNearestWindow) {
    std::vector<int64_t> us(400, 800000);
    const std::vector<SpanMeasures> rows =
        MeasureSpans(us, true, TrendSpans(us, 60000000, 30000000), {}, {});
    ASSERT_FALSE(rows.empty());
    EXPECT_NE(TrendPanelNote(rows, "lf_hf"), nullptr);
    EXPECT_EQ(TrendPanelNote(rows, "rmssd"), nullptr);
    EXPECT_EQ(TrendPanelNote({}, "lf_hf"), nullptr);
    EXPECT_EQ(NearestTrendRow(rows, 44).span.startUs, 0);  // middles at 30, 60, ...
    EXPECT_EQ(NearestTrendRow(rows, 46).span.startUs, 30000000);
    TrendPicture t{rows, 319, {"lf_hf"}};
    const QImage image = RenderTrendImage(t, "x", 800, 600);
    EXPECT_GT(countColor(image, {100, 100, 700, 500}, qRgb(85, 85, 85)), 10);
}

TEST(TrendPaint, EachMeasureInItsPanelAndColour) {
    const TrendPicture t = picture({"mean_hr", "rmssd", "lf_hf", "nosuch"});
    const QImage image = RenderTrendImage(t, "x", 800, 600);
    const QRgb colors[] = {qRgb(0, 0, 0), qRgb(200, 0, 0), qRgb(0, 0, 200), qRgb(0, 128, 0)};
    // Quarters of the image, each about one panel: a flat series (RMSSD) is a line across
    // its panel; an unknown measure draws nothing; no colour strays into another panel.
    auto quarter = [](int i) { return Rect{0, i * 150, 799, i * 150 + 149}; };
    // (Black is the text's colour too.)
    EXPECT_GT(countColor(image, quarter(1), colors[1]), 400);  // minutes 2.5 to 16.5 of 20
    EXPECT_EQ(countColor(image, quarter(3), colors[3]), 0);
    for (int i = 0; i < 4; ++i)
        for (int c = 1; c < 3; ++c)
            EXPECT_EQ(c == i || countColor(image, quarter(i), colors[c]) == 0, true) << i << c;
}

// Where the start is known the time axis reads clock times, to the nearest minute, past
// midnight.
TEST(TrendPaint, TheTimeAxisReadsClockTimesWhereTheStartIsKnown) {
    const int64_t start = ClockOf(2026, 12, 9, 23 * 3600 + 50 * 60 + 31);
    const std::pair<double, const char*> cases[] = {{0, "23:51"}, {9.4, "00:00"}, {15, "00:06"}};
    for (const auto& [minute, text] : cases)
        EXPECT_EQ(TrendClockText(start, minute).toStdString(), text) << minute;
    TrendPicture t = picture({"mean_hr"});
    const QImage minutes = RenderTrendImage(t, "x", 800, 600);
    t.startClockS = start;
    EXPECT_NE(RenderTrendImage(t, "x", 800, 600), minutes);
}

TEST(TrendView, SeriesAndRanges) {
    const TrendPicture t = picture({"mean_hr"});
    const std::vector<TrendPoint> s = TrendSeries(t.rows, "mean_hr");
    ASSERT_EQ(s.size(), 15u);  // windows at minutes 0..14 end within 1190 s
    EXPECT_DOUBLE_EQ(s[0].minute, 2.5);
    // The 353 intervals after the first beat, from a 900 ms one, as the picker cuts them.
    EXPECT_NEAR(*s[0].value, 60000 * 353 / (177 * 900.0 + 176 * 800), 1e-9);
    EXPECT_FALSE(TrendSeries(t.rows, "nosuch")[0].value);
    const ValueRange flat = SeriesRange({70.0, 70.0, std::nullopt});
    EXPECT_LE(flat.lo, 70);
    EXPECT_GT(flat.hi, 70);
    const ValueRange none = SeriesRange({std::nullopt});
    EXPECT_EQ(none.lo, 0);
    EXPECT_EQ(none.hi, 1);
    const ValueRange time = TrendTimeRange(19.8);
    EXPECT_EQ(time.hi, 20);
    EXPECT_EQ(time.step, 2);
}

}  // namespace
}  // namespace trivant

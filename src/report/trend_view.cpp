#include "trend_view.h"

#include "measure_csv.h"
#include "tr_noop.h"

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

constexpr int kAxisLeftTW = 6;   // value numbers left of a panel
constexpr int kAxisBelowTH = 2;  // time numbers and unit below a panel
constexpr int kTitleTH = 2;      // a panel's title above it
constexpr int kTimeLines = 10;

}  // namespace

const std::vector<TrendMeasure>& TrendMeasures() {
    static const std::vector<TrendMeasure> list = {
        {"mean_hr", QT_TRANSLATE_NOOP("StandardPage", "ЧСС"),
         QT_TRANSLATE_NOOP("StandardPage", "уд/мин")},
        {"rmssd", "RMSSD", QT_TRANSLATE_NOOP("StandardPage", "мс")},
        {"sdnn", "SDNN", QT_TRANSLATE_NOOP("StandardPage", "мс")},
        {"lf_hf", "LF/HF", ""},
        {"mean_rr", QT_TRANSLATE_NOOP("StandardPage", "Средний RR"),
         QT_TRANSLATE_NOOP("StandardPage", "мс")},
        {"pnn50", "pNN50", "%"},
        {"sd1", "SD1", QT_TRANSLATE_NOOP("StandardPage", "мс")},
        {"sd2", "SD2", QT_TRANSLATE_NOOP("StandardPage", "мс")},
        {"vlf", "VLF", QT_TRANSLATE_NOOP("StandardPage", "мс²")},
        {"lf", "LF", QT_TRANSLATE_NOOP("StandardPage", "мс²")},
        {"hf", "HF", QT_TRANSLATE_NOOP("StandardPage", "мс²")},
        {"total", QT_TRANSLATE_NOOP("StandardPage", "Общая мощность"),
         QT_TRANSLATE_NOOP("StandardPage", "мс²")},
        {"lf_nu", "LF", QT_TRANSLATE_NOOP("StandardPage", "н.е.")},
        {"hf_nu", "HF", QT_TRANSLATE_NOOP("StandardPage", "н.е.")},
        {"dfa_a1", "DFA α1", ""},
        {"dfa_a2", "DFA α2", ""},
        {"sampen", "SampEn", ""},
    };
    return list;
}

std::vector<std::string> DefaultTrendKeys() {
    return {"mean_hr", "rmssd", "sdnn", "lf_hf"};
}

const TrendMeasure* FindTrendMeasure(const std::string& key) {
    for (const TrendMeasure& t : TrendMeasures())
        if (key == t.key)
            return &t;
    return nullptr;
}

std::optional<double> MeasureValue(const StandardMeasures& m, const std::string& key) {
    for (const StandardField& f : kStandardFields)
        if (key == f.name)
            return m.*f.value;
    return std::nullopt;
}

TrendLayout ComputeTrendLayout(const Rect& area, int th, int tw, int count) {
    TrendLayout L;
    L.TW = tw;
    L.TH = th;
    L.area = area;
    count = std::clamp(count, 1, kMaxTrendPanels);
    const int cell = area.height() / count;
    for (int i = 0; i < count; ++i) {
        const int top = area.Top + i * cell;
        L.panels.push_back({area.Left + kAxisLeftTW * tw, top + kTitleTH * th, area.Right - 2 * tw,
                            top + cell - kAxisBelowTH * th - 4});
    }
    return L;
}

ValueRange SeriesRange(const std::vector<std::optional<double>>& values) {
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    for (const auto& v : values)
        if (v && std::isfinite(*v)) {
            lo = std::min(lo, *v);
            hi = std::max(hi, *v);
        }
    if (lo > hi)
        return {0, 1, 0.2};
    const double step = NiceCeil(std::max(hi - lo, std::fabs(hi) * 0.01) / kPlotYTicks);
    ValueRange r{std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
    if (r.hi <= r.lo)
        r.hi = r.lo + step;
    return r;
}

ValueRange TrendTimeRange(double minutes) {
    const double step = NiceCeil(std::max(minutes, 1.0) / kTimeLines);
    return {0, std::ceil(std::max(minutes, 1.0) / step) * step, step};
}

namespace {

double middleS(const SpanMeasures& r) {
    return static_cast<double>(r.span.startUs + r.span.endUs) / 2e6;
}

}  // namespace

const SpanMeasures& NearestTrendRow(const std::vector<SpanMeasures>& rows, double second) {
    const SpanMeasures* best = &rows.front();
    for (const SpanMeasures& r : rows)
        if (std::fabs(middleS(r) - second) < std::fabs(middleS(*best) - second))
            best = &r;
    return *best;
}

const char* TrendPanelNote(const std::vector<SpanMeasures>& rows, const std::string& key) {
    if (rows.empty())
        return nullptr;
    for (const SpanMeasures& r : rows)
        if (MeasureValue(r.m, key))
            return nullptr;
    // Welch's spectrum needs 256 samples of the 4 Hz spline: more than 64 s of intervals.
    static const std::string kSpectral[] = {"vlf",   "lf",    "hf",      "total",  "lf_nu",
                                            "hf_nu", "lf_hf", "lf_peak", "hf_peak"};
    if (std::find(std::begin(kSpectral), std::end(kSpectral), key) != std::end(kSpectral))
        return QT_TRANSLATE_NOOP("StandardPage", "Нет значений: спектру нужны окна длиннее 64 с");
    return QT_TRANSLATE_NOOP("StandardPage",
                             "Нет значений: в окнах слишком мало интервалов для этого показателя");
}

std::vector<TrendPoint> TrendSeries(const std::vector<SpanMeasures>& rows, const std::string& key) {
    std::vector<TrendPoint> out;
    out.reserve(rows.size());
    for (const SpanMeasures& r : rows)
        out.push_back({middleS(r) / 60, MeasureValue(r.m, key)});
    return out;
}

}  // namespace trivant

// Page-two geometry and text. A value of the table keeps the digits its unit warrants.
#include "standard_view.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace trivant {

namespace {

constexpr int kTableTW = 40;     // the table column, in digit widths
constexpr int kTableRows = 28;   // 20 measures, 3 gaps, the artifacts and a margin
constexpr int kAxisLeftTW = 6;   // value numbers left of a plot
constexpr int kAxisBelowTH = 2;  // frequency or time numbers and the axis unit below a plot
constexpr int kTitleTH = 2;      // a plot's title above it

constexpr double kMinSpanMs = 50;  // a flat series still gets a readable axis

const char* const kDash = "—";

std::string fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// The page's texts: translated in the application, Russian in trivant-cli (no translator).
struct StandardViewText {
    Q_DECLARE_TR_FUNCTIONS(StandardPage)
};

std::string translated(const std::string& text) {
    return StandardViewText::tr(text.c_str()).toStdString();
}

std::string valueText(const std::optional<double>& v, int decimals) {
    return v ? fixed(*v, decimals) : kDash;
}

// A plot's rectangle within its cell: room for the title above, numbers left and below.
Rect plotIn(const Rect& cell, int th, int tw) {
    return {cell.Left + kAxisLeftTW * tw, cell.Top + kTitleTH * th, cell.Right - 2 * tw,
            cell.Bottom - kAxisBelowTH * th - 4};
}

// The spectrum gives up a line under its unit to name its method in full.
Rect withMethodLine(Rect r, int th) {
    r.Bottom -= th;
    return r;
}

}  // namespace

StandardLayout ComputeStandardLayout(const Rect& area, int th, int tw) {
    StandardLayout L;
    L.TW = tw;
    L.TH = th;
    L.area = area;
    const int split = std::min(area.Left + kTableTW * tw, area.Left + area.width() / 2);
    if (area.width() >= area.height()) {
        // Wide: the table down the left, the square and the spectrum above the rhythmogram.
        L.R_Table = {area.Left, area.Top, split, area.Bottom};
        const int middle = area.Top + (area.height() * 3) / 5;
        const int poincRight = split + std::min((area.Right - split) / 2, middle - area.Top);
        L.R_Poinc = SquareIn(plotIn({split, area.Top, poincRight, middle}, th, tw));
        L.R_Welch = withMethodLine(plotIn({poincRight, area.Top, area.Right, middle}, th, tw), th);
        L.R_Rhythm = plotIn({split, middle, area.Right, area.Bottom}, th, tw);
        return L;
    }
    // Tall (a portrait page): the table beside the square, then the spectrum and the
    // rhythmogram across the whole width.
    const int top =
        area.Top + std::min(std::max(kTableRows * th, area.height() * 2 / 5), area.height() / 2);
    const int middle = top + (area.Bottom - top) / 2;
    L.R_Table = {area.Left, area.Top, split, top};
    L.R_Poinc = SquareIn(plotIn({split, area.Top, area.Right, top}, th, tw));
    L.R_Welch = withMethodLine(plotIn({area.Left, top, area.Right, middle}, th, tw), th);
    L.R_Rhythm = plotIn({area.Left, middle, area.Right, area.Bottom}, th, tw);
    return L;
}

Rect SquareIn(const Rect& r) {
    const int side = std::max(0, std::min(r.width(), r.height()));
    const int left = r.Left + (r.width() - side) / 2;
    return {left, r.Top, left + side, r.Top + side};
}

int ValueRange::ticks() const {
    return int(std::lround((hi - lo) / step));
}

ValueRange IntervalRange(const std::vector<double>& rrMs) {
    if (rrMs.empty())
        return {0, 1000, 200};
    const auto [mn, mx] = std::minmax_element(rrMs.begin(), rrMs.end());
    const double step = NiceCeil(std::max(*mx - *mn, kMinSpanMs) / kPlotYTicks);
    ValueRange r{std::floor(*mn / step) * step, std::ceil(*mx / step) * step, step};
    if (r.hi <= r.lo)
        r.hi = r.lo + step;
    return r;
}

double NiceCeil(double v) {
    if (!(v > 0))
        return 1;
    const double p = std::pow(10.0, std::floor(std::log10(v)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * p >= v * (1 - 1e-12))
            return m * p;
    return 10 * p;
}

int AxisDecimals(double step) {
    return step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
}

double ValueToPixel(double v, double lo, double hi, int pixLo, int pixHi) {
    return pixLo + (v - lo) / (hi - lo) * (pixHi - pixLo);
}

ColumnSpan BandColumns(double loHz, double hiHz, const Rect& welch, double axisHz) {
    auto column = [&](double f) {
        return int(
            std::lround(ValueToPixel(std::min(f, axisHz), 0, axisHz, welch.Left, welch.Right)));
    };
    return {column(loHz), column(hiHz)};
}

double WelchAxisHz(const BandEdges& b) {
    return std::max(kWelchMaxHz, std::ceil(b.hfHi * 2) / 2);
}

std::vector<double> BeatTimesS(const std::vector<double>& rrMs) {
    std::vector<double> t;
    t.reserve(rrMs.size());
    double sumMs = 0;
    for (const double r : rrMs)
        t.push_back((sumMs += r) / 1000);
    return t;
}

const std::vector<StandardRow>& StandardRows() {
    using M = StandardMeasures;
    static const std::vector<StandardRow> rows = {
        {QT_TRANSLATE_NOOP("StandardPage", "Средний RR, мс"), &M::mean_rr, 1},
        {QT_TRANSLATE_NOOP("StandardPage", "SDNN, мс"), &M::sdnn, 1},
        {QT_TRANSLATE_NOOP("StandardPage", "ЧСС, уд/мин"), &M::mean_hr, 1},
        {QT_TRANSLATE_NOOP("StandardPage", "RMSSD, мс"), &M::rmssd, 1},
        {"NN50", &M::nn50, 0},
        {"pNN50, %", &M::pnn50, 1},
        {QT_TRANSLATE_NOOP("StandardPage", "SD1, мс"), &M::sd1, 1, true},
        {QT_TRANSLATE_NOOP("StandardPage", "SD2, мс"), &M::sd2, 1},
        {QT_TRANSLATE_NOOP("StandardPage", "VLF, мс²"), &M::vlf, 0, true},
        {QT_TRANSLATE_NOOP("StandardPage", "LF, мс²"), &M::lf, 0},
        {QT_TRANSLATE_NOOP("StandardPage", "HF, мс²"), &M::hf, 0},
        {QT_TRANSLATE_NOOP("StandardPage", "Общая мощность, мс²"), &M::total, 0},
        {QT_TRANSLATE_NOOP("StandardPage", "LF, н.е."), &M::lf_nu, 1},
        {QT_TRANSLATE_NOOP("StandardPage", "HF, н.е."), &M::hf_nu, 1},
        {"LF/HF", &M::lf_hf, 2},
        {QT_TRANSLATE_NOOP("StandardPage", "Пик LF, Гц"), &M::lf_peak, 3},
        {QT_TRANSLATE_NOOP("StandardPage", "Пик HF, Гц"), &M::hf_peak, 3},
        {"DFA α1", &M::dfa_a1, 2, true},
        {"DFA α2", &M::dfa_a2, 2},
        {"SampEn", &M::sampen, 2},
    };
    return rows;
}

std::vector<TextLine> StandardTableLines(const StandardMeasures& m) {
    std::vector<TextLine> lines;
    for (const StandardRow& r : StandardRows())
        lines.push_back({translated(r.name), valueText(m.*r.value, r.decimals), r.gapBefore});
    return lines;
}

std::vector<TextLine> TimeDomainTableLines(const StandardMeasures& m) {
    constexpr size_t kTimeDomainRows = 8;  // mean RR .. SD2, the rows above VLF
    std::vector<TextLine> lines = StandardTableLines(m);
    lines.resize(kTimeDomainRows);
    return lines;
}

namespace {

// QString, not std::string: lupdate takes "std::string f(" for a class's member and loses
// the context of the texts inside.
QString correctionMethod(const ArtifactReport& a) {
    if (a.automatic)
        return StandardViewText::tr("автоматическая коррекция, исправлено %1").arg(a.flagged);
    const QString corrected = a.corrected ? StandardViewText::tr("скорректированы")
                                          : StandardViewText::tr("без коррекции");
    return StandardViewText::tr("при пороге %1 мс, %2")
        .arg(QString::fromStdString(fixed(a.thresholdMs, 0)), corrected);
}

QString editedBeats(int edited) {
    return edited > 0 ? StandardViewText::tr("исправлено ударов: %1").arg(edited) : QString();
}

}  // namespace

std::string CorrectionMethodText(const ArtifactReport& a) {
    return correctionMethod(a).toStdString();
}

std::string EditedBeatsText(int edited) {
    return editedBeats(edited).toStdString();
}

std::vector<std::string> ArtifactLines(const ArtifactReport& a, bool exactIntervals) {
    std::vector<std::string> lines{StandardViewText::tr("Артефакты: %1 (%2 %)")
                                       .arg(a.flagged)
                                       .arg(QString::fromStdString(fixed(a.percent, 1)))
                                       .toStdString(),
                                   CorrectionMethodText(a),
                                   (exactIntervals
                                        ? StandardViewText::tr("интервалы: точные")
                                        : StandardViewText::tr("интервалы: с шагом 10 мс"))
                                       .toStdString()};
    if (a.edited > 0)
        lines.push_back(EditedBeatsText(a.edited));
    return lines;
}

std::string RefusalText(const StandardMeasures& m) {
    const auto& flags = m.artifacts.isArtifact;
    const bool allArtifacts = !flags.empty() && m.artifacts.flagged == int(flags.size());
    return translated(
        allArtifacts ? QT_TRANSLATE_NOOP("StandardPage", "Все интервалы фрагмента — артефакты: "
                                                         "стандартные показатели не вычислены")
                     : QT_TRANSLATE_NOOP("StandardPage", "Стандартные показатели не вычислены: во "
                                                         "фрагменте слишком мало интервалов"));
}

std::vector<CorrectionChoice> CorrectionChoices() {
    static const char* const kTitles[] = {QT_TRANSLATE_NOOP("StandardPage", "Очень слабая"),
                                          QT_TRANSLATE_NOOP("StandardPage", "Слабая"),
                                          QT_TRANSLATE_NOOP("StandardPage", "Средняя"),
                                          QT_TRANSLATE_NOOP("StandardPage", "Сильная"),
                                          QT_TRANSLATE_NOOP("StandardPage", "Очень сильная")};
    std::vector<CorrectionChoice> out{
        {QT_TRANSLATE_NOOP("StandardPage", "Автоматическая"),
         ArtifactOptions{true, kDefaultArtifactMs, true}},
        {QT_TRANSLATE_NOOP("StandardPage", "Без коррекции"), ArtifactOptions{}}};
    for (size_t i = 0; i < kArtifactLevels.size(); ++i)
        out.push_back({kTitles[i], ArtifactOptions{true, kArtifactLevels[i].thresholdMs}});
    return out;
}

StandardPage MakeStandardPage(const FragmentReport& r, const ArtifactOptions& options,
                              const BandEdges& bands, const CorrectedWhole* whole) {
    StandardPage page;
    page.rrMs = FragmentIntervalsMs(r);
    page.m = ComputeFragmentMeasures(r, options, bands, whole);
    return page;
}

std::vector<bool> MeasuredFlags(const StandardPage& page) {
    const std::vector<bool>& flags = page.m.artifacts.isArtifact;
    const std::vector<double>& rr = page.m.rr.empty() ? page.rrMs : page.m.rr;
    if (rr.size() == flags.size() || rr.empty())
        return flags;
    std::vector<bool> out(rr.size());
    const std::vector<double> t = BeatTimesS(page.rrMs), measured = BeatTimesS(rr);
    for (size_t i = 0; i < flags.size() && i < t.size(); ++i)
        if (flags[i]) {
            const auto at = std::lower_bound(measured.begin(), measured.end(), t[i]);
            out[std::min(size_t(at - measured.begin()), rr.size() - 1)] = true;
        }
    return out;
}

int CorrectionChoiceOf(const ArtifactOptions& options) {
    const std::vector<CorrectionChoice> choices = CorrectionChoices();
    for (size_t i = 0; i < choices.size(); ++i) {
        const ArtifactOptions& c = choices[i].options;
        if (c.automatic == options.automatic && c.correct == options.correct &&
            (options.automatic || !c.correct || c.thresholdMs == options.thresholdMs))
            return int(i);
    }
    return -1;
}

}  // namespace trivant

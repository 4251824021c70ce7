// Report geometry, the view buffers and the text blocks. Integer division truncates toward
// zero; "rounded" is to the nearest integer with halves to even.
#include "report_view.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace trivant {

namespace {

constexpr int kRhythmRange = 200;   // 10 ms units across the rhythmogram's height (0..2 s)
constexpr int kHistoClasses = 200;  // 10 ms classes across the histogram (0..2 s)
constexpr int kLastSpecBin = 148;   // columns interpolate between bins b + 1 and b + 2
constexpr int kLFStartBin = 12;     // 0.04 Hz
constexpr int kHFStartBin = 45;     // 0.15 Hz
constexpr int kAxisTW = 5;          // value-label strip, in digit widths

int rounded(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// Left, right edges of the plot columns: the first plots, the middle plots, the text blocks.
struct Columns {
    int plotLeft, X2, X3, right;
};

// Top and bottom of each of the three bands, and the gap between the title row and the
// plots of the last band.
struct Bands {
    std::array<int, 3> top, bottom;
    int lastGap;
};

ReportLayout layoutFrom(const Columns& c, const Bands& b, int th, int tw) {
    ReportLayout L;
    L.TW = tw;
    L.TH = th;
    auto top = [&](int band) { return b.top[band] + th + (band == 2 ? b.lastGap : 2); };
    auto plot = [&](int band, int left, int right, Rect& r, Rect& axX, Rect& axY) {
        r = {left, top(band), right, b.bottom[band] - th - th / 2};
        axX = {left, r.Bottom, right, b.bottom[band]};
        axY = {left - kAxisTW * tw, r.Top, left, r.Bottom};
    };
    const int midLeft = c.X2 + kAxisTW * tw;
    plot(0, c.plotLeft, c.right, L.R_RR, L.R_RRAxX, L.R_RRAxY);
    plot(1, c.plotLeft, c.X2, L.R_Histo, L.R_HistoAxX, L.R_HistoAxY);
    plot(1, midLeft, c.X3, L.R_Scat, L.R_ScatAxX, L.R_ScatAxY);
    L.R_TextStat = {c.X3, top(1), c.right, b.bottom[1]};
    plot(2, c.plotLeft, c.X2, L.R_Spec, L.R_SpecAxX, L.R_SpecAxY);
    plot(2, midLeft, c.X3, L.R_SpecComp, L.R_SpecCompAxX, L.R_SpecCompAxY);
    L.R_TextSpec = {c.X3, top(2), c.right, b.bottom[2]};
    L.X2 = c.X2;
    L.X3 = c.X3;
    return L;
}

void countRhythm(const FragmentReport& r, const Rect& plot, ReportView& v) {
    const int w = plot.width();
    v.FrViewYBuf.assign(std::max(w, 0) + 2, 0);
    v.yCount = 0;
    if (w <= 0)
        return;
    const double step = double(kFragmentSamples) / w;
    double threshold = step;
    int64_t sum = 0;
    int count = 0;
    for (int i = 1; i <= kFragmentSamples; ++i) {
        sum += r.FrYBuf[i];
        ++count;
        if (i > threshold) {
            v.FrViewYBuf[++v.yCount] = rounded(double(sum) * plot.height() / kRhythmRange) / count;
            threshold += step;
            sum = 0;
            count = 0;
        }
    }
}

void countHisto(const FragmentReport& r, const Rect& plot, ReportView& v) {
    const int wh = plot.width();
    v.ViewAMo = r.FrAMo;
    while (v.ViewAMo % HistoYGridTick != 0)
        ++v.ViewAMo;
    v.FrViewHistoBuf.assign(std::max(wh, 0) + 1, 0);
    if (wh <= 0 || v.ViewAMo <= 0)
        return;
    for (int i = 0; i <= wh; ++i) {
        const int bin = std::min(static_cast<int>(i * (double(kHistoClasses) / wh)), 255);
        v.FrViewHistoBuf[i] = rounded(double(r.FrHistoBuf[bin]) * plot.height() / v.ViewAMo);
    }
}

void countSpec(const FragmentReport& r, const Rect& plot, int specMaxStep, ReportView& v) {
    double largest = 0;
    for (int k = 1; k <= kSpectrumBins; ++k)
        largest = std::max(largest, r.FrSpecBuf[k]);
    v.ViewSpecMax = rounded(largest);
    while (v.ViewSpecMax % specMaxStep != 0)
        ++v.ViewSpecMax;
    const int ws = plot.width();
    v.FrViewSpecBuf.assign(std::max(ws, 0) + 1, 0);
    v.LFStartX = v.HFStartX = std::max(ws, 0) + 1;
    for (int m = 1; m <= ws; ++m) {
        const double x = (m - 1) * (double(kSpectrumBins) / ws);
        const int b = static_cast<int>(x);
        if (b > kLastSpecBin)
            break;
        // The first column at or past the band's bin, so narrow plots find it too.
        if (b >= kLFStartBin && v.LFStartX > m)
            v.LFStartX = m;
        if (b >= kHFStartBin && v.HFStartX > m)
            v.HFStartX = m;
        if (v.ViewSpecMax <= 0)
            continue;
        const double val = r.FrSpecBuf[b + 1] + (r.FrSpecBuf[b + 2] - r.FrSpecBuf[b + 1]) * (x - b);
        v.FrViewSpecBuf[m] = rounded(val * plot.height() / v.ViewSpecMax);
    }
}

std::vector<std::string> scaleLabels(int ticks, int step) {
    std::vector<std::string> out;
    for (int j = 0; j <= ticks; ++j)
        out.push_back(std::to_string(j * step));
    return out;
}

// unit is marked for translation with the page's texts.
// "Mode" in English; the Russian report keeps the original's Latin word.
const char* const kModa = QT_TRANSLATE_NOOP("ReportPaint", "Moda");

std::string withUnit(int v, const char* unit) {
    return std::to_string(v) + QCoreApplication::translate("ReportPaint", unit).toStdString();
}

}  // namespace

ReportLayout ComputeReportLayout(int clientW, int clientH, int th, int tw, int top) {
    const int third = (clientH - top) / 3;
    const int A = top + third;
    const int B = A + third;
    const Columns c{kAxisTW * tw, clientW / 2, clientW / 2 + clientW / 4, clientW};
    const Bands b{{top, A, B}, {A, B, clientH}, th / 2};
    ReportLayout L = layoutFrom(c, b, th, tw);
    L.CW = clientW;
    L.CH = clientH;
    L.A = A;
    L.B = B;
    return L;
}

int PrintBandHeight(int pageH, int th, bool landscape) {
    const int usable = landscape ? pageH : pageH * 2 / 3;
    return (usable - 8 * th) / 3 - th;
}

ReportLayout ComputePrintLayout(int pageW, int pageH, int th, int tw, bool landscape) {
    const int u = 8 * th;  // below the caption and the comment
    const int hb = PrintBandHeight(pageH, th, landscape);
    const int F = (pageW - 15 * tw) / 2;
    const int G = (pageW - 15 * tw) / 4 + F;
    const Columns c{15 * tw, F, G, pageW - 5 * tw};
    const Bands b{{u, u + hb, u + 2 * hb}, {u + hb, u + 2 * hb, u + 3 * hb}, 2};
    ReportLayout L = layoutFrom(c, b, th, tw);
    L.CW = pageW;
    L.CH = pageH;
    L.A = u + hb;
    L.B = u + 2 * hb;
    return L;
}

ReportView CountView(const FragmentReport& r, const ReportLayout& layout, int specMaxStep) {
    ReportView v;
    countRhythm(r, layout.R_RR, v);
    countHisto(r, layout.R_Histo, v);
    countSpec(r, layout.R_Spec, specMaxStep, v);
    return v;
}

int SpecColumnBand(const ReportView& v, int j) {
    if (j > v.HFStartX)
        return 2;
    return j > v.LFStartX ? 1 : 0;
}

int ComponentBarHeight(int power, int total, int s) {
    if (total == 0)
        return 0;
    return static_cast<int>(int64_t(power) * s / total);
}

std::vector<std::string> HistoYLabels(int viewAMo) {
    return scaleLabels(HistoYGridTick, viewAMo / HistoYGridTick);
}

std::vector<std::string> SpecYLabels(int viewSpecMax) {
    return scaleLabels(SpecYGridTick, viewSpecMax / SpecYGridTick);
}

std::string HundredthsText(int v) {
    const int cents = v % 100;
    return std::to_string(v / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
}

std::string TenthsText(int v) {
    return std::to_string(v / 10) + "." + std::to_string(v % 10);
}

std::vector<TextLine> TimeBlockLines(const FragmentReport& r, bool printed) {
    std::vector<TextLine> lines{
        {"SDNN", withUnit(r.FrSDNN, QT_TRANSLATE_NOOP("ReportPaint", " мс"))},
        {"RMSSD", withUnit(r.FrRMSSD, QT_TRANSLATE_NOOP("ReportPaint", " мс"))},
        {"pNN50", withUnit(r.FrpNN50, " %")},
        {"HRV", TenthsText(r.FrHRV)},
        {"TINN", withUnit(r.FrTINN, QT_TRANSLATE_NOOP("ReportPaint", " мс"))},
        {"HR", withUnit(r.FrBPM, QT_TRANSLATE_NOOP("ReportPaint", " уд/мин"))},
        {"IB", std::to_string(r.FrIB50)},
        {QCoreApplication::translate("ReportPaint", kModa).toStdString(),
         withUnit(10 * r.FrModa, QT_TRANSLATE_NOOP("ReportPaint", " мс"))},
        {"AMo", withUnit(r.FrAMo_pr, " %")},
        {"DX", withUnit(10 * r.FrDX, QT_TRANSLATE_NOOP("ReportPaint", " мс"))},
        {"n", std::to_string(r.intervals())},
    };
    if (printed) {
        lines.erase(lines.begin() + 6);  // the stress index is left off the paper
        lines[6].gapBefore = true;
    }
    return lines;
}

std::vector<TextLine> SpecBlockLines(const FragmentReport& r) {
    return {
        {"VLF", withUnit(r.FrVLF, QT_TRANSLATE_NOOP("ReportPaint", " мс²"))},
        {"LF", withUnit(r.FrLF, QT_TRANSLATE_NOOP("ReportPaint", " мс²"))},
        {"HF", withUnit(r.FrHF, QT_TRANSLATE_NOOP("ReportPaint", " мс²"))},
        {"Total", withUnit(r.FrTotalPower, QT_TRANSLATE_NOOP("ReportPaint", " мс²"))},
        {"LF norm", withUnit(r.FrLFnorm, " %"), true},
        {"HF norm", withUnit(r.FrHFnorm, " %")},
        {"LF/HF", HundredthsText(r.FrLFdivHF)},
    };
}

std::vector<int> TextLineRows(const std::vector<TextLine>& lines, int firstY, int bottom, int th) {
    std::vector<int> rows;
    int y = firstY;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            y += lines[i].gapBefore ? 2 * th : th;
            if (bottom < y + th)
                break;
        }
        rows.push_back(y);
    }
    return rows;
}

}  // namespace trivant

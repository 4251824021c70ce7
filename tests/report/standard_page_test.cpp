// The report's second page: its geometry, table and artifacts lines, the correction control,
// the first page left as it was, both printed pages, and a few pixels of the page.
#include "measure_controls.h"
#include "paint_kit.h"
#include "report_paint.h"
#include "report_window.h"
#include "standard_paint.h"
#include "text_overlap.h"

#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace trivant {
namespace {

// A fragment of n intervals alternating 800 and 900 ms, with 2000 ms at the given places.
std::unique_ptr<FragmentReport> fragment(int n, std::vector<int> spikes = {}) {
    auto r = std::make_unique<FragmentReport>();
    r->FrPos = 1;
    r->FrEnd = n + 1;
    for (int k = 1; k <= n; ++k)
        r->FrRRBuf[k] = k % 2 ? 80 : 90;
    for (const int k : spikes)
        r->FrRRBuf[k] = 200;
    return r;
}

int countColor(const QImage& image, const Rect& r, const QColor& c) {
    int n = 0;
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
        for (int x = r.Left + 1; x < r.Right - 1; ++x)
            n += image.pixelColor(x, y) == c;
    return n;
}

bool inside(const Rect& in, const Rect& out) {
    return out.Left <= in.Left && in.Right <= out.Right && out.Top <= in.Top &&
           in.Bottom <= out.Bottom;
}

bool apart(const Rect& a, const Rect& b) {
    return a.Right <= b.Left || b.Right <= a.Left || a.Bottom <= b.Top || b.Bottom <= a.Top;
}

TEST(StandardLayout, PlotsInsideTheAreaAndApart) {
    const struct {
        Rect area;
        int th, tw;
    } cases[] = {{{7, 30, 893, 600}, 14, 7},
                 {{7, 30, 633, 480}, 14, 7},
                 {{100, 400, 2000, 2900}, 50, 20},
                 {{0, 0, 300, 200}, 14, 7}};
    for (const auto& c : cases) {
        const StandardLayout L = ComputeStandardLayout(c.area, c.th, c.tw);
        const Rect plots[] = {L.R_Poinc, L.R_Welch, L.R_Rhythm};
        EXPECT_EQ(L.R_Poinc.width(), L.R_Poinc.height()) << c.area.Right;
        EXPECT_LE(L.R_Table.Right, L.R_Poinc.Left - kAxisNumbersTW * c.tw);
        for (const Rect& r : plots) {
            EXPECT_TRUE(inside(r, c.area)) << c.area.Right;
            EXPECT_GE(r.Top - 2 * c.th, c.area.Top);  // room for the title
            EXPECT_GT(r.width(), 0);
        }
        EXPECT_TRUE(apart(L.R_Poinc, L.R_Welch));
        EXPECT_GE(L.R_Rhythm.Top, L.R_Welch.Bottom + 3 * c.th);  // numbers, unit, method
    }
}

TEST(StandardLayout, AxesAndTransforms) {
    EXPECT_EQ(SquareIn({10, 20, 110, 70}).Left, 35);
    EXPECT_EQ(SquareIn({10, 20, 110, 70}).Right, 85);
    const struct {
        double v, nice;
    } nice[] = {{0, 1}, {0.7, 1}, {1, 1}, {1.2, 2}, {3, 5}, {6, 10}, {80, 100}, {2001, 5000}};
    for (const auto& c : nice)
        EXPECT_DOUBLE_EQ(NiceCeil(c.v), c.nice) << c.v;
    const ValueRange r = IntervalRange({812, 905, 1010});  // span 198: steps of 50
    EXPECT_DOUBLE_EQ(r.lo, 800);
    EXPECT_DOUBLE_EQ(r.hi, 1050);
    EXPECT_EQ(r.ticks(), 5);
    EXPECT_EQ(IntervalRange({800, 800}).ticks(), 1);
    EXPECT_DOUBLE_EQ(ValueToPixel(900, 800, 1000, 100, 0), 50);
    EXPECT_EQ(AxisDecimals(200), 0);
    EXPECT_EQ(AxisDecimals(0.4), 1);
    EXPECT_EQ(AxisDecimals(0.05), 2);
    const Rect welch{100, 0, 600, 100};  // 1000 px per Hz
    const ColumnSpan lf = BandColumns(0.04, 0.15, welch);
    EXPECT_EQ(lf.first, 140);
    EXPECT_EQ(lf.last, 250);
    EXPECT_EQ(BandColumns(0.4, 0.7, welch).last, 600);  // ends with the axis
    EXPECT_EQ(BeatTimesS({500, 1000, 250}), (std::vector<double>{0.5, 1.5, 1.75}));
}

TEST(StandardText, TableLinesWithUnitsAndDashes) {
    StandardMeasures m;
    m.ok = true;
    m.mean_rr = 851.26;
    m.nn50 = 12;
    m.lf = 523.4;
    m.lf_hf = 1.234;
    m.hf_peak = 0.25;
    m.dfa_a1 = 1.005;
    const std::vector<TextLine> lines = StandardTableLines(m);
    ASSERT_EQ(lines.size(), 20u);
    const struct {
        size_t row;
        const char *name, *value;
    } cases[] = {
        {0, "Средний RR, мс", "851.3"},
        {1, "SDNN, мс", "—"},
        {2, "ЧСС, уд/мин", "—"},
        {4, "NN50", "12"},
        {5, "pNN50, %", "—"},
        {9, "LF, мс²", "523"},
        {11, "Общая мощность, мс²", "—"},
        {12, "LF, н.е.", "—"},
        {14, "LF/HF", "1.23"},
        {16, "Пик HF, Гц", "0.250"},
        {17, "DFA α1", "1.00"},
        {19, "SampEn", "—"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lines[c.row].name, c.name);
        EXPECT_EQ(lines[c.row].value, c.value) << c.name;
    }
}

TEST(StandardText, ArtifactsAndRefusal) {
    ArtifactReport a;
    a.flagged = 3;
    a.percent = 0.857;
    a.thresholdMs = 450;
    a.corrected = true;
    EXPECT_EQ(
        ArtifactLines(a, true),
        (std::vector<std::string>{"Артефакты: 3 (0.9 %)", "при пороге 450 мс, скорректированы",
                                  "интервалы: точные"}));
    a.corrected = false;
    EXPECT_EQ(ArtifactLines(a, false)[1], "при пороге 450 мс, без коррекции");
    EXPECT_EQ(ArtifactLines(a, false)[2], "интервалы: с шагом 10 мс");
    // The automatic correction names itself and its count; beats the review changed add a
    // line of their own.
    a.automatic = a.corrected = true;
    a.edited = 4;
    EXPECT_EQ(
        ArtifactLines(a, true),
        (std::vector<std::string>{"Артефакты: 3 (0.9 %)", "автоматическая коррекция, исправлено 3",
                                  "интервалы: точные", "исправлено ударов: 4"}));
    EXPECT_EQ(EditedBeatsText(0), "");
    StandardMeasures m;
    m.artifacts.isArtifact = {true, true};
    m.artifacts.flagged = 2;
    EXPECT_EQ(RefusalText(m),
              "Все интервалы фрагмента — артефакты: стандартные показатели не вычислены");
    m.artifacts.flagged = 1;
    EXPECT_NE(RefusalText(m).find("мало интервалов"), std::string::npos);
}

TEST(StandardText, CorrectionChoicesAutomaticThenWeakestFirst) {
    const std::vector<CorrectionChoice> c = CorrectionChoices();
    ASSERT_EQ(c.size(), 7u);
    EXPECT_STREQ(c[0].title, "Автоматическая");
    EXPECT_TRUE(c[0].options.correct && c[0].options.automatic);
    EXPECT_STREQ(c[kNoCorrectionChoice].title, "Без коррекции");
    EXPECT_FALSE(c[kNoCorrectionChoice].options.correct);
    const double thresholds[] = {450, 350, 250, 150, 50};
    for (int i = 2; i < 7; ++i) {
        EXPECT_TRUE(c[i].options.correct && !c[i].options.automatic);
        EXPECT_DOUBLE_EQ(c[i].options.thresholdMs, thresholds[i - 2]) << c[i].title;
    }
    EXPECT_STREQ(c[6].title, "Очень сильная");
    for (size_t i = 0; i < c.size(); ++i)  // each found again by its options
        EXPECT_EQ(CorrectionChoiceOf(c[i].options), int(i)) << c[i].title;
}

// The control recomputes at once: the spikes stay flagged, the correction shows, and a
// stronger correction flags the 100 ms alternation too.
TEST(StandardWindow, CorrectionRecomputes) {
    ReportWindow w;
    w.SetReport(*fragment(350, {50, 51, 200}));
    const ArtifactReport& a = w.standardPage().m.artifacts;
    EXPECT_FALSE(a.corrected);
    EXPECT_GE(a.flagged, 3);
    ASSERT_EQ(a.isArtifact.size(), 350u);
    EXPECT_TRUE(a.isArtifact[49] && a.isArtifact[199]);
    EXPECT_EQ(w.correctionBox()->currentIndex(), kNoCorrectionChoice);
    EXPECT_EQ(w.correctionBox()->itemText(0), "Автоматическая");
    EXPECT_EQ(w.correctionBox()->itemText(4), "Средняя (250 мс)");  // named with its threshold
    w.correctionBox()->setCurrentIndex(2);                          // very weak: 450 ms
    const int weak = w.standardPage().m.artifacts.flagged;
    EXPECT_TRUE(w.standardPage().m.artifacts.corrected);
    EXPECT_DOUBLE_EQ(w.standardPage().m.artifacts.thresholdMs, 450);
    EXPECT_GE(weak, 3);
    w.SetCorrection(6);  // very strong: 50 ms
    EXPECT_EQ(w.correctionBox()->currentIndex(), 6);
    EXPECT_GT(w.standardPage().m.artifacts.flagged, weak);
    EXPECT_EQ(w.standardPage().m.rr.size(), 350u);
}

// trivant-cli's choice finds its place in the box; a threshold of its own leaves the box.
TEST(StandardWindow, ArtifactOptionsChooseTheirEntry) {
    ReportWindow w;
    w.SetReport(*fragment(350, {50, 51, 200}));
    w.SetEditedBeats(2);
    const struct {
        const char* choice;
        int index;
    } rows[] = {{"auto", 0}, {"medium", 4}, {"verylow", 2}, {"80", 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.choice);
        ArtifactOptions o;
        ASSERT_TRUE(ParseArtifactChoice(row.choice, o));
        w.SetArtifactOptions(o);
        EXPECT_EQ(w.correctionBox()->currentIndex(), row.index);
        const ArtifactReport& a = w.standardPage().m.artifacts;
        EXPECT_TRUE(a.automatic == o.automatic && a.corrected && a.edited == 2);
    }
    EXPECT_EQ(w.standardPage().m.artifacts.thresholdMs, 80);
    EXPECT_EQ(w.correctionBox()->itemText(0), "Автоматическая");  // no threshold to name
}

// With the whole recording given, the automatic choice measures the fragment's part of the
// whole's correction (a missed beat split here by hand), not the fragment corrected alone.
TEST(StandardWindow, AutomaticFragmentIsCutFromTheCorrectedWhole) {
    const auto r = fragment(350);  // beats 2..351 of a recording of 400
    std::vector<int64_t> us(400, 850000);
    for (int k = 1; k <= 350; ++k)
        us[size_t(k)] = r->FrRRBuf[k] * 10000;
    AutoCorrection fix;
    for (int64_t v : us)
        fix.rr.push_back(double(v) / 1000);
    fix.rr[100] /= 2;
    fix.rr.insert(fix.rr.begin() + 100, fix.rr[100]);
    fix.classes.assign(400, BeatClass::Normal);
    fix.classes[100] = BeatClass::Missed;
    const CorrectedWhole whole(us, fix);
    ArtifactOptions automatic;
    ASSERT_TRUE(ParseArtifactChoice("auto", automatic));
    const StandardPage page = MakeStandardPage(*r, automatic, {}, &whole);
    EXPECT_EQ(page.m.rr, std::vector<double>(fix.rr.begin() + 1, fix.rr.begin() + 352));
    EXPECT_EQ(page.m.artifacts.flagged, 1);
    EXPECT_TRUE(page.m.artifacts.isArtifact[99]);  // the fragment's interval 100
    EXPECT_EQ(page.rrMs.size(), 350u);
    // Without the whole, the fragment is corrected on its own: not that split.
    EXPECT_NE(MakeStandardPage(*r, automatic).m.rr, page.m.rr);
}

// A flag stays on its interval while the series keeps its length, and follows its beat's
// time where the automatic correction joined or split intervals.
TEST(StandardText, FlagsOnTheSeriesMeasured) {
    const struct {
        const char* name;
        std::vector<double> recorded, measured;
        std::vector<bool> flags, want;
    } cases[] = {
        {"replaced in place", {800, 400, 800}, {800, 800, 800}, {0, 1, 0}, {0, 1, 0}},
        {"refused: the recorded series", {800, 400, 800}, {}, {0, 1, 0}, {0, 1, 0}},
        {"split", {800, 1600, 800, 800}, {800, 800, 800, 800, 800}, {0, 1, 0, 0}, {0, 0, 1, 0, 0}},
        {"joined", {800, 400, 400, 800}, {800, 800, 800}, {0, 1, 0, 0}, {0, 1, 0}},
        {"split at the end", {800, 800, 1600}, {800, 800, 800, 800}, {0, 0, 1}, {0, 0, 0, 1}},
    };
    for (const auto& c : cases) {
        StandardPage page;
        page.rrMs = c.recorded;
        page.m.rr = c.measured;
        page.m.artifacts.isArtifact = c.flags;
        EXPECT_EQ(MeasuredFlags(page), c.want) << c.name;
    }
}

TEST(StandardWindow, PagesByKeyboard) {
    ReportWindow w;
    w.SetReport(*fragment(350));
    w.StartPainting();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.setFocus();
    QTest::keyClick(&w, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(w.page(), ReportWindow::StandardMeasuresPage);
    EXPECT_TRUE(w.correctionBox()->isVisible());
    EXPECT_TRUE(w.correctionBox()->hasFocus());
    QTest::keyClick(w.correctionBox(), Qt::Key_Down);
    EXPECT_EQ(w.correctionBox()->currentIndex(), 2);
    EXPECT_TRUE(w.standardPage().m.artifacts.corrected);
    QTest::keyClick(w.correctionBox(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(w.page(), ReportWindow::ReportPage);
    EXPECT_FALSE(w.correctionBox()->isVisible());
    w.SetPage(ReportWindow::StandardMeasuresPage);
    w.pageTabs()->setCurrentIndex(0);  // the tab back to the report
    EXPECT_EQ(w.page(), ReportWindow::ReportPage);
}

// The first page is what PaintReport draws in the client area below the page tabs, before
// and after a visit to the second; the tabs show on both pages.
TEST(StandardWindow, FirstPageUnchanged) {
    auto r = fragment(350, {60});
    ReportWindow w;
    w.resize(900, 600);
    w.SetReport(*r);
    w.StartPainting();
    const int top = w.pageTabs()->parentWidget()->height();
    ASSERT_GT(top, 0);
    EXPECT_TRUE(w.pageTabs()->isVisibleTo(&w));
    QImage direct(w.size(), QImage::Format_ARGB32_Premultiplied);
    direct.fill(Qt::white);
    {
        QPainter p(&direct);
        p.setFont(w.font());
        const QFontMetrics fm(w.font());
        PaintReport(p, *r,
                    ComputeReportLayout(900, 600, fm.height(), fm.horizontalAdvance("1"), top),
                    ScreenReportStyle());
    }
    const QImage before = w.renderImage();
    const QRect page(0, top, 900, 600 - top);
    EXPECT_EQ(before.convertToFormat(direct.format()).copy(page), direct.copy(page));
    w.SetPage(ReportWindow::StandardMeasuresPage);
    EXPECT_NE(w.renderImage(), before);
    w.SetPage(ReportWindow::ReportPage);
    EXPECT_EQ(w.renderImage(), before);
}

TEST(StandardWindow, SecondPagePixels) {
    ReportWindow w;
    w.resize(1000, 700);
    w.SetReport(*fragment(350, {100}));
    w.StartPainting();
    w.SetPage(ReportWindow::StandardMeasuresPage);
    ASSERT_TRUE(w.standardPage().m.ok);
    const QImage image = w.renderImage();
    const StandardLayout& L = w.standardLayout();
    for (const QColor& band : {kVLF, kLF, kHF})
        EXPECT_GT(countColor(image, L.R_Welch, BandShade(band)), 50) << band.name().toStdString();
    EXPECT_GT(countColor(image, L.R_Poinc, Qt::black), 10);       // the dots
    EXPECT_GT(countColor(image, L.R_Poinc, kArtifactColor), 4);   // the spike's two pairs
    EXPECT_GT(countColor(image, L.R_Rhythm, kArtifactColor), 4);  // the spike's mark
    // Corrected, both plots show the series measured, its corrected beat in its own colour
    // (in the Poincaré plot partly under the ellipse's axes).
    w.SetCorrection(4);
    const QImage corrected = w.renderImage();
    for (const Rect& r : {L.R_Poinc, L.R_Rhythm}) {
        EXPECT_EQ(countColor(corrected, r, kArtifactColor), 0);
        EXPECT_GT(countColor(corrected, r, kCorrectedColor), 0);
    }
}

TEST(StandardWindow, RefusalInsteadOfTheNumbers) {
    // 300 and 1500 ms by turns: each departs from its neighbours' median by 600 ms.
    auto r = fragment(350);
    for (int k = 1; k <= 350; ++k)
        r->FrRRBuf[k] = k % 2 ? 30 : 150;
    ReportWindow w;
    w.SetReport(*r);
    w.StartPainting();
    w.SetPage(ReportWindow::StandardMeasuresPage);
    EXPECT_TRUE(w.standardPage().m.ok);  // no correction: measured as they are
    w.SetCorrection(4);                  // medium: 250 ms
    ASSERT_FALSE(w.standardPage().m.ok);
    const auto cells = test::WidgetTexts(w, [&w] { w.renderImage(); });
    const QString refusal = QString::fromStdString(RefusalText(w.standardPage().m));
    EXPECT_TRUE(
        std::any_of(cells.begin(), cells.end(), [&](const auto& c) { return c.text == refusal; }));
}

TEST(StandardPrint, BothPagesWithoutCoveredTexts) {
    ReportWindow w;
    w.setWindowTitle("rec.rr Фрагмент 1-351 (00:00:00-00:05:00)");
    w.SetReport(*fragment(350, {100}));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        ASSERT_TRUE(w.MyPrint(pdf, true));
    }
    EXPECT_EQ(buffer.data().count("/Type /Page") - buffer.data().count("/Type /Pages"), 2);
    for (const QSize size : {QSize(900, 600), QSize(640, 480), QSize(1600, 1000)}) {
        w.resize(size);
        w.StartPainting();
        w.SetPage(ReportWindow::StandardMeasuresPage);
        const auto cells = test::WidgetTexts(w, [&w] { w.renderImage(); });
        EXPECT_GT(cells.size(), 50u);
        EXPECT_EQ(test::Overlaps(cells), std::vector<std::string>{}) << size.width();
    }
    for (const int dpi : {96, 300, 1200})
        for (const bool landscape : {false, true}) {
            const auto cells = test::PdfPageTexts(dpi, landscape, [&](QPdfWriter& pdf) {
                QPainter p(&pdf);
                PaintStandardPaperPage(p, w.standardPage(), w.windowTitle(), pdf.width(),
                                       pdf.height());
            });
            EXPECT_GT(cells.size(), 50u);
            EXPECT_EQ(test::Overlaps(cells), std::vector<std::string>{}) << dpi << " " << landscape;
        }
}

// The band edit reads what a user types in either language and keeps what it can't measure
// out; the spectrum's axis widens for HF above 0.5 Hz.
TEST(StandardPage, BandTextsAndTheAxis) {
    const struct {
        const char* text;
        std::optional<BandEdges> want;
    } cases[] = {
        {"0,0033  0,04  0,15  0,4", BandEdges{}},
        {"0.0033; 0.04; 0.3; 0.6", BandEdges{0.0033, 0.04, 0.3, 0.6}},
        {"0.0033,0.04,0.3,0.6", BandEdges{0.0033, 0.04, 0.3, 0.6}},
        {"0,0033 0,04 0,15", std::nullopt},
        {"0,0033 0,15 0,04 0,4", std::nullopt},
        {"0,0033 0,04 0,15 x", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseBandText(QString::fromUtf8(c.text)), c.want) << c.text;
    EXPECT_EQ(BandText({}), "0,0033  0,04  0,15  0,4");  // Russian: commas
    BandEdit edit;
    edit.setText("0.0033 0.04 0.3 0.6");
    emit edit.editingFinished();
    EXPECT_EQ(edit.bands(), (BandEdges{0.0033, 0.04, 0.3, 0.6}));
    edit.setText("0.0033 0.04 0.3 2.5");
    emit edit.editingFinished();
    EXPECT_EQ(edit.text(), "0,0033  0,04  0,3  0,6");
    EXPECT_FALSE(edit.toolTip().isEmpty());
    EXPECT_EQ(WelchAxisHz({}), kWelchMaxHz);
    EXPECT_EQ(WelchAxisHz({0.0033, 0.04, 0.3, 0.6}), 1.0);
}

}  // namespace
}  // namespace trivant

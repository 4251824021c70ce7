// The trend window's controls, its computation on a worker thread polled by a timer, and
// its picture through the trend's paint path.
#include "trend_window.h"

#include "long_term.h"
#include "paint_kit.h"
#include "span_csv.h"
#include "translation.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSpinBox>

namespace trivant {

namespace {

constexpr int kFontPixels = 11;  // the form font

QString measureTitle(const TrendMeasure& m) {
    const QString title = QCoreApplication::translate("StandardPage", m.title);
    return *m.unit ? title + ", " + QCoreApplication::translate("StandardPage", m.unit) : title;
}

// " · SDANN 123,4 мс · SDNN-индекс 56,7 мс" in the interface's numbers; empty below two
// complete 5-minute segments.
QString longTermText(const Recording& rec) {
    const LongTermMeasures m = RecordingLongTerm(rec);
    if (!m.sdann || !m.sdnni)
        return {};
    const QLocale locale = DateLocale();  // the interface's, Russian's own under C
    return TrendWindow::tr(" · SDANN %1 мс · SDNN-индекс %2 мс")
        .arg(locale.toString(*m.sdann, 'f', 1), locale.toString(*m.sdnni, 'f', 1));
}

}  // namespace

TrendWindow::TrendWindow(std::unique_ptr<Recording> rec, QWidget* parent)
    : QWidget(parent), rec_(std::move(rec)) {
    QFont f = font();
    f.setPixelSize(kFontPixels);
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent);
    bar_ = createBar();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    layout->addStretch(1);
    picture_.durationS = TrendDurationS(*rec_);
    picture_.startClockS = rec_->StartClockS;
    computation_ = new SpanComputation(
        L_Progress, [this](std::vector<SpanMeasures> rows) { take(std::move(rows)); }, this);
    chooseMeasures();
    restart();
}

TrendWindow::~TrendWindow() = default;

QWidget* TrendWindow::createBar() {
    auto* bar = new QWidget(this);
    // The measures and the windows above, how they are computed below.
    auto* rows = new QVBoxLayout(bar);
    auto* row = new QHBoxLayout;
    auto* choiceRow = new QHBoxLayout;
    rows->addLayout(row);
    rows->addLayout(choiceRow);
    const std::vector<std::string> defaults = DefaultTrendKeys();
    for (int i = 0; i < kMaxTrendPanels; ++i) {
        QComboBox* c = measureCombos[static_cast<size_t>(i)] = new QComboBox(bar);
        c->setObjectName(QString("measureCombo%1").arg(i + 1));
        c->addItem(tr("—"), QString());
        for (const TrendMeasure& m : TrendMeasures())
            c->addItem(measureTitle(m), QString(m.key));
        c->setCurrentIndex(c->findData(QString::fromStdString(defaults[static_cast<size_t>(i)])));
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &TrendWindow::chooseMeasures);
        row->addWidget(c);
    }
    E_Window = new QSpinBox(bar);
    E_Window->setObjectName("E_Window");
    E_Window->setRange(kMinTrendWindowS, kMaxTrendWindowS);
    E_Window->setValue(kDefaultTrendWindowS);
    E_Window->setSuffix(tr(" с"));
    E_Step = new QSpinBox(bar);
    E_Step->setObjectName("E_Step");
    E_Step->setRange(kMinTrendStepS, kDefaultTrendWindowS);
    E_Step->setValue(kDefaultTrendStepS);
    E_Step->setSuffix(tr(" с"));
    // The step never exceeds the window.
    connect(E_Window, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int w) { E_Step->setMaximum(w); });
    connect(E_Window, &QSpinBox::editingFinished, this, &TrendWindow::restart);
    connect(E_Step, &QSpinBox::editingFinished, this, &TrendWindow::restart);
    choices_ = AddMeasureChoices(choiceRow, bar);
    choiceRow->addStretch(1);
    connect(choices_.correction, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TrendWindow::restart);
    connect(choices_.bands, &BandEdit::bandsChanged, this, &TrendWindow::restart);
    auto* windowLabel = new QLabel(tr("&Окно"), bar);
    windowLabel->setBuddy(E_Window);
    auto* stepLabel = new QLabel(tr("&Шаг"), bar);
    stepLabel->setBuddy(E_Step);
    L_Progress = new QLabel(bar);
    L_Progress->setObjectName("L_Progress");
    row->addWidget(windowLabel);
    row->addWidget(E_Window);
    row->addWidget(stepLabel);
    row->addWidget(E_Step);
    row->addWidget(L_Progress, 1);
    return bar;
}

void TrendWindow::chooseMeasures() {
    picture_.keys.clear();
    for (QComboBox* c : measureCombos)
        if (!c->currentData().toString().isEmpty())
            picture_.keys.push_back(c->currentData().toString().toStdString());
    update();
}

bool TrendWindow::Params::operator==(const Params& o) const {
    return windowS == o.windowS && stepS == o.stepS && artifacts.correct == o.artifacts.correct &&
           artifacts.thresholdMs == o.artifacts.thresholdMs &&
           artifacts.automatic == o.artifacts.automatic && bands == o.bands;
}

TrendWindow::Params TrendWindow::params() const {
    return {E_Window->value(), E_Step->value(), choices_.artifacts(), choices_.bands->bands()};
}

void TrendWindow::restart() {
    const Params p = params();
    if (computed_ && *computed_ == p)
        return;  // leaving a box unchanged computes nothing
    computed_ = p;
    const std::vector<IntervalSpan> spans = RecordingTrendSpans(*rec_, p.windowS, p.stepS);
    computation_->start(
        spans.size(), [us = RecordingIntervalsUs(*rec_), spans, exact = rec_->hasExact(),
                       p](std::atomic<std::size_t>* done, const std::atomic<bool>* cancel) {
            return MeasureSpans(us, exact, spans, p.artifacts, p.bands, done, cancel);
        });
}

void TrendWindow::take(std::vector<SpanMeasures> rows) {
    picture_.rows = std::move(rows);
    MarkEdited(picture_.rows, *rec_);
    const QString method = SpanMethodText(picture_.rows);
    L_Progress->setText(picture_.rows.empty()
                            ? tr("Запись короче окна: показатели не вычислены")
                            : tr("Окон: %1").arg(picture_.rows.size()) + longTermText(*rec_) +
                                  (method.isEmpty() ? QString() : " · " + method));
    update();
}

bool TrendWindow::Busy() const {
    return computation_->busy();
}

void TrendWindow::WaitIdle() {
    computation_->wait();
}

TrendLayout TrendWindow::layout() const {
    const QFontMetrics fm(font());
    return ComputeTrendLayout({0, bar_->geometry().bottom() + 1, width() - 1, height() - 1},
                              fm.height(), fm.horizontalAdvance(QChar('0')),
                              static_cast<int>(picture_.keys.size()));
}

std::optional<int> TrendWindow::SecondAt(const QPoint& pos) const {
    const ValueRange time = TrendTimeRange(picture_.durationS / 60);
    for (const Rect& r : layout().panels)
        if (pos.x() >= r.Left && pos.x() <= r.Right && pos.y() >= r.Top && pos.y() <= r.Bottom) {
            const double minute =
                time.lo + (pos.x() - r.Left) * (time.hi - time.lo) / std::max(1, r.width());
            return static_cast<int>(minute * 60);
        }
    return std::nullopt;
}

std::optional<int> TrendWindow::WindowStartAt(const QPoint& pos) const {
    const std::optional<int> s = SecondAt(pos);
    if (!s || picture_.rows.empty())
        return std::nullopt;
    return NearestTrendRow(picture_.rows, *s).span.startUs / 1000000;
}

std::string TrendWindow::MeasuresCsv() const {
    return SpanCsv(sourceName_, kTrendPlace, picture_.rows, rec_->StartClockS);
}

bool TrendWindow::MyPrint(QPagedPaintDevice& device, bool landscape) {
    QPainter p;
    const std::optional<MeasuresPage> page = BeginMeasuresPage(
        p, device, landscape, WithMethod(windowTitle(), SpanMethodText(picture_.rows)));
    if (!page)
        return false;
    PaintTrend(p, picture_,
               ComputeTrendLayout(page->area, page->th, page->tw, int(picture_.keys.size())),
               std::max(1, page->tw / 6));
    return p.end();
}

void TrendWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    PaintTrend(p, picture_, layout(), 1);
}

void TrendWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        if (const std::optional<int> s = WindowStartAt(event->pos()))
            emit fragmentRequested(*s);
}

}  // namespace trivant

// The stage window: its table painted for screen and paper, and the stages measured on a
// thread of their own with the correction and bands chosen on its bar.
#include "stage_window.h"

#include "paint_kit.h"
#include "span_csv.h"
#include "translation.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace trivant {

namespace {

constexpr int kFontPixels = 11;  // the form font
constexpr int kGapTW = 2;        // between columns

}  // namespace

void PaintStageTable(QPainter& p, const StageTable& table, const Rect& area, int tw, int th) {
    const QFontMetrics fm = p.fontMetrics();
    std::vector<int> widths(table.header.size(), 0);
    auto widen = [&](const std::vector<std::string>& cells) {
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], fm.horizontalAdvance(QString::fromStdString(cells[c])));
    };
    widen(table.header);
    for (const auto& row : table.rows)
        widen(row);
    auto drawRow = [&](const std::vector<std::string>& cells, int y) {
        int x = area.Left + tw;
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            const QString text = QString::fromStdString(cells[c]);
            TextAt(p, x, y, c == 0 ? text : DecimalText(text));  // the names keep their points
            x += widths[c] + kGapTW * tw;
        }
    };
    int y = area.Top + th;
    drawRow(table.header, y);
    y += th + th / 2;
    p.setPen(kGridColor);
    p.drawLine(area.Left + tw, y - th / 4, area.Right - tw, y - th / 4);
    p.setPen(Qt::black);
    for (const auto& row : table.rows) {
        if (y + th > area.Bottom)
            break;
        drawRow(row, y);
        y += th;
    }
}

StageWindow::StageWindow(const Recording& rec, const std::string& name, QWidget* parent)
    : QWidget(parent), rec_(rec), name_(name) {
    QFont f = font();
    f.setPixelSize(kFontPixels);
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent);
    bar_ = new QWidget(this);
    auto* row = new QHBoxLayout(bar_);
    choices_ = AddMeasureChoices(row, bar_);
    L_Progress = new QLabel(bar_);
    L_Progress->setObjectName("L_Progress");
    row->addWidget(L_Progress, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    layout->addStretch(1);
    connect(choices_.correction, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &StageWindow::restart);
    connect(choices_.bands, &BandEdit::bandsChanged, this, &StageWindow::restart);
    computation_ = new SpanComputation(
        L_Progress, [this](std::vector<SpanMeasures> rows) { take(std::move(rows)); }, this);
    restart();
}

StageWindow::~StageWindow() {
    computation_->stop();  // its thread reads rec_
}

void StageWindow::restart() {
    const std::size_t total = StageSpans(RecordingIntervalsUs(rec_), RecordingLabels(rec_)).size();
    computation_->start(total,
                        [this, artifacts = choices_.artifacts(), bands = choices_.bands->bands()](
                            std::atomic<std::size_t>* done, const std::atomic<bool>* cancel) {
                            return RecordingStages(rec_, artifacts, bands, done, cancel);
                        });
}

void StageWindow::take(std::vector<SpanMeasures> rows) {
    stages_ = std::move(rows);
    table_ = MakeStageTable(stages_, rec_.StartClockS);
    const QString method = SpanMethodText(stages_);
    L_Progress->setText(tr("Этапов: %1").arg(stages_.size()) +
                        (method.isEmpty() ? QString() : " · " + method));
    update();
}

bool StageWindow::Busy() const {
    return computation_->busy();
}

void StageWindow::WaitIdle() {
    computation_->wait();
}

std::string StageWindow::MeasuresCsv() const {
    return SpanCsv(name_, kStagePlace, stages_, rec_.StartClockS);
}

bool StageWindow::MyPrint(QPagedPaintDevice& device, bool landscape) {
    QPainter p;
    const std::optional<MeasuresPage> page =
        BeginMeasuresPage(p, device, landscape, WithMethod(windowTitle(), SpanMethodText(stages_)));
    if (!page)
        return false;
    PaintStageTable(p, table_, page->area, page->tw, page->th);
    return p.end();
}

void StageWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm(font());
    PaintStageTable(p, table_, {0, bar_->geometry().bottom() + 1, width() - 1, height() - 1},
                    fm.horizontalAdvance(QChar('0')), fm.height());
}

}  // namespace trivant

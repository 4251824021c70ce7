#include "training_window.h"

#include "atomic_file.h"
#include "label_edit.h"
#include "recording_window.h"
#include "training_texts.h"

#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace trivant {

namespace {

constexpr double kHeartKeptS = 60;
const char* const kTrainingLabel = "тренинг";

}  // namespace

TrainingWindow::TrainingWindow(RecordingWindow* source, QWidget* parent)
    : QWidget(parent), source_(source), timer_(new QTimer(this)),
      view_(new TrainingCanvas(canvas_, this)), rate_(new QDoubleSpinBox(this)),
      inhale_(new QSpinBox(this)), start_(new QPushButton(tr("Старт"), this)),
      stop_(new QPushButton(tr("Стоп"), this)),
      export_(new QPushButton(tr("Экспорт CSV..."), this)),
      print_(new QPushButton(tr("Печать..."), this)), figures_(new QLabel(this)),
      clockText_(new QLabel(DurationText(0), this)), summaryText_(new QLabel(this)),
      resonance_(new ResonancePanel(
          rate_, [this](double rateBpm) { leadRate(rateBpm); }, this)) {
    rate_->setRange(kPacerMinRate, kPacerMaxRate);
    rate_->setSingleStep(kPacerRateStep);
    rate_->setDecimals(1);
    rate_->setValue(kPacerDefaultRate);
    rate_->setSuffix(tr(" вдохов/мин"));
    inhale_->setRange(static_cast<int>(kPacerMinInhale * 100),
                      static_cast<int>(kPacerMaxInhale * 100));
    inhale_->setValue(static_cast<int>(kPacerDefaultInhale * 100));
    inhale_->setSuffix(tr(" % вдох"));
    stop_->setEnabled(false);
    export_->setEnabled(false);
    print_->setEnabled(false);
    askPath_ = [this] {
        return QFileDialog::getSaveFileName(this, tr("Экспорт итога тренинга"), QString(),
                                            tr("Файлы CSV (*.csv)"));
    };
    summaryText_->setWordWrap(true);
    summaryText_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Темп:"), this), 0, 0);
    grid->addWidget(rate_, 0, 1);
    grid->addWidget(new QLabel(tr("Вдох:"), this), 0, 2);
    grid->addWidget(inhale_, 0, 3);
    grid->addWidget(start_, 0, 4);
    grid->addWidget(stop_, 0, 5);
    grid->addWidget(export_, 0, 6);
    grid->addWidget(print_, 0, 7);
    grid->addWidget(clockText_, 0, 8);
    grid->addWidget(view_, 1, 0, 1, 9);
    grid->addWidget(figures_, 2, 0, 1, 9);
    grid->addWidget(summaryText_, 3, 0, 1, 9);
    grid->addWidget(resonance_, 4, 0, 1, 9);
    grid->setRowStretch(1, 1);

    connect(rate_, &QDoubleSpinBox::valueChanged, this, &TrainingWindow::pacerChanged);
    connect(inhale_, &QSpinBox::valueChanged, this, &TrainingWindow::pacerChanged);
    connect(start_, &QPushButton::clicked, this, &TrainingWindow::startTraining);
    connect(stop_, &QPushButton::clicked, this, &TrainingWindow::stopTraining);
    connect(export_, &QPushButton::clicked, this, &TrainingWindow::exportSummary);
    connect(print_, &QPushButton::clicked, this, &TrainingWindow::printRequested);
    connect(timer_, &QTimer::timeout, this, &TrainingWindow::frame);

    meter_.setPacerRate(canvas_.pacer.rateBpm);
    clock_.start();
    pullBeats();
    canvas_.pacerOriginS = latestS_;
    showFigures();
    timer_->start(kFrameMs);
}

RecordingWindow* TrainingWindow::source() const {
    return source_;
}

bool TrainingWindow::live() const {
    return source_ && source_->recordingNow();
}

void TrainingWindow::frame() {
    pullBeats();
    if (training_ && !live())
        stopTraining();  // the recording stopped under it
    start_->setEnabled(!training_ && live());
    resonance_->advance(live() ? &source_->recording() : nullptr, fed_, latestS_);
    canvas_.pacerS = pacerS();
    canvas_.latestS = latestS_;
    if (training_)
        clockText_->setText(DurationText(clock_.elapsed() / 1000.0 - trainingClockS_));
    view_->update();
}

void TrainingWindow::pullBeats() {
    if (!live())
        return;
    const Recording& rec = source_->recording();
    const int before = fed_;
    for (; fed_ < rec.beats() && fed_ + 1 < rec.capacity(); ++fed_) {
        const double rrMs = rec.intervalUs(fed_ + 1) / 1000.0;
        if (rrMs <= 0)
            continue;
        latestS_ += rrMs / 1000;
        const BiofeedbackFigures& f = meter_.addBeat(rrMs, latestS_);
        canvas_.heart.emplace_back(latestS_, f.hrBpm);
        if (f.coherence &&
            (canvas_.coherence.empty() || canvas_.coherence.back().y() != f.coherence->ratio))
            canvas_.coherence.emplace_back(latestS_, f.coherence->ratio);
        if (training_)
            samples_.push_back({latestS_ - trainingStartS_, f.hrBpm, f.rmssdMs, f.amplitudeBpm,
                                f.coherenceRatio()});
    }
    if (fed_ == before)
        return;
    auto& heart = canvas_.heart;
    heart.erase(heart.begin(), std::find_if(heart.begin(), heart.end(), [this](const QPointF& p) {
                    return p.x() >= latestS_ - kHeartKeptS;
                }));
    showFigures();
}

void TrainingWindow::showFigures() {
    const BiofeedbackFigures& f = meter_.figures();
    figures_->setText(
        tr("ЧСС %1 уд/мин   RMSSD (60 с) %2 мс   амплитуда %3 уд/мин   когерентность %4")
            .arg(fed_ ? LocalNumber(f.hrBpm, 0) : QStringLiteral("-"))
            .arg(Figure(f.rmssdMs, 0))
            .arg(Figure(f.amplitudeBpm, 1))
            .arg(Figure(f.coherenceRatio(), 2)));
}

void TrainingWindow::label(const std::string& name) {
    if (live())
        PutLiveLabel(source_->recording(), name);
}

void TrainingWindow::pacerChanged() {
    const Pacer next = ClampedPacer(rate_->value(), inhale_->value() / 100.0);
    const bool rateChanged = next.rateBpm != canvas_.pacer.rateBpm;
    // The new rate carries on from the same point of the breath, so the bar does not jump.
    const double fraction = std::fmod(pacerS(), canvas_.pacer.cycleS()) / canvas_.pacer.cycleS();
    const double now = clock_.elapsed() / 1000.0;
    pacerClockOriginS_ = now - fraction * next.cycleS();
    canvas_.pacerOriginS = latestS_ - fraction * next.cycleS();
    canvas_.pacer = next;
    meter_.setPacerRate(next.rateBpm);
    if (!rateChanged)
        return;
    if (training_)
        rates_.push_back(next.rateBpm);
    label(RateLabelName(next.rateBpm));
}

void TrainingWindow::leadRate(double rateBpm) {
    // The resonance run labels every step, also one at the rate the pacer already has.
    const bool same =
        ClampedPacer(rateBpm, canvas_.pacer.inhaleShare).rateBpm == canvas_.pacer.rateBpm;
    rate_->setValue(rateBpm);
    if (same)
        label(RateLabelName(rateBpm));
}

void TrainingWindow::startTraining() {
    if (training_ || !live())
        return;
    pullBeats();
    training_ = true;
    trainingStartS_ = latestS_;
    trainingClockS_ = clock_.elapsed() / 1000.0;
    samples_.clear();
    rates_ = {canvas_.pacer.rateBpm};
    startedAt_ = QDateTime::currentDateTime();
    summary_.reset();
    summaryText_->clear();
    export_->setEnabled(false);
    print_->setEnabled(false);
    label(kTrainingLabel);
    start_->setEnabled(false);
    stop_->setEnabled(true);
}

void TrainingWindow::stopTraining() {
    if (!training_)
        return;
    pullBeats();
    label(kTrainingLabel);
    training_ = false;
    summary_ = SummarizeTraining(samples_, latestS_ - trainingStartS_);
    QStringList parts;
    for (const SummaryRow& row : SummaryRows(*summary_))
        parts << row.name + ": " + row.value;
    summaryShown_ = tr("Итог тренинга") + " — " + parts.join("; ");
    summaryText_->setText(summaryShown_);
    export_->setEnabled(true);
    print_->setEnabled(true);
    stop_->setEnabled(false);
    start_->setEnabled(live());
}

void TrainingWindow::exportSummary() {
    if (!summary_)
        return;
    const QString path = askPath_();
    if (path.isEmpty())
        return;
    const bool ok = WriteFileAtomic(path.toStdString(), TrainingSummaryCsv(*summary_)).ok;
    // A failure is said under the summary rather than in a box, so the training view stays.
    summaryText_->setText(ok ? summaryShown_
                             : summaryShown_ + "\n" + tr("Не удалось записать файл %1").arg(path));
}

}  // namespace trivant

// The run starts at the first frame after the click, at the recording's latest beat, so its
// start, its steps and its table all count the same beats. The table is that of
// PlannedSegments from the run's start over the whole recording, which is what
// `trivant-cli resonance FILE --rates ... --minutes ... --start S` gives on the saved file;
// each rate's label falls on the beat after its step begins.
#include "resonance_panel.h"

#include "pacer.h"
#include "training_texts.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

constexpr int kMaxMinutes = 10;
enum Column { kRate, kLfPeak, kAmplitude, kCoherence, kMark, kColumns };

// The default rates as the interface's locale writes them: "6,5; 6; 5,5; 5; 4,5".
QString defaultRatesText() {
    QStringList parts;
    for (double r : kResonanceDefaultRates)
        parts << QLocale().toString(r);
    return parts.join(QStringLiteral("; "));
}

const ResonanceRow* resonanceOf(const std::vector<ResonanceRow>& rows) {
    const auto it =
        std::find_if(rows.begin(), rows.end(), [](const ResonanceRow& r) { return r.resonance; });
    return it == rows.end() ? nullptr : &*it;
}

}  // namespace

ResonancePanel::ResonancePanel(QDoubleSpinBox* rateBox, Leader lead, QWidget* parent)
    : QWidget(parent), rateBox_(rateBox), lead_(std::move(lead)),
      rates_(new QLineEdit(defaultRatesText(), this)), minutes_(new QSpinBox(this)),
      start_(new QPushButton(tr("Поиск резонансной частоты"), this)),
      cancel_(new QPushButton(tr("Прервать поиск"), this)), apply_(new QPushButton(this)),
      status_(new QLabel(this)), table_(new QTableWidget(0, kColumns, this)) {
    minutes_->setRange(1, kMaxMinutes);
    minutes_->setValue(static_cast<int>(kResonanceDefaultMinutes));
    minutes_->setSuffix(tr(" мин на темп"));
    cancel_->setEnabled(false);
    apply_->hide();
    status_->setWordWrap(true);
    table_->setHorizontalHeaderLabels({tr("Темп, вдохов/мин"), tr("Пик LF, мс²"),
                                       tr("Амплитуда, уд/мин"), tr("Когерентность"),
                                       tr("Резонанс")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->hide();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(tr("Темпы:"), this), 0, 0);
    grid->addWidget(rates_, 0, 1);
    grid->addWidget(minutes_, 0, 2);
    grid->addWidget(start_, 0, 3);
    grid->addWidget(cancel_, 0, 4);
    grid->addWidget(apply_, 0, 5);
    grid->addWidget(status_, 1, 0, 1, 6);
    grid->addWidget(table_, 2, 0, 1, 6);
    grid->setColumnStretch(1, 1);

    connect(start_, &QPushButton::clicked, this, &ResonancePanel::arm);
    connect(cancel_, &QPushButton::clicked, this, [this] { stop(tr("Поиск прерван")); });
    connect(apply_, &QPushButton::clicked, this, &ResonancePanel::applyResonance);
}

void ResonancePanel::advance(const Recording* live, int beats, double latestS) {
    live_ = live != nullptr;
    if (!plan_) {
        start_->setEnabled(live_);
        return;
    }
    if (!live) {
        stop(tr("Запись остановлена, поиск прерван"));
        return;
    }
    if (armed_) {
        if (beats < 1)
            return;  // the run waits for a first beat to start at
        begin(beats, latestS);
    }
    const ProtocolStep s = StepAt(*plan_, latestS - startLatestS_);
    if (s.done) {
        finish(*live);
        return;
    }
    if (s.index != step_) {
        step_ = s.index;
        lead_(plan_->ratesBpm[step_]);
    }
    showProgress(s);
}

void ResonancePanel::arm() {
    if (plan_ || !live_)
        return;
    const ParsedRates parsed = ParseRates(rates_->text().toStdString());
    if (parsed.error != RatesError::None) {
        status_->setText(refusal(parsed));
        return;
    }
    plan_ = ResonancePlan{parsed.ratesBpm, static_cast<double>(minutes_->value())};
    armed_ = true;
    rows_.clear();
    table_->hide();
    apply_->hide();
    setRunning(true);
    status_->setText(tr("Поиск начинается"));
}

void ResonancePanel::begin(int beats, double latestS) {
    armed_ = false;
    startBeat_ = beats;
    startLatestS_ = latestS;
    step_ = 0;
    lead_(plan_->ratesBpm[0]);
}

void ResonancePanel::finish(const Recording& rec) {
    const RecordingBeats beats = BeatsOf(rec);
    startS_ = beats.tS[static_cast<size_t>(startBeat_) - 1];
    rows_ = ResonanceTable(beats, PlannedSegments(plan_->ratesBpm, plan_->minutes, startS_));
    plan_.reset();
    setRunning(false);
    showTable();
}

void ResonancePanel::stop(const QString& why) {
    plan_.reset();
    armed_ = false;
    setRunning(false);
    status_->setText(why);
}

void ResonancePanel::setRunning(bool on) {
    rates_->setEnabled(!on);
    minutes_->setEnabled(!on);
    start_->setEnabled(!on && live_);
    cancel_->setEnabled(on);
    rateBox_->setEnabled(!on);  // a rate changed by hand would spoil the step
}

void ResonancePanel::showProgress(const ProtocolStep& s) {
    status_->setText(tr("Поиск: темп %1 вдохов/мин, шаг %2 из %3, до смены %4 с")
                         .arg(LocalNumber(plan_->ratesBpm[s.index], 1))
                         .arg(s.index + 1)
                         .arg(plan_->ratesBpm.size())
                         .arg(static_cast<int>(std::ceil(s.leftS))));
}

void ResonancePanel::showTable() {
    table_->setRowCount(static_cast<int>(rows_.size()));
    for (size_t i = 0; i < rows_.size(); ++i) {
        const ResonanceRow& r = rows_[i];
        const QString cells[kColumns] = {
            LocalNumber(r.segment.rateBpm, 1), Figure(r.lfPeakPower, 0), Figure(r.amplitudeBpm, 1),
            Figure(r.coherence, 2), r.resonance ? QStringLiteral("✔") : QString()};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            QFont font = item->font();
            font.setBold(r.resonance);
            item->setFont(font);
            table_->setItem(static_cast<int>(i), c, item);
        }
    }
    table_->resizeColumnsToContents();
    // As tall as its rows, so the window does not grow a blank stretch under them.
    int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
    for (int r = 0; r < table_->rowCount(); ++r)
        height += table_->rowHeight(r);
    table_->setFixedHeight(height);
    table_->show();
    const ResonanceRow* best = resonanceOf(rows_);
    if (!best) {
        status_->setText(tr("Резонансную частоту найти не удалось: мало ударов на каждом темпе"));
        return;
    }
    status_->setText(tr("Резонансная частота %1 вдохов/мин (поиск с %2 с записи)")
                         .arg(LocalNumber(best->segment.rateBpm, 1), LocalNumber(startS_, 3)));
    apply_->setText(tr("Установить темп %1").arg(LocalNumber(best->segment.rateBpm, 1)));
    apply_->show();
}

void ResonancePanel::applyResonance() {
    if (const ResonanceRow* best = resonanceOf(rows_))
        rateBox_->setValue(best->segment.rateBpm);
}

QString ResonancePanel::refusal(const ParsedRates& parsed) const {
    const QString bad = QString::fromStdString(parsed.bad);
    switch (parsed.error) {
    case RatesError::Empty:
        return tr("Укажите темпы через точку с запятой, например «%1»").arg(defaultRatesText());
    case RatesError::NotNumber:
        return tr("«%1» не число; темпы пишутся через точку с запятой, например «%2»")
            .arg(bad, defaultRatesText());
    case RatesError::OutOfRange:
        return tr("Темп %1 вне пределов %2–%3 вдохов/мин")
            .arg(bad, LocalNumber(kPacerMinRate, 1), LocalNumber(kPacerMaxRate, 1));
    case RatesError::OffGrid:
        return tr("Темп %1 не кратен %2 вдоха/мин").arg(bad, LocalNumber(kPacerRateStep, 1));
    case RatesError::None:
        break;
    }
    return {};
}

}  // namespace trivant

// The training window's printed summary: what the page says, and the page on a printer.
#include "training_window.h"

#include "clock_time.h"
#include "recording_window.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace trivant {

TrainingPage TrainingWindow::page() const {
    TrainingPage out;
    out.title = windowTitle();
    if (source_) {
        const Recording& rec = source_->recording();
        if (!rec.Comment.empty())
            out.heading.push_back(QString::fromStdString(rec.Comment));
        if (rec.StartClockS != kNoClock) {
            QString at = QString::fromStdString(
                DateTimeText(rec.StartClockS + static_cast<int64_t>(trainingStartS_)));
            out.heading.push_back(tr("Начало: %1").arg(at.replace('T', ' ')));
        }
    }
    if (!rates_.empty()) {
        QStringList rates;
        for (const double r : rates_)
            rates << LocalNumber(r, 1);
        out.heading.push_back(tr("Темп, вдохов/мин: %1").arg(rates.join("; ")));
    }
    if (summary_) {
        out.rows = SummaryRows(*summary_);
        out.durationS = summary_->durationS;
    }
    for (const TrainingSample& s : samples_) {
        out.heart.emplace_back(s.tS, s.hrBpm);
        if (s.coherence && (out.coherence.empty() || out.coherence.back().y() != *s.coherence))
            out.coherence.emplace_back(s.tS, *s.coherence);
    }
    return out;
}

bool TrainingWindow::MyPrint(QPagedPaintDevice& device, bool landscape) {
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter p;
    if (!p.begin(&device))
        return false;
    PaintTrainingPage(p, QRect(0, 0, device.width(), device.height()), page());
    return p.end();
}

}  // namespace trivant

// The training window's printed summary: what the page says, and the page on a printer.
#include "training_window.h"

#include "recording_window.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace trivant {

TrainingPage TrainingWindow::page() const {
    TrainingPage out;
    out.title = tr("Итог тренинга дыхания");
    // The recording's comment is where the person's name goes.
    if (source_ && !source_->recording().Comment.empty())
        out.heading.push_back(QString::fromStdString(source_->recording().Comment));
    if (startedAt_.isValid())
        out.heading.push_back(
            tr("Начало: %1").arg(startedAt_.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))));
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

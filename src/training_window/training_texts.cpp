#include "training_texts.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace trivant {

namespace {

struct TrainingText {
    Q_DECLARE_TR_FUNCTIONS(TrainingText)
};

QString withUnit(const std::optional<double>& v, int decimals, const QString& unit) {
    return v ? LocalNumber(*v, decimals) + unit : Figure(v, decimals);
}

}  // namespace

QString LocalNumber(double v, int decimals) {
    return QLocale().toString(v, 'f', decimals);
}

QString Figure(const std::optional<double>& v, int decimals) {
    return v ? LocalNumber(*v, decimals) : QStringLiteral("-");
}

QString DurationText(double s) {
    const int whole = static_cast<int>(s);
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

QString TimeMarkText(double offsetS, double stepS) {
    if (std::abs(offsetS) < 1e-9)
        return QStringLiteral("0");
    return stepS >= 60 ? TrainingText::tr("%1 мин").arg(LocalNumber(offsetS / 60, 0))
                       : TrainingText::tr("%1 с").arg(LocalNumber(offsetS, 0));
}

std::vector<SummaryRow> SummaryRows(const TrainingSummary& s) {
    const QString bpm = TrainingText::tr(" уд/мин");
    const std::optional<double> share =
        s.highCoherenceShare ? std::optional<double>(*s.highCoherenceShare * 100) : std::nullopt;
    return {
        {TrainingText::tr("Длительность"), DurationText(s.durationS)},
        {TrainingText::tr("Средняя ЧСС"), withUnit(s.meanHrBpm, 0, bpm)},
        {TrainingText::tr("Средний RMSSD (60 с)"),
         withUnit(s.meanRmssdMs, 0, TrainingText::tr(" мс"))},
        {TrainingText::tr("Когерентность средняя"), Figure(s.meanCoherence, 2)},
        {TrainingText::tr("Когерентность наибольшая"), Figure(s.maxCoherence, 2)},
        {TrainingText::tr("Время с когерентностью не ниже %1").arg(LocalNumber(kHighCoherence, 0)),
         withUnit(share, 0, " %")},
        {TrainingText::tr("Средняя амплитуда ЧСС"), withUnit(s.meanAmplitudeBpm, 1, bpm)},
    };
}

}  // namespace trivant

// The correction and band choices of the second page, the trend and the stages, and the
// computation of their rows off the event loop.
#include "measure_controls.h"

#include "number_text.h"
#include "translation.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

namespace trivant {

namespace {

constexpr int kPollMs = 100;

struct ControlText {
    Q_DECLARE_TR_FUNCTIONS(MeasureControls)
};

// A level by its name and threshold, "Средняя (250 мс)", as trivant-cli takes it in ms.
QString choiceTitle(const CorrectionChoice& c) {
    const QString name = QCoreApplication::translate("StandardPage", c.title);
    if (!c.options.correct || c.options.automatic)
        return name;
    return ControlText::tr("%1 (%2 мс)").arg(name).arg(c.options.thresholdMs);
}

QString shortest(double v) {
    return DecimalText(QString::fromStdString(NumberText(v)));
}

}  // namespace

QString BandText(const BandEdges& b, const QString& separator) {
    return QStringList{shortest(b.vlfLo), shortest(b.lfLo), shortest(b.hfLo), shortest(b.hfHi)}
        .join(separator);
}

std::optional<BandEdges> ParseBandText(const QString& text) {
    QStringList words = text.split(QRegularExpression("[\\s;]+"), Qt::SkipEmptyParts);
    if (words.size() == 1)
        words = words[0].split(',');  // "0.0033,0.04,0.15,0.4", as trivant-cli takes them
    if (words.size() != 4)
        return std::nullopt;
    for (QString& w : words)
        w.replace(',', '.');
    BandEdges b;
    std::string error;
    if (!ParseBandEdges(words.join(',').toStdString(), b, error))
        return std::nullopt;
    return b;
}

BandEdit::BandEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName("E_Bands");
    SetBands({});
    setMinimumWidth(fontMetrics().horizontalAdvance(text() + "00000"));
    connect(this, &QLineEdit::editingFinished, this, &BandEdit::take);
}

void BandEdit::SetBands(const BandEdges& b) {
    bands_ = b;
    setText(BandText(b));
}

void BandEdit::take() {
    const std::optional<BandEdges> b = ParseBandText(text());
    setToolTip(b ? QString()
                 : ControlText::tr("Границы VLF, LF, HF и верхняя граница HF в Гц, по "
                                   "возрастанию, не выше 2 Гц"));
    const bool changed = b && *b != bands_;
    SetBands(b ? *b : bands_);
    if (changed)
        emit bandsChanged();
}

ArtifactOptions MeasureChoices::artifacts() const {
    const std::vector<CorrectionChoice> choices = CorrectionChoices();
    return choices[std::clamp<size_t>(size_t(std::max(correction->currentIndex(), 0)), 0,
                                      choices.size() - 1)]
        .options;
}

void MeasureChoices::setVisible(bool visible) {
    for (QWidget* w : {static_cast<QWidget*>(correctionLabel), static_cast<QWidget*>(correction),
                       static_cast<QWidget*>(bandsLabel), static_cast<QWidget*>(bands)})
        w->setVisible(visible);
}

MeasureChoices AddMeasureChoices(QHBoxLayout* row, QWidget* parent) {
    MeasureChoices c{};
    c.correction = new QComboBox(parent);
    c.correction->setObjectName("correctionBox");
    for (const CorrectionChoice& choice : CorrectionChoices())
        c.correction->addItem(choiceTitle(choice));
    c.correction->setCurrentIndex(kNoCorrectionChoice);
    c.correctionLabel = new QLabel(ControlText::tr("Коррекция &артефактов:"), parent);
    c.correctionLabel->setBuddy(c.correction);
    c.bands = new BandEdit(parent);
    c.bandsLabel = new QLabel(ControlText::tr("&Полосы, Гц:"), parent);
    c.bandsLabel->setBuddy(c.bands);
    c.bandsLabel->setToolTip(ControlText::tr("Границы VLF, LF и HF и верхняя граница HF"));
    row->addWidget(c.correctionLabel);
    row->addWidget(c.correction);
    row->addWidget(c.bandsLabel);
    row->addWidget(c.bands);
    return c;
}

QString SpanMethodText(const std::vector<SpanMeasures>& rows) {
    if (rows.empty())
        return {};
    const ArtifactReport& a = rows.front().m.artifacts;
    QStringList parts;
    if (a.automatic)
        parts << ControlText::tr("автоматическая коррекция");
    else if (a.corrected)
        parts << ControlText::tr("коррекция при пороге %1 мс").arg(a.thresholdMs);
    if (a.edited > 0)
        parts << QString::fromStdString(EditedBeatsText(a.edited));
    return parts.join(" · ");
}

QString WithMethod(const QString& caption, const QString& method) {
    return method.isEmpty() ? caption : caption + " — " + method;
}

SpanComputation::SpanComputation(QLabel* progress, Done done, QObject* parent)
    : QObject(parent), progress_(progress), done_(std::move(done)), timer_(new QTimer(this)) {
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &SpanComputation::poll);
}

SpanComputation::~SpanComputation() = default;

void SpanComputation::start(std::size_t total, SpanJob::Work work) {
    job_.reset();  // a computation under way stops first
    job_ = std::make_unique<SpanJob>(total, std::move(work));
    progress_->setText(ControlText::tr("Вычисление..."));
    timer_->start();
}

void SpanComputation::poll() {
    if (!job_)
        return;
    if (!job_->finished()) {
        progress_->setText(ControlText::tr("Вычисление: %1 %").arg(job_->percent()));
        return;
    }
    std::vector<SpanMeasures> rows = job_->take();
    job_.reset();
    timer_->stop();
    done_(std::move(rows));
}

void SpanComputation::wait() {
    if (job_)
        job_->wait();
    poll();
}

}  // namespace trivant

// The choices the standard measures take wherever a window shows them: the artifact
// correction of the report's second page, under the same names, and the spectral bands,
// written with the decimal sign of the interface.
#pragma once

#include "measures_view.h"
#include "standard_view.h"

#include <QLineEdit>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QTimer;

namespace trivant {

// "0,0033  0,04  0,15  0,4" in Russian, with points in English; separator between.
QString BandText(const BandEdges& b, const QString& separator = "  ");
// Four numbers apart by spaces or semicolons (or commas, when the numbers have points);
// either decimal sign. Nothing when they are not four or BandEdgesError refuses them.
std::optional<BandEdges> ParseBandText(const QString& text);

// The band edges, taken when editing finishes: a text that can't be measured goes back to
// the edges in force, and the reason shows in the tooltip.
class BandEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit BandEdit(QWidget* parent = nullptr);
    const BandEdges& bands() const { return bands_; }
    void SetBands(const BandEdges& b);

signals:
    void bandsChanged();

private:
    void take();
    BandEdges bands_;
};

// The correction box and the band edit with their labels, added to row.
struct MeasureChoices {
    QLabel *correctionLabel, *bandsLabel;
    QComboBox* correction;
    BandEdit* bands;
    // The options of the correction chosen.
    ArtifactOptions artifacts() const;
    void setVisible(bool visible);
};
MeasureChoices AddMeasureChoices(QHBoxLayout* row, QWidget* parent);

// How the rows' artifacts were handled and how many beats the review changed, for the line
// of a window of rows and its page: "автоматическая коррекция · исправлено ударов: 3";
// empty for rows measured as recorded.
QString SpanMethodText(const std::vector<SpanMeasures>& rows);
// caption, then " — " and the method where there is one.
QString WithMethod(const QString& caption, const QString& method);

// A window's rows computed off the event loop: each start stops the one under way, a timer
// of its own shows how far it got on progress, and done takes the rows.
class SpanComputation : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(std::vector<SpanMeasures> rows)>;
    SpanComputation(QLabel* progress, Done done, QObject* parent);
    ~SpanComputation() override;
    void start(std::size_t total, SpanJob::Work work);
    bool busy() const { return job_ != nullptr; }
    // Blocks until the rows are there, and hands them over.
    void wait();
    // Stops the computation under way; nothing is handed over.
    void stop() { job_.reset(); }

private:
    void poll();
    QLabel* progress_;
    Done done_;
    QTimer* timer_;
    std::unique_ptr<SpanJob> job_;
};

}  // namespace trivant

// TrendWindow: the measures of the whole recording along its time, up to four at once, each
// chosen from a list, with the windows' length and step on the window. It keeps its own
// copy of the recording and computes on a thread of its own, showing how far it got; a click
// on a window's point asks for the fragment picker at that window's start.
#pragma once

#include "measure_controls.h"
#include "measures_view.h"
#include "recording.h"
#include "trend_paint.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QPagedPaintDevice;
class QLabel;
class QSpinBox;

namespace trivant {

class TrendWindow : public QWidget, public MeasuresView {
    Q_OBJECT
public:
    explicit TrendWindow(std::unique_ptr<Recording> rec, QWidget* parent = nullptr);
    ~TrendWindow() override;

    const Recording& recording() const { return *rec_; }
    const TrendPicture& picture() const { return picture_; }
    TrendLayout layout() const;
    // Whether the measures are still being computed; WaitIdle blocks until they are not.
    bool Busy() const override;
    void WaitIdle();
    // The file (or window) the rows are of, as the CSV's first column names it.
    void SetSourceName(const std::string& name) { sourceName_ = name; }
    // The rows as trivant-cli trend --csv writes them for this recording.
    std::string MeasuresCsv() const override;
    // The picture on one page of device, oriented as asked, under the window's caption;
    // false when the device cannot be painted on.
    bool MyPrint(QPagedPaintDevice& device, bool landscape) override;
    // The second of the trend's time at a point of a panel; nothing elsewhere.
    std::optional<int> SecondAt(const QPoint& pos) const;
    // The start of the window whose point lies nearest the time at pos; nothing off the
    // panels or without windows.
    std::optional<int> WindowStartAt(const QPoint& pos) const;
    // The correction and the bands the rows are computed with.
    ArtifactOptions artifactOptions() const { return choices_.artifacts(); }
    BandEdges bands() const { return choices_.bands->bands(); }

    QSpinBox *E_Window, *E_Step;
    MeasureChoices choices_;
    std::array<QComboBox*, kMaxTrendPanels> measureCombos{};
    QLabel* L_Progress;

signals:
    // The start of the window clicked, in the fragment picker's seconds.
    void fragmentRequested(int second);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // What the rows were computed with: nothing is computed again for the same.
    struct Params {
        int windowS = 0, stepS = 0;
        ArtifactOptions artifacts;
        BandEdges bands;
        bool operator==(const Params& o) const;
    };
    Params params() const;
    void restart();
    void take(std::vector<SpanMeasures> rows);
    void chooseMeasures();
    QWidget* createBar();

    std::unique_ptr<Recording> rec_;
    TrendPicture picture_;
    std::optional<Params> computed_;
    SpanComputation* computation_;
    QWidget* bar_;
    std::string sourceName_;
};

}  // namespace trivant

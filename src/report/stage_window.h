// StageWindow: the stages the labels of a recording mark, compared in one table (the
// measures as rows, the stages as columns with their change from the first), drawn by one
// paint path for the window and the paper. The stages are measured on a thread of their own,
// again whenever the correction or the bands change.
#pragma once

#include "measure_controls.h"
#include "measures_view.h"
#include "recording.h"
#include "rect.h"
#include "stage_view.h"

#include <QWidget>

class QLabel;
class QPainter;

namespace trivant {

// The table in area, a column per header cell, with a line under the header.
void PaintStageTable(QPainter& p, const StageTable& table, const Rect& area, int tw, int th);

class StageWindow : public QWidget, public MeasuresView {
    Q_OBJECT
public:
    // The stages of a copy of rec, measured from now on; name is the CSV's first column.
    StageWindow(const Recording& rec, const std::string& name, QWidget* parent = nullptr);
    ~StageWindow() override;

    const std::vector<SpanMeasures>& stages() const { return stages_; }
    const StageTable& table() const { return table_; }
    std::string MeasuresCsv() const override;
    bool MyPrint(QPagedPaintDevice& device, bool landscape) override;
    bool Busy() const override;
    // Blocks until the stages are measured.
    void WaitIdle();

    MeasureChoices choices_;
    QLabel* L_Progress;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void restart();
    void take(std::vector<SpanMeasures> rows);

    Recording rec_;
    std::vector<SpanMeasures> stages_;
    StageTable table_;
    std::string name_;
    QWidget* bar_;
    SpanComputation* computation_;
};

}  // namespace trivant

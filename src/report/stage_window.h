// StageWindow: the stages the labels of a recording mark, compared in one table (the
// measures as rows, the stages as columns with their change from the first), drawn by one
// paint path for the window and the paper.
#pragma once

#include "measures_view.h"
#include "rect.h"
#include "stage_view.h"

#include <QWidget>

class QPainter;

namespace trivant {

// The table in area, a column per header cell, with a line under the header.
void PaintStageTable(QPainter& p, const StageTable& table, const Rect& area, int tw, int th);

class StageWindow : public QWidget, public MeasuresView {
    Q_OBJECT
public:
    // The stages of rec, measured now; name is the CSV's first column.
    StageWindow(const Recording& rec, const std::string& name, QWidget* parent = nullptr);

    const std::vector<SpanMeasures>& stages() const { return stages_; }
    const StageTable& table() const { return table_; }
    std::string MeasuresCsv() const override;
    bool MyPrint(QPagedPaintDevice& device, bool landscape) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<SpanMeasures> stages_;
    StageTable table_;
    std::string name_;
};

}  // namespace trivant

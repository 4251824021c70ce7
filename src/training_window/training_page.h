// The training's printed summary: a title, the recording's lines, the figures as a table, and
// the heart rate and coherence of the whole training. One paint function for any device: the
// printer, a PDF or an image.
#pragma once

#include "training_texts.h"

#include <QPointF>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace trivant {

struct TrainingPage {
    QString title;
    std::vector<QString> heading;  // the comment, the start, the rates: those there are
    std::vector<SummaryRow> rows;
    double durationS = 0;
    std::vector<QPointF> heart, coherence;  // (s since the training's start, value)
};

// Where the page puts everything, for text tw wide per digit and th high.
struct TrainingPageLayout {
    int th = 0;
    QPoint title;
    std::vector<QPoint> heading;
    std::vector<QPoint> names, values;  // of the table's rows
    QRect heart, coherence;
};
TrainingPageLayout LayoutTrainingPage(const QRect& page, int tw, int th, int headingLines,
                                      int rows);

// The text lines a page's height holds: the font's pixel size follows from it.
constexpr int kTrainingPageRows = 70;

// Draws the page into area, the font sized to its height; returns where things went.
TrainingPageLayout PaintTrainingPage(QPainter& p, const QRect& area, const TrainingPage& page);

}  // namespace trivant

// The training window's drawing: the pacer bar, the heart rate of the last minute over the
// pacer's inhaling bands, and the coherence so far.
#pragma once

#include "pacer.h"

#include <QPointF>
#include <QWidget>

#include <vector>

namespace trivant {

struct CanvasState {
    Pacer pacer;
    double pacerS = 0;               // time since the pacer's start
    double pacerOriginS = 0;         // the pacer's start in beat time
    double latestS = 0;              // the latest beat's time
    std::vector<QPointF> heart;      // (beat time s, bpm)
    std::vector<QPointF> coherence;  // (beat time s, ratio)
};

class TrainingCanvas : public QWidget {
    Q_OBJECT
public:
    explicit TrainingCanvas(const CanvasState& state, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const CanvasState& state_;
};

}  // namespace trivant

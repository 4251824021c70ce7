// The breathing training beside a live recording: the pacer, the heart rate with the
// pacer's phase behind it, the live figures, the training's summary when it stops, and the
// resonance-frequency assessment (ResonancePanel). Beats are taken from the recording on the
// window's own frame timer, so the recording's live tick runs as before.
#pragma once

#include "biofeedback.h"
#include "resonance_panel.h"
#include "training_canvas.h"
#include "training_page.h"
#include "training_summary.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QDoubleSpinBox;
class QLabel;
class QPagedPaintDevice;
class QPushButton;
class QSpinBox;
class QTimer;

namespace trivant {

class RecordingWindow;

class TrainingWindow : public QWidget {
    Q_OBJECT
public:
    explicit TrainingWindow(RecordingWindow* source, QWidget* parent = nullptr);

    // One frame: the recording's new beats, the figures and the pacer's picture.
    void frame();
    bool training() const { return training_; }
    // The recording it trains on, while the recording window is there.
    RecordingWindow* source() const;
    bool live() const;
    const CanvasState& canvasState() const { return canvas_; }
    const std::optional<TrainingSummary>& summary() const { return summary_; }

    QDoubleSpinBox* rateBox() const { return rate_; }
    QSpinBox* inhaleBox() const { return inhale_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* stopButton() const { return stop_; }
    QLabel* figuresLabel() const { return figures_; }
    QLabel* summaryLabel() const { return summaryText_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* printButton() const { return print_; }

    // The printed summary of the latest training, and that page drawn on device; false when
    // the device cannot be painted on.
    TrainingPage page() const;
    bool MyPrint(QPagedPaintDevice& device, bool landscape);
    ResonancePanel* resonancePanel() const { return resonance_; }

    // Where to export the summary; an empty answer exports nothing. A file dialog by default.
    using PathAsker = std::function<QString()>;
    void setExportPathAsker(PathAsker ask) { askPath_ = std::move(ask); }

    static constexpr int kFrameMs = 30;

signals:
    // "Печать..." clicked with a summary there: the main window picks the printer.
    void printRequested();

private:
    void startTraining();
    void stopTraining();
    void pacerChanged();
    void leadRate(double rateBpm);
    void pullBeats();
    void showFigures();
    void label(const std::string& name);
    void exportSummary();
    double pacerS() const { return clock_.elapsed() / 1000.0 - pacerClockOriginS_; }

    QPointer<RecordingWindow> source_;
    QTimer* timer_;
    QElapsedTimer clock_;
    double pacerClockOriginS_ = 0;  // clock time of the pacer's start
    CanvasState canvas_;
    BiofeedbackMeter meter_;
    int fed_ = 0;         // beats of the recording fed to the meter
    double latestS_ = 0;  // the end of the latest of them
    bool training_ = false;
    double trainingStartS_ = 0;  // in beat time
    double trainingClockS_ = 0;  // in clock time
    std::vector<TrainingSample> samples_;
    std::optional<TrainingSummary> summary_;
    std::vector<double> rates_;  // the pacer's rates during the training, in order
    QDateTime startedAt_;        // on the wall clock: the training is live
    QString summaryShown_;
    PathAsker askPath_;

    TrainingCanvas* view_;
    QDoubleSpinBox* rate_;
    QSpinBox* inhale_;
    QPushButton *start_, *stop_, *export_, *print_;
    QLabel *figures_, *clockText_, *summaryText_;
    ResonancePanel* resonance_;
};

}  // namespace trivant

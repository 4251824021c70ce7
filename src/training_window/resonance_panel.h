// The resonance-frequency assessment in the training window: the rates and minutes to run,
// the run itself stepped by the recording's beats, the table of the rates when it ends, and
// one click to breathe at the rate found.
#pragma once

#include "biofeedback.h"
#include "resonance_protocol.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace trivant {

class Recording;

class ResonancePanel : public QWidget {
    Q_OBJECT
public:
    // Sets the pacer to a rate and labels the latest beat with it, even when the rate stays.
    using Leader = std::function<void(double rateBpm)>;

    // rateBox: the pacer's rate, held still during a run and set by the one-click button.
    ResonancePanel(QDoubleSpinBox* rateBox, Leader lead, QWidget* parent = nullptr);

    // One frame, after the window took the recording's new beats: live is the recording while
    // it records (null once it stopped), beats how many it has, latestS the latest one's end.
    void advance(const Recording* live, int beats, double latestS);

    bool running() const { return plan_.has_value(); }
    // The table of the latest finished run; empty before one.
    const std::vector<ResonanceRow>& rows() const { return rows_; }
    // Where the latest run started in the recording's beat time.
    double startS() const { return startS_; }

    QLineEdit* ratesEdit() const { return rates_; }
    QSpinBox* minutesBox() const { return minutes_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* applyButton() const { return apply_; }
    QLabel* statusLabel() const { return status_; }
    QTableWidget* table() const { return table_; }

private:
    void arm();
    void begin(int beats, double latestS);
    void finish(const Recording& rec);
    void stop(const QString& why);
    void showProgress(const ProtocolStep& s);
    void showTable();
    void applyResonance();
    QString refusal(const ParsedRates& parsed) const;
    void setRunning(bool on);

    QDoubleSpinBox* rateBox_;
    Leader lead_;
    std::optional<ResonancePlan> plan_;  // of the run under way
    bool armed_ = false;                 // the run starts at the next frame with a beat
    int startBeat_ = 0;                  // the beat the run started at, 1-based
    double startLatestS_ = 0;            // its end as the window counts beat time
    double startS_ = 0;                  // its end in the recording's beat times
    size_t step_ = 0;
    std::vector<ResonanceRow> rows_;
    bool live_ = false;

    QLineEdit* rates_;
    QSpinBox* minutes_;
    QPushButton *start_, *cancel_, *apply_;
    QLabel* status_;
    QTableWidget* table_;
};

}  // namespace trivant

// The breathing training's fixture: a strap recording played from a log whose heart rate
// swings with the breath, and the steps that let the recording and the training window run.
#pragma once

#include "app_fixture.h"
#include "replay_strap_link.h"
#include "training_window.h"

#include <QLocale>

#include <cmath>
#include <functional>

namespace trivant::test {

// Beats whose interval (ms) at log time t is rrMs(t), one notification each, in 1/1024 s.
inline std::vector<StrapLogEntry> strapLog(double seconds,
                                           const std::function<double(double)>& rrMs) {
    std::vector<StrapLogEntry> out;
    for (double t = 0; t < seconds;) {
        const double rr = rrMs(t);
        t += rr / 1000;
        const int units = static_cast<int>(std::lround(rr * 1.024));
        out.push_back(
            {t,
             static_cast<int>(out.size()) + 1,
             {0x16, 60, static_cast<uint8_t>(units & 0xFF), static_cast<uint8_t>(units >> 8)}});
    }
    return out;
}

// A heart rate swinging at 0.1 Hz.
inline std::vector<StrapLogEntry> breathingLog(double seconds) {
    return strapLog(seconds, [](double t) { return 1000 + 120 * std::sin(2 * M_PI * 0.1 * t); });
}

inline std::vector<std::string> labelNames(const Recording& rec) {
    std::vector<std::string> out;
    for (const auto& [k, name] : rec.LabelNames)
        out.push_back(name);
    return out;
}

// The interface's numbers written the Russian way while it lives.
class RussianNumbers {
public:
    RussianNumbers() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    ~RussianNumbers() { QLocale::setDefault(before_); }

private:
    QLocale before_;
};

class TrainingApp : public AppTest {
protected:
    // The window on a strap playing log: on the test's clock, or in real time over and over.
    void useStrap(std::vector<StrapLogEntry> log, bool realTime = false) {
        start();
        form->setup().AutoStop = false;  // a training outlasts the five-minute fragment
        dir.write("strap", std::string("strap\t") + ReplayStrapLink::kAddress + "\tH10\n");
        const ReplayStrapLink::Clock clock =
            realTime ? ReplayStrapLink::Clock(ReplayStrapLink::SteadySeconds)
                     : [this] { return now; };
        form->UseStraps(
            std::make_unique<ReplayStrapLink>(std::move(log), "H10", 1.0, realTime, clock),
            dir.file("strap"), nullptr);
    }
    RecordingWindow* record(std::vector<StrapLogEntry> log = breathingLog(400)) {
        useStrap(std::move(log));
        form->TB_Start->trigger();
        return form->activeGraph();
    }
    // The training window opened from the menu on the live recording.
    TrainingWindow* openTraining() {
        form->IdleHandler();
        form->N_Training->trigger();
        return form->findChild<TrainingWindow*>();
    }
    // Seconds of the log arrive, the recording's tick and the window's frame run.
    void play(RecordingWindow* g, TrainingWindow* w, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            now += 1;
            g->Timer1Timer();
            w->frame();
        }
    }
    double now = 50;
};

}  // namespace trivant::test

// A strap recording played from a log of a heart rate swinging at 0.1 Hz, and the training
// window opened on it from the menu.
#pragma once

#include "app_fixture.h"
#include "replay_strap_link.h"
#include "training_window.h"

#include <cmath>
#include <string>
#include <vector>

namespace trivant::test {

// Beats of a heart rate swinging at 0.1 Hz, one notification each, in 1/1024 s.
inline std::vector<StrapLogEntry> breathingLog(double seconds) {
    std::vector<StrapLogEntry> out;
    for (double t = 0; t < seconds;) {
        const double rrMs = 1000 + 120 * std::sin(2 * M_PI * 0.1 * t);
        t += rrMs / 1000;
        const int units = static_cast<int>(std::lround(rrMs * 1.024));
        out.push_back(
            {t,
             static_cast<int>(out.size()) + 1,
             {0x16, 60, static_cast<uint8_t>(units & 0xFF), static_cast<uint8_t>(units >> 8)}});
    }
    return out;
}

inline std::vector<std::string> labelNames(const Recording& rec) {
    std::vector<std::string> out;
    for (const auto& [k, name] : rec.LabelNames)
        out.push_back(name);
    return out;
}

class TrainingApp : public AppTest {
protected:
    RecordingWindow* record() {
        start();
        dir.write("strap", std::string("strap\t") + ReplayStrapLink::kAddress + "\tH10\n");
        form->UseStraps(std::make_unique<ReplayStrapLink>(breathingLog(400), "H10", 1.0, false,
                                                          [this] { return now; }),
                        dir.file("strap"), nullptr);
        form->TB_Start->trigger();
        return form->activeGraph();
    }
    // The command from the menu, as the idle pass enables it; the window it opened.
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

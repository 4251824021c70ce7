// A recording window on a test host: default settings, a byte queue for the port, and the
// messages it was asked to show.
#pragma once

#include "graph_host.h"
#include "recording_window.h"

#include <QImage>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace trivant::test {

class TestHost : public GraphHost {
public:
    TestHost() { ApplyDefaultValues(settings); }
    Setup& setup() override { return settings; }
    size_t ReadPort(uint8_t* buffer, size_t capacity) override {
        size_t n = 0;
        while (n < capacity && !incoming.empty()) {
            buffer[n++] = incoming.front();
            incoming.pop_front();
        }
        return n;
    }
    void PurgePort() override {
        incoming.clear();
        ++purges;
    }
    void ShowLimitMessage(StopReason why, int) override { limits.push_back(why); }
    void RecordingStopped() override { ++stops; }
    bool AutoRRRange() const override { return autoRR; }
    void SetAutoRRRange(bool automatic) override { autoRR = automatic; }
    int64_t ClockNow() override { return clockNow; }
    bool AskLabelName(std::string& name) override {
        asked = name;
        name = labelName;
        return !labelName.empty() || nameEmptied;
    }

    void send(const std::vector<uint8_t>& bytes) {
        incoming.insert(incoming.end(), bytes.begin(), bytes.end());
    }

    trivant::Setup settings;
    std::deque<uint8_t> incoming;
    std::vector<StopReason> limits;
    int purges = 0, stops = 0;
    bool autoRR = false;
    int64_t clockNow = kNoClock;   // a recording's start knows no clock unless a test sets one
    std::string labelName, asked;  // AskLabelName's answer, and the name it was shown
    bool nameEmptied = false;      // an empty answer is an answer
};

// A loaded recording of the given RR values (10 ms units) and SpO2, in a window of w x h.
inline std::unique_ptr<RecordingWindow> loadedGraph(TestHost& host, const std::vector<int>& rr,
                                                    int w = 663, int h = 478, uint8_t spo = 97) {
    auto g = std::make_unique<RecordingWindow>(host);
    Recording& rec = g->recording();
    rec.Reserve(static_cast<int>(rr.size()) + 1);
    for (size_t i = 0; i < rr.size(); ++i)
        rec.DataBuf[i + 1] = packSample(static_cast<uint8_t>(rr[i]), spo);
    rec.CurrentFileLen = static_cast<int>(rr.size()) + 1;
    rec.PrepareData(ToCoreSettings(host.settings));
    g->setAttribute(Qt::WA_DontShowOnScreen);
    g->resize(w, h);
    g->show();
    g->ShowLoadedRecording();
    return g;
}

inline bool sameColor(QRgb a, const QColor& b) {
    return QColor(a).rgb() == b.rgb();
}

// How many pixels of colour c lie in column x between rows top and bottom (inclusive).
inline int countInColumn(const QImage& img, int x, int top, int bottom, const QColor& c) {
    int n = 0;
    for (int y = top; y <= bottom; ++y)
        n += sameColor(img.pixel(x, y), c);
    return n;
}

}  // namespace trivant::test

// Painting a recording window: a full repaint of a long recording, and one live beat.
#include "bench_data.h"

#include "recording_window.h"
#include "render_command.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace trivant::bench {
namespace {

Setup defaults() {
    Setup s;
    ApplyDefaultValues(s);
    return s;
}

void BM_FullRepaint(benchmark::State& state) {
    EnsureGuiApplication();
    OfflineGraphHost host(defaults());
    RecordingWindow g(host);
    auto source = FullRecording();
    g.recording().DataBuf = source->DataBuf;
    g.recording().CurrentFileLen = source->CurrentFileLen;
    g.recording().PrepareData(ToCoreSettings(host.setup()));
    g.setAttribute(Qt::WA_DontShowOnScreen);
    g.resize(1600, 900);
    g.show();
    g.ShowLoadedRecording();
    g.ShowBeat(700);
    QImage image(g.size(), QImage::Format_RGB32);
    for (auto _ : state)
        g.render(&image);
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// One repaint of a 24 h recording (102858 beats) zoomed out to fit the window, time row
// shown: every pixel column reads the lowest and highest of its beats in every series.
void BM_PaintDay(benchmark::State& state) {
    EnsureGuiApplication();
    OfflineGraphHost host(defaults());
    RecordingWindow g(host);
    auto source = MsListRecording(TRIVANT_BENCH_DATA "/rr/nsr2db-nsr009.txt");
    Recording& rec = g.recording();
    rec.Reserve(source->capacity());
    rec.DataBuf = source->DataBuf;
    rec.CurrentFileLen = source->CurrentFileLen;
    rec.PrepareData(ToCoreSettings(host.setup()));
    g.setAttribute(Qt::WA_DontShowOnScreen);
    g.resize(1200, 700);
    g.show();
    g.ShowLoadedRecording();
    g.SetZoom(kZoomWhole);
    g.SetTimeAxis(true);
    g.ShowBeat(50000);
    QImage image(g.size(), QImage::Format_RGB32);
    for (auto _ : state)
        g.render(&image);
    state.counters["beats"] = rec.beats();
    state.counters["div"] = g.view().XDiv;
}
BENCHMARK(BM_PaintDay)->Unit(benchmark::kMillisecond);

struct PaintCounter : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

// A host whose port always holds one more beat.
class OneBeatHost : public OfflineGraphHost {
public:
    using OfflineGraphHost::OfflineGraphHost;
    size_t ReadPort(uint8_t* buffer, size_t) override {
        buffer[0] = 0;
        buffer[1] = static_cast<uint8_t>(75 + (n_++ % 11));
        buffer[2] = 197;
        return 3;
    }

private:
    int n_ = 0;
};

// Indices, histogram panel and the repaint of the invalidated panels, with the panels
// nearly full (the view follows at the right edge, so this is the most drawing a beat asks).
void BM_LiveBeat(benchmark::State& state) {
    EnsureGuiApplication();
    OneBeatHost host(defaults());
    host.setup().AutoStop = false;
    RecordingWindow g(host);
    PaintCounter paints;
    g.installEventFilter(&paints);
    g.resize(1600, 900);
    g.show();
    g.StartRecording();
    for (int i = 0; i < 1400; ++i)
        g.Timer1Timer();
    QApplication::processEvents();
    for (auto _ : state) {
        g.Timer1Timer();
        QApplication::processEvents();  // the paint of what the beat invalidated
    }
    state.counters["paints"] = paints.count;
    g.StopRecording();
}
BENCHMARK(BM_LiveBeat)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace
}  // namespace trivant::bench

// Paces beats in real time (scaled by --speed) while a program listens on the port.
#include "sim_runner.h"

#include "frame_plan.h"

#include <chrono>
#include <optional>
#include <thread>

namespace trivant {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kSlice = std::chrono::milliseconds(20);
// A program that just opened the port gets a moment to set it up before the first beat.
constexpr auto kStartDelay = std::chrono::milliseconds(300);

Clock::duration seconds(double s) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

// Sleeps until t; false when stopped or the listener went away first.
bool waitUntil(Clock::time_point t, const PtyDevice& port, const std::atomic<bool>& stop) {
    while (Clock::now() < t) {
        if (stop || !port.HasListener())
            return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(kSlice, t - Clock::now()));
    }
    return !stop;
}

class Pacer {
public:
    Pacer(BeatSource& source, const SimOptions& opt) : source_(source), opt_(opt) {}

    // The next beat to send, or nothing when the run is over.
    std::optional<SimBeat> next() {
        if (opt_.beats > 0 && sent_ >= opt_.beats)
            return std::nullopt;
        SimBeat beat;
        if (source_.Next(beat))
            return beat;
        if (!opt_.loop)
            return std::nullopt;
        source_.Rewind();
        return source_.Next(beat) ? std::optional<SimBeat>(beat) : std::nullopt;
    }
    // Real time from the previous beat to this one, silences included.
    Clock::duration gapBefore(const SimBeat& beat) const {
        double s = beat.ms / 1000.0 / opt_.speed;
        for (const SilenceInsert& si : opt_.silences)
            if (si.beat == sent_ + 1)
                s += si.seconds;
        return seconds(s);
    }
    long beatNo() const { return sent_ + 1; }
    void sent() { ++sent_; }

private:
    BeatSource& source_;
    const SimOptions& opt_;
    long sent_ = 0;
};

}  // namespace

void RunSimulator(PtyDevice& port, BeatSource& source, const SimOptions& opt,
                  const std::atomic<bool>& stop) {
    std::mt19937 rng(opt.seed);
    Pacer pacer(source, opt);
    std::optional<SimBeat> pending = pacer.next();
    Clock::time_point last;
    bool listening = false;
    while (!stop) {
        port.Drain();
        if (!pending || !port.HasListener()) {
            listening = false;
            std::this_thread::sleep_for(kSlice);
            continue;
        }
        if (!listening)
            last = Clock::now() + kStartDelay;
        listening = true;
        const Clock::time_point due = last + pacer.gapBefore(*pending);
        if (!waitUntil(due, port, stop))
            continue;  // the beat waits for the next listener
        for (const Chunk& c : PlanBeat(*pending, pacer.beatNo(), opt, rng)) {
            port.Write(c.bytes);
            std::this_thread::sleep_for(seconds(c.pauseAfterS));
        }
        last = due;
        pacer.sent();
        pending = pacer.next();
    }
}

}  // namespace trivant

// Beat sources of the simulated device.
#include "beat_source.h"

#include "atomic_file.h"
#include "ms_list.h"
#include "open_recording.h"

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr size_t kMaxListBeats = 10'000'000;
constexpr size_t kMaxListBytes = 256u << 20;
}  // namespace

bool ListSource::Next(SimBeat& beat) {
    if (next_ >= beats_.size())
        return false;
    beat = beats_[next_++];
    return true;
}

bool GeneratorSource::Next(SimBeat& beat) {
    std::normal_distribution<double> noise(0.0, 12.0);
    std::normal_distribution<double> spoStep(0.0, 0.15);
    const double t = timeS_;
    const double ms = 857 + 35 * std::sin(2 * kPi * 0.25 * t) + 25 * std::sin(2 * kPi * 0.1 * t) +
                      20 * std::sin(2 * kPi * 0.015 * t) + noise(rng_);
    beat.ms = std::clamp(ms, 400.0, 1500.0);
    spo_ = std::clamp(spo_ + spoStep(rng_) + (97 - spo_) * 0.05, 94.0, 99.0);
    beat.spo = static_cast<int>(std::lround(spo_));
    timeS_ += beat.ms / 1000;
    return true;
}

void GeneratorSource::Rewind() {
    rng_.seed(seed_);
    timeS_ = 0;
    spo_ = 97;
}

std::unique_ptr<ListSource> LoadMsSource(const std::string& path, std::string& error) {
    std::string text;
    const IoStatus st = ReadFileBytes(path, text, kMaxListBytes);
    if (!st.ok) {
        error = path + ": " + st.detail;
        return nullptr;
    }
    std::vector<MsEntry> entries;
    MsListError e;
    if (!ParseMsLines(text, entries, e, kMaxListBeats)) {
        error = path + ":" + std::to_string(e.line) + ": " + e.message;
        return nullptr;
    }
    std::vector<SimBeat> beats;
    for (const MsEntry& m : entries)
        beats.push_back({m.ms, m.spo < 0 ? 97 : m.spo});
    return std::make_unique<ListSource>(std::move(beats));
}

std::unique_ptr<ListSource> LoadRecordingSource(const std::string& path, std::string& error) {
    auto rec = std::make_unique<Recording>();
    error = ReadAnyRecording(path, {}, *rec);  // an ECG record's detected beats too
    if (!error.empty())
        return nullptr;
    rec->PrepareData(CoreSettings{});  // labelled beats take the SpO2 before them
    std::vector<SimBeat> beats;
    for (int k = 1; k <= rec->beats(); ++k)
        beats.push_back({rec->at(kSerRR, k) * 10.0, rec->at(kSerSPO, k)});
    return std::make_unique<ListSource>(std::move(beats));
}

}  // namespace trivant

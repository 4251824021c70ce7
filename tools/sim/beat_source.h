// Where the simulated device's beats come from: a list of intervals, a recording, or a
// generator of a plausible resting rhythm.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace trivant {

struct SimBeat {
    double ms = 0;  // RR interval
    int spo = 97;   // SpO2 %
};

class BeatSource {
public:
    virtual ~BeatSource() = default;
    virtual bool Next(SimBeat& beat) = 0;  // false when the source is exhausted
    virtual void Rewind() = 0;
};

class ListSource : public BeatSource {
public:
    explicit ListSource(std::vector<SimBeat> beats) : beats_(std::move(beats)) {}
    bool Next(SimBeat& beat) override;
    void Rewind() override { next_ = 0; }
    size_t size() const { return beats_.size(); }

private:
    std::vector<SimBeat> beats_;
    size_t next_ = 0;
};

// About 70 beats/min: a respiratory wave (0.25 Hz), a slower wave (0.1 Hz), a very slow
// drift and noise. Never exhausted.
class GeneratorSource : public BeatSource {
public:
    explicit GeneratorSource(uint32_t seed) : seed_(seed), rng_(seed) {}
    bool Next(SimBeat& beat) override;
    void Rewind() override;

private:
    uint32_t seed_;
    std::mt19937 rng_;
    double timeS_ = 0;
    double spo_ = 97;
};

// The beats of an ms list (SpO2 from its second column, else about 97) or of a .rr or
// .txt recording. On failure returns nullptr and a message naming the file.
std::unique_ptr<ListSource> LoadMsSource(const std::string& path, std::string& error);
std::unique_ptr<ListSource> LoadRecordingSource(const std::string& path, std::string& error);

}  // namespace trivant

// The classification scored on real series: clean stretches of annotated ECG records and RR
// lists, artifacts of every kind injected with a fixed seed, the flags compared with where
// they were put and the measures of the corrected series with the clean ones. Prints the
// table it asserts on.
#include "beat_classes.h"
#include "beat_thresholds.h"
#include "ecg_read.h"
#include "wfdb_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace trivant {
namespace {

constexpr std::array<BeatClass, 5> kKinds = {BeatClass::Missed, BeatClass::Extra,
                                             BeatClass::Ectopic, BeatClass::Long, BeatClass::Short};
constexpr size_t kMinStretch = 100;
constexpr size_t kMaxStretch = 1000;
constexpr size_t kTrim = 3;

std::vector<double> ReadList(const std::string& path) {
    std::vector<double> rr;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        double v = 0;
        if (std::from_chars(line.data(), line.data() + line.size(), v).ec == std::errc())
            rr.push_back(v);
    }
    return rr;
}

// Runs of plausible intervals (300..2000 ms, within 20 % of the local median) cut where
// breaks says, in stretches of kMinStretch..kMaxStretch.
void AddStretches(const std::vector<double>& rr, const std::vector<bool>& breaks,
                  std::vector<std::vector<double>>& out) {
    const std::vector<double> med = SlidingQuantile(rr, kMedianWindow, 0.5);
    std::vector<double> run;
    auto flush = [&] {
        // The beats next to an excluded one are often off themselves.
        run.erase(run.begin(), run.begin() + static_cast<ptrdiff_t>(std::min(kTrim, run.size())));
        run.resize(run.size() - std::min(kTrim, run.size()));
        const size_t pieces = run.size() / kMaxStretch + 1;
        for (size_t p = 0; run.size() >= kMinStretch && p < pieces; ++p)
            out.emplace_back(run.begin() + static_cast<ptrdiff_t>(p * run.size() / pieces),
                             run.begin() + static_cast<ptrdiff_t>((p + 1) * run.size() / pieces));
        run.clear();
    };
    for (size_t i = 0; i < rr.size(); ++i) {
        const bool ok =
            !breaks[i] && rr[i] >= 300 && rr[i] <= 2000 && std::fabs(rr[i] / med[i] - 1) < 0.2;
        if (ok)
            run.push_back(rr[i]);
        else
            flush();
    }
    flush();
}

// The intervals between reference beats, broken wherever either beat is not normal.
void AddEcgStretches(const std::string& record, std::vector<std::vector<double>>& out) {
    const std::string hea = std::string(TRIVANT_TEST_DATA) + "/ecg/" + record + ".hea";
    const EcgOpen open = OpenWfdbRecord(hea);
    ASSERT_TRUE(open.source) << open.error;
    std::vector<EcgAnnotation> notes;
    std::string error;
    ASSERT_TRUE(ReadWfdbAnnotations(hea, "atr", notes, error)) << error;
    notes.erase(
        std::remove_if(notes.begin(), notes.end(), [](const EcgAnnotation& a) { return !a.beat; }),
        notes.end());
    std::vector<double> rr;
    std::vector<bool> breaks;
    for (size_t k = 1; k < notes.size(); ++k) {
        rr.push_back(static_cast<double>(notes[k].sample - notes[k - 1].sample) * 1000 /
                     open.source->info().rate);
        breaks.push_back(notes[k].code != "N" || notes[k - 1].code != "N");
    }
    AddStretches(rr, breaks, out);
}

std::vector<std::vector<double>> Stretches(size_t& fromEcg) {
    std::vector<std::vector<double>> out;
    for (const char* record : {"101", "106", "118e12", "119", "208", "800"})
        AddEcgStretches(record, out);
    fromEcg = out.size();
    for (const char* list :
         {"nsr2db-nsr009-31999.txt", "pyhrv-series_1.txt", "rhenanbartels_hrv-real_rri.txt"}) {
        const std::vector<double> rr = ReadList(std::string(TRIVANT_TEST_DATA) + "/rr/" + list);
        AddStretches(rr, std::vector<bool>(rr.size(), false), out);
    }
    return out;
}

struct Injected {
    std::vector<double> rr;
    std::vector<std::pair<size_t, BeatClass>> places;  // in rr
};

class Injector {
public:
    Injected Inject(const std::vector<double>& clean) {
        Injected out;
        size_t next = Below(50);
        for (size_t i = 0; i < clean.size(); ++i) {
            if (i != next || i + 1 >= clean.size()) {
                out.rr.push_back(clean[i]);
                continue;
            }
            const BeatClass kind = kKinds[count_++ % kKinds.size()];
            out.places.emplace_back(out.rr.size(), kind);
            i += Put(kind, clean[i], clean[i + 1], out.rr);
            next = i + 9 + Below(84);  // about 2 % of the beats, 8 or more apart
        }
        return out;
    }

private:
    // The artifact kind made of clean intervals a (and b); 1 when it used b.
    size_t Put(BeatClass kind, double a, double b, std::vector<double>& rr) {
        const double u = Uniform();
        switch (kind) {
        case BeatClass::Missed:
            rr.push_back(a + b);
            return 1;
        case BeatClass::Extra:
            rr.push_back(a * (0.3 + 0.4 * u));
            rr.push_back(a * (0.7 - 0.4 * u));
            return 0;
        case BeatClass::Ectopic:
            rr.push_back(a * (0.8 - 0.15 * u));
            rr.push_back(b + a * (0.2 + 0.15 * u));
            return 1;
        case BeatClass::Long:
            rr.push_back(a * (1.3 + 0.3 * u));
            return 0;
        default:
            rr.push_back(a * (0.6 + 0.15 * u));
            return 0;
        }
    }
    size_t Below(size_t k) { return gen_() % k; }
    double Uniform() { return static_cast<double>(gen_() >> 8) / 16777216.0; }

    std::mt19937 gen_{20190717};
    size_t count_ = 0;
};

struct KindScore {
    int injected = 0, found = 0, foundAny = 0, flags = 0, flagsRight = 0;
};
struct Score {
    std::array<KindScore, 6> kinds{};  // by BeatClass
    int flags = 0, flagsAtPlaces = 0;
    std::vector<double> rmssdErr, sdnnErr;
};

void ScoreFlags(const Injected& in, const std::vector<BeatClass>& classes, Score& s) {
    auto near = [](size_t a, size_t b) { return (a > b ? a - b : b - a) <= 1; };
    for (const auto& [place, kind] : in.places) {
        KindScore& k = s.kinds[static_cast<size_t>(kind)];
        ++k.injected;
        bool same = false, any = false;
        for (size_t j = place > 0 ? place - 1 : 0; j <= place + 1 && j < classes.size(); ++j) {
            any = any || classes[j] != BeatClass::Normal;
            same = same || classes[j] == kind;
        }
        k.found += same;
        k.foundAny += any;
    }
    for (size_t j = 0; j < classes.size(); ++j) {
        if (classes[j] == BeatClass::Normal)
            continue;
        KindScore& k = s.kinds[static_cast<size_t>(classes[j])];
        ++k.flags;
        ++s.flags;
        bool right = false, any = false;
        for (const auto& [place, kind] : in.places) {
            any = any || near(place, j);
            right = right || (near(place, j) && kind == classes[j]);
        }
        k.flagsRight += right;
        s.flagsAtPlaces += any;
    }
}

double Rmssd(const std::vector<double>& rr) {
    double sum = 0;
    for (size_t i = 1; i < rr.size(); ++i)
        sum += (rr[i] - rr[i - 1]) * (rr[i] - rr[i - 1]);
    return std::sqrt(sum / static_cast<double>(rr.size() - 1));
}

double Sdnn(const std::vector<double>& rr) {
    double mean = 0, sum = 0;
    for (double v : rr)
        mean += v / static_cast<double>(rr.size());
    for (double v : rr)
        sum += (v - mean) * (v - mean);
    return std::sqrt(sum / static_cast<double>(rr.size() - 1));
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Share(int part, int whole) {
    return whole == 0 ? 1.0 : static_cast<double>(part) / whole;
}

void Print(const char* title, const Score& s) {
    std::printf("%s\n%-8s %8s %7s %7s %7s\n", title, "kind", "injected", "Se %", "any %", "+P %");
    for (BeatClass kind : kKinds) {
        const KindScore& k = s.kinds[static_cast<size_t>(kind)];
        std::printf("%-8s %8d %7.2f %7.2f %7.2f\n", BeatClassName(kind), k.injected,
                    100 * Share(k.found, k.injected), 100 * Share(k.foundAny, k.injected),
                    100 * Share(k.flagsRight, k.flags));
    }
    std::printf("flags %d, at injected places %.2f %%", s.flags,
                100 * Share(s.flagsAtPlaces, s.flags));
    if (!s.rmssdErr.empty())
        std::printf("; median error after correction: RMSSD %.2f %%, SDNN %.2f %%",
                    100 * Median(s.rmssdErr), 100 * Median(s.sdnnErr));
    std::printf("\n");
}

TEST(BeatQuality, InjectedArtifactsAreFoundAndCorrected) {
    size_t fromEcg = 0, beats = 0;
    const std::vector<std::vector<double>> stretches = Stretches(fromEcg);
    ASSERT_GE(fromEcg, 5u);
    ASSERT_GE(stretches.size(), 30u);
    Injector injector;
    Score robust, plain;
    for (const std::vector<double>& clean : stretches) {
        const Injected in = injector.Inject(clean);
        beats += clean.size();
        const AutoCorrection fixed = CorrectAuto(in.rr);
        ScoreFlags(in, fixed.classes, robust);
        ScoreFlags(in, ClassifyBeatsPlain(in.rr), plain);
        robust.rmssdErr.push_back(std::fabs(Rmssd(fixed.rr) / Rmssd(clean) - 1));
        robust.sdnnErr.push_back(std::fabs(Sdnn(fixed.rr) / Sdnn(clean) - 1));
    }
    std::printf("%zu clean stretches (%zu of ECG reference beats), %zu intervals\n",
                stretches.size(), fromEcg, beats);
    std::printf("Se: injected beats with a flag of their kind within one beat (any: of any kind);"
                " +P: flags of the kind within one beat of an injected one of that kind\n");
    Print("published rule alone:", plain);
    Print("classification:", robust);
    for (BeatClass kind : kKinds) {
        const KindScore& k = robust.kinds[static_cast<size_t>(kind)];
        const bool beat = kind == BeatClass::Missed || kind == BeatClass::Extra;
        EXPECT_GE(Share(k.found, k.injected), beat ? 0.99 : 0.95) << BeatClassName(kind);
        if (beat) {
            EXPECT_GE(Share(k.flagsRight, k.flags), 0.95) << BeatClassName(kind);
        }
    }
    EXPECT_GE(Share(robust.flagsAtPlaces, robust.flags), 0.85);
    EXPECT_LE(Median(robust.rmssdErr), 0.03);
    EXPECT_LE(Median(robust.sdnnErr), 0.01);
}

}  // namespace
}  // namespace trivant

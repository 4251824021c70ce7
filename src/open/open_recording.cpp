// One opener over the file formats and ECG records.
#include "open_recording.h"

#include "ecg_read.h"
#include "label_edit.h"
#include "ms_list.h"
#include "source_beats.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <system_error>

namespace trivant {

namespace {

// The longest interval the recording's 10 ms series hold; a longer pause (asystole, or a
// stretch where the leads were off and nothing was found) is kept at this length, labelled.
constexpr double kLongestMs = 2550;

OpenedRecording failure(const std::string& path, const std::string& detail) {
    OpenedRecording out;
    out.load.status = {false, path, detail};
    out.ecg = true;
    return out;
}

// A label name from the record's own annotations at each beat: the beat whose R peak is the
// first at or after the annotation.
std::map<int, std::string> annotationLabels(const EcgInfo& info, double rate,
                                            const std::vector<int64_t>& beats) {
    std::map<int, std::string> names;
    for (const EcgAnnotation& a : info.annotations) {
        const std::string text = LabelNameText(a.text.empty() ? a.code : a.text);
        if (a.beat || text.empty())
            continue;
        const int64_t at = std::llround(static_cast<double>(a.sample) * rate / info.rate);
        const auto it = std::lower_bound(beats.begin(), beats.end(), at);
        const int k = static_cast<int>(it - beats.begin());
        if (k < 1 || it == beats.end())
            continue;
        std::string& name = names[k];
        name = name.empty() ? text : name + "; " + text;
    }
    return names;
}

std::string msText(double ms) {
    return std::to_string(std::llround(ms)) + " ms";
}

// Beats at samples of a channel of rate Hz as a fresh recording of exact intervals.
std::string fillFromBeats(const std::vector<int64_t>& beats, double rate, const EcgInfo& info,
                          Recording& rec) {
    if (beats.size() < 2)
        return "fewer than two beats found";
    if (beats.size() - 1 > static_cast<size_t>(kMaxRecordingBeats))
        return "more than " + std::to_string(kMaxRecordingBeats) + " beats";
    std::map<int, std::string> names = annotationLabels(info, rate, beats);
    std::vector<MsEntry> entries(beats.size() - 1);
    for (size_t k = 1; k < beats.size(); ++k) {
        MsEntry& e = entries[k - 1];
        // Rounded to the microsecond, as the recording keeps intervals.
        e.ms = std::round(static_cast<double>(beats[k] - beats[k - 1]) * 1e6 / rate) / 1000;
        if (e.ms > kLongestMs) {
            std::string& name = names[static_cast<int>(k)];
            name = "pause " + msText(e.ms) + (name.empty() ? "" : "; " + name);
            e.ms = kLongestMs;
        }
        e.label = names.count(static_cast<int>(k)) > 0;
    }
    FillFromMsEntries(entries, rec);
    rec.LabelNames = std::move(names);
    rec.Comment.clear();
    rec.StartClockS =
        info.startClockS == kNoClock
            ? kNoClock
            : info.startClockS + std::llround(static_cast<double>(beats[0]) / rate);
    rec.BeatSamples = beats;
    rec.EcgRate = rate;
    return {};
}

// The channel to detect on: the one the choice names, else the first ECG-like one, or the
// one the user picks among several.
int pickChannel(const EcgInfo& info, const EcgChoice& choice, const OpenHooks& hooks,
                std::string& error) {
    const int suggested = EcgChannelIndex(info, choice.channel, error);
    if (suggested < 0 || !choice.channel.empty() || info.channels.size() < 2 || !hooks.askChannel)
        return suggested;
    const int picked = hooks.askChannel(info, suggested);
    return picked >= 0 && static_cast<size_t>(picked) < info.channels.size() ? picked : -2;
}

OpenedRecording openEcg(const std::string& path, const EcgChoice& choice, const OpenHooks& hooks,
                        Recording& rec) {
    EcgOpen opened = OpenEcgRecord(path);
    if (!opened.source)
        return failure(path, opened.error);
    EcgSource& source = *opened.source;
    const EcgInfo& info = source.info();
    std::string error;
    const int ch = pickChannel(info, choice, hooks, error);
    if (ch == -2) {
        OpenedRecording out = failure(path, "cancelled");
        out.cancelled = true;
        return out;
    }
    if (ch < 0)
        return failure(path, error);
    const EcgChannel& channel = info.channels[static_cast<size_t>(ch)];
    std::vector<int64_t> beats;
    if (!choice.annotations.empty()) {
        std::vector<EcgAnnotation> annotations;
        if (info.format != "WFDB")
            return failure(path, "annotator files belong to WFDB records; this is " + info.format);
        if (!ReadWfdbAnnotations(path, choice.annotations, annotations, error))
            return failure(path, error);
        // Annotations count frames, which are the channel's samples at one sample a frame.
        beats = AnnotatedBeats(annotations);
    } else {
        SourceBeats found = DetectSourceBeats(source, ch, hooks.progress);
        if (found.cancelled) {
            OpenedRecording out = failure(path, "cancelled");
            out.cancelled = true;
            return out;
        }
        if (!found.error.empty())
            return failure(path, found.error);
        beats = std::move(found.samples);
    }
    Recording fresh;
    if (const std::string msg = fillFromBeats(beats, channel.rate, info, fresh); !msg.empty())
        return failure(path, msg + " in channel " + channel.label);
    fresh.EcgSource = path;
    fresh.EcgChannel = channel.label;
    rec = std::move(fresh);
    OpenedRecording out;
    out.ecg = true;
    out.load.status.ok = true;
    out.load.status.path = path;
    return out;
}

// A CSV's record, named relative to the CSV, as a path to open; and the first R peak, which
// the CSV leaves to the record's rate.
void linkCsvRecord(const std::string& csvPath, Recording& rec) {
    namespace fs = std::filesystem;
    const fs::path named = fs::u8path(rec.EcgSource);
    std::error_code ec;
    const fs::path folder = fs::absolute(fs::u8path(csvPath), ec).parent_path();
    rec.EcgSource = (named.is_absolute() ? named : (folder / named).lexically_normal()).u8string();
    EcgOpen opened = OpenEcgRecord(rec.EcgSource);
    if (!opened.source)
        return;  // the intervals stand alone; the record may come back
    std::string error;
    const int ch = EcgChannelIndex(opened.source->info(), rec.EcgChannel, error);
    if (ch < 0)
        return;
    rec.EcgRate = opened.source->info().channels[static_cast<size_t>(ch)].rate;
    rec.BeatSamples[0] = std::max<int64_t>(
        0, rec.BeatSamples[1] - std::llround(static_cast<double>(rec.intervalUs(1)) *
                                             rec.EcgRate / 1e6));
}

}  // namespace

OpenedRecording OpenAnyRecording(const std::string& path, const EcgChoice& choice,
                                 const OpenHooks& hooks, Recording& rec) {
    OpenedRecording out;
    std::string head;
    out.load.status = ReadFileBytes(path, head, kFormatHeadBytes);
    if (!out.load.status.ok)
        return out;
    if (DetectEcgRecord(head, path) != EcgKind::None)
        return openEcg(path, choice, hooks, rec);
    out.load = LoadRecordingFile(path, rec);
    if (!out.load.status.ok)
        return out;
    if (out.load.format != RecordingFormat::TrivantCsv) {
        rec.BeatSamples.clear();  // from no ECG record, whatever rec held before
        rec.EcgSource.clear();
    }
    if (rec.hasEcg()) {
        linkCsvRecord(path, rec);
        out.ecg = true;
    }
    return out;
}

std::string ReadAnyRecording(const std::string& path, const EcgChoice& choice, Recording& rec) {
    return RecordingLoadMessage(path, OpenAnyRecording(path, choice, {}, rec).load);
}

}  // namespace trivant

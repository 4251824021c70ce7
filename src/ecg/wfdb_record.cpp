// A WFDB record opened for block reads: the header checked against its signal files once,
// then each Read seeks to its frame and decodes only the block asked for.
#include "wfdb_record.h"

#include "ecg_file.h"
#include "ecg_units.h"
#include "number_text.h"
#include "wfdb_header.h"
#include "wfdb_samples.h"

#include <algorithm>
#include <memory>

namespace trivant {
namespace {

constexpr size_t kMaxHeaderBytes = 1u << 20;
constexpr int64_t kBlockFrames = 1 << 16;  // frames decoded per file read
constexpr double kMinRate = 100, kMaxRate = 2000;

// Signals sharing one signal file, interleaved frame by frame.
struct SignalFile {
    std::string name;
    int format = 0;
    int64_t byteOffset = 0;
    int signals = 0;
    int64_t frames = 0;  // whole frames the file holds
    EcgFile file;
};

struct Column {
    int file = 0;      // index into the files
    int position = 0;  // within the file's frame
    int skew = 0;
    double baseline = 0;
    double scale = 1;  // mV per ADC unit
};

class WfdbSource : public EcgSource {
public:
    EcgInfo info_;
    std::vector<std::unique_ptr<SignalFile>> files_;
    std::vector<Column> columns_;

    const EcgInfo& info() const override { return info_; }
    bool Read(int ch, int64_t first, int64_t count, std::vector<float>& out,
              std::string& error) override;

private:
    std::vector<unsigned char> bytes_;
};

bool WfdbSource::Read(int ch, int64_t first, int64_t count, std::vector<float>& out,
                      std::string& error) {
    out.clear();
    if (!ClampEcgRead(info_, ch, first, count, error))
        return false;
    if (count == 0)
        return true;
    out.resize(static_cast<size_t>(count));
    const Column& c = columns_[ch];
    SignalFile& f = *files_[c.file];
    for (int64_t done = 0; done < count; done += kBlockFrames) {
        const int64_t n = std::min(kBlockFrames, count - done);
        const int64_t k = (first + done + c.skew) * f.signals + c.position;
        const int64_t last = k + (n - 1) * f.signals;
        const int64_t bytes = WfdbBlockBytes(f.format, k, last);
        bytes_.resize(static_cast<size_t>(bytes));
        if (!f.file.ReadAt(f.byteOffset + WfdbBlockStart(f.format, k),
                           reinterpret_cast<char*>(bytes_.data()), bytes_.size())) {
            out.clear();
            error = "cannot read " + f.name;
            return false;
        }
        DecodeWfdbColumn(f.format, bytes_.data(), k, f.signals, static_cast<size_t>(n), c.baseline,
                         c.scale, out.data() + done);
    }
    return true;
}

bool CheckSignal(const WfdbSignal& s, std::string& error) {
    if (!WfdbFormatKnown(s.format))
        error = "storage format " + std::to_string(s.format) + " is not known";
    else if (s.framesPer != 1)
        error = "signals of " + std::to_string(s.framesPer) +
                " samples per frame are not read (one per frame only)";
    else if (s.file == "-" || s.file.find_first_of("/\\") != std::string::npos)
        error = "signal file \"" + s.file + "\" is not a file beside the header";
    else
        return true;
    return false;
}

// Groups the signals by file and opens each; error names the file at fault.
bool OpenFiles(const std::string& headerPath, const WfdbHeader& h, WfdbSource& src,
               std::string& error) {
    for (const WfdbSignal& s : h.signals) {
        if (!CheckSignal(s, error))
            return false;
        auto same = [&](const std::unique_ptr<SignalFile>& f) { return f->name == s.file; };
        auto it = std::find_if(src.files_.begin(), src.files_.end(), same);
        if (it == src.files_.end()) {
            auto f = std::make_unique<SignalFile>();
            f->name = s.file;
            f->format = s.format;
            f->byteOffset = s.byteOffset;
            const std::string path = PathBeside(headerPath, s.file);
            if (!f->file.Open(path)) {
                error = "cannot open signal file " + path;
                return false;
            }
            src.files_.push_back(std::move(f));
            it = src.files_.end() - 1;
        } else if ((*it)->format != s.format) {
            error = "signal file " + s.file + " is given two storage formats";
            return false;
        }
        Column c{static_cast<int>(it - src.files_.begin()), (*it)->signals++, s.skew,
                 static_cast<double>(s.baseline), MilliVoltsPer(s.units) / s.gain};
        src.columns_.push_back(c);
    }
    return true;
}

// The record's frames: what the header says, checked against every file.
bool CountFrames(const std::string& headerPath, const WfdbHeader& h, WfdbSource& src,
                 int64_t& frames, std::string& error) {
    frames = h.samples;
    for (auto& f : src.files_) {
        const int64_t bytes = std::max<int64_t>(0, f->file.size() - f->byteOffset);
        f->frames = WfdbSamplesIn(f->format, bytes) / f->signals;
        if (h.samples >= 0 && f->frames < h.samples) {
            error = "signal file " + PathBeside(headerPath, f->name) + " holds " +
                    std::to_string(f->frames) + " samples, the header says " +
                    std::to_string(h.samples);
            return false;
        }
        if (h.samples < 0)
            frames = frames < 0 ? f->frames : std::min(frames, f->frames);
    }
    if (frames <= 0) {
        error = "the record holds no samples";
        return false;
    }
    return true;
}

bool Fill(const std::string& headerPath, const WfdbHeader& h, WfdbSource& src, std::string& error) {
    if (h.rate < kMinRate || h.rate > kMaxRate) {
        error = "sample rate " + NumberText(h.rate) + " Hz is outside 100..2000 Hz";
        return false;
    }
    int64_t frames = 0;
    if (!OpenFiles(headerPath, h, src, error) || !CountFrames(headerPath, h, src, frames, error))
        return false;
    src.info_.format = "WFDB";
    src.info_.rate = h.rate;
    src.info_.startClockS = h.startClockS;
    for (size_t i = 0; i < h.signals.size(); ++i) {
        const Column& c = src.columns_[i];
        const int64_t skewed = src.files_[c.file]->frames - c.skew;
        src.info_.channels.push_back({h.signals[i].label, h.signals[i].units, h.rate,
                                      std::max<int64_t>(0, std::min(frames, skewed))});
    }
    return true;
}

}  // namespace

EcgOpen OpenWfdbRecord(const std::string& headerPath) {
    EcgOpen result;
    std::string text;
    bool tooLong = false;
    if (!ReadSmallFile(headerPath, kMaxHeaderBytes, text, tooLong)) {
        result.error =
            tooLong ? headerPath + ": too long for a WFDB header" : "cannot open " + headerPath;
        return result;
    }
    WfdbHeader h;
    std::string error;
    auto src = std::make_unique<WfdbSource>();
    if (!ParseWfdbHeader(text, h, error) || !Fill(headerPath, h, *src, error)) {
        result.error = headerPath + ": " + error;
        return result;
    }
    result.source = std::move(src);
    return result;
}

}  // namespace trivant

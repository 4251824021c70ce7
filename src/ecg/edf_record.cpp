// EDF, EDF+ and BDF samples: the data records holding a channel's samples are read a
// bounded block at a time, decoded from 16- or 24-bit little-endian two's complement and
// scaled to mV by the signal's digital and physical ranges and its unit.
#include "edf_record.h"

#include "ecg_file.h"
#include "ecg_units.h"
#include "edf_header.h"

#include <algorithm>
#include <cmath>

namespace trivant {
namespace {

constexpr int64_t kBufferBytes = 1 << 22;  // data records read at a time, about
constexpr double kMinRate = 100, kMaxRate = 2000;

struct EdfChannelAt {
    int64_t offset = 0;  // bytes into a data record
    int64_t perRecord = 0;
    double scale = 0, shift = 0;  // mV = d * scale + shift
};

class EdfSource : public EcgSource {
public:
    EcgInfo info_;
    EcgFile file_;
    EdfHeader header_;
    std::vector<EdfChannelAt> at_;
    int annotationSignal_ = -1;
    int64_t dataAt_ = 0, recordBytes_ = 0;
    std::vector<char> buffer_;

    const EcgInfo& info() const override { return info_; }
    bool Read(int ch, int64_t first, int64_t count, std::vector<float>& out,
              std::string& error) override;
    // Records [record, record + n) into buffer_; n is at most recordsPerBuffer().
    bool ReadRecords(int64_t record, int64_t n);
    int64_t recordsPerBuffer() const { return std::max<int64_t>(1, kBufferBytes / recordBytes_); }
    int width() const { return header_.bdf ? 3 : 2; }
    bool TakeAnnotations(const EdfChannelAt& at, std::string& error);
};

int32_t Digital(const char* p, int width) {
    const auto b = [p](int i) { return static_cast<uint32_t>(static_cast<unsigned char>(p[i])); };
    if (width == 2)
        return static_cast<int16_t>(static_cast<uint16_t>(b(0) | b(1) << 8));
    const uint32_t u = b(0) | b(1) << 8 | b(2) << 16;
    return static_cast<int32_t>(u & 0x800000u ? u | 0xff000000u : u);
}

bool EdfSource::ReadRecords(int64_t record, int64_t n) {
    buffer_.resize(static_cast<size_t>(n * recordBytes_));
    return file_.ReadAt(dataAt_ + record * recordBytes_, buffer_.data(), buffer_.size());
}

bool EdfSource::Read(int ch, int64_t first, int64_t count, std::vector<float>& out,
                     std::string& error) {
    out.clear();
    if (!ClampEcgRead(info_, ch, first, count, error))
        return false;
    if (count == 0)
        return true;
    const EdfChannelAt& at = at_[ch];
    out.reserve(static_cast<size_t>(count));
    const int64_t last = (first + count - 1) / at.perRecord;
    for (int64_t record = first / at.perRecord; record <= last;) {
        const int64_t n = std::min(recordsPerBuffer(), last + 1 - record);
        if (!ReadRecords(record, n)) {
            out.clear();
            error = "cannot read data record " + std::to_string(record + 1);
            return false;
        }
        for (int64_t r = 0; r < n; ++r, ++record) {
            const char* p = buffer_.data() + r * recordBytes_ + at.offset;
            const int64_t from = std::max<int64_t>(first - record * at.perRecord, 0);
            const int64_t to = std::min(at.perRecord, first + count - record * at.perRecord);
            for (int64_t i = from; i < to; ++i)
                out.push_back(
                    static_cast<float>(Digital(p + i * width(), width()) * at.scale + at.shift));
        }
    }
    return true;
}

// Every record's annotation signal, its time-keeping onsets giving where the samples start.
bool EdfSource::TakeAnnotations(const EdfChannelAt& at, std::string& error) {
    std::vector<EdfNote> notes;
    double startS = 0;
    const size_t bytes = static_cast<size_t>(at.perRecord * width());
    for (int64_t record = 0; record < header_.records;) {
        const int64_t n = std::min(recordsPerBuffer(), header_.records - record);
        if (!ReadRecords(record, n)) {
            error = "cannot read data record " + std::to_string(record + 1);
            return false;
        }
        for (int64_t r = 0; r < n; ++r, ++record) {
            double onsetS = 0;
            ParseEdfTals({buffer_.data() + r * recordBytes_ + at.offset, bytes}, onsetS, notes);
            if (record == 0 && std::isfinite(onsetS))
                startS = onsetS;
        }
    }
    for (EdfNote& note : notes) {
        EcgAnnotation a;
        const double sample = std::round((note.onsetS - startS) * info_.rate);
        a.sample = static_cast<int64_t>(std::clamp(sample, 0.0, 9e18));
        a.text = std::move(note.text);
        info_.annotations.push_back(std::move(a));
    }
    std::stable_sort(
        info_.annotations.begin(), info_.annotations.end(),
        [](const EcgAnnotation& a, const EcgAnnotation& b) { return a.sample < b.sample; });
    return true;
}

bool ReadHeader(EdfSource& src, std::string& error) {
    std::string head(kEdfFixedBytes, '\0');
    const int ns = src.file_.ReadAt(0, head.data(), head.size()) ? EdfSignalCount(head) : -1;
    if (ns < 0) {
        error = "not a sound EDF/BDF header (signal count, header size)";
        return false;
    }
    head.resize(kEdfFixedBytes * (ns + 1));
    if (!src.file_.ReadAt(0, head.data(), head.size()) ||
        !ParseEdfHeader(head, src.file_.size(), src.header_, error))
        return false;
    src.dataAt_ = static_cast<int64_t>(head.size());
    src.recordBytes_ = EdfRecordBytes(src.header_);
    return true;
}

// The signals as channels (the annotation signal apart); the base rate is the highest.
bool TakeChannels(EdfSource& src, EdfChannelAt& notes, std::string& error) {
    const EdfHeader& h = src.header_;
    int64_t offset = 0;
    bool ecgRate = false;
    for (const EdfSignal& s : h.signals) {
        EdfChannelAt at{offset, s.perRecord, 0, 0};
        offset += s.perRecord * src.width();
        if (s.annotations) {
            notes = at;
            continue;
        }
        const double mvPer = MilliVoltsPer(s.unit);
        const double perDigital = (s.physMax - s.physMin) / (s.digMax - s.digMin);
        at.scale = perDigital * mvPer;
        at.shift = (s.physMin - s.digMin * perDigital) * mvPer;
        const EcgChannel ch{s.label, s.unit, s.perRecord / h.recordS, h.records * s.perRecord};
        ecgRate = ecgRate || (ch.rate >= kMinRate && ch.rate <= kMaxRate);
        src.info_.rate = std::max(src.info_.rate, ch.rate);
        src.info_.channels.push_back(ch);
        src.at_.push_back(at);
    }
    if (!ecgRate)
        error = src.info_.channels.empty() ? "no signals" : "no signal is sampled at 100..2000 Hz";
    return ecgRate;
}

}  // namespace

EcgOpen OpenEdfRecord(const std::string& path) {
    EcgOpen result;
    auto src = std::make_unique<EdfSource>();
    std::string error;
    EdfChannelAt notes;
    if (!src->file_.Open(path)) {
        result.error = "cannot open " + path;
        return result;
    }
    if (!ReadHeader(*src, error) || !TakeChannels(*src, notes, error) ||
        (src->header_.plus && notes.perRecord > 0 && !src->TakeAnnotations(notes, error))) {
        result.error = path + ": " + error;
        return result;
    }
    const EdfHeader& h = src->header_;
    src->info_.format = h.bdf ? "BDF" : h.plus ? "EDF+" : "EDF";
    src->info_.startClockS = h.startClockS;
    result.source = std::move(src);
    return result;
}

}  // namespace trivant

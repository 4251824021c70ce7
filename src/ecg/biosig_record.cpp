// EDF, EDF+, BDF and GDF through BioSig. Our own header checks run first, so that a file
// whose header doesn't add up never reaches the library; BioSig then reads blocks of data
// records, one channel switched on at a time.
#include "biosig_record.h"

#include "biosig_guard.h"
#include "clock_time.h"
#include "ecg_units.h"

#include <biosig2.h>

#include <algorithm>
#include <cmath>

namespace trivant {
namespace {

constexpr int64_t kBlockSamples = 1 << 16;  // channel samples per sread, about

struct HdrDeleter {
    void operator()(HDRTYPE* h) const {
        sclose(h);
        destructHDR(h);
    }
};

class BiosigSource : public EcgSource {
public:
    EcgInfo info_;
    std::unique_ptr<HDRTYPE, HdrDeleter> hdr_;
    std::vector<int> channel_;   // BioSig's channel of each of ours
    std::vector<double> scale_;  // to mV

    const EcgInfo& info() const override { return info_; }
    bool Read(int ch, int64_t first, int64_t count, std::vector<float>& out,
              std::string& error) override;
};

bool BiosigSource::Read(int ch, int64_t first, int64_t count, std::vector<float>& out,
                        std::string& error) {
    out.clear();
    if (!ClampEcgRead(info_, ch, first, count, error))
        return false;
    if (count == 0)
        return true;
    HDRTYPE* h = hdr_.get();
    for (int k = 0; k < h->NS; ++k)
        h->CHANNEL[k].OnOff = k == channel_[ch] ? 1 : 0;
    const int64_t spr = h->CHANNEL[channel_[ch]].SPR;  // the channel's samples per record
    const int64_t repeat = h->SPR / spr;               // BioSig repeats them up to h->SPR
    const int64_t blocks = std::max<int64_t>(1, kBlockSamples / spr);
    out.reserve(static_cast<size_t>(count));
    for (int64_t record = first / spr; static_cast<int64_t>(out.size()) < count; record += blocks) {
        const size_t got =
            sread(nullptr, static_cast<size_t>(record), static_cast<size_t>(blocks), h);
        biosig_data_type* data = nullptr;
        size_t rows = 0, columns = 0;
        if (got == 0 || h->AS.B4C_ERRNUM != B4C_NO_ERROR ||
            biosig_get_datablock(h, &data, &rows, &columns) != 0 || !data) {
            out.clear();
            error = "cannot read data record " + std::to_string(record);
            return false;
        }
        const int64_t skip = record == first / spr ? first % spr : 0;
        const int64_t have = static_cast<int64_t>(got) * spr;
        for (int64_t i = skip; i < have && static_cast<int64_t>(out.size()) < count; ++i)
            out.push_back(static_cast<float>(data[i * repeat] * scale_[ch]));
    }
    return true;
}

void TakeEvents(HDRTYPE* h, EcgInfo& info) {
    const double eventRate = h->EVENT.SampleRate > 0 ? h->EVENT.SampleRate : info.rate;
    for (size_t n = 0; n < biosig_get_number_of_events(h); ++n) {
        uint16_t typ = 0;
        uint32_t pos = 0;
        const char* desc = nullptr;
        if (biosig_get_nth_event(h, n, &typ, &pos, nullptr, nullptr, nullptr, &desc) != 0)
            continue;
        EcgAnnotation a;
        a.sample = std::llround(pos / eventRate * info.rate);
        a.text = desc ? desc : "";
        info.annotations.push_back(a);
    }
}

bool TakeChannels(HDRTYPE* h, BiosigSource& src, std::string& error) {
    const int64_t records = static_cast<int64_t>(biosig_get_number_of_records(h));
    for (int k = 0; k < h->NS; ++k) {
        CHANNEL_TYPE* c = biosig_get_channel(h, k);
        if (!c || c->OnOff != 1 || c->SPR == 0 || h->SPR % c->SPR != 0)
            continue;  // annotations, sparse or odd channels: not samples to read
        const char* label = biosig_channel_get_label(c);
        const char* unit = biosig_channel_get_physdim(c);
        EcgChannel ch{label ? label : "", unit ? unit : "", h->SampleRate * c->SPR / h->SPR,
                      records * c->SPR};
        src.scale_.push_back(MilliVoltsPer(ch.unit));
        src.channel_.push_back(k);
        src.info_.channels.push_back(ch);
    }
    if (src.info_.channels.empty()) {
        error = "no signals";
        return false;
    }
    return true;
}

int64_t BiosigStartClock(HDRTYPE* h) {
    struct tm t {};
    if (h->T0 == 0 || biosig_get_startdatetime(h, &t) != 0)
        return kNoClock;
    return ClockOf(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                   t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec);
}

}  // namespace

EcgOpen OpenBiosigRecord(const std::string& path, EcgKind kind) {
    EcgOpen result;
    BiosigGuard guard;
    std::string error;
    if (!GuardBiosigFile(path, kind, guard, error)) {
        result.error = path + ": " + error;
        return result;
    }
    auto src = std::make_unique<BiosigSource>();
    src->hdr_.reset(sopen(path.c_str(), "r", nullptr));
    HDRTYPE* h = src->hdr_.get();
    if (!h || h->AS.B4C_ERRNUM != B4C_NO_ERROR) {
        const char* why = h && h->AS.B4C_ERRMSG ? h->AS.B4C_ERRMSG : "unknown";
        result.error = path + ": BioSig cannot read it (" + std::string(why) + ")";
        return result;
    }
    if (!TakeChannels(h, *src, error)) {
        result.error = path + ": " + error;
        return result;
    }
    src->info_.format = guard.format;
    src->info_.rate = h->SampleRate;
    src->info_.startClockS =
        guard.startClockS != kNoClock ? guard.startClockS : BiosigStartClock(h);
    TakeEvents(h, src->info_);
    result.source = std::move(src);
    return result;
}

}  // namespace trivant

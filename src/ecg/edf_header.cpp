// EDF and BDF headers: fixed ASCII fields, every number guarded, locale-free.
#include "edf_header.h"

#include "clock_time.h"
#include "number_text.h"

#include <cmath>

namespace trivant {
namespace {

constexpr int64_t kMaxPerRecord = 1 << 20;  // samples of a signal in one record
constexpr int64_t kMaxRecordBytes = int64_t{1} << 28;

std::string_view Field(std::string_view h, size_t at, size_t n) {
    std::string_view s = h.substr(at, n);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

bool Printable(std::string_view s) {
    for (const char c : s)
        if (c < 32 || c > 126)
            return false;
    return true;
}

bool Finite(std::string_view s, double& v) {
    return ParseNumber(s, v) && std::isfinite(v);
}

// "dd.mm.yy" and "hh.mm.ss"; years 85..99 are 19xx, as EDF counts them.
int64_t StartClock(std::string_view date, std::string_view time) {
    int d = 0, m = 0, y = 0, hh = 0, mm = 0, ss = 0;
    if (date.size() != 8 || time.size() != 8 || !ParseNumber(date.substr(0, 2), d) ||
        !ParseNumber(date.substr(3, 2), m) || !ParseNumber(date.substr(6, 2), y) ||
        !ParseNumber(time.substr(0, 2), hh) || !ParseNumber(time.substr(3, 2), mm) ||
        !ParseNumber(time.substr(6, 2), ss))
        return kNoClock;
    static const int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1 || d > kMonthDays[m - 1] || hh > 23 || mm > 59 || ss > 59)
        return kNoClock;
    const int year = y >= 85 ? 1900 + y : 2000 + y;
    return ClockOf(year, m, d, hh * 3600 + mm * 60 + ss);
}

// Field i of signal s among ns: the signal headers hold each field for all signals in turn.
std::string_view SignalField(std::string_view h, int ns, int s, size_t fieldAt, size_t n) {
    return Field(h, kEdfFixedBytes + fieldAt * ns + n * s, n);
}

bool ParseSignal(std::string_view h, int ns, int s, bool bdf, EdfSignal& sig, std::string& error) {
    sig.label = std::string(SignalField(h, ns, s, 0, 16));
    sig.unit = std::string(SignalField(h, ns, s, 96, 8));
    sig.annotations = sig.label == (bdf ? "BDF Annotations" : "EDF Annotations");
    const bool ok = Finite(SignalField(h, ns, s, 104, 8), sig.physMin) &&
                    Finite(SignalField(h, ns, s, 112, 8), sig.physMax) &&
                    Finite(SignalField(h, ns, s, 120, 8), sig.digMin) &&
                    Finite(SignalField(h, ns, s, 128, 8), sig.digMax) &&
                    ParseNumber(SignalField(h, ns, s, 216, 8), sig.perRecord);
    const double digLimit = bdf ? 8388608 : 32768;
    if (!ok || sig.perRecord < 1 || sig.perRecord > kMaxPerRecord || sig.physMin == sig.physMax ||
        sig.digMin >= sig.digMax || sig.digMin < -digLimit || sig.digMax >= digLimit) {
        error = "signal " + std::to_string(s + 1) + " (" + sig.label + ") has a bad header";
        return false;
    }
    return true;
}

}  // namespace

int EdfSignalCount(std::string_view fixed) {
    int ns = 0;
    long long headerBytes = 0;
    if (fixed.size() < kEdfFixedBytes || !ParseNumber(Field(fixed, 252, 4), ns) || ns < 1 ||
        ns > kEdfMaxSignals || !ParseNumber(Field(fixed, 184, 8), headerBytes) ||
        headerBytes != static_cast<long long>(kEdfFixedBytes) * (ns + 1))
        return -1;
    return ns;
}

int64_t EdfRecordBytes(const EdfHeader& h) {
    int64_t samples = 0;
    for (const EdfSignal& s : h.signals)
        samples += s.perRecord;
    return samples * (h.bdf ? 3 : 2);
}

bool ParseEdfHeader(std::string_view h, int64_t fileSize, EdfHeader& out, std::string& error) {
    out = EdfHeader{};
    const int ns = EdfSignalCount(h);
    if (ns < 0 || h.size() < kEdfFixedBytes * (ns + 1)) {
        error = "not a sound EDF/BDF header (signal count, header size)";
        return false;
    }
    out.bdf = h[0] == '\xff';
    if (!Printable(h.substr(out.bdf ? 1 : 0, kEdfFixedBytes * (ns + 1) - (out.bdf ? 1 : 0)))) {
        error = "the header holds bytes that are not ASCII text";
        return false;
    }
    const std::string_view reserved = Field(h, 192, 44);
    out.plus = reserved.rfind("EDF+", 0) == 0 || reserved.rfind("BDF+", 0) == 0;
    if (out.plus && reserved.substr(4, 1) == "D") {
        error = "discontinuous EDF+/BDF+ records (EDF+D) are not read";
        return false;
    }
    if (!ParseNumber(Field(h, 236, 8), out.records) || !Finite(Field(h, 244, 8), out.recordS) ||
        out.records < 1 || out.recordS <= 0) {
        error = "bad record count or record duration";
        return false;
    }
    out.startClockS = StartClock(Field(h, 168, 8), Field(h, 176, 8));
    out.signals.resize(static_cast<size_t>(ns));
    for (int s = 0; s < ns; ++s)
        if (!ParseSignal(h, ns, s, out.bdf, out.signals[s], error))
            return false;
    const int64_t recordBytes = EdfRecordBytes(out);
    const int64_t dataBytes = fileSize - static_cast<int64_t>(kEdfFixedBytes) * (ns + 1);
    if (recordBytes > kMaxRecordBytes || dataBytes < 0 || out.records > dataBytes / recordBytes) {
        error = "the header says " + std::to_string(out.records) + " records of " +
                std::to_string(recordBytes) + " bytes, the file holds " +
                std::to_string(std::max<int64_t>(dataBytes, 0)) + " bytes of data";
        return false;
    }
    return true;
}

}  // namespace trivant

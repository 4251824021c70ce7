// Byte layout of the ".rr" file: each word's low byte (SpO2 or the label mark) first.
#include "rr_file.h"

#include "recording_format.h"

#include <algorithm>

namespace trivant {
namespace {

// DataBuf positions that exist, whatever a caller did to the buffer.
int32_t usableWords(const Recording& rec) {
    const auto stored = static_cast<int32_t>(rec.DataBuf.empty() ? 0 : rec.DataBuf.size() - 1);
    return std::min<int32_t>(rec.capacity(), stored);
}

}  // namespace

std::string EncodeRr(const Recording& rec) {
    const int32_t words = std::clamp<int32_t>(rec.CurrentFileLen, 0, usableWords(rec));
    std::string out(kRrHeaderBytes + 2 * static_cast<size_t>(words), '\0');
    for (int32_t k = 1; k <= words; ++k) {
        const SampleWord w = rec.DataBuf[static_cast<size_t>(k)];
        out[2 * static_cast<size_t>(k)] = static_cast<char>(sampleLow(w));
        out[2 * static_cast<size_t>(k) + 1] = static_cast<char>(sampleRR(w));
    }
    return out;
}

void DecodeRr(const std::string& bytes, Recording& rec, int maxWords) {
    const size_t body = bytes.size() - std::min(bytes.size(), kRrHeaderBytes);
    // A trailing odd byte is no word and is dropped.
    const size_t words = std::min(body / 2, static_cast<size_t>(std::max(maxWords, 0)));
    rec.Reserve(static_cast<int>(words));
    // Word k lies at file offsets 2k (low byte) and 2k + 1 (RR byte).
    const auto byteAt = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    for (size_t k = 1; k <= words; ++k)
        rec.DataBuf[k] = packSample(byteAt(2 * k + 1), byteAt(2 * k));
    rec.CurrentFileLen = static_cast<int32_t>(words);
    rec.ExactUs.clear();  // a .rr file keeps 10 ms steps only
    rec.LabelSpO2.clear();
}

IoStatus SaveDataFile(const std::string& path, const Recording& rec) {
    const std::string limit = FormatLimitText(RecordingFormat::Rr, rec.beats());
    if (!limit.empty())
        return {false, path, limit};
    return WriteFileAtomic(path, EncodeRr(rec));
}

IoStatus ReadDataFile(const std::string& path, Recording& rec, int maxWords) {
    std::string bytes;
    IoStatus status =
        ReadFileBytes(path, bytes, kRrHeaderBytes + 2 * static_cast<size_t>(maxWords));
    if (status.ok)
        DecodeRr(bytes, rec, maxWords);
    return status;
}

}  // namespace trivant

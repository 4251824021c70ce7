// Writer of Trivant's CSV recording.
#include "trivant_csv.h"

#include "rr_csv.h"

#include <algorithm>

namespace trivant {

std::string MsText(int64_t us) {
    std::string text = std::to_string(us / 1000);
    const int64_t frac = us % 1000;
    if (frac == 0)
        return text;
    std::string digits = std::to_string(1000 + frac).substr(1);  // three digits, leading zeros
    digits.erase(digits.find_last_not_of('0') + 1);
    return text + "." + digits;
}

std::string FormatTrivantCsv(const Recording& rec) {
    std::string out;
    if (!rec.Comment.empty()) {
        std::string comment = rec.Comment;
        std::replace(comment.begin(), comment.end(), '\r', ' ');
        std::replace(comment.begin(), comment.end(), '\n', ' ');
        out += kCsvCommentPrefix + comment + "\n";
    }
    out += std::string(kTrivantCsvHeader) + "\n";
    const bool spo = rec.HasSpO2();
    const int last = std::min(rec.beats(), kMaxBeats);
    for (int k = 1; k <= last; ++k) {
        out += MsText(rec.intervalUs(k));
        out += ';';
        if (spo)
            out += std::to_string(rec.at(kSerSPO, k));
        out += rec.at(kSerLbl, k) != 0 ? ";1\n" : ";0\n";
    }
    return out;
}

IoStatus SaveTrivantCsv(const std::string& path, const Recording& rec) {
    return WriteFileAtomic(path, FormatTrivantCsv(rec));
}

}  // namespace trivant

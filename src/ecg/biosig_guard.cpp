// The checks that keep hostile GDF files away from BioSig.
#include "biosig_guard.h"

#include "ecg_file.h"
#include "edf_header.h"  // kEdfFixedBytes, kEdfMaxSignals: GDF shares the layout

#include <cstring>
#include <numeric>

namespace trivant {
namespace {

constexpr int64_t kMaxBlockSamples = 1 << 20;  // BioSig's samples per record, every signal
constexpr double kMinRate = 100, kMaxRate = 2000;

template <typename T> T Little(std::string_view b, size_t at) {
    T v{};
    unsigned char bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<unsigned char>(b[at + i]);
    uint64_t u = 0;
    for (size_t i = sizeof(T); i-- > 0;)
        u = (u << 8) | bytes[i];
    std::memcpy(&v, &u, sizeof(T));  // little-endian host, as every target is
    return v;
}

int GdfTypeBytes(uint32_t type) {
    switch (type) {
    case 1:
    case 2:
        return 1;
    case 3:
    case 4:
        return 2;
    case 5:
    case 6:
    case 16:
        return 4;
    case 7:
    case 8:
    case 17:
        return 8;
    default:
        return 0;
    }
}

bool GuardGdf(EcgFile& file, std::string& error) {
    std::string head(kEdfFixedBytes, '\0');
    if (!file.ReadAt(0, head.data(), head.size()) || head.compare(0, 5, "GDF 2") != 0) {
        error = "only GDF 2 files are read";
        return false;
    }
    const uint16_t ns = Little<uint16_t>(head, 252);
    if (ns < 1 || ns > kEdfMaxSignals) {
        error = "bad signal count";
        return false;
    }
    head.resize(kEdfFixedBytes * (ns + 1));
    return file.ReadAt(0, head.data(), head.size()) && CheckGdfHeader(head, file.size(), error);
}

}  // namespace

bool CheckGdfHeader(std::string_view h, int64_t fileSize, std::string& error) {
    error = "the header doesn't add up (sizes, counts, types)";
    if (h.size() < kEdfFixedBytes)
        return false;
    const uint16_t ns = Little<uint16_t>(h, 252);
    const int64_t headerBytes = int64_t{Little<uint16_t>(h, 184)} * 256;
    const int64_t records = Little<int64_t>(h, 236);
    if (ns < 1 || ns > kEdfMaxSignals || h.size() < kEdfFixedBytes * (ns + 1u) ||
        headerBytes < static_cast<int64_t>(kEdfFixedBytes) * (ns + 1) || headerBytes > fileSize ||
        records < 1)
        return false;
    int64_t recordBytes = 0, common = 1;
    for (int s = 0; s < ns; ++s) {
        const uint32_t spr = Little<uint32_t>(h, kEdfFixedBytes + 216u * ns + 4u * s);
        const int bytes = GdfTypeBytes(Little<uint32_t>(h, kEdfFixedBytes + 220u * ns + 4u * s));
        if (bytes == 0 || spr > kMaxBlockSamples)
            return false;
        if (spr > 0)
            common = std::lcm(common, int64_t{spr});
        recordBytes += int64_t{spr} * bytes;
        if (common > kMaxBlockSamples)
            return false;
    }
    return recordBytes > 0 && records <= (fileSize - headerBytes) / recordBytes;
}

bool GuardBiosigFile(const std::string& path, EcgKind kind, BiosigGuard& out, std::string& error) {
    EcgFile file;
    if (!file.Open(path)) {
        error = "cannot open it";
        return false;
    }
    if (kind == EcgKind::Gdf) {
        out.format = "GDF";
        return GuardGdf(file, error);
    }
    error = "not a GDF file";
    return false;
}

}  // namespace trivant

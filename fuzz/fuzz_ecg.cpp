// ECG records from arbitrary bytes. The first byte picks what the rest is: an EDF, BDF or GDF
// file, a WFDB header beside a small signal file, or a WFDB annotation file beside a sound
// header. Every channel opened is read in a few blocks.
#include "ecg_read.h"
#include "fuzz_target.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path& folder() {
    static const fs::path dir = [] {
        const fs::path d =
            fs::temp_directory_path() / ("trivant-fuzz-ecg-" + std::to_string(getpid()));
        fs::create_directories(d);
        std::ofstream(d / "f.dat", std::ios::binary) << std::string(3000, '\x11');
        return d;
    }();
    return dir;
}

void write(const fs::path& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int mode = data[0] % 3;
    const fs::path& dir = folder();
    std::string error;
    if (mode == 2) {
        std::ofstream(dir / "a.hea") << "a 1 360 1500\nf.dat 16 200 16 0 0 0 0 MLII\n";
        write(dir / "a.atr", data + 1, size - 1);
        std::vector<trivant::EcgAnnotation> annotations;
        trivant::ReadWfdbAnnotations((dir / "a.hea").string(), "atr", annotations, error);
        return 0;
    }
    const fs::path path = dir / (mode == 1 ? "f.hea" : "f.edf");
    write(path, data + 1, size - 1);
    const trivant::EcgOpen opened = trivant::OpenEcgRecord(path.string());
    if (!opened.source)
        return 0;
    std::vector<float> samples;
    const size_t channels = opened.source->info().channels.size();
    for (int ch = 0; ch < static_cast<int>(channels) && ch < 8; ++ch)
        for (const int64_t first : {int64_t{0}, int64_t{999}, int64_t{100000}})
            opened.source->Read(ch, first, 4096, samples, error);
    return 0;
}

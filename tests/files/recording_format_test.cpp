// Which format a file's content shows, whatever its name, and the list loader's equality with
// import-ms on exports of the same real recording.
#include "recording_file.h"
#include "rr_csv.h"
#include "rr_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace trivant {
namespace {

using F = RecordingFormat;

TEST(RecordingFormat, IsToldByContentThenByName) {
    auto one = std::make_unique<Recording>();
    one->DataBuf[1] = packSample(80, 0);  // SpO2 0: a NUL byte, as the header's
    one->CurrentFileLen = 2;
    const std::string rr = EncodeRr(*one);
    const std::string text = "rest\r\n01.02.2024\r\nnote\r\nN         NN/10,x\r\n1  800\r\n";
    const struct {
        std::string head, path;
        F want;
    } cases[] = {
        {rr, "a.rr", F::Rr},
        {rr, "a.txt", F::Rr},           // NUL bytes are no text
        {"800\n810\n", "a.RR", F::Rr},  // the name .rr is always the binary
        {std::string("\xFF\xFER\0R\0", 6), "a.csv", F::Unknown},  // UTF-16
        {text, "a.txt", F::Text},                                 //
        {text, "a.csv", F::Text},                     // the title line N, whatever the name
        {"RR\r\nd\r\n\r\nN\r\n", "RR.txt", F::Text},  // a text file named RR
        {"123\r\nd\r\n\r\nN\r\n", "x", F::Text},      // ... or 123
        {"800\n810 97\n", "a.txt", F::MsList},
        {"# Polar\n\n812.5;96\n", "a", F::MsList},
        {"abc\n800\n", "a.lst", F::Unknown},
        {"abc\n800\n", "a.txt", F::Text},  // the text reader names its bad lines
        {"", "a.txt", F::Text},            // as always
        {"# nothing\n", "a.txt", F::Text},
        {"", "a.csv", F::MsList},  // no beats
        {"RR\n800\n", "a.txt", F::Csv},
        {"date,rr,since start\n", "a", F::Csv},
        {"Phone timestamp;RR-interval [ms]\n", "a", F::Csv},
        {"\"Time (s)\"\t\"RR (s)\"\n1\t0.8\n", "a", F::Csv},
        {"# export\ntime,NN\n1,800\n", "a", F::Csv},
        {"time,HR\n1,75\n", "a.csv", F::Unknown},  // no RR column
        {"# comment: a;b\nRR_ms;SpO2;label\n800;;0\n", "a.txt", F::TrivantCsv},
        {"RR_ms;SpO2;label\r\n", "a", F::TrivantCsv},
        {"RR_ms;SpO2\n", "a.csv", F::Csv},  // another tool's
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectRecordingFormat(c.head, c.path), c.want) << c.head << " " << c.path;
}

// A 256-byte EDF header, as any EDF file begins, with its fields in place.
std::string edfHeader() {
    std::string h = "0       ";
    h += std::string("X M 01-JAN-1970 Patient").append(80 - 23, ' ');
    h += std::string("Startdate 10-DEC-2026 X X X").append(80 - 27, ' ');
    h += "10.12.2610.29.55256     ";
    h.append(256 - h.size(), ' ');
    return h;
}

// A .rr file of n words whose SpO2 bytes are spo (RR 800 ms each).
std::string rrWords(int n, uint8_t spo) {
    std::string rr(2, '\0');
    for (int i = 0; i < n; ++i)
        rr += std::string{static_cast<char>(spo), 80};
    return rr;
}

// Files of other kinds are refused by their first bytes, and .rr words by SpO2 above 100 in
// most of them; a file Trivant wrote, or a text one, never is.
TEST(RecordingFormat, RefusesWhatIsNoRecording) {
    const struct {
        std::string head, path;
        const char* format;
        bool refused;
    } cases[] = {
        {edfHeader(), "a.edf", "EDF", true},
        {edfHeader() + std::string(64, '\0'), "a.rr", "EDF", true},
        {std::string("\377BIOSEMI", 8) + std::string(8, '\0'), "a.bdf", "BDF", true},
        {"%PDF-1.4\n%\xE2\xE3\xCF\xD3\n", "a.pdf", "PDF", true},
        {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "a.png", "PNG", true},
        {std::string("PK\3\4\x14\0\0\0", 8), "a.csv", "ZIP", true},
        {std::string("\x1F\x8B\x08\0", 4), "a.rr", "gzip", true},
        {std::string("\177ELF\2\1\1\0", 8), "trivant", "ELF", true},
        {rrWords(10, 105), "a.rr", nullptr, true},
        {rrWords(10, kLabelMark), "a.rr", nullptr, false},
        {rrWords(5, 97) + rrWords(5, 120).substr(2), "a.dat", nullptr, false},  // half
        {rrWords(0, 0), "a.rr", nullptr, false},
        {"0       800\n", "a.txt", nullptr, false},  // a list, not an EDF header
        {"%PDF-report\r\n01.02.2024\r\n\r\nN  NN/10,x\r\n", "a.txt", nullptr, false},
        {"800\n810\n", "a.rr", nullptr, false},  // digits are SpO2 48..57
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " " + c.head.substr(0, 12));
        const ContentRefusal r = RefuseContent(c.head, DetectRecordingFormat(c.head, c.path));
        EXPECT_EQ(r.refused(), c.refused);
        EXPECT_STREQ(r.format ? r.format : "", c.format ? c.format : "");
    }
    const std::string dir = ::testing::TempDir();
    const std::pair<std::string, std::string> files[] = {
        {edfHeader(), "not a recording Trivant reads: a file in EDF format"},
        {rrWords(10, 105), "not a recording Trivant reads: SpO2 above 100 in 10 of 10 words"},
    };
    for (const auto& [bytes, why] : files) {
        std::ofstream(dir + "/x.rr", std::ios::binary) << bytes;
        auto rec = std::make_unique<Recording>();
        EXPECT_EQ(ReadRecordingFile(dir + "/x.rr", *rec), dir + "/x.rr: " + why);
        EXPECT_EQ(rec->CurrentFileLen, 0);
    }
}

std::string fileText(const std::string& name) {
    std::ifstream in(std::string(TRIVANT_TEST_DATA) + "/lists/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Exports of one real recording in several tools' layouts read as import-ms reads the list.
TEST(RecordingFormat, ExportsLoadAsTheImportedList) {
    auto want = std::make_unique<Recording>();
    MsListError err;
    ASSERT_TRUE(ParseMsList(fileText("real_rri_polar.txt"), *want, err));
    ASSERT_EQ(want->beats(), 771);
    const std::pair<const char*, F> files[] = {
        {"real_rri_polar.txt", F::MsList},      {"real_rri_rr.csv", F::Csv},
        {"real_rri_kubios.txt", F::Csv},        {"real_rri_hrv_logger.csv", F::Csv},
        {"real_rri_sensor_logger.csv", F::Csv},
    };
    for (const auto& [name, format] : files) {
        auto rec = std::make_unique<Recording>();
        const RecordingLoad load =
            LoadRecordingFile(std::string(TRIVANT_TEST_DATA) + "/lists/" + name, *rec);
        ASSERT_TRUE(load.status.ok) << name << ": " << load.status.detail;
        EXPECT_EQ(load.format, format) << name;
        EXPECT_EQ(EncodeRr(*rec), EncodeRr(*want)) << name;
        EXPECT_EQ(rec->ExactUs, want->ExactUs) << name;  // seconds too, to the microsecond
    }
}

TEST(RecordingFormat, ListFailuresNameTheLineAsImportMsDoes) {
    const std::string dir = ::testing::TempDir();
    const std::pair<std::string, std::string> cases[] = {
        {"800\nfast\n", ":2: not a number: 'fast'"},
        {"RR;SpO2\n800;97\n3000;97\n", ":3: RR interval out of range 0..2550 ms: 3000"},
        {"what\n", ": not a recording"},
        {"RR_ms;SpO2;label\n800;;0\n800;x;Rest\n", ":3: not a number: 'x'"},
    };
    for (const auto& [text, tail] : cases) {
        const std::string path = dir + "/list.dat";
        std::ofstream(path, std::ios::binary) << text;
        auto rec = std::make_unique<Recording>();
        const std::string msg = ReadRecordingFile(path, *rec);
        EXPECT_EQ(msg.rfind(path + tail, 0), 0u) << msg;
        EXPECT_EQ(rec->CurrentFileLen, 0) << text;  // left as it was
    }
}

}  // namespace
}  // namespace trivant

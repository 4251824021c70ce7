// trivant-cli artifacts and correct: the flagged beats of a series with known artifacts, and
// the corrected recording's CSV read back with its edits, its deleted rows skipped.
#include "cli_fixture.h"

#include "artifacts_command.h"
#include "beat_edit.h"
#include "number_text.h"
#include "recording_io.h"
#include "rr_csv.h"

#include <cmath>

namespace trivant::test {
namespace {

// A smooth series of 360 beats (ms) with one artifact of each kind, 60 beats apart.
struct Injected {
    std::vector<double> cleanMs, rrMs;
    std::map<int, std::string> kinds;  // by the 1-based position of the interval
};

Injected injected() {
    Injected s;
    for (int i = 0; i < 360; ++i)
        s.cleanMs.push_back(std::round(800 + 40 * std::sin(2 * M_PI * i / 12.0) +
                                       15 * std::sin(2 * M_PI * i / 50.0)));
    std::vector<double>& rr = s.rrMs = s.cleanMs;
    rr[59] += rr[60];  // missed: two intervals as one
    rr.erase(rr.begin() + 60);
    rr.insert(rr.begin() + 120, rr[119] - std::round(rr[119] * 0.45));  // extra: one as two
    rr[119] = std::round(rr[119] * 0.45);
    rr[179] -= 250;  // ectopic: early, then a compensatory pause
    rr[180] += 250;
    rr[239] += 350;
    rr[299] -= 300;
    s.kinds = {{60, "missed"}, {120, "extra"}, {180, "ectopic"}, {240, "long"}, {300, "short"}};
    return s;
}

std::string listText(const std::vector<double>& rr) {
    std::string text = "RR_ms;SpO2;label\n";
    for (double v : rr)
        text += NumberText(v) + ";;0\n";
    return text;
}

struct Row {
    int beat;
    double timeS;
    std::string type;
    double rrMs;
};

std::vector<Row> csvRows(std::string out) {
    EXPECT_EQ(out.rfind("beat,time_s,type,rr_ms\n", 0), 0u);
    std::replace(out.begin(), out.end(), ',', ' ');
    std::istringstream in(out.substr(out.find('\n') + 1));
    std::vector<Row> rows;
    for (Row r; in >> r.beat >> r.timeS >> r.type >> r.rrMs;)
        rows.push_back(r);
    EXPECT_TRUE(in.eof());
    return rows;
}

std::unique_ptr<Recording> readCsv(const std::string& text) {
    auto rec = std::make_unique<Recording>();
    MsListError err;
    EXPECT_TRUE(ParseRrList(text, *rec, err)) << err.message;
    return rec;
}

// Each row tells its beat's start and interval as the input has them, a missed or extra beat
// named as what it is.
TEST_F(CliTest, ArtifactsListsTheInjectedBeats) {
    const Injected s = injected();
    dir.write("in.csv", listText(s.rrMs));
    for (const std::string choice : {"auto", "150"}) {
        SCOPED_TRACE(choice);
        const CliRun r = run({"artifacts", "in.csv", "--csv", "--artifacts", choice});
        ASSERT_EQ(r.status, kExitOk) << r.err;
        const std::vector<Row> rows = csvRows(r.out);
        std::map<int, std::string> types;
        double start = 0;
        int beat = 1;
        for (const Row& row : rows) {
            ASSERT_TRUE(row.beat >= beat && row.beat <= static_cast<int>(s.rrMs.size()));
            for (; beat < row.beat; ++beat)
                start += s.rrMs[static_cast<size_t>(beat) - 1];
            EXPECT_NEAR(row.timeS, start / 1000, 5e-4) << row.beat;
            EXPECT_EQ(row.rrMs, s.rrMs[static_cast<size_t>(row.beat) - 1]);
            EXPECT_EQ(row.type == "threshold", choice != "auto") << row.type;
            types[row.beat] = row.type;
        }
        if (choice == "auto") {
            EXPECT_EQ(types[60], "missed");
            EXPECT_EQ(types[120], "extra");
        }
    }
}

// The corrected CSV reads back with its edits: the analysis counts its live rows only, the
// originals are the intervals as recorded, and it writes again byte for byte.
TEST_F(CliTest, CorrectWritesTheEditsItMade) {
    const Injected s = injected();
    dir.write("in.csv", listText(s.rrMs));
    for (const char* choice : {"auto", "150"}) {
        SCOPED_TRACE(choice);
        const CliRun r = run({"correct", "in.csv", "out.csv", "--artifacts", choice});
        ASSERT_EQ(r.status, kExitOk) << r.err;
        const auto rec = readCsv(dir.read("out.csv"));
        const int edited = EditedBeats(*rec);
        EXPECT_GE(edited, static_cast<int>(s.kinds.size()));
        EXPECT_EQ(r.out.rfind("out.csv: " + std::to_string(edited) + " beats edited", 0), 0u)
            << r.out;
        const CliRun whole = run({"analyze", "--long", "--csv", "out.csv"});
        ASSERT_EQ(whole.status, kExitOk) << whole.err;
        EXPECT_NE(whole.out.find("," + std::to_string(rec->beats()) + ","), std::string::npos)
            << whole.out;
        if (std::string(choice) != "auto") {
            // Interpolation only: every row in place, its original the input's interval.
            ASSERT_EQ(rec->beats(), static_cast<int>(s.rrMs.size()));
            EXPECT_TRUE(rec->DeletedBeats.empty());
            for (int k = 1; k <= rec->beats(); ++k)
                if (rec->beatEdit(k) != BeatEdit::None) {
                    EXPECT_EQ(rec->beatEdit(k), BeatEdit::Interpolated);
                    EXPECT_EQ(rec->originalUs(k), std::llround(s.rrMs[k - 1] * 1000));
                }
        } else {
            // The extra beat deleted, the missed one inserted: beat for beat the series
            // before the artifacts, within what interpolation misses.
            EXPECT_FALSE(rec->DeletedBeats.empty());
            ASSERT_EQ(rec->beats(), static_cast<int>(s.cleanMs.size()));
            for (int k = 1; k <= rec->beats(); ++k)
                EXPECT_NEAR(rec->intervalUs(k) / 1000.0, s.cleanMs[k - 1], 60) << k;
        }
        ASSERT_EQ(run({"convert", "out.csv", "again.csv"}).status, kExitOk);
        EXPECT_EQ(dir.read("again.csv"), dir.read("out.csv"));
        const CliRun after = run({"artifacts", "out.csv", "--csv", "--artifacts", choice});
        EXPECT_LT(csvRows(after.out).size(),
                  csvRows(run({"artifacts", "in.csv", "--csv", "--artifacts", choice}).out).size());
    }
}

// An ECG record's corrected CSV keeps the record's samples beside the edits: inserted beats
// get theirs, deleted ones keep theirs where they lay, and it writes again byte for byte.
TEST_F(CliTest, CorrectKeepsTheEcgSamples) {
    // The detector's beats in noise: beats both missed and extra to correct.
    const std::string record = std::string(TRIVANT_TEST_DATA) + "/ecg/118e12.hea";
    const CliRun r = run({"correct", record, "out.csv"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    auto rec = std::make_unique<Recording>();
    ASSERT_EQ(LoadRecording(dir.file("out.csv"), CoreSettings{}, *rec), "");
    ASSERT_TRUE(rec->hasEcg());
    EXPECT_FALSE(rec->DeletedBeats.empty());
    int inserted = 0;
    for (int k = 1; k <= rec->beats(); ++k) {
        inserted += rec->beatEdit(k) == BeatEdit::Inserted;
        EXPECT_GT(rec->BeatSamples[k], rec->BeatSamples[k - 1]) << k;
    }
    EXPECT_GT(inserted, 0);
    for (const auto& [k, beats] : rec->DeletedBeats)
        for (const DeletedBeat& d : beats) {
            EXPECT_GT(d.sample, rec->BeatSamples[k - 1]) << k;
            EXPECT_LT(d.sample, rec->BeatSamples[k]) << k;
        }
    const CliRun beats = run({"beats", "out.csv"});
    EXPECT_EQ(std::count(beats.out.begin(), beats.out.end(), '\n'), rec->beats() + 2);
    ASSERT_EQ(run({"convert", "out.csv", "again.csv"}).status, kExitOk);
    EXPECT_EQ(dir.read("again.csv"), dir.read("out.csv"));
}

TEST_F(CliTest, ArtifactsTableAndUsage) {
    dir.write("in.csv", "RR_ms;SpO2;label\n800;;0\n812.4;;0\n1600;;0\n790;;0\n");
    auto rec = readCsv(dir.read("in.csv"));
    rec->PrepareData(CoreSettings{});
    const std::vector<FlaggedBeat> flagged = {{2, BeatClass::Normal}, {3, BeatClass::Missed}};
    EXPECT_EQ(FlaggedBeatsText(*rec, flagged, true),
              "beat,time_s,type,rr_ms\n2,0.800,threshold,812.4\n3,1.612,missed,1600\n");
    EXPECT_EQ(FlaggedBeatsText(*rec, flagged, false),
              "    beat        time_s  type            rr_ms\n"
              "       2         0.800  threshold       812.4\n"
              "       3         1.612  missed           1600\n"
              "2 of 4 beats flagged\n");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"artifacts", "in.csv", "--artifacts", "often"},
          {"correct", "in.csv", "out.rr"},
          {"correct", "in.csv"},
          {"artifacts", "in.csv", "--json"}})
        EXPECT_EQ(run(args).status, kExitUsage) << args.back();
    EXPECT_EQ(run({"artifacts", "missing.csv"}).status, kExitBadInput);
}

}  // namespace
}  // namespace trivant::test

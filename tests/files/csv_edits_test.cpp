// The review's edits in Trivant's CSV: an edited recording comes back with every edit, its
// originals and its deleted beats; a file that misstates them is refused or read safely.
#include "beat_edit.h"
#include "recording_builder.h"
#include "rr_csv.h"
#include "rr_file.h"
#include "text_file.h"
#include "trivant_csv.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

std::unique_ptr<Recording> read(const std::string& text) {
    auto rec = std::make_unique<Recording>();
    MsListError err;
    EXPECT_TRUE(ParseRrList(text, *rec, err)) << text << ": " << err.message;
    rec->PrepareData(CoreSettings{});
    return rec;
}

DeletedBeat deleted(int32_t us, int64_t sample = -1, bool label = false, std::string name = {},
                    int32_t originalUs = -1, uint8_t spo = 0) {
    DeletedBeat d;
    d.us = us;
    d.originalUs = originalUs;
    d.word = packSample(static_cast<uint8_t>(RoundUsTo10Ms(us)), label ? kLabelMark : spo);
    d.labelSpO2 = label && spo ? spo : kLabelMark;
    d.name = std::move(name);
    d.sample = sample;
    return d;
}

// Edits set as the review leaves them: by position, on a recording read from csv.
struct Edited {
    std::string csv;
    std::map<int, std::pair<BeatEdit, int32_t>> edits;  // edit and original by position
    std::map<int, std::vector<DeletedBeat>> deletedBefore;
};

std::unique_ptr<Recording> edited(const Edited& c) {
    auto rec = read(c.csv);
    rec->BeatEdits.assign(static_cast<size_t>(rec->beats()) + 1, BeatEdit::None);
    rec->OriginalUs.assign(static_cast<size_t>(rec->beats()) + 1, -1);
    for (const auto& [k, e] : c.edits) {
        rec->BeatEdits[static_cast<size_t>(k)] = e.first;
        rec->OriginalUs[static_cast<size_t>(k)] = e.second;
    }
    rec->DeletedBeats = c.deletedBefore;
    return rec;
}

const char* const kEcg = "# source: r.hea\n# channel: II\nRR_ms;SpO2;label;sample\n"
                         "800;;0;400\n405.5;;Сон;603\n404.5;;0;805\n1610;;1;1610\n790;;0;2005\n";

// Every kind of edit, labels on edited and deleted beats, with and without the ECG column:
// written, read back and written again, the same edits and the same bytes.
TEST(CsvEdits, RoundTripsEveryEdit) {
    const std::vector<Edited> cases = {
        {kEcg,
         {{2, {BeatEdit::Inserted, -1}},
          {3, {BeatEdit::Inserted, 810000}},
          {4, {BeatEdit::Moved, 1600000}},
          {5, {BeatEdit::Interpolated, 400000}}},
         {{1, {deleted(300000, 150)}},
          {4, {deleted(800000, 1205, true, "a;\"b\"", 795000), deleted(10000, 1210)}}}},
        {"RR_ms;SpO2;label\n812.5;97;0\n790;96;1\n1600;95;0\n",
         {{3, {BeatEdit::Interpolated, 1650000}}, {1, {BeatEdit::None, 800000}}},
         {{2, {deleted(400000, -1, true, "", -1, 93)}}, {3, {deleted(5000, -1, false, "", 1)}}}},
        {"RR_ms;SpO2;label\n800;;0\n810;;0\n", {}, {{2, {deleted(0), deleted(2550000)}}}},
        {"RR_ms;SpO2;label\n800;;0\n810;;0\n", {{1, {BeatEdit::Interpolated, -1}}}, {}},
    };
    for (const Edited& c : cases) {
        const auto first = edited(c);
        const std::string csv = FormatTrivantCsv(*first);
        SCOPED_TRACE(csv);
        const auto again = read(csv);
        EXPECT_EQ(again->BeatEdits, first->BeatEdits);
        EXPECT_EQ(again->OriginalUs, first->OriginalUs);
        EXPECT_EQ(again->DeletedBeats, first->DeletedBeats);
        EXPECT_EQ(again->ExactUs, first->ExactUs);
        EXPECT_EQ(EncodeRr(*again), EncodeRr(*first));
        EXPECT_EQ(again->LabelNames, first->LabelNames);
        EXPECT_EQ(again->BeatSamples, first->BeatSamples);
        EXPECT_EQ(FormatTrivantCsv(*again), csv);
    }
}

TEST(CsvEdits, WritesTheColumnsAndDeletedRows) {
    auto rec = edited(
        {kEcg, {{3, {BeatEdit::Inserted, 810000}}}, {{3, {deleted(20000, 700, true, "x")}}}});
    EXPECT_EQ(FormatTrivantCsv(*rec),
              "# source: r.hea\n# channel: II\nRR_ms;SpO2;label;sample;edit;original_ms\n"
              "800;;0;400;;\n405.5;;Сон;603;;\n20;;x;700;deleted;\n404.5;;0;805;inserted;810\n"
              "1610;;1;1610;;\n790;;0;2005;;\n");
}

// Edits all undone leave the file as it was before any: no columns, the same bytes.
TEST(CsvEdits, UndoneEditsWriteTheFileAsBefore) {
    const std::string plain = "RR_ms;SpO2;label\n800;97;0\n810;96;Rest\n";
    auto rec = edited({plain, {}, {{2, {}}}});
    EXPECT_EQ(FormatTrivantCsv(*rec), plain);
    // And a header with the columns but nothing in them reads as no edits.
    rec = read("RR_ms;SpO2;label;edit;original_ms\n800;97;0;;\n810;96;Rest;;\n");
    EXPECT_TRUE(rec->BeatEdits.empty() && rec->OriginalUs.empty() && rec->DeletedBeats.empty());
    EXPECT_EQ(FormatTrivantCsv(*rec), plain);
}

// What a hand-edited file may misstate: refused with the line and the reason, or read with
// the part that can't hold dropped: a deleted beat's sample outside the live beats around it,
// or all of them when the table's samples don't make an ECG link.
TEST(CsvEdits, RefusesOrSafelyReadsHostileEdits) {
    const std::string plain = "RR_ms;SpO2;label;edit;original_ms\n";
    const std::string ecg = "# source: r.hea\nRR_ms;SpO2;label;sample;edit;original_ms\n";
    const struct {
        std::string text;
        int line;  // -1: read; 0: refused, not tied to a line
        const char* message;
        std::vector<int64_t> kept;  // read: the deleted beats' samples, the live beats 2
    } cases[] = {
        {plain + "800;;0;;\n810;;0;squashed;\n", 3, "unknown edit 'squashed'", {}},
        {plain + "800;;0;moved;2600\n", 2, "original interval out of range", {}},
        {plain + "800;;0;moved;x\n", 2, "original interval out of range", {}},
        {plain + "800;;0;;\n2600;;0;deleted;\n810;;0;;\n", 3, "RR interval out of range", {}},
        {plain + "800;;0;;\n810;;0;deleted;\n", 0, "a deleted beat ends the table", {}},
        {plain + "800;;0;deleted;\n", 0, "a deleted beat ends the table", {}},
        {plain + "800;;0;DELETED;\n810;;0;;\n", 2, "unknown edit", {}},
        {plain + "800;;0\n810;;0;moved\n", -1, "", {}},
        {plain + "800;;0;;790\n", -1, "", {}},  // an interval a neighbour's edit changed
        {ecg + "800;;0;400;;\n5;;0;401;deleted;\n5;;0;402;deleted;\n790;;0;805;;\n",
         -1,
         "",
         {401, 402}},
        {ecg + "800;;0;400;;\n5;;0;402;deleted;\n5;;0;401;deleted;\n790;;0;805;;\n",
         -1,
         "",
         {402, -1}},
        {ecg + "800;;0;400;;\n5;;0;400;deleted;\n5;;0;805;deleted;\n790;;0;805;;\n",
         -1,
         "",
         {-1, -1}},
        {ecg + "5;;0;7;deleted;\n800;;0;400;;\n790;;0;805;;\n", -1, "", {7}},
        {ecg + "800;;0;400;;\n5;;0;;deleted;\n790;;0;805;;\n", -1, "", {-1}},
        {ecg + "800;;0;400;;\n5;;0;500;deleted;\n790;;0;300;;\n", -1, "", {-1}},  // no ECG link
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Recording rec;
        MsListError err;
        const bool ok = ParseRrList(c.text, rec, err);
        ASSERT_EQ(ok, c.line < 0);
        if (!ok) {
            EXPECT_EQ(err.line, c.line);
            EXPECT_NE(err.message.find(c.message), std::string::npos) << err.message;
            continue;
        }
        rec.PrepareData(CoreSettings{});
        std::vector<int64_t> samples;
        for (const auto& [k, beats] : rec.DeletedBeats)
            for (const DeletedBeat& d : beats)
                samples.push_back(d.sample);
        EXPECT_EQ(samples, c.kept);
        EXPECT_TRUE(c.kept.empty() || (rec.DeletedBeats.size() == 1 && rec.beats() == 2));
    }
}

// The review's own edits on a .rr recording: .rr and text write the reviewed intervals
// rounded.
TEST(CsvEdits, SavesReviewedIntervals) {
    auto rec = test::buildRecording(
        {{81, 97}, {80, 0, true}, {40, 95}, {42, 94}, {82, 93}, {160, 92}, {80, 91}, {79, 90}});
    rec->PrepareData(CoreSettings{});
    auto edit = [&](const std::optional<BeatChange>& change) {
        ASSERT_TRUE(change);
        Apply(*rec, *change);
        rec->PrepareData(CoreSettings{});
    };
    edit(InsertBeat(*rec, 6));
    edit(DeleteBeat(*rec, 3));
    edit(DeleteBeat(*rec, 2));
    edit(SetInterval(*rec, 1, 812345));
    edit(InsertBeat(*rec, 4, 405005));
    ASSERT_EQ(EditedBeats(*rec), 5);
    EXPECT_EQ(rec->RoundedIntervals(), 3);  // 812.345, 405.005 and the rest of its interval
    Recording rr, text;
    DecodeRr(EncodeRr(*rec), rr);
    ParseTextFile(FormatTextFile(*rec, "x", "01.01.26"), text);
    for (Recording* saved : {&rr, &text}) {
        ASSERT_EQ(saved->beats(), rec->beats());
        for (int k = 1; k <= rec->beats(); ++k)
            EXPECT_EQ(sampleRR(saved->DataBuf[size_t(k)]), RoundUsTo10Ms(rec->intervalUs(k))) << k;
    }
}

}  // namespace
}  // namespace trivant

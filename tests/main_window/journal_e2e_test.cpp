// End to end: trivant-sim plays a real recording at 50x, the application dies in the middle
// of the recording, and the next start recovers from the journal an unbroken run of the
// source, without a beat made up or doubled, that lacks at most the last second of beats.
//
// The application dies in this process: at the moment of the kill the test takes the
// journal as the file system holds it, which is all a SIGKILL leaves, then abandons the
// window without closing it and puts that copy back for the next start.
#include "app_fixture.h"
#include "journal_test_kit.h"
#include "sim_session.h"
#include "source_run.h"

#include <chrono>
#include <fstream>

namespace trivant::test {
namespace {

using Clock = std::chrono::steady_clock;

// The whole words of a journal's bytes, past the header.
std::string wholeWords(const std::string& bytes) {
    return bytes.substr(0, bytes.size() - (bytes.size() % 2));
}

TEST(JournalEndToEnd, KilledMidRecordingThenRecoveredAndSaved) {
    const std::vector<MsEntry> source = ReadSource(kSimSource);
    ASSERT_FALSE(source.empty());
    SimSession session({"--ms", kSimSource, "--speed", "50", "--loop"},
                       std::make_unique<ScriptedRunner>());
    RecordingWindow* g = session.startRecording();
    ASSERT_NE(g, nullptr);
    const std::string journal = g->journalPath();
    ASSERT_FALSE(journal.empty());

    std::vector<std::pair<Clock::time_point, int>> seen;  // beats in the window, by wall time
    ASSERT_TRUE(PumpUntil(
        [&] {
            seen.emplace_back(Clock::now(), g->recording().beats());
            return g->recording().beats() >= 300;
        },
        60));
    const Clock::time_point killedAt = Clock::now();
    const std::string left = wholeWords(fileBytes(journal));
    const Recording& live = g->recording();
    ASSERT_TRUE(IsRunOfTheSource(live, source));
    const int words = int(left.size() - kRrHeaderBytes) / 2;
    ASSERT_LE(words, live.CurrentFileLen);
    // Word k is beat k of the recording: nothing made up, doubled or skipped.
    for (int k = 1; k <= words; ++k) {
        const auto low = uint8_t(left[size_t(2 * k)]), rr = uint8_t(left[size_t(2 * k + 1)]);
        ASSERT_EQ(rr, live.at(kSerRR, k)) << "word " << k;
        ASSERT_EQ(low, live.at(kSerSPO, k)) << "word " << k;
    }
    // Every beat the window had a second before the kill is on disk.
    int secondBefore = 0;
    for (const auto& [when, beats] : seen)
        if (when <= killedAt - std::chrono::seconds(1))
            secondBefore = beats;
    EXPECT_GE(words, secondBefore);
    ::testing::Test::RecordProperty("beats_missing_at_kill", live.beats() - words);

    session.form.reset();  // abandoned, never closed
    std::ofstream(journal, std::ios::binary | std::ios::trunc) << left;

    auto runner = std::make_unique<ScriptedRunner>();
    ScriptedRunner& answers = *runner;
    MainWindow again(std::make_unique<FakePortLayer>(), std::move(runner),
                     session.dir.path().string());
    again.show();
    QString question;
    answers.answers.push_back(message(kMsgOk, &question));  // "Восстановить"
    again.RecoverJournals();
    EXPECT_TRUE(question.contains(QString(": %1 удар").arg(words))) << question.toStdString();
    RecordingWindow* r = again.activeGraph();
    ASSERT_NE(r, nullptr);
    EXPECT_FALSE(r->saved());
    EXPECT_EQ(r->recording().beats(), words);
    const std::string saved = left + std::string(2, '\0');  // and the empty slot after them
    EXPECT_EQ(EncodeRr(r->recording()), saved);
    EXPECT_TRUE(IsRunOfTheSource(r->recording(), source));

    const std::string out = (session.dir.path() / "recovered.rr").string();
    answers.answers.push_back(file(out, 1));
    ASSERT_TRUE(again.SaveGraph(*r));
    EXPECT_EQ(fileBytes(out), saved);
    EXPECT_FALSE(std::filesystem::exists(journal));
    again.close();
}

}  // namespace
}  // namespace trivant::test

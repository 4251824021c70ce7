// End to end over a pseudo-terminal: trivant-sim plays a real recording fast; the
// application connects by itself, records with a label, saves, and opens the file again.
#include "app_fixture.h"
#include "recording_window.h"
#include "sim_session.h"
#include "source_run.h"

#include <gtest/gtest.h>

#include <chrono>

namespace trivant::test {
namespace {

TEST(AppEndToEnd, RecordLabelSaveAndReopen) {
    constexpr int kBeats = 200;
    auto runner = std::make_unique<ScriptedRunner>();
    ScriptedRunner* answers = runner.get();
    SimSession session({"--ms", kSimSource, "--beats", std::to_string(kBeats), "--speed", "50"},
                       std::move(runner));
    const std::string path = session.dir.file("rec.rr");
    RecordingWindow* g = session.startRecording();
    ASSERT_NE(g, nullptr);
    MainWindow& form = *session.form;
    ASSERT_TRUE(PumpUntil([&] { return g->recording().beats() >= 50; }, 30));
    const int labelled = g->recording().CurrentFileLen;
    form.N_Label->trigger();
    ASSERT_TRUE(PumpUntil([&] { return g->recording().beats() >= kBeats; }, 30));
    form.TB_Stop->trigger();
    answers->answers.push_back(file(path, 1));
    form.TB_Save->trigger();
    ASSERT_TRUE(g->saved());

    RecordingWindow* again = form.OpenRecording(path, 1);
    ASSERT_NE(again, nullptr);
    const Recording& rec = again->recording();
    ASSERT_EQ(rec.beats(), kBeats);
    const std::vector<MsEntry> source = ReadSource(kSimSource);
    ASSERT_GE(source.size(), size_t(kBeats));
    for (int k = 1; k <= kBeats; ++k) {
        ASSERT_EQ(rec.at(kSerRR, k), RoundMsTo10(source[k - 1].ms)) << "beat " << k;
        ASSERT_EQ(rec.at(kSerLbl, k), k == labelled ? 1 : 0) << "beat " << k;
    }
    session.sim().signal(SIGTERM);
    EXPECT_EQ(session.sim().wait(std::chrono::seconds(10)), 0);
}

}  // namespace
}  // namespace trivant::test

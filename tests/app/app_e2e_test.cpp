// End to end over a pseudo-terminal: trivant-sim plays a real recording fast; the
// application connects by itself, records with a label, saves, and opens the file again.
#include "sim_session.h"
#include "source_run.h"
#include "tf_graph.h"

#include <QFileDialog>

#include <gtest/gtest.h>

#include <chrono>

namespace trivant::test {
namespace {

const std::string kSource = std::string(TRIVANT_TEST_DATA) + "/rr/rhenanbartels_hrv-08012805.txt";

struct SaveAs : DialogRunner {
    std::string path;
    int exec(QDialog& d) override {
        auto* f = dynamic_cast<QFileDialog*>(&d);
        if (!f)
            return QDialog::Rejected;
        f->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(f)->accept();  // QFileDialog's own accept is protected
        return f->result();
    }
};

TEST(AppEndToEnd, RecordLabelSaveAndReopen) {
    constexpr int kBeats = 200;
    auto runner = std::make_unique<SaveAs>();
    SaveAs* save = runner.get();
    SimSession session({"--ms", kSource, "--beats", std::to_string(kBeats), "--speed", "50"},
                       std::move(runner));
    save->path = session.dir.file("rec.rr");
    ASSERT_TRUE(session.connect());
    TForm1& form = *session.form;
    form.TB_Start->trigger();
    TFGraph* g = form.activeGraph();
    ASSERT_NE(g, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return g->recording().beats() >= 50; }, 30));
    const int labelled = g->recording().CurrentFileLen;
    form.N_Label->trigger();
    ASSERT_TRUE(PumpUntil([&] { return g->recording().beats() >= kBeats; }, 30));
    form.TB_Stop->trigger();
    form.TB_Save->trigger();
    ASSERT_TRUE(g->Saved);

    TFGraph* again = form.OpenRecording(save->path, 1);
    ASSERT_NE(again, nullptr);
    const Recording& rec = again->recording();
    ASSERT_EQ(rec.beats(), kBeats);
    const std::vector<MsEntry> source = ReadSource(kSource);
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

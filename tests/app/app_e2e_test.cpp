// End to end over a pseudo-terminal: trivant-sim plays a real recording fast; the
// application connects by itself, records with a label, saves, and opens the file again.
#include "child_process.h"
#include "ms_list.h"
#include "qt_port_layer.h"
#include "temp_dir.h"
#include "tf_graph.h"
#include "tform1.h"

#include <QFileDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

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

template <typename Done> bool pumpUntil(Done done, int seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        QTest::qWait(20);
    }
    return true;
}

TEST(AppEndToEnd, RecordLabelSaveAndReopen) {
    constexpr int kBeats = 200;
    TempDir dir;
    setenv("TRIVANT_PORT_DIR", (dir.path() / "ports").c_str(), 1);
    ChildProcess sim(TRIVANT_SIM,
                     {"--ms", kSource, "--beats", std::to_string(kBeats), "--speed", "50"},
                     dir.path().string());
    ASSERT_FALSE(sim.readLine().empty());

    auto runner = std::make_unique<SaveAs>();
    SaveAs* save = runner.get();
    save->path = dir.file("rec.rr");
    TForm1 form(std::make_unique<QtPortLayer>(), std::move(runner), dir.path().string());
    form.show();
    ASSERT_TRUE(pumpUntil(
        [&] {
            form.IdleHandler();
            return form.supervisor().DeviceConnected;
        },
        10));
    form.TB_Start->trigger();
    TFGraph* g = form.activeGraph();
    ASSERT_NE(g, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return g->recording().beats() >= 50; }, 30));
    const int labelled = g->recording().CurrentFileLen;
    form.N_Label->trigger();
    ASSERT_TRUE(pumpUntil([&] { return g->recording().beats() >= kBeats; }, 30));
    form.TB_Stop->trigger();
    form.TB_Save->trigger();
    ASSERT_TRUE(g->Saved);

    TFGraph* again = form.OpenRecording(save->path, 1);
    ASSERT_NE(again, nullptr);
    const Recording& rec = again->recording();
    ASSERT_EQ(rec.beats(), kBeats);
    std::string text;
    ASSERT_TRUE(ReadFileBytes(kSource, text, 1 << 20).ok);
    std::vector<MsEntry> source;
    MsListError err;
    ASSERT_TRUE(ParseMsLines(text, source, err, 100000));
    for (int k = 1; k <= kBeats; ++k) {
        ASSERT_EQ(rec.at(kSerRR, k), RoundMsTo10(source[k - 1].ms)) << "beat " << k;
        ASSERT_EQ(rec.at(kSerLbl, k), k == labelled ? 1 : 0) << "beat " << k;
    }
    sim.signal(SIGTERM);
    EXPECT_EQ(sim.wait(std::chrono::seconds(10)), 0);
    unsetenv("TRIVANT_PORT_DIR");
}

}  // namespace
}  // namespace trivant::test

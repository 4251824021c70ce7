// Long runs of the whole application, offscreen, reported with their figures. Not part of
// the CTest suite: make soak runs them on an optimised build.
//   CapacityRecording: 31999 beats from trivant-sim at 50 times real speed, with garbage
//     and status frames, until the recording is full.
//   IdleWithOpenRecording: the window with a full recording open does nothing for
//     SOAK_IDLE_SECONDS (600 by default).
#include "recording_window.h"
#include "rr_file.h"
#include "sim_session.h"
#include "source_run.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace trivant::test {
namespace {

long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Counts the messages and answers each as its default button would.
struct CountingRunner : DialogRunner {
    int exec(QDialog& d) override {
        if (auto* box = dynamic_cast<QMessageBox*>(&d))
            texts.push_back(box->text());
        else
            texts.push_back(d.windowTitle());
        return QDialog::Accepted;
    }
    QStringList texts;
};

TEST(Soak, CapacityRecording) {
    const std::vector<MsEntry> source = ReadSource(kSimSource);
    ASSERT_FALSE(source.empty());
    auto runner = std::make_unique<CountingRunner>();
    CountingRunner* messages = runner.get();
    SimSession session({"--ms", kSimSource, "--loop", "--speed", "50", "--garbage", "--status",
                        "1@500x3", "--status", "3@20000", "--status", "5@31000x2"},
                       std::move(runner));
    ASSERT_TRUE(session.form);
    session.form->setup().AutoStop = false;  // no five-minute stop: the capacity ends it
    RecordingWindow* g = session.startRecording();
    ASSERT_NE(g, nullptr);
    const double started = wallSeconds();
    ASSERT_TRUE(PumpUntil([&] { return g->recording().beats() >= 1000; }, 120, 50));
    const long rssAt1000 = residentKb();
    ASSERT_TRUE(PumpUntil([&] { return !g->recordingNow(); }, 1800, 50));
    const double took = wallSeconds() - started;
    QTest::qWait(1000);  // the stop's repaint and a few idle passes
    const long rssAfterStop = residentKb();

    const Recording& rec = g->recording();
    EXPECT_EQ(rec.beats(), kMaxBeats);
    EXPECT_TRUE(IsRunOfTheSource(rec, source));
    ASSERT_EQ(messages->texts.size(), 1) << messages->texts.join(" | ").toStdString();
    EXPECT_TRUE(messages->texts[0].startsWith(QString::fromUtf8(kCapacityMessage)));
    EXPECT_FALSE(g->saved());
    std::printf("soak: %d beats in %.0f s; resident %ld KB after 1000 beats, %ld KB after the "
                "stop (%+.1f %%)\n",
                rec.beats(), took, rssAt1000, rssAfterStop,
                100.0 * double(rssAfterStop - rssAt1000) / double(rssAt1000));
    EXPECT_LE(rssAfterStop, rssAt1000 * 11 / 10);
}

// A full recording as a .rr file, made from the looped source.
std::string writeFullRecording(const TempDir& dir, const std::vector<MsEntry>& source) {
    Recording rec;
    for (int k = 1; k <= kMaxBeats; ++k)
        rec.DataBuf[k] = packSample(uint8_t(RoundMsTo10(source[(k - 1) % source.size()].ms)), 97);
    rec.CurrentFileLen = kCapacity;
    const std::string path = dir.file("full.rr");
    return SaveDataFile(path, rec).ok ? path : std::string();
}

TEST(Soak, IdleWithOpenRecording) {
    const char* env = std::getenv("SOAK_IDLE_SECONDS");
    const int seconds = env ? std::atoi(env) : 600;
    auto runner = std::make_unique<CountingRunner>();
    SimSession session({"--ms", kSimSource, "--beats", "1"}, std::move(runner));
    ASSERT_TRUE(session.form);
    MainWindow& form = *session.form;
    form.show();
    const std::string path = writeFullRecording(session.dir, ReadSource(kSimSource));
    ASSERT_FALSE(path.empty());
    ASSERT_NE(form.OpenRecording(path, 1), nullptr);
    QTest::qWait(5000);  // settle: first paints, the port found and opened
    const long rssStart = residentKb();
    long rssMax = rssStart, rssMinute = 0;
    const double cpu0 = cpuSeconds(), wall0 = wallSeconds();
    // A plain event loop, as the application runs; QTest::qWait would poll every 10 ms.
    QEventLoop loop;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] {
        rssMax = std::max(rssMax, residentKb());
        if (rssMinute == 0 && wallSeconds() - wall0 >= 60)
            rssMinute = residentKb();
        if (wallSeconds() - wall0 >= seconds)
            loop.quit();
    });
    sample.start(1000);
    loop.exec();
    const double cpu = cpuSeconds() - cpu0, wall = wallSeconds() - wall0;
    const long rssEnd = residentKb();
    std::printf("idle: %.0f s, %.2f s of CPU (%.2f %%); resident %ld KB at the start, %ld KB "
                "after a minute, %ld KB at the end, %ld KB at most\n",
                wall, cpu, 100 * cpu / wall, rssStart, rssMinute, rssEnd, rssMax);
    EXPECT_LT(cpu / wall, 0.01);
    EXPECT_LE(rssEnd, rssStart + 512);  // page-level noise only
}

}  // namespace
}  // namespace trivant::test

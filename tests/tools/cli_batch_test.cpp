// trivant-cli analyze on several threads: the same bytes and order as on one, bad --jobs
// refused, and the count of files done only on a terminal.
#include "analyze_batch.h"
#include "analyze_command.h"
#include "cli_fixture.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trivant::test {
namespace {

class CliBatchTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        for (const auto& [in, out] : std::vector<std::pair<std::string, std::string>>{
                 {data("nsr2db-nsr009-31999.txt"), "big.rr"},
                 {data("pyhrv-series_1.txt"), "a.rr"},
                 {data("rhenanbartels_hrv-08012805.txt"), "ex.rr"},
                 {data("rhenanbartels_hrv-noisy_rri.txt"), "noisy.rr"},
                 {dir.write("short.txt", "200\n"), "short.rr"}})
            ASSERT_EQ(run({"import-ms", in, out}).status, kExitOk) << in;
    }
    // Large and small files, with failures between them.
    const std::vector<std::string> files{"big.rr", "a.rr",     "missing.rr", "short.rr",
                                         "ex.rr",  "noisy.rr", "big.rr",     "a.rr"};
};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(CliBatchTest, AnyNumberOfJobsWritesWhatOneWrites) {
    const std::vector<std::vector<std::string>> options{
        {"--json", "--start", "0"}, {"--csv", "--start", "0"}, {"--json", "--start", "600"}};
    for (const auto& opt : options) {
        const CliRun one = run(std::vector<std::string>{"analyze", "--jobs", "1"} + opt + files);
        EXPECT_EQ(one.status, kExitBadInput);
        EXPECT_NE(one.err.find("missing.rr"), std::string::npos);
        for (const char* jobs : {"2", "4", "8"}) {
            SCOPED_TRACE(opt[0] + " " + opt[2] + " --jobs " + jobs);
            const CliRun many =
                run(std::vector<std::string>{"analyze", "--jobs", jobs} + opt + files);
            EXPECT_EQ(many.status, one.status);
            EXPECT_EQ(many.out, one.out);
            EXPECT_EQ(many.err, one.err);
        }
    }
}

TEST_F(CliBatchTest, ResultsArriveInTheOrderOfTheFiles) {
    const trivant::Setup setup = [] {
        trivant::Setup s;
        ApplyDefaultValues(s);
        return s;
    }();
    for (int jobs : {1, 3, 8}) {
        SCOPED_TRACE(jobs);
        std::vector<std::size_t> order, done;
        std::string lines;
        BatchSink sink{[&](std::size_t i, const FileResult& r) {
                           order.push_back(i);
                           lines += (r.ok ? "" : "! ") +
                                    r.text.substr(0, r.text.find_first_of(",:")) + "\n";
                       },
                       [&](std::size_t n) { done.push_back(n); }};
        CliOptions csv;
        csv.csv = true;
        AnalyzeFiles(files, setup, 0, jobs, AnalyzeLine(csv), sink);
        EXPECT_EQ(lines, "big.rr\na.rr\n! missing.rr\n! short.rr\nex.rr\nnoisy.rr\nbig.rr\na.rr\n");
        const std::vector<std::size_t> oneToEight{1, 2, 3, 4, 5, 6, 7, 8};
        EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7}));
        EXPECT_EQ(done, oneToEight);
    }
}

TEST_F(CliBatchTest, RefusesABadNumberOfJobs) {
    for (const char* bad : {"0", "-1", "257", "x", "2.5", "", "1e3"}) {
        SCOPED_TRACE(bad);
        const CliRun r = run({"analyze", "a.rr", "--jobs", bad});
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find("--jobs takes a whole number from 1 to 256"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(run({"analyze", "a.rr", "--jobs=256"}).status, kExitOk);
    EXPECT_NE(run({"analyze", "a.rr", "--jobs"}).err.find("--jobs needs a value"),
              std::string::npos);
}

const std::vector<std::string> kSixGood{"a.rr", "ex.rr", "a.rr", "noisy.rr", "a.rr", "ex.rr"};

TEST_F(CliBatchTest, NoCountWhenStderrIsNotATerminal) {
    std::string cmd = std::string(TRIVANT_CLI) + " analyze --csv --jobs 2";
    for (const std::string& f : kSixGood)
        cmd += " " + f;
    ASSERT_EQ(std::system((cmd + " > out.csv 2> err.txt").c_str()), 0);
    EXPECT_EQ(dir.read("err.txt"), "");
    EXPECT_EQ(dir.read("out.csv"),
              run(std::vector<std::string>{"analyze", "--csv"} + kSixGood).out);
}

// Runs the tool with stderr on a pseudo-terminal and stdout in out.csv; returns what the
// terminal showed.
std::string stderrOnTerminal(const std::vector<std::string>& args) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return "no pseudo-terminal";
    // Opened before the fork, so the terminal has a reader's counterpart from the start.
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    std::vector<std::string> all = std::vector<std::string>{TRIVANT_CLI} + args;
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open("out.csv", O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(slave);
    std::string text;
    char buf[512];
    for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;)  // EIO once the child is gone
        text.append(buf, static_cast<size_t>(n));
    waitpid(pid, nullptr, 0);
    close(master);
    return text;
}

TEST_F(CliBatchTest, CountOnATerminalStaysAfterTheMessages) {
    const std::vector<std::string> files = kSixGood + std::vector<std::string>{"missing.rr"};
    const std::string shown =
        stderrOnTerminal(std::vector<std::string>{"analyze", "--csv", "--jobs", "2"} + files);
    const std::string end = "\ranalysed 7/7\r\n";  // the terminal turns \n into \r\n
    EXPECT_EQ(shown.rfind("\ranalysed 1/7", 0), 0u) << shown;
    EXPECT_NE(shown.find("\rtrivant-cli: missing.rr: "), std::string::npos) << shown;
    ASSERT_GE(shown.size(), end.size());
    EXPECT_EQ(shown.substr(shown.size() - end.size()), end) << shown;
    EXPECT_EQ(dir.read("out.csv"), run(std::vector<std::string>{"analyze", "--csv"} + files).out);
}

}  // namespace
}  // namespace trivant::test

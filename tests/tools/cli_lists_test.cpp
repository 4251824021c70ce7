// Lists and CSV exports in every command that reads a recording: what import-ms makes of the
// same list.
#include "cli_fixture.h"

namespace trivant::test {
namespace {

std::string listFile(const std::string& name) {
    return std::string(TRIVANT_TEST_DATA) + "/lists/" + name;
}

TEST_F(CliTest, ListsAndExportsReadAsTheirImport) {
    ASSERT_EQ(run({"import-ms", listFile("real_rri_polar.txt"), "want.rr"}).status, kExitOk);
    const std::string summary = run({"summary", "want.rr"}).out;
    const std::string analysis = run({"analyze", "want.rr"}).out;
    for (const char* name : {"real_rri_polar.txt", "real_rri_rr.csv", "real_rri_kubios.txt",
                             "real_rri_sensor_logger.csv", "real_rri_hrv_logger.csv"}) {
        SCOPED_TRACE(name);
        const std::string in = listFile(name);
        ASSERT_EQ(run({"convert", in, "got.rr"}).status, kExitOk);
        EXPECT_EQ(dir.read("got.rr"), dir.read("want.rr"));
        ASSERT_EQ(run({"import-ms", in, "imported.rr"}).status, kExitOk);
        EXPECT_EQ(dir.read("imported.rr"), dir.read("want.rr"));
        EXPECT_EQ(run({"summary", in}).out, summary);
        // The file's own name in the analysis is all that differs.
        const CliRun a = run({"analyze", in});
        ASSERT_EQ(a.status, kExitOk) << a.err;
        std::string out = a.out;
        const size_t at = out.find(in);
        ASSERT_NE(at, std::string::npos) << out;
        EXPECT_EQ(out.replace(at, in.size(), "want.rr"), analysis);
    }
}

TEST_F(CliTest, BadListInAnyCommandIsBadInputWithFileAndLine) {
    dir.write("export.csv", "time;RR\n1;800\n2;fast\n");
    dir.write("odd.dat", "hello\n");
    dir.write("scan.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"summary", "export.csv"}, "export.csv:3: not a number: 'fast'"},
        {{"convert", "export.csv", "out.rr"}, "export.csv:3: not a number: 'fast'"},
        {{"import-ms", "export.csv", "out.rr"}, "export.csv:3: not a number: 'fast'"},
        {{"summary", "odd.dat"}, "odd.dat: not a recording Trivant reads: neither"},
        {{"summary", "scan.png"}, "scan.png: not a recording Trivant reads: a file in PNG format"},
    };
    for (const auto& [args, msg] : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, kExitBadInput) << args[0];
        EXPECT_NE(r.err.find("trivant-cli: " + msg), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.rr")));
}

}  // namespace
}  // namespace trivant::test

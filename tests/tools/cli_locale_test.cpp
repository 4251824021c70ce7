// Every file and line trivant-cli reads or writes, under the Russian locale that a
// QApplication takes from LC_ALL: the same bytes as under C, decimal points and all.
#include "cli_fixture.h"

#include "locale_scope.h"

#include <regex>

namespace trivant::test {
namespace {

struct LocaleCase {
    const char* what;
    std::vector<std::string> args;
    const char* file;  // the output to compare besides stdout and stderr; "" for none
};

std::string strapLog() {
    return std::string(TRIVANT_TEST_DATA) + "/../../examples/strap/polar-noisy.log";
}

const std::vector<LocaleCase>& cases() {
    static const std::vector<LocaleCase> table = {
        {"list read, Trivant CSV written", {"convert", "exact.txt", "exact.csv"}, "exact.csv"},
        {"Trivant CSV read", {"convert", "exact.csv", "again.csv"}, "again.csv"},
        {"report CSV, a threshold in ms",
         {"analyze", "--csv", "--artifacts", "250.5", "exact.txt"},
         ""},
        {"analyze JSON", {"analyze", "--json", "--standard", "exact.txt"}, ""},
        {"trend CSV", {"trend", "--window", "60", "--step", "45", "exact.csv"}, ""},
        {"trend JSON", {"trend", "--json", "--window", "60", "exact.csv"}, ""},
        {"stage CSV", {"stages", "staged.csv"}, ""},
        {"strap log replayed",
         {"record", "--ble-replay", strapLog(), "--seconds", "100.5", "strap.csv"},
         "strap.csv"},
        {"exact CSV to text", {"convert", "strap.csv", "strap.txt"}, "strap.txt"},
    };
    return table;
}

class CliLocaleTest : public CliTest {
protected:
    // Intervals with decimals, and stages that begin between whole seconds.
    void writeInputs() {
        std::string list, staged = "RR_ms;SpO2;label\n";
        for (int i = 0; i < 500; ++i) {
            const std::string ms = std::to_string(700 + i * 37 % 200) + "." +
                                   std::to_string(125 * (i % 8)).substr(0, 3);
            list += ms + "\n";
            staged += ms + ";;" + (i == 150 || i == 300 ? "1" : "0") + "\n";
        }
        dir.write("exact.txt", list);
        dir.write("staged.csv", staged);
    }
    // stdout, stderr and the file written, one after the other.
    std::string bytesOf(const LocaleCase& c) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, kExitOk) << c.what << ": " << r.err;
        return r.out + "\n--\n" + r.err + "\n--\n" + (*c.file ? dir.read(c.file) : "");
    }
};

TEST_F(CliLocaleTest, RussianLocaleWritesAndReadsWhatCDoes) {
    writeInputs();
    std::vector<std::string> c;
    {
        LocaleScope locale("C");
        for (const LocaleCase& k : cases()) {
            c.push_back(bytesOf(k));
            EXPECT_TRUE(std::regex_search(c.back(), std::regex("[0-9]\\.[0-9]"))) << k.what;
        }
    }
    LocaleScope russian(kRussianLocale);
    if (!russian.ok())
        GTEST_SKIP() << kRussianLocale << " is not installed";
    ASSERT_EQ(LocaleScope::decimalPoint(), ",");  // the locale would write decimal commas
    for (std::size_t i = 0; i < cases().size(); ++i)
        EXPECT_EQ(bytesOf(cases()[i]), c[i]) << cases()[i].what;
}

}  // namespace
}  // namespace trivant::test

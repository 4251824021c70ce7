// trivant-cli render: a recording window into a PNG without a display.
#include "cli_fixture.h"

#include <QImage>

namespace trivant::test {
namespace {

TEST_F(CliTest, RenderDrawsTheWindowAtTheGivenSize) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "rec.rr"}).status, kExitOk);
    const CliRun r = run({"render", "rec.rr", "out.png", "--size", "900x600", "--point", "300",
                          "--zoom", "2", "--xpos", "100"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    QImage img(QString::fromStdString(dir.file("out.png")));
    ASSERT_EQ(img.size(), QSize(900, 600));
    int black = 0, blue = 0;  // the rhythmogram in the upper panel, histogram bars top right
    for (int x = 100; x < 890; ++x)
        for (int y = 200; y < 380; ++y)
            black += QColor(img.pixel(x, y)) == Qt::black;
    for (int x = 460; x < 890; ++x)
        for (int y = 10; y < 150; ++y)
            blue += QColor(img.pixel(x, y)) == QColor(0, 0, 255);
    EXPECT_GT(black, 200);
    EXPECT_GT(blue, 100);
}

// The picture speaks the interface language, chosen as the application chooses it: Russian
// for ru, C or no locale, English for any other language; TRIVANT_LANG first.
TEST_F(CliTest, PicturesFollowTheInterfaceLanguage) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "rec.rr"}).status, kExitOk);
    const std::pair<const char*, bool> envs[] = {{"TRIVANT_LANG=ru LANG=en_US.UTF-8", false},
                                                 {"TRIVANT_LANG=en", true},
                                                 {"LANG=C", false},
                                                 {"LANG=ru_RU.UTF-8", false},
                                                 {"LANG=en_US.UTF-8", true},
                                                 {"LC_ALL=de_DE.UTF-8", true}};
    std::string russian, english;
    for (const auto& [env, isEnglish] : envs) {
        const std::string cmd = std::string("env -u TRIVANT_LANG -u LANG -u LC_ALL -u LANGUAGE ") +
                                "-u LC_MESSAGES " + env + " " + TRIVANT_CLI +
                                " render rec.rr out.png --point 300 > /dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << env;
        std::string& first = isEnglish ? english : russian;
        if (first.empty())
            first = dir.read("out.png");
        EXPECT_EQ(dir.read("out.png"), first) << env;
    }
    EXPECT_NE(russian, english);
}

TEST_F(CliTest, RenderRejectsBadRequests) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "rec.rr"}).status, kExitOk);
    EXPECT_EQ(run({"render", "rec.rr", "out.png", "--point", "5000"}).status, kExitBadInput);
    EXPECT_EQ(run({"render", "rec.rr", "out.png", "--zoom", "3"}).status, kExitUsage);
    EXPECT_EQ(run({"render", "rec.rr", "out.png", "--size", "100x100"}).status, kExitUsage);
    EXPECT_EQ(run({"render", "rec.rr", "out.jpg"}).status, kExitUsage);
    EXPECT_EQ(run({"render", "missing.rr", "out.png"}).status, kExitBadInput);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.png")));
}

}  // namespace
}  // namespace trivant::test

namespace trivant::test {
namespace {

// The page through pdftoppm, as a reader of the PDF file would see it.
QImage pdfPage(const TempDir& dir, const std::string& pdf) {
    const std::string cmd =
        "pdftoppm -r 30 -png -singlefile '" + dir.file(pdf) + "' '" + dir.file("page") + "'";
    if (std::system(cmd.c_str()) != 0)
        return {};
    return QImage(QString::fromStdString(dir.file("page.png")));
}

TEST_F(CliTest, PrintWritesOnePortraitOrLandscapePage) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "rec.rr"}).status, kExitOk);
    ASSERT_EQ(run({"print", "rec.rr", "p.pdf"}).status, kExitOk);
    ASSERT_EQ(run({"print", "rec.rr", "l.pdf", "--landscape", "--zoom", "2"}).status, kExitOk);
    const std::string pdf = dir.read("p.pdf");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    const QImage portrait = pdfPage(dir, "p.pdf");
    ASSERT_FALSE(portrait.isNull());
    EXPECT_GT(portrait.height(), portrait.width());
    const QImage landscape = pdfPage(dir, "l.pdf");
    ASSERT_FALSE(landscape.isNull());
    EXPECT_GT(landscape.width(), landscape.height());
    int dark = 0;  // the traces and texts are on the page
    for (int y = 0; y < portrait.height(); ++y)
        for (int x = 0; x < portrait.width(); ++x)
            dark += qGray(portrait.pixel(x, y)) < 128;
    EXPECT_GT(dark, 200);
    EXPECT_EQ(run({"print", "rec.rr", "p.png"}).status, kExitUsage);
}

}  // namespace
}  // namespace trivant::test

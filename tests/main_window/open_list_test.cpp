// RR lists and CSV exports through the open command: the recording import-ms makes of the
// list, opened unsaved; a bad line told in one message.
#include "app_fixture.h"

#include "ms_list.h"

#include <QMdiArea>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace trivant::test {
namespace {

std::string listFile(const std::string& name) {
    return std::string(TRIVANT_TEST_DATA) + "/lists/" + name;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(AppTest, ListsOpenAsTheirImportWhateverTheFilter) {
    start();
    auto want = std::make_unique<Recording>();
    MsListError err;
    ASSERT_TRUE(ParseMsList(fileText(listFile("real_rri_polar.txt")), *want, err));
    // Every recording, .rr, text, lists, any file: the dialog's filters in their order.
    const std::pair<const char*, int> opens[] = {{"real_rri_polar.txt", 4},
                                                 {"real_rri_rr.csv", 6},
                                                 {"real_rri_kubios.txt", 3},
                                                 {"real_rri_sensor_logger.csv", 2}};
    int stored = form->setup().OpenFilterIndex;
    for (const auto& [name, filter] : opens) {
        SCOPED_TRACE(name);
        answer(file(listFile(name), filter));
        form->TB_Open->trigger();
        RecordingWindow* g = form->activeGraph();
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(EncodeRr(g->recording()), EncodeRr(*want));
        EXPECT_TRUE(g->saved());                     // its data are on disk
        stored = filter >= 4 ? stored : filter - 1;  // the settings know no list type
        EXPECT_EQ(form->setup().OpenFilterIndex, stored);
    }
    EXPECT_EQ(form->mdiArea()->subWindowList().size(), 4);
}

// Unchanged, it closes without asking (its data are on disk); saving goes through the dialog.
TEST_F(AppTest, AnOpenedListClosesWithoutAskingAndSavesThroughTheDialog) {
    start();
    const int stored = form->setup().OpenFilterIndex;
    const QString list = QString::fromStdString(listFile("real_rri_hrv_logger.csv"));
    form->OpenFiles({list});
    EXPECT_EQ(form->setup().OpenFilterIndex, stored);  // a .csv leaves the stored type alone
    form->activeGraph()->parentWidget()->close();
    EXPECT_TRUE(form->mdiArea()->subWindowList().isEmpty());
    form->OpenFiles({list});
    RecordingWindow* g = form->activeGraph();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->recording().beats(), 771);
    QString rounding;
    answer(file(dir.file("saved.rr"), 2));  // the .rr type, after CSV for exact intervals
    answer(message(kMsgOk, &rounding));     // round them
    ASSERT_TRUE(form->SaveGraph(*g));
    EXPECT_TRUE(rounding.contains("будут округлены")) << rounding.toStdString();
    EXPECT_TRUE(runner->answers.empty());
    auto want = std::make_unique<Recording>();
    MsListError err;
    ASSERT_TRUE(ParseMsList(fileText(listFile("real_rri_polar.txt")), *want, err));
    EXPECT_EQ(fileText(dir.file("saved.rr")), EncodeRr(*want));
}

TEST_F(AppTest, ABadListLineIsToldInOneMessage) {
    start();
    dir.write("bad.csv", "time;RR\n1;800\n2;fast\n3;810\n");
    QString text;
    answer(message(kMsgOk, &text));
    EXPECT_EQ(form->OpenRecording(dir.file("bad.csv"), 3), nullptr);
    EXPECT_TRUE(text.contains(QString::fromStdString(dir.file("bad.csv"))));
    EXPECT_TRUE(text.contains("Строка 3: not a number: 'fast'")) << text.toStdString();
    EXPECT_TRUE(form->mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(runner->answers.empty());
}

// A file of another format, or .rr words no recording holds, is refused in words the
// physician reads, and no window opens.
TEST_F(AppTest, AFileOfAnotherFormatIsRefused) {
    start();
    dir.write("scan.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    dir.write("noise.rr", std::string(2, '\0') + std::string(40, 'x'));  // SpO2 120 in each
    const std::pair<const char*, const char*> cases[] = {
        {"scan.png", "Это не запись, которую читает Trivant: файл формата PNG."},
        {"noise.rr",
         "Это не запись, которую читает Trivant: SpO2 больше 100 % в большинстве слов (20 из 20)."},
    };
    for (const auto& [name, why] : cases) {
        QString text;
        answer(message(kMsgOk, &text));
        EXPECT_EQ(form->OpenRecording(dir.file(name), 1), nullptr);
        EXPECT_TRUE(text.endsWith(QString("\n") + why)) << text.toStdString();
    }
    EXPECT_TRUE(form->mdiArea()->subWindowList().isEmpty());
}

// Exact intervals: CSV is offered first and keeps them; .rr asks before it rounds; the CSV
// opens again as the same recording, saved (Trivant's own CSV is no import).
TEST_F(AppTest, ExactIntervalsSaveAsCsvAndRoundOnlyWhenAsked) {
    start();
    const std::string csv =
        "# comment: сидя\nRR_ms;SpO2;label\n812.5;97;0\n800;97;1\n805.25;95;0\n";
    dir.write("exact.csv", csv);
    RecordingWindow* g = form->OpenRecording(dir.file("exact.csv"), 3);
    ASSERT_NE(g, nullptr);
    QString question, offered;
    answer(file(dir.file("kept.rr"), 2));
    answer(message(kMsgCancel, &question));
    EXPECT_FALSE(form->SaveGraph(*g));
    EXPECT_EQ(question, "Формат .rr не хранит комментарий, а интервалы хранит с шагом 10 мс: "
                        "комментарий будет потерян, точные значения будут округлены. Сохраняет "
                        "всё только CSV. Сохранить в формате .rr?");
    EXPECT_FALSE(std::filesystem::exists(dir.file("kept.rr")));
    answer([&](QDialog& d) {  // CSV chosen and first; its text never under a .rr name
        auto& f = static_cast<QFileDialog&>(d);
        offered = f.selectedNameFilter() + "|" + f.nameFilters().first();
        return file(dir.file("named.rr"), 1)(d);
    });
    ASSERT_TRUE(form->SaveGraph(*g));
    EXPECT_EQ(offered, "Таблица CSV (*.csv)|Таблица CSV (*.csv)");
    EXPECT_EQ(fileText(dir.file("named.rr.csv")), csv);
    answer(file(dir.file("copy"), 1));  // the extension follows the type
    ASSERT_TRUE(form->SaveGraph(*g));
    EXPECT_EQ(fileText(dir.file("copy.csv")), csv);
    EXPECT_TRUE(runner->answers.empty());
    RecordingWindow* again = form->OpenRecording(dir.file("copy.csv"), 1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->recording().ExactUs, g->recording().ExactUs);
    EXPECT_TRUE(again->saved());
}

}  // namespace
}  // namespace trivant::test

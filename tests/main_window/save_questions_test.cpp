// What the save command asks before a format loses something (a comment, exact intervals),
// and that a save refused at any question leaves the window's file as it was.
#include "app_fixture.h"
#include "recording_file.h"

#include <QInputDialog>

#include <QFileDialog>

#include <filesystem>

namespace trivant::test {
namespace {

TEST(SaveLossQuestion, NamesWhatTheChosenFormatLoses) {
    const struct {
        RecordingFormat format;
        bool rounds, comment;
        const char* begins;  // empty: nothing asked
    } cases[] = {
        {RecordingFormat::Rr, false, false, ""},
        {RecordingFormat::Text, false, true, ""},
        {RecordingFormat::TrivantCsv, true, true, ""},
        {RecordingFormat::Rr, true, false, "Формат .rr хранит интервалы с шагом 10 мс"},
        {RecordingFormat::Text, true, true, "Формат .txt хранит интервалы с шагом 10 мс"},
        {RecordingFormat::Rr, false, true, "Формат .rr не хранит комментарий: он будет потерян"},
        {RecordingFormat::Rr, true, true, "Формат .rr не хранит комментарий, а интервалы"},
    };
    for (const auto& c : cases) {
        const QString q = SaveLossQuestion(c.format, c.rounds, c.comment);
        EXPECT_TRUE(*c.begins ? q.startsWith(c.begins) : q.isEmpty()) << q.toStdString();
    }
    EXPECT_TRUE(SaveLossQuestion(RecordingFormat::TrivantCsv, true, true, true).isEmpty());
    EXPECT_TRUE(SaveLossQuestion(RecordingFormat::Text, false, true, true)
                    .startsWith("Формат .txt не хранит названия меток"));
    // Reviewed beats: the intervals stay, their marks and originals are the CSV's.
    EXPECT_TRUE(SaveLossQuestion(RecordingFormat::TrivantCsv, true, true, true, true).isEmpty());
    EXPECT_EQ(SaveLossQuestion(RecordingFormat::Rr, false, false, false, true),
              "Формат .rr не хранит правку ударов: сохранятся исправленные интервалы, без отметок "
              "правки, исходных интервалов и удалённых ударов. Всё это сохраняет только CSV. "
              "Сохранить в этом формате?");
    EXPECT_TRUE(SaveLossQuestion(RecordingFormat::Text, true, false, true, true)
                    .endsWith("точные значения будут округлены. Сохранить в этом формате?"));
}

class SaveQuestions : public AppTest {
protected:
    void SetUp() override {
        start();
        writeRecording(dir.file("a.rr"), std::vector<int>(50, 80));
        g = form->OpenRecording(dir.file("a.rr"), 1);
        ASSERT_NE(g, nullptr);
        g->recording().Comment = "Иванов И. И.";
        title = g->windowTitle();
    }
    void expectUnchanged() {
        EXPECT_EQ(g->currentFileName(), dir.file("a.rr"));
        EXPECT_EQ(g->windowTitle(), title);
        EXPECT_TRUE(runner->answers.empty());
    }
    RecordingWindow* g = nullptr;
    QString title;
};

TEST_F(SaveQuestions, ARefusedSaveKeepsTheWindowsFile) {
    QString proposed;
    answer([&proposed, path = dir.file("b.rr")](QDialog& d) {
        proposed = static_cast<QFileDialog&>(d).selectedFiles().value(0);
        return file(path, 1)(d);
    });
    answer(message(kMsgCancel));  // the comment question
    EXPECT_FALSE(form->SaveGraph(*g));
    EXPECT_TRUE(proposed.endsWith("/a.rr")) << proposed.toStdString();
    expectUnchanged();
    dir.write("old.txt", "old");
    answer(file(dir.file("old.txt"), 2));  // text keeps the comment: no question
    answer(message(kMsgCancel));           // the overwrite question
    EXPECT_FALSE(form->SaveGraph(*g));
    expectUnchanged();
    EXPECT_EQ(dir.read("old.txt"), "old");
}

TEST_F(SaveQuestions, AnotherFormatGoesBackToTheDialogWithCsvFirst) {
    QString offered;
    answer(file(dir.file("b.rr"), 1));
    answer(message(kMsgYes));  // "Другой тип" to the comment question
    answer([&offered](QDialog& d) {
        auto& f = static_cast<QFileDialog&>(d);
        offered = f.selectedNameFilter() + "|" + QFileInfo(f.selectedFiles().value(0)).fileName();
        return file(f.selectedFiles().value(0).toStdString(), 1)(d);
    });
    ASSERT_TRUE(form->SaveGraph(*g));
    EXPECT_EQ(offered, "Таблица CSV (*.csv)|a.csv");
    EXPECT_EQ(g->currentFileName(), dir.file("a.csv"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("b.rr")));
    EXPECT_NE(dir.read("a.csv").find("Иванов"), std::string::npos);
}

// A label named from the window's menu goes through the application's own dialog, and the CSV
// keeps the name.
TEST_F(SaveQuestions, ALabelNamedInTheWindowIsSavedWithItsName) {
    ASSERT_TRUE(g->EditLabel(10, true));
    answer([](QDialog& d) {
        auto& input = dynamic_cast<QInputDialog&>(d);
        EXPECT_EQ(input.textValue(), "");
        input.setTextValue("Нагрузка");
        d.accept();
        return d.result();
    });
    std::string name;
    ASSERT_TRUE(form->AskLabelName(name));
    EXPECT_TRUE(g->NameLabel(10, name));
    answer(file(dir.file("named.csv"), 1));  // CSV first: the only format keeping names
    ASSERT_TRUE(form->SaveGraph(*g));
    EXPECT_NE(dir.read("named.csv").find(";Нагрузка\n"), std::string::npos);
}

// A reviewed recording: CSV first, and the edits kept when it is reopened, where they can still
// be undone one by one; .rr only after the question, with the reviewed intervals.
TEST_F(SaveQuestions, AReviewedRecordingKeepsItsEditsInCsvAndAsksBeforeRr) {
    ASSERT_TRUE(g->DeleteBeatAt(20));
    ASSERT_TRUE(g->InsertBeatAt(30));
    g->recording().Comment.clear();
    answer(file(dir.file("reviewed.csv"), 1));
    ASSERT_TRUE(form->SaveGraph(*g));
    EXPECT_TRUE(g->saved());
    RecordingWindow* back = form->OpenRecording(dir.file("reviewed.csv"), 1);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(EditedBeats(back->recording()), 2);
    EXPECT_EQ(back->recording().beats(), 50);
    ASSERT_TRUE(back->revertible(20));
    ASSERT_TRUE(back->RevertBeatAt(20));
    EXPECT_EQ(back->recording().beats(), 51);
    QString question;
    answer(file(dir.file("reviewed.rr"), 2));  // .rr, offered second
    answer(message(kMsgOk, &question));
    ASSERT_TRUE(form->SaveGraph(*back));
    EXPECT_TRUE(question.startsWith("Формат .rr не хранит правку ударов"))
        << question.toStdString();
    Recording rr;
    ASSERT_EQ(ReadRecordingFile(dir.file("reviewed.rr"), rr), "");
    EXPECT_EQ(rr.beats(), 51);
}

// A recording longer than .rr holds is never cut: CSV is offered instead, and only CSV written.
TEST_F(SaveQuestions, ALongRecordingGoesToCsvNotRr) {
    EXPECT_TRUE(SaveLimitQuestion(RecordingFormat::Rr, kMaxBeats).isEmpty());
    EXPECT_TRUE(SaveLimitQuestion(RecordingFormat::TrivantCsv, kMaxBeats + 1).isEmpty());
    std::string list;
    for (int k = 0; k < kMaxBeats + 1; ++k)
        list += k % 2 ? "800\n" : "810\n";
    dir.write("long.txt", list);
    RecordingWindow* longer = form->OpenRecording(dir.file("long.txt"), 0);
    ASSERT_NE(longer, nullptr);
    ASSERT_EQ(longer->recording().beats(), kMaxBeats + 1);
    for (const int reply : {kMsgCancel, kMsgOk}) {
        answer(file(dir.file("long.rr"), 2));  // CSV is offered first, .rr second
        answer(message(reply));                // "Таблица CSV" or "Отменить"
        EXPECT_EQ(form->SaveGraph(*longer), reply == kMsgOk);
        EXPECT_FALSE(std::filesystem::exists(dir.file("long.rr")));
    }
    EXPECT_EQ(longer->currentFileName(), dir.file("long.csv"));
    Recording back;
    EXPECT_EQ(ReadRecordingFile(dir.file("long.csv"), back), "");
    EXPECT_EQ(back.beats(), kMaxBeats + 1);
}

}  // namespace
}  // namespace trivant::test

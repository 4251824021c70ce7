// The journal of a live recording: written beat by beat in the Data folder, equal to the
// saved file at Stop, removed by a save or "Не сохранять", offered for recovery at the next
// start, not offered while another writer holds it, and a full disk told once.
#include "app_fixture.h"
#include "comment_dialog.h"
#include "journal_test_kit.h"
#include "label_edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <map>

namespace trivant::test {
namespace {

class JournalTest : public AppTest {
protected:
    std::string folder() const { return form->journalFolder(); }
    // Beats of RR 60 + i (10 ms units), the SpO2 byte 197, on the fake port.
    void feed(int beats, int from = 0) {
        for (int i = from; i < from + beats; ++i)
            fake->incoming.insert(fake->incoming.end(), {0, uint8_t(60 + i % 90), 197});
    }
    size_t recordingWindows() const { return form->mdiArea()->subWindowList().size(); }
    // The application killed while it records, started again, its recording recovered.
    RecordingWindow* recoverAfterACrash() {
        form.reset();
        start();
        answer(message(kMsgOk));  // "Восстановить"
        form->RecoverJournals();
        return form->activeGraph();
    }
};

// The journal holds the completed beats; read back it is what the save writes.
TEST_F(JournalTest, StopLeavesWhatASaveWritesAndTheSaveRemovesIt) {
    start();
    RecordingWindow* g = startRecordingOnFakePort();
    ASSERT_NE(g, nullptr);
    feed(20);
    g->Timer1Timer();
    form->TB_LabelClick();  // on beat 21, the slot being filled
    feed(20, 20);
    g->Timer1Timer();
    const std::vector<std::string> journals = journalFiles(folder());
    ASSERT_EQ(journals.size(), 1u);
    EXPECT_EQ(journals[0], g->journalPath());
    form->TB_StopClick();
    ASSERT_FALSE(g->recordingNow());
    EXPECT_EQ(fileBytes(journals[0]).size(), kRrHeaderBytes + 2 * 40);
    Recording read;
    ASSERT_TRUE(ReadJournal(journals[0], read).ok);
    EXPECT_EQ(EncodeRr(read), EncodeRr(g->recording()));
    EXPECT_TRUE(sampleIsLabel(read.DataBuf[21]));

    const std::string out = (dir.path() / "saved.rr").string();
    answer(file(out, 1));
    ASSERT_TRUE(form->SaveGraph(*g));
    EXPECT_TRUE(journalFiles(folder()).empty());
    EXPECT_EQ(fileBytes(out), EncodeRr(g->recording()));
}

TEST_F(JournalTest, DiscardingRemovesTheJournalAndAbandoningKeepsIt) {
    // "Не сохранять" while it records, "Не сохранять" once stopped, and a window that is
    // never closed, as when the application is killed.
    for (const int how : {0, 1, 2}) {
        SCOPED_TRACE(how);
        start();
        RecordingWindow* g = startRecordingOnFakePort();
        ASSERT_NE(g, nullptr);
        feed(30);
        g->Timer1Timer();
        if (how == 1)
            form->TB_StopClick();
        if (how < 2) {
            answer([](QDialog&) { return int(kMsgYes); });  // "Не сохранять"
            form->close();
            EXPECT_TRUE(journalFiles(folder()).empty());
        }
        const std::string data = form->journalFolder();
        runner->answers.clear();
        form.reset();  // never closed: the journal stays
        EXPECT_EQ(journalFiles(data).size(), how == 2 ? 1u : 0u);
        std::filesystem::remove_all(data);
    }
}

// A comment given while it records is kept beside the journal and comes back with it.
TEST_F(JournalTest, TheCommentTravelsWithTheJournal) {
    start();
    RecordingWindow* g = startRecordingOnFakePort();
    ASSERT_NE(g, nullptr);
    feed(25);
    g->Timer1Timer();
    answer([](QDialog& d) {
        auto* c = dynamic_cast<CommentDialog*>(&d);
        EXPECT_NE(c, nullptr);
        if (c)
            c->commentEdit->setText("проба пера");
        return int(QDialog::Accepted);
    });
    form->TB_CommentClick();
    feed(5, 25);
    g->Timer1Timer();
    const std::string journal = g->journalPath();
    RecordingWindow* r = recoverAfterACrash();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->recording().Comment, "проба пера");
    EXPECT_EQ(r->recording().beats(), 30);
    answer([](QDialog&) { return int(kMsgYes); });  // "Не сохранять"
    r->parentWidget()->close();
    EXPECT_FALSE(std::filesystem::exists(journal));
    EXPECT_FALSE(std::filesystem::exists(JournalCommentPath(journal)));
}

// Labels named while it records ("темп 6.0" by the training, say) come back named, and an
// unnamed one unnamed.
TEST_F(JournalTest, LabelNamesTravelWithTheJournal) {
    start();
    RecordingWindow* g = startRecordingOnFakePort();
    ASSERT_NE(g, nullptr);
    const std::vector<std::string> names{"тренинг", "", "темп 6.0", "темп 5.5"};
    std::map<int, std::string> put;
    for (size_t i = 0; i < names.size(); ++i) {
        feed(10, int(10 * i));
        g->Timer1Timer();
        const int beat = g->recording().CurrentFileLen;  // the slot being filled
        if (names[i].empty())
            form->TB_LabelClick();
        else
            ASSERT_TRUE(PutLiveLabel(g->recording(), names[i]));
        if (!names[i].empty())
            put[beat] = names[i];
    }
    feed(10, 40);
    g->Timer1Timer();
    ASSERT_EQ(g->recording().LabelNames, put);
    const std::string journal = g->journalPath();
    RecordingWindow* r = recoverAfterACrash();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->recording().LabelNames, put);
    EXPECT_EQ(r->recording().LabNum, int(names.size()));
    answer([](QDialog&) { return int(kMsgYes); });  // "Не сохранять"
    r->parentWidget()->close();
    EXPECT_FALSE(std::filesystem::exists(JournalNamesPath(journal)));
}

// A sidecar shorter than its words: the window opens with 10 ms intervals only, and a
// message says how many were rounded.
TEST_F(JournalTest, AShortSidecarIsToldAndNoExactIntervalIsKept) {
    start();
    const std::string journal = JournalPathIn(folder(), "20261210-102955");
    {
        JournalWriter w;  // a strap's recording, killed
        ASSERT_TRUE(w.Open(journal, true).ok);
        for (int32_t us : {800400, 810000, 820400})
            w.Append(packSample(uint8_t(RoundUsTo10Ms(us)), 0), us);
    }
    const std::string sidecar = fileBytes(JournalExactPath(journal));
    std::ofstream(JournalExactPath(journal), std::ios::binary) << sidecar.substr(0, 10);
    QString told;
    answer(message(kMsgOk));  // "Восстановить"
    answer(message(kMsgOk, &told));
    form->RecoverJournals();
    RecordingWindow* r = form->activeGraph();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->recording().beats(), 3);
    EXPECT_FALSE(r->recording().hasExact());
    EXPECT_TRUE(told.contains("округлено: 2")) << told.toStdString();
    EXPECT_TRUE(runner->answers.empty());
}

struct RecoveryCase {
    const char* name;
    std::vector<int> answers;  // to the question, then to the confirmation
    bool window;               // a recovered window opens
    bool journalStays;
};

TEST_F(JournalTest, RecoveryQuestionAnswers) {
    const RecoveryCase cases[] = {
        {"Восстановить", {kMsgOk}, true, true},
        {"Удалить", {kMsgCancel, kMsgOk}, false, false},
        {"Удалить, then Отменить", {kMsgCancel, kMsgCancel}, false, true},
        {"Позже", {kMsgYes}, false, true},
    };
    const std::vector<int> rr{61, 72, 83, 94, 65, 76, 87};
    for (const RecoveryCase& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        const std::string path = leaveJournal(folder(), "20261209-101500", rr, "после сна");
        ASSERT_FALSE(path.empty());
        QString question;
        QStringList buttons;
        answer([&question, &buttons, first = c.answers[0]](QDialog& d) {
            auto* m = dynamic_cast<MessageBox*>(&d);
            EXPECT_NE(m, nullptr);
            if (m) {
                question = m->messageText->text();
                buttons = {m->okButton->text(), m->cancelButton->text(), m->yesButton->text()};
            }
            if (first != kMsgOk)
                return first;
            d.show();  // Enter recovers
            QTest::keyClick(&d, Qt::Key_Return);
            return d.result();
        });
        for (size_t k = 1; k < c.answers.size(); ++k)
            answer(message(c.answers[k]));
        form->RecoverJournals();
        EXPECT_TRUE(runner->answers.empty());
        EXPECT_TRUE(question.startsWith("Найдена незавершённая запись")) << question.toStdString();
        EXPECT_EQ(buttons, QStringList({"Восстановить", "Удалить", "Позже"}));
        // A Russian date in any locale, C's included: no English month.
        EXPECT_TRUE(question.contains("начатая 09.12.2026 10:15: 7 ударов.\nПапка: "))
            << question.toStdString();
        EXPECT_FALSE(question.contains(".rr.part"));  // the journal's own name says nothing
        EXPECT_EQ(recordingWindows(), c.window ? 1u : 0u);
        EXPECT_EQ(std::filesystem::exists(path), c.journalStays);
        if (c.window) {
            RecordingWindow* g = form->activeGraph();
            ASSERT_NE(g, nullptr);
            EXPECT_FALSE(g->saved());
            EXPECT_EQ(g->journalPath(), path);
            EXPECT_TRUE(JournalInUse(path));  // another instance would not offer it
            EXPECT_EQ(g->recording().Comment, "после сна");
            EXPECT_EQ(g->recording().beats(), 7);
            const std::string saved = fileBytes(path) + std::string(2, '\0');  // the empty slot
            EXPECT_EQ(EncodeRr(g->recording()), saved);
            const std::string out = (dir.path() / "recovered.rr").string();
            answer(file(out, 1));
            answer(message(kMsgOk));  // the comment goes: .rr has no room for it
            ASSERT_TRUE(form->SaveGraph(*g));
            EXPECT_EQ(fileBytes(out), saved);
            EXPECT_FALSE(std::filesystem::exists(path));
            EXPECT_TRUE(journalFiles(folder()).empty());
        }
        form->close();
        form.reset();
        std::filesystem::remove_all(dir.path() / "Data");
    }
}

TEST_F(JournalTest, JournalOfARunningWriterIsNotOffered) {
    start();
    JournalWriter other;  // another instance, still recording
    ASSERT_TRUE(other.Open(JournalPathIn(folder(), "20261209-111111")).ok);
    other.Append(packSample(80, 96));
    other.Append(packSample(81, 96));
    ASSERT_TRUE(other.Finish().ok);
    form->RecoverJournals();  // no dialog is expected
    EXPECT_TRUE(runner->seen.isEmpty());
    EXPECT_EQ(recordingWindows(), 0u);
    EXPECT_EQ(journalFiles(folder()).size(), 1u);
}

TEST_F(JournalTest, FullDiskIsToldOnceAndTheRecordingGoesOn) {
    start();
    RecordingWindow* g = startRecordingOnFakePort();
    ASSERT_NE(g, nullptr);
    QString text;
    {
        // Room for the header and ten words, as a disk that fills up.
        FileSizeLimit full(kRrHeaderBytes + 20);
        ASSERT_TRUE(full.ok());
        answer(message(kMsgOk, &text));
        for (int t = 0; t < 30 && text.isEmpty(); ++t) {
            feed(10, 10 * t);
            g->Timer1Timer();
            QTest::qWait(50);  // the journal's worker, then the queued message
        }
        ASSERT_TRUE(text.startsWith("Запись на диск невозможна: ")) << text.toStdString();
        const int before = g->recording().beats();
        for (int t = 0; t < 5; ++t) {
            feed(10, before + 10 * t);
            g->Timer1Timer();
            QTest::qWait(20);
        }
        EXPECT_EQ(g->recording().beats(), before + 50);
        EXPECT_TRUE(g->recordingNow());
        form->TB_StopClick();
        QApplication::processEvents();
    }
    EXPECT_EQ(runner->seen.size(), 1);  // told once, Stop included
    const std::string out = (dir.path() / "after-full.rr").string();
    answer(file(out, 1));
    ASSERT_TRUE(form->SaveGraph(*g));
    EXPECT_EQ(fileBytes(out), EncodeRr(g->recording()));
    EXPECT_TRUE(journalFiles(folder()).empty());
}

}  // namespace
}  // namespace trivant::test

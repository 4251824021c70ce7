// Closing recording windows and the application: what counts as unsaved, and the question
// asked while a recording still runs.
#include "app_fixture.h"

#include "comment_dialog.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <filesystem>

namespace trivant::test {
namespace {

namespace fs = std::filesystem;

void feedBeats(FakePortLayer& fake, RecordingWindow& g, int n) {
    for (int i = 0; i < n; ++i)
        fake.incoming.insert(fake.incoming.end(), {0, 80, 197});
    g.Timer1Timer();
}

TEST_F(AppTest, OnlyAChangedCommentIsAnUnsavedChange) {
    struct Case {
        bool ok;
        const char* text;
        bool saved;
    };
    const Case cases[] = {{false, "новый", true}, {true, "", true}, {true, "новый", false}};
    start();
    const std::string src = dir.file("src.rr");
    writeRecording(src, std::vector<int>(50, 80));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ok << " " << c.text);
        RecordingWindow* g = form->OpenRecording(src, 1);
        ASSERT_NE(g, nullptr);
        answer([c](QDialog& d) {
            dynamic_cast<CommentDialog&>(d).commentEdit->setText(c.text);
            return int(c.ok ? QDialog::Accepted : QDialog::Rejected);
        });
        form->TB_Comment->trigger();
        EXPECT_EQ(g->saved(), c.saved);
        QString question;
        if (!c.saved)
            answer(message(kMsgYes, &question));  // "Не сохранять"
        g->parentWidget()->close();
        EXPECT_TRUE(form->mdiArea()->subWindowList().isEmpty());
        EXPECT_EQ(question.contains("не сохранена"), !c.saved);
    }
}

// Closing the window or the application while it records: "Отмена" keeps recording, the
// other answers stop it, save or not, and close.
TEST_F(AppTest, ClosingWhileRecordingAsksBeforeStopping) {
    for (const bool viaApp : {false, true})
        for (const int reply : {kMsgCancel, kMsgYes, kMsgOk}) {
            SCOPED_TRACE(testing::Message() << "application " << viaApp << ", answer " << reply);
            form.reset();
            start();
            RecordingWindow* g = startRecordingOnFakePort();
            ASSERT_NE(g, nullptr);
            feedBeats(*fake, *g, 10);
            QString question;
            answer(message(reply, &question));
            const std::string target = dir.file("rec" + std::to_string(viaApp) + ".rr");
            if (reply == kMsgOk)
                answer(file(target, 1));
            viaApp ? form->close() : g->parentWidget()->close();
            EXPECT_TRUE(question.contains("идёт")) << question.toStdString();
            const bool closed = reply != kMsgCancel;
            EXPECT_EQ(form->mdiArea()->subWindowList().isEmpty(), closed);
            EXPECT_EQ(form->isVisible(), !(viaApp && closed));
            // Stopped before saving: the header and 10 beats with the empty last slot.
            EXPECT_EQ(fs::exists(target) ? fs::file_size(target) : 0u, reply == kMsgOk ? 24u : 0u);
            if (closed)
                continue;
            EXPECT_TRUE(g->recordingNow());
            feedBeats(*fake, *g, 5);
            EXPECT_EQ(g->recording().beats(), 15);
        }
}

}  // namespace
}  // namespace trivant::test

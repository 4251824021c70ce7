// The five-minute stop's message comes at a moment the user did not choose, maybe with a
// menu open: the key that was to close the menu must not take the message away unseen.
#include "app_fixture.h"

#include "recorder.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace trivant::test {
namespace {

TEST_F(AppTest, TheFiveMinuteMessageOutlastsTheEscMeantForAMenu) {
    start();
    ASSERT_TRUE(form->setup().AutoStop);
    RecordingWindow* g = startRecordingOnFakePort();
    ASSERT_NE(g, nullptr);
    g->PopM_ScaleX->popup(g->mapToGlobal(QPoint(10, 10)));
    for (int i = 0; i < 400; ++i)  // 320 s of 800 ms beats
        fake->incoming.insert(fake->incoming.end(), {0, 80, 197});
    answer([&](QDialog& d) {
        d.show();  // as exec would: the box closes the menu
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(static_cast<QMessageBox&>(d).text(), "Запись 5-минутного фрагмента завершена");
        QTest::qWait(kUnbiddenHoldMs + 100);
        QTest::keyClick(&d, Qt::Key_Return);  // read now, the answer is taken
        return d.result();
    });
    g->Timer1Timer();
    EXPECT_FALSE(g->recordingNow());
    EXPECT_TRUE(runner->answers.empty());
    answer(message(kMsgYes));  // "Не сохранять"
    form->close();
}

}  // namespace
}  // namespace trivant::test

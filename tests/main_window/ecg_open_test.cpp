// ECG records through the open command: the channel asked in a list of the record's labels,
// the strip in the recording's window, and a record that can't be read told in one message.
#include "app_fixture.h"

#include <QInputDialog>
#include <QMdiArea>

#include <fstream>

namespace trivant::test {
namespace {

std::string ecgFile(const std::string& name) {
    return std::string(TRIVANT_TEST_DATA) + "/ecg/" + name;
}

// Answers the channel question with label, keeping the labels offered.
ScriptedRunner::Answer channel(const QString& label, QStringList* offered) {
    return [label, offered](QDialog& d) {
        auto* in = dynamic_cast<QInputDialog*>(&d);
        EXPECT_NE(in, nullptr) << d.windowTitle().toStdString();
        if (!in)
            return int(QDialog::Rejected);
        *offered = in->comboBoxItems();
        in->setTextValue(label);
        return int(QDialog::Accepted);
    };
}

TEST_F(AppTest, AnEcgRecordOpensWithItsStripOnTheChannelChosen) {
    start();
    QStringList offered;
    answer(channel("V1", &offered));
    form->OpenFiles({QString::fromStdString(ecgFile("101.hea"))});
    RecordingWindow* g = form->activeGraph();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(offered, QStringList({"MLII", "V1"}));
    const Recording& rec = g->recording();
    EXPECT_TRUE(rec.hasEcg());
    EXPECT_EQ(rec.EcgChannel, "V1");
    EXPECT_GT(rec.beats(), 1500);  // 101 holds about 1860 beats in 30 minutes
    EXPECT_TRUE(g->ecgShown());
    EXPECT_GT(g->ecgStripArea().height(), 50);
}

TEST_F(AppTest, ABrokenEcgRecordIsToldWithItsReason) {
    start();
    const std::string hea = dir.file("broken.hea");
    std::ofstream(hea) << "broken 1 360 1000\nbroken.dat 212 200 11 1024 0 0 0 MLII\n";
    QString text;
    answer(message(kMsgOk, &text));
    form->OpenFiles({QString::fromStdString(hea)});
    EXPECT_EQ(form->activeGraph(), nullptr);
    EXPECT_TRUE(text.startsWith("Не удалось прочитать файл " + QString::fromStdString(hea)))
        << text.toStdString();
    EXPECT_TRUE(text.contains("broken.dat")) << text.toStdString();  // the missing signal file
}

}  // namespace
}  // namespace trivant::test

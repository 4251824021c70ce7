// The main window on a fake port layer, in a temporary start folder, with every modal
// dialog answered by the test.
#pragma once

#include "fake_port_layer.h"
#include "main_window.h"
#include "message_box.h"
#include "recording_window.h"
#include "rr_file.h"
#include "temp_dir.h"

#include <QDialog>
#include <QFileDialog>
#include <QLabel>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace trivant::test {

// Answers dialogs in the order the test queued the answers; an unexpected dialog fails.
class ScriptedRunner : public DialogRunner {
public:
    using Answer = std::function<int(QDialog&)>;
    int exec(QDialog& d) override {
        seen.push_back(d.windowTitle());
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected dialog: " << d.windowTitle().toStdString();
            return QDialog::Rejected;
        }
        Answer a = std::move(answers.front());
        answers.pop_front();
        return a(d);
    }
    std::deque<Answer> answers;
    QStringList seen;
};

// Answers a MessageBox with result, keeping its text when asked to.
inline ScriptedRunner::Answer message(int result, QString* text = nullptr) {
    return [result, text](QDialog& d) {
        EXPECT_NE(dynamic_cast<MessageBox*>(&d), nullptr) << d.windowTitle().toStdString();
        if (text)
            if (auto* m = dynamic_cast<MessageBox*>(&d))
                *text = m->messageText->text();
        return result;
    };
}

// Answers a file dialog with path and the filter of that 1-based index.
inline ScriptedRunner::Answer file(const std::string& path, int filterIndex) {
    return [path, filterIndex](QDialog& d) {
        auto* f = dynamic_cast<QFileDialog*>(&d);
        EXPECT_NE(f, nullptr);
        if (!f)
            return int(QDialog::Rejected);
        f->selectNameFilter(f->nameFilters()[filterIndex - 1]);
        f->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(f)->accept();  // QFileDialog's own accept is protected
        return f->result();
    };
}

// A .rr file of the given intervals (10 ms units), with a label on one beat when asked.
inline void writeRecording(const std::string& path, const std::vector<int>& rr, int labelAt = 0) {
    Recording rec;
    for (size_t i = 0; i < rr.size(); ++i)
        rec.DataBuf[i + 1] = packSample(uint8_t(rr[i]), int(i + 1) == labelAt ? kLabelMark : 96);
    rec.CurrentFileLen = int(rr.size()) + 1;
    ASSERT_TRUE(SaveDataFile(path, rec).ok);
}

class AppTest : public ::testing::Test {
protected:
    // Creates the window; answers queued before this call meet the start-up dialogs.
    void start() {
        auto ports = std::make_unique<FakePortLayer>();
        fake = ports.get();
        auto r = std::make_unique<ScriptedRunner>();
        runner = r.get();
        runner->answers = std::move(startAnswers);
        form = std::make_unique<MainWindow>(std::move(ports), std::move(r), dir.path().string());
        form->resize(1200, 800);
        form->show();
    }
    void answer(ScriptedRunner::Answer a) { runner->answers.push_back(std::move(a)); }
    // A device appears on port "p", an idle pass opens it, and Start begins a recording;
    // returns its window.
    RecordingWindow* startRecordingOnFakePort() {
        fake->present = {"p"};
        fake->openable = {"p"};
        form->IdleHandler();
        form->TB_Start->trigger();
        return form->activeGraph();
    }

    TempDir dir;
    std::deque<ScriptedRunner::Answer> startAnswers;
    FakePortLayer* fake = nullptr;
    ScriptedRunner* runner = nullptr;
    std::unique_ptr<MainWindow> form;
};

}  // namespace trivant::test

// The main window on a fake port layer, in a temporary start folder, with every modal
// dialog answered by the test.
#pragma once

#include "fake_port_layer.h"
#include "temp_dir.h"
#include "tform1.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

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

class AppTest : public ::testing::Test {
protected:
    // Creates the window; answers queued before this call meet the start-up dialogs.
    void start() {
        auto ports = std::make_unique<FakePortLayer>();
        fake = ports.get();
        auto r = std::make_unique<ScriptedRunner>();
        runner = r.get();
        runner->answers = std::move(startAnswers);
        form = std::make_unique<TForm1>(std::move(ports), std::move(r), dir.path().string());
        form->resize(1200, 800);
        form->show();
    }
    void answer(ScriptedRunner::Answer a) { runner->answers.push_back(std::move(a)); }

    TempDir dir;
    std::deque<ScriptedRunner::Answer> startAnswers;
    FakePortLayer* fake = nullptr;
    ScriptedRunner* runner = nullptr;
    std::unique_ptr<TForm1> form;
};

}  // namespace trivant::test

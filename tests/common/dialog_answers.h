// Answers the shell's dialogs in-process, as the tests of each dialog need.
#pragma once

#include "dialog_runner.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace trivant::test {

// Hands every dialog to answer() instead of running a modal loop.
class AnswerRunner : public DialogRunner {
public:
    int exec(QDialog& d) override {
        ++calls;
        return answer ? answer(d) : int(QDialog::Rejected);
    }
    std::function<int(QDialog&)> answer;
    int calls = 0;
};

// Clicks the named push button of d and returns the result it set.
inline int clickButton(QDialog& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    if (!b)
        return -1;
    b->click();
    return d.result();
}

inline int pressEscape(QDialog& d) {
    QTest::keyClick(&d, Qt::Key_Escape);
    return d.result();
}

}  // namespace trivant::test

// TMyMessageForm: fixed-size box, buttons laid out by MessageButtonLefts.
#include "my_message.h"

#include "dialog_runner.h"

#include <QLabel>
#include <QPushButton>

namespace trivant {

namespace {

constexpr int kMemoMargin = 8;

QPushButton* makeButton(QDialog* parent, const char* name, int result) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->resize(kMsgButtonWidth, kMsgButtonHeight);
    QObject::connect(b, &QPushButton::clicked, parent, [parent, result] { parent->done(result); });
    return b;
}

}  // namespace

std::array<int, 3> MessageButtonLefts(int windowWidth, int buttonWidth, int buttonCount) {
    const int half = buttonWidth / 2;
    std::array<int, 3> lefts{};
    if (buttonCount <= 1) {
        lefts[0] = windowWidth / 2 - half;
        return lefts;
    }
    const int parts = buttonCount >= 3 ? 4 : 3;
    const int step = windowWidth / parts;  // truncated once, then multiplied
    for (int k = 1; k < parts; ++k)
        lefts[k - 1] = k * step - half;
    return lefts;
}

TMyMessageForm::TMyMessageForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("TMyMessageForm");
    setFixedSize(kMsgWidth, kMsgHeight);
    Memo1 = new QLabel(this);
    Memo1->setObjectName("Memo1");
    Memo1->setAlignment(Qt::AlignCenter);
    Memo1->setWordWrap(true);
    Memo1->setBackgroundRole(QPalette::Window);
    Memo1->setAutoFillBackground(true);
    Button1 = makeButton(this, "Button1", kMsgOk);
    Button2 = makeButton(this, "Button2", kMsgCancel);
    Button2->setText(QString::fromUtf8("Отмена"));
    Button3 = makeButton(this, "Button3", kMsgYes);
    // Button2 comes first so that a stray Enter cancels rather than confirms.
    setTabOrder(Button2, Button1);
    setTabOrder(Button1, Button3);
}

void TMyMessageForm::Prepare(const QString& title, const QString& text, const QString& b1,
                             const QString& b2, const QString& b3) {
    const int top = height() - 3 * Button1->height();
    Memo1->setGeometry(kMemoMargin, kMemoMargin, width() - 2 * kMemoMargin, top - 2 * kMemoMargin);
    setWindowTitle(title);
    Memo1->setText(text);
    Button1->setText(b1);
    int count = 1;
    if (!b3.isEmpty()) {
        Button3->setText(b3);  // Button2 keeps "Отмена"
        count = 3;
    } else if (!b2.isEmpty()) {
        Button2->setText(b2);
        count = 2;
    }
    const std::array<int, 3> lefts = MessageButtonLefts(width(), Button1->width(), count);
    const std::array<QPushButton*, 3> buttons{Button1, Button2, Button3};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->move(lefts[i], top);
        buttons[i]->setVisible(i < count);
    }
    (count >= 2 ? Button2 : Button1)->setFocus();
}

void TMyMessageForm::reject() {
    done(kMsgCancel);
}

int ShowMyMessage(QWidget* owner, DialogRunner& runner, const QString& title, const QString& text,
                  const QString& b1, const QString& b2, const QString& b3) {
    TMyMessageForm form(owner);
    form.Prepare(title, text, b1, b2, b3);
    const int result = runner.exec(form);
    return result == kMsgOk || result == kMsgYes ? result : kMsgCancel;
}

}  // namespace trivant

// MessageBox: fixed-size box centred on the screen, buttons laid out by MessageButtonLefts.
#include "message_box.h"

#include "dialog_runner.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

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

MessageBox::MessageBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("MessageBox");
    setFixedSize(kMsgWidth, kMsgHeight);
    messageText = new QLabel(this);
    messageText->setObjectName("messageText");
    messageText->setAlignment(Qt::AlignCenter);
    messageText->setWordWrap(true);
    messageText->setBackgroundRole(QPalette::Window);
    messageText->setAutoFillBackground(true);
    okButton = makeButton(this, "okButton", kMsgOk);
    cancelButton = makeButton(this, "cancelButton", kMsgCancel);
    cancelButton->setText(tr("Отмена"));
    yesButton = makeButton(this, "yesButton", kMsgYes);
    // cancelButton comes first so that a stray Enter cancels rather than confirms.
    setTabOrder(cancelButton, okButton);
    setTabOrder(okButton, yesButton);
    centreOnScreen(parent);
}

void MessageBox::centreOnScreen(QWidget* owner) {
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect place(QPoint(), size());
    place.moveCenter(screen->availableGeometry().center());
    setGeometry(place);  // placed once, a dialog is no longer put over its owner
}

void MessageBox::Prepare(const QString& title, const QString& text, const QString& b1,
                         const QString& b2, const QString& b3) {
    const int top = height() - 3 * okButton->height();
    messageText->setGeometry(kMemoMargin, kMemoMargin, width() - 2 * kMemoMargin,
                             top - 2 * kMemoMargin);
    setWindowTitle(title);
    messageText->setText(text);
    okButton->setText(b1);
    int count = 1;
    if (!b3.isEmpty()) {
        yesButton->setText(b3);  // cancelButton keeps "Отмена"
        count = 3;
    } else if (!b2.isEmpty()) {
        cancelButton->setText(b2);
        count = 2;
    }
    const std::array<int, 3> lefts = MessageButtonLefts(width(), okButton->width(), count);
    const std::array<QPushButton*, 3> buttons{okButton, cancelButton, yesButton};
    for (int i = 0; i < 3; ++i) {
        buttons[i]->move(lefts[i], top);
        buttons[i]->setVisible(i < count);
    }
    (count >= 2 ? cancelButton : okButton)->setFocus();
}

void MessageBox::reject() {
    done(kMsgCancel);
}

namespace {

int ask(MessageBox& form, DialogRunner& runner) {
    const int result = runner.exec(form);
    return result == kMsgOk || result == kMsgYes ? result : kMsgCancel;
}

}  // namespace

int AskUser(QWidget* owner, DialogRunner& runner, const QString& title, const QString& text,
            const QString& b1, const QString& b2, const QString& b3) {
    MessageBox form(owner);
    form.Prepare(title, text, b1, b2, b3);
    return ask(form, runner);
}

int AskUserThree(QWidget* owner, DialogRunner& runner, const QString& title, const QString& text,
                 const QString& b1, const QString& b2, const QString& b3) {
    MessageBox form(owner);
    form.Prepare(title, text, b1, b2, b3);
    form.cancelButton->setText(b2);
    // Enter takes the first answer, never a step toward the second (a deletion, say).
    form.okButton->setDefault(true);
    form.okButton->setFocus();
    return ask(form, runner);
}

}  // namespace trivant

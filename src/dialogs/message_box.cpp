// MessageBox: fixed-size box centred on the screen, buttons laid out by MessageButtonLefts.
#include "message_box.h"

#include "dialog_runner.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <vector>

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

// Drops the keys meant for its dialog while the hold lasts; it goes with the hold.
class AnswerHold : public QObject {
public:
    explicit AnswerHold(QDialog& d) : QObject(&d), dialog_(d) {}
    std::vector<QPointer<QAbstractButton>> held;
    QPointer<QWidget> focus;  // where the keys go once the hold is over

protected:
    bool eventFilter(QObject* target, QEvent* e) override {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
            return false;
        auto* w = qobject_cast<QWidget*>(target);
        return w && (w == &dialog_ || dialog_.isAncestorOf(w));
    }

private:
    QDialog& dialog_;
};

}  // namespace

void HoldAnswers(QDialog& d, int ms) {
    auto* hold = new AnswerHold(d);
    hold->focus = d.focusWidget();
    for (QAbstractButton* b : d.findChildren<QAbstractButton*>())
        if (b->isEnabled()) {
            b->setEnabled(false);
            hold->held.emplace_back(b);
        }
    QCoreApplication::instance()->installEventFilter(hold);
    QTimer::singleShot(ms, hold, [hold] {
        for (const QPointer<QAbstractButton>& b : hold->held)
            if (b)
                b->setEnabled(true);
        if (hold->focus)
            hold->focus->setFocus();
        hold->deleteLater();  // its filter goes with it
    });
}

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

QString UnbrokenPath(const QString& path) {
    constexpr QChar kWordJoiner(0x2060), kBreakHere(0x200B);
    QString out;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        const bool separator = c == QLatin1Char('/') || c == QLatin1Char('\\');
        if (i > 0 && !separator && !out.endsWith(kBreakHere))
            out += kWordJoiner;
        out += c;
        if (separator && i + 1 < path.size())
            out += kBreakHere;
    }
    return out;
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

int askFirstDefault(MessageBox& form, DialogRunner& runner) {
    form.okButton->setDefault(true);
    form.okButton->setFocus();
    return ask(form, runner);
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
    return askFirstDefault(form, runner);
}

int AskUserFirstDefault(QWidget* owner, DialogRunner& runner, const QString& title,
                        const QString& text, const QString& b1, const QString& b2) {
    MessageBox form(owner);
    form.Prepare(title, text, b1, b2);
    return askFirstDefault(form, runner);
}

}  // namespace trivant

// MessageBox and AskUser: the application's own modal message box with a title,
// a text and one to three buttons whose captions the caller gives.
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace trivant {

class DialogRunner;

// Results of the box, as the callers compare them.
constexpr int kMsgOk = 1;      // okButton
constexpr int kMsgCancel = 2;  // cancelButton or Esc
constexpr int kMsgYes = 6;     // yesButton

constexpr int kMsgWidth = 398;  // client pixels
constexpr int kMsgHeight = 197;
constexpr int kMsgButtonWidth = 90;
constexpr int kMsgButtonHeight = 25;

// Lefts of buttons 1..buttonCount spread evenly over the width (count 1..3, "div" truncates);
// entries past buttonCount are 0.
std::array<int, 3> MessageButtonLefts(int windowWidth, int buttonWidth, int buttonCount);

class MessageBox : public QDialog {
    Q_OBJECT
public:
    explicit MessageBox(QWidget* parent = nullptr);

    // Caption, text and buttons for one message; empty b2 and b3 hide their buttons.
    void Prepare(const QString& title, const QString& text, const QString& b1,
                 const QString& b2 = {}, const QString& b3 = {});

    QLabel* messageText;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* yesButton;

private:
    // The box stands in the middle of its owner's screen (or the primary one), not over the owner.
    void centreOnScreen(QWidget* owner);

public slots:
    // Esc and the system close give Cancel rather than QDialog::Rejected.
    void reject() override;
};

// A message that comes unbidden (the end of a recording) must not be taken by a key or a
// click meant for what the user was doing: for ms from now, d's buttons are disabled and
// the keys pressed in d are dropped.
constexpr int kUnbiddenHoldMs = 700;
void HoldAnswers(QDialog& d, int ms = kUnbiddenHoldMs);

// path as a message shows it: a line may break after a folder separator, never inside a
// folder's or a file's name (word joiners between their characters).
QString UnbrokenPath(const QString& path);

// Shows a fresh box owned by owner and returns kMsgOk, kMsgCancel or kMsgYes.
int AskUser(QWidget* owner, DialogRunner& runner, const QString& title, const QString& text,
            const QString& b1, const QString& b2 = {}, const QString& b3 = {});
// The same with three buttons that all carry the caller's captions (AskUser's middle button
// stays "Отмена" when there are three); the first is the default, which Enter presses.
int AskUserThree(QWidget* owner, DialogRunner& runner, const QString& title, const QString& text,
                 const QString& b1, const QString& b2, const QString& b3);
// Two buttons whose first is the default, for an offer that loses nothing when taken.
int AskUserFirstDefault(QWidget* owner, DialogRunner& runner, const QString& title,
                        const QString& text, const QString& b1, const QString& b2);

}  // namespace trivant

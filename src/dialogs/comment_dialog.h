// CommentDialog: the one-line dialog in which the user edits the comment of a recording.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace trivant {

class DialogRunner;

class CommentDialog : public QDialog {
    Q_OBJECT
public:
    explicit CommentDialog(QWidget* parent = nullptr);

    QLineEdit* commentEdit;
    QPushButton* okButton;      // "Ok"
    QPushButton* cancelButton;  // "Отмена"
};

// Shows dialog with text preloaded; on OK text becomes the edited line and true is returned.
bool EditComment(CommentDialog& dialog, DialogRunner& runner, QString& text);
// The same with a fresh dialog owned by owner.
bool EditComment(QWidget* owner, DialogRunner& runner, QString& text);

}  // namespace trivant

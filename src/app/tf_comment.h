// TFComment: the one-line dialog in which the user edits the comment of a recording.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace trivant {

class DialogRunner;

class TFComment : public QDialog {
    Q_OBJECT
public:
    explicit TFComment(QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QPushButton* Button1;  // "Ok"
    QPushButton* Button2;  // "Отмена"
};

// Shows dialog with text preloaded; on OK text becomes the edited line and true is returned.
bool EditComment(TFComment& dialog, DialogRunner& runner, QString& text);
// The same with a fresh dialog owned by owner.
bool EditComment(QWidget* owner, DialogRunner& runner, QString& text);

}  // namespace trivant

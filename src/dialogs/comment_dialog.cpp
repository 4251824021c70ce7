// CommentDialog: an edit field over "Ok" and "Отмена" at the bottom right.
#include "comment_dialog.h"

#include "dialog_buttons.h"

#include "dialog_runner.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace trivant {

namespace {

constexpr int kWidth = 553;  // client pixels
constexpr int kHeight = 78;

}  // namespace

CommentDialog::CommentDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("CommentDialog");
    setWindowTitle(tr("Введите комментарий"));
    commentEdit = new QLineEdit(this);
    commentEdit->setObjectName("commentEdit");
    const DialogButtons buttons = MakeDialogButtons(this, tr("Ok"), tr("Отмена"));
    okButton = buttons.okButton;
    cancelButton = buttons.cancelButton;
    auto* main = new QVBoxLayout(this);
    main->addWidget(commentEdit);
    main->addLayout(buttons.row);
    resize(kWidth, kHeight);
}

bool EditComment(CommentDialog& dialog, DialogRunner& runner, QString& text) {
    dialog.commentEdit->setText(text);
    dialog.commentEdit->selectAll();
    dialog.commentEdit->setFocus();
    if (runner.exec(dialog) != QDialog::Accepted)
        return false;
    text = dialog.commentEdit->text();
    return true;
}

bool EditComment(QWidget* owner, DialogRunner& runner, QString& text) {
    CommentDialog dialog(owner);
    return EditComment(dialog, runner, text);
}

}  // namespace trivant

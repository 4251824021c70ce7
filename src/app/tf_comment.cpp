// TFComment: an edit field over "Ok" and "Отмена" at the bottom right.
#include "tf_comment.h"

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

TFComment::TFComment(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("TFComment");
    setWindowTitle(QString::fromUtf8("Введите комментарий"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    const DialogButtons buttons = MakeDialogButtons(this, "Ok", "Отмена");
    Button1 = buttons.Button1;
    Button2 = buttons.Button2;
    auto* main = new QVBoxLayout(this);
    main->addWidget(Edit1);
    main->addLayout(buttons.row);
    resize(kWidth, kHeight);
}

bool EditComment(TFComment& dialog, DialogRunner& runner, QString& text) {
    dialog.Edit1->setText(text);
    dialog.Edit1->selectAll();
    dialog.Edit1->setFocus();
    if (runner.exec(dialog) != QDialog::Accepted)
        return false;
    text = dialog.Edit1->text();
    return true;
}

bool EditComment(QWidget* owner, DialogRunner& runner, QString& text) {
    TFComment dialog(owner);
    return EditComment(dialog, runner, text);
}

}  // namespace trivant

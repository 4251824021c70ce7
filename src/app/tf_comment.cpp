// TFComment: an edit field over "Ok" and "Отмена" at the bottom right.
#include "tf_comment.h"

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
    Button1 = new QPushButton(QString::fromUtf8("Ok"), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton(QString::fromUtf8("Отмена"), this);
    Button2->setObjectName("Button2");
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(Edit1);
    main->addLayout(buttons);
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

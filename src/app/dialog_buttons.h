// The confirm and cancel pair at the bottom of the application's dialogs.
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace trivant {

// Button1 confirms (the default button), Button2 cancels; row holds them on the right.
struct DialogButtons {
    QPushButton* Button1;
    QPushButton* Button2;
    QHBoxLayout* row;
};

inline DialogButtons MakeDialogButtons(QDialog* d, const char* okText, const char* cancelText) {
    DialogButtons b{new QPushButton(QString::fromUtf8(okText), d),
                    new QPushButton(QString::fromUtf8(cancelText), d), new QHBoxLayout};
    b.Button1->setObjectName("Button1");
    b.Button1->setDefault(true);
    b.Button2->setObjectName("Button2");
    QObject::connect(b.Button1, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(b.Button2, &QPushButton::clicked, d, &QDialog::reject);
    b.row->addStretch();
    b.row->addWidget(b.Button1);
    b.row->addWidget(b.Button2);
    return b;
}

}  // namespace trivant

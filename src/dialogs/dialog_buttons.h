// The confirm and cancel pair at the bottom of the application's dialogs.
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace trivant {

// okButton confirms (the default button), cancelButton cancels; row holds them on the right.
struct DialogButtons {
    QPushButton* okButton;
    QPushButton* cancelButton;
    QHBoxLayout* row;
};

inline DialogButtons MakeDialogButtons(QDialog* d, const QString& okText,
                                       const QString& cancelText) {
    DialogButtons b{new QPushButton(okText, d), new QPushButton(cancelText, d), new QHBoxLayout};
    b.okButton->setObjectName("okButton");
    b.okButton->setDefault(true);
    b.cancelButton->setObjectName("cancelButton");
    QObject::connect(b.okButton, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(b.cancelButton, &QPushButton::clicked, d, &QDialog::reject);
    b.row->addStretch();
    b.row->addWidget(b.okButton);
    b.row->addWidget(b.cancelButton);
    return b;
}

}  // namespace trivant

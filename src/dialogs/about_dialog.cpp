// AboutDialog: a picture slot beside four centred lines, the name large and bold.
#include "about_dialog.h"

#include "app_icon.h"
#include "version.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace trivant {

namespace {

constexpr int kNamePointSize = 18;
constexpr int kImageSide = 64;  // pixels kept for the icon

QLabel* makeLine(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutDialog");
    setWindowTitle(tr("О программе"));
    iconLabel = new QLabel(this);
    iconLabel->setObjectName("iconLabel");
    iconLabel->setMinimumSize(kImageSide, kImageSide);
    iconLabel->setAlignment(Qt::AlignCenter);
    iconLabel->setPixmap(AppIcon().pixmap(kImageSide, kImageSide));
    L_Name = makeLine(this, "L_Name", tr("ТРИВАНТ"));
    QFont big = L_Name->font();
    big.setPointSize(kNamePointSize);
    big.setBold(true);
    L_Name->setFont(big);
    L_Purpose = makeLine(this, "L_Purpose", tr("Анализ вариабельности ритма сердца"));
    L_Version = makeLine(this, "L_Version", tr("Версия %1").arg(kVersion));
    L_Years = makeLine(this, "L_Years", tr("2005 - 2023 г"));
    okButton = new QPushButton(tr("Ok"), this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* lines = new QVBoxLayout;
    for (QLabel* l : {L_Name, L_Purpose, L_Version, L_Years})
        lines->addWidget(l);
    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addLayout(lines, 1);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(okButton, 0, Qt::AlignHCenter);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace trivant

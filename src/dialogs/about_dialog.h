// AboutDialog: the about box with the program's name, purpose, version and years.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace trivant {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* iconLabel;  // the application's icon, left of the text
    QLabel* L_Name;
    QLabel* L_Purpose;
    QLabel* L_Version;
    QLabel* L_Years;
    QPushButton* okButton;  // "Ok"
};

}  // namespace trivant

// TFCredits: the about box with the program's name, purpose, version and years.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace trivant {

class TFCredits : public QDialog {
    Q_OBJECT
public:
    explicit TFCredits(QWidget* parent = nullptr);

    QLabel* Image1;  // the application's icon, left of the text
    QLabel* L_Name;
    QLabel* L_Purpose;
    QLabel* L_Version;
    QLabel* L_Years;
    QPushButton* Button1;  // "Ok"
};

}  // namespace trivant

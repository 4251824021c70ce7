// Trivant: records and analyses heart-rate variability from a pulse device.
#include "qt_port_layer.h"
#include "tform1.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trivant");
    // Settings and the default recordings folder live in the folder Trivant starts in.
    trivant::TForm1 main(std::make_unique<trivant::QtPortLayer>(),
                         std::make_unique<trivant::DialogRunner>(),
                         QDir::currentPath().toStdString());
    main.showMaximized();
    return app.exec();
}

#include "Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Huecipher"));
    Main window;
    window.show();
    return app.exec();
}

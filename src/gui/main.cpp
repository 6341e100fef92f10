#include "CommandLine.h"
#include "LocalName.h"
#include "Main.h"
#include "ProgramFolder.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <new>

int main(int argc, char* argv[])
{
    // The command line is read before the toolkit starts: --help needs no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << LocalName::FromBytes(argv[i]);  // every byte of a file's name kept
    const Module1::StartRequest request = Module1::ReadCommandLine(arguments);
    if (request.exitCode >= 0)
        return request.exitCode;

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Hollowbrandt"));
    QApplication::setApplicationName(QStringLiteral("Huecipher"));
    QApplication::setApplicationVersion(Module1::ProgramVersion());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(HUECIPHER_APP_ID));
    Module1::PrepareProgramFolder();
    Main window;
    window.show();
    if (!request.file.isEmpty())
        QTimer::singleShot(0, &window, [&window, &request] { window.OpenDocument(request.file); });
    try {
        return app.exec();
    } catch (const std::bad_alloc&) {
        std::fputs("huecipher: not enough memory\n", stderr);
        return 1;
    }
}

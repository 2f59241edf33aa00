// Writes the window's icon as files for installation: PNGs for the desktop's menus and an
// .ico for the Windows executable, from the same drawing the window uses.
//   tripart_iconfiles <directory>
#include "ui/icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const int size : {16, 32}) {
        ok = DrawTriangleIcon(size).save(dir.filePath(QStringLiteral("tripart-%1.png").arg(size))) && ok;
    }
    // The .ico holds both sizes when the plugin can; one is enough for the executable.
    if (QImageWriter::supportedImageFormats().contains("ico")) {
        ok = DrawTriangleIcon(32).save(dir.filePath(QStringLiteral("tripart.ico")), "ICO") && ok;
    }
    return ok ? 0 : 1;
}

#include "ui/application.h"

#include "ui/fonts.h"

#include <QApplication>

void PrepareApplication()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 does this by itself: the window scales with the display by its exact factor, so
    // that at 150 % the layout is 1.5 times as large, not 1 or 2 times. On X11, Qt 5 keeps to
    // QT_SCALE_FACTOR, as Debian's other Qt 5 programs do; Windows' display scaling it follows
    // only when told.
#ifdef Q_OS_WIN
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
#endif
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

void SetUpApplication()
{
    // Fusion paints the palette's button colour as the face, so the yellow buttons come out
    // yellow on every platform.
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallFontSubstitutes();
}

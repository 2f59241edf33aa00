#include "ui/application.h"

#include "ui/fonts.h"

#include <QApplication>

void SetUpApplication()
{
    // Fusion paints the palette's button colour as the face, so the yellow buttons come out
    // yellow on every platform.
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallFontSubstitutes();
}

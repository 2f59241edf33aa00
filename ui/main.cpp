#include "ui/fonts.h"
#include "ui/frmtripart.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallFontSubstitutes();
    frmtripart window;
    window.show();
    return QApplication::exec();
}

#include "ui/application.h"
#include "ui/frmtripart.h"

#include <QApplication>

int main(int argc, char** argv)
{
    PrepareApplication();
    QApplication app(argc, argv);
    SetUpApplication();
    frmtripart window;
    window.show();
    return QApplication::exec();
}

#include "app/UnitStartup.h"

#include <QApplication>

int RunTavenorPrint(int argc, char **argv)
{
    QApplication app(argc, argv);
    return 0;
}

#include "gui/Form1.h"
#include "runtime/StartupEnvironment.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    prepareStartupEnvironment();
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    return QApplication::exec();
}

#include "runtime/StartupEnvironment.h"
#include "shell/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    prepareStartupEnvironment();
    QApplication app(argc, argv);
    Form1 form;
    form.show();
    return QApplication::exec();
}

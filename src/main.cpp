#include "shell/Form1.h"
#include "shell/StartupEnvironment.h"
#include "shell/WindowProgram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    prepareStartupEnvironment();
    QApplication app(argc, argv);
    Form1 form;
    return runWindowProgram(form);
}

#include "shell/Form1.h"

void Form1::PushButton2_Click()
{}

void Form1::restoreDefaultPrinterOfInterruptedRun()
{}

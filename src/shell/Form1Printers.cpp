#include "shell/Form1.h"

void Form1::LoadPrinterList()
{}

void Form1::Combo1_Click()
{}

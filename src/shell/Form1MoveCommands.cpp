#include "shell/Form1.h"

void Form1::PushButton3_Click()
{}

void Form1::PushButton5_Click()
{}

#include "shell/Form1.h"

void Form1::PushButton10_Click()
{}

void Form1::PushButton13_Click()
{}

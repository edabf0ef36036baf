#include "shell/Form1.h"

void Form1::PushButton6_Click()
{}

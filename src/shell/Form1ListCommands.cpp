#include "shell/Form1.h"

void Form1::PushButton1_Click()
{}

void Form1::PushButton7_Click()
{}

void Form1::PushButton9_Click()
{}

void Form1::ListView1_DblClick()
{}

void Form1::ListView1_KeyDown(int, int)
{}

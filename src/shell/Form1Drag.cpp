#include "shell/Form1.h"

void Form1::ListView1_ItemClick()
{}

void Form1::ListView1_MouseDown()
{}

void Form1::ListView1_MouseMove(int, int)
{}

void Form1::ListView1_MouseUp()
{}

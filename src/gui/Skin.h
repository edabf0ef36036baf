#pragma once

class QWidget;

// With a skin file ("x/o.cjs", a Qt style sheet, found by shippedFilePath) the main window takes the
// system's button-face colours and then the skin. Without one it keeps its design colours.
// A skin that cannot be read or parsed raises a RuntimeError after the colours are set.
void applySkin(QWidget &window);

// Gives the window, and its frames, labels, check boxes and option buttons, the system's
// button-face colour as background.
void useButtonFaceColours(QWidget &window);

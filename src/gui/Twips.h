#pragma once

#include <QRect>

// Layout sizes are given in twips; at 96 dots per inch a pixel is 15 twips.
constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value)
{
    return value / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

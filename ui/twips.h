#pragma once

#include <QRect>
#include <QSize>

// Window layouts are drawn up in twips, 1/1440 inch: 15 twips make one pixel
// at 96 dpi. Qt's device-independent pixels are those 96-dpi pixels, so high
// DPI scaling takes care of the rest.
constexpr int twipsToPixels(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

constexpr QRect twipRect(int left, int top, int width, int height)
{
    return QRect(
        twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

constexpr QSize twipSize(int width, int height)
{
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

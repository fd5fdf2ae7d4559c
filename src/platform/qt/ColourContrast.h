#pragma once

#include <QColor>

// The contrast ratio of two colours, from 1 (the same lightness) to 21 (black
// on white), by their relative luminance in sRGB.
double contrastRatio(const QColor& first, const QColor& second);

// The preferred colour where it stands out from the background by at least
// the ratio; otherwise black or white, whichever stands out more.
QColor readableOn(const QColor& background, const QColor& preferred, double ratio);

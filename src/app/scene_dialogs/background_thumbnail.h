#pragma once
// The thumbnail of a 2-D background style for the axis dialog's picture of
// choices: the style as the drawing fills the plot area, in a dark first and
// a light second tone.
#include <QImage>

QImage BackgroundThumbnail(long style, QSize size);

// Makes a picture transparent the way button pictures are: a picture without an alpha
// channel takes the colour of its bottom-left pixel as its transparent colour.
#pragma once

#include <QImage>

namespace tallyrun {

// `picture` with transparency: unchanged (as ARGB32) when it has an alpha channel already,
// otherwise with every pixel of its bottom-left pixel's colour made fully transparent.
QImage MakeTransparent(const QImage& picture);

} // namespace tallyrun

// The splash window's picture, 400 x 250 pixels, drawn by the program itself.
#pragma once

#include <QImage>

namespace tallyrun {

inline constexpr int kSplashPictureWidth = 400;
inline constexpr int kSplashPictureHeight = 250;

// The picture: the program's name and icon over a blue gradient, with room at the bottom
// right for the version label.
QImage DrawSplashPicture();

} // namespace tallyrun

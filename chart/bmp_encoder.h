// The Windows BMP file form of an image: a 14-byte file header, a 40-byte information header
// and 24-bit pixel rows, bottom row first, each padded to a multiple of four bytes.
#pragma once

#include <string>

class QImage;

namespace tallyrun {

std::string EncodeBmp(const QImage& image);

} // namespace tallyrun

#include "chart/bmp_encoder.h"

#include <QImage>

#include <cstdint>

namespace tallyrun {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780; // 96 dots per inch

void Put16(std::string& out, std::uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

} // namespace

std::string EncodeBmp(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * height;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    std::string out;
    out.reserve(offset + pixelBytes);
    out += "BM";
    Put32(out, offset + pixelBytes);
    Put32(out, 0); // two reserved words
    Put32(out, offset);
    Put32(out, kInfoHeaderSize);
    Put32(out, width);
    Put32(out, height); // positive: rows bottom-up
    Put16(out, 1);      // planes
    Put16(out, 24);     // bits per pixel
    Put32(out, 0);      // no compression
    Put32(out, pixelBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0); // colours used
    Put32(out, 0); // important colours

    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const std::size_t rowStart = out.size();
        for (std::uint32_t x = 0; x < width; ++x) {
            out.push_back(static_cast<char>(qBlue(row[x])));
            out.push_back(static_cast<char>(qGreen(row[x])));
            out.push_back(static_cast<char>(qRed(row[x])));
        }
        out.resize(rowStart + rowBytes, '\0');
    }
    return out;
}

} // namespace tallyrun

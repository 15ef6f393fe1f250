#include "widgets/transparent_picture.h"

namespace tallyrun {

QImage MakeTransparent(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const bool hadAlpha = picture.hasAlphaChannel();
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    if (hadAlpha)
        return result;
    const QRgb key = result.pixel(0, result.height() - 1);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return result;
}

} // namespace tallyrun

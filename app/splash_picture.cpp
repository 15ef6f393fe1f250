#include "app/splash_picture.h"

#include "app/app_icon.h"
#include "base/fonts.h"

#include <QCoreApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace tallyrun {

QImage DrawSplashPicture()
{
    QImage image(kSplashPictureWidth, kSplashPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kSplashPictureHeight);
    sky.setColorAt(0, QColor(30, 60, 130));
    sky.setColorAt(1, QColor(150, 190, 235));
    p.fillRect(image.rect(), sky);

    p.drawImage(QPoint(40, 60), DrawAppIcon(128));
    QFont title(GothicFaceName());
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(180, 80, 210, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tallyrun"));
    QFont subtitle(GothicFaceName());
    subtitle.setPixelSize(14);
    p.setFont(subtitle);
    p.drawText(QRect(182, 140, 210, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("TForm1", "フォルダ容量の集計"));
    return image;
}

} // namespace tallyrun

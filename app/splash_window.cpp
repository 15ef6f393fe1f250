#include "app/splash_window.h"

#include "app/dialog_window.h"
#include "app/splash_picture.h"
#include "base/handler_errors.h"
#include "widgets/bevel_drawing.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace tallyrun {

namespace {

constexpr QSize kClientSize(404, 254);
constexpr int kLabelRight = 391;
constexpr int kLabelTop = 214;

// A panel whose two one-pixel bevels frame its content: the outer one lowered, the inner
// one raised.
class TBevelPanel : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QPalette& pal = palette();
        QRect r = rect();
        Frame3D(painter, r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
        Frame3D(painter, r, pal.color(QPalette::Light), pal.color(QPalette::Dark));
    }
};

} // namespace

TForm1::TForm1(const TVersionReader& readVersion)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setFont(GothicFont(12));
    setFixedSize(kClientSize);
    CentreOnScreen(*this);

    Panel1 = new TBevelPanel(this);
    Panel1->setGeometry(QRect(QPoint(0, 0), kClientSize));
    Image1 = new QLabel(Panel1);
    Image1->setGeometry(2, 2, kSplashPictureWidth, kSplashPictureHeight);
    Image1->setPixmap(QPixmap::fromImage(DrawSplashPicture()));
    Label1 = MakeLabel(Panel1, {0, kLabelTop});
    Label1->setFont(GothicFont(16));
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    SetRightAlignedText(*Label1, kLabelRight, QStringLiteral("Label1"));
    FormCreate(readVersion);
}

void TForm1::FormCreate(const TVersionReader& readVersion)
{
    RunHandler([&] {
        const std::string version = readVersion(vkProductVersion);
        SetRightAlignedText(*Label1, kLabelRight,
                            QStringLiteral("Ver ") + QString::fromStdString(version));
    });
}

} // namespace tallyrun

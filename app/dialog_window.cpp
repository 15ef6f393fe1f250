#include "app/dialog_window.h"

#include "base/fonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace tallyrun {

void SetUpDialogWindow(QWidget& dialog, const QString& title, QSize clientSize)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(title);
    dialog.setFixedSize(clientSize);
    dialog.setFont(GothicFont(12));
    CentreOnScreen(dialog);
}

void CentreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.x() + (area.width() - window.width()) / 2,
                    area.y() + (area.height() - window.height()) / 2);
    }
}

QFont GothicFont(int pixelSize, QFont::Weight weight)
{
    QFont font(GothicFaceName());
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QLabel* MakeLabel(QWidget* parent, QPoint pos, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(pos);
    label->adjustSize();
    return label;
}

void SetRightAlignedText(QLabel& label, int right, const QString& text)
{
    label.setAlignment(Qt::AlignRight | Qt::AlignTop);
    label.setText(text);
    label.adjustSize();
    label.move(right - label.width(), label.y());
}

void MakeTransientFor(QWidget& dialog, QWidget& owner)
{
    // Both need their platform windows for the hint; they are made now, before either shows.
    (void)dialog.winId();
    (void)owner.winId();
    if (dialog.windowHandle() && owner.windowHandle())
        dialog.windowHandle()->setTransientParent(owner.windowHandle());
}

} // namespace tallyrun

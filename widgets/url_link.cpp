#include "widgets/url_link.h"

#include "widgets/link_hint_window.h"
#include "widgets/store_if_changed.h"

#include <QMouseEvent>

namespace tallyrun {

TURLLink::TURLLink(QWidget* parent)
    : QLabel(parent), hintForm_(new TLinkHintWindow(this)), opener_(OpenWithDesktopHandler)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    ApplyFontColor();
    ApplyBackground();
}

TURLLink::~TURLLink() = default;

void TURLLink::SetURLType(TURLtype type)
{
    if (StoreIfChanged(urlType_, type))
        update();
}

void TURLLink::SetLink(const QString& link)
{
    if (StoreIfChanged(link_, link))
        update();
}

void TURLLink::SetHintFormFont(const QFont& font)
{
    if (StoreIfChanged(hintFormFont_, font))
        update();
}

void TURLLink::SetEnableShowHint(bool on)
{
    if (StoreIfChanged(enableShowHint_, on))
        update();
}

void TURLLink::SetHintFormColor(TColor color)
{
    if (StoreIfChanged(hintFormColor_, color))
        update();
}

void TURLLink::SetHintOffsetX(int x)
{
    if (StoreIfChanged(hintOffsetX_, x))
        update();
}

void TURLLink::SetHintOffsetY(int y)
{
    if (StoreIfChanged(hintOffsetY_, y))
        update();
}

void TURLLink::SetLinkColor(TColor color)
{
    if (StoreIfChanged(linkColor_, color))
        update();
}

void TURLLink::SetCaption(const QString& caption)
{
    if (caption != text())
        setText(caption); // QLabel repaints (and resizes when asked to)
}

void TURLLink::SetTransparent(bool on)
{
    if (StoreIfChanged(transparent_, on))
        ApplyBackground();
}

void TURLLink::SetColor(TColor color)
{
    if (!StoreIfChanged(color_, color))
        return;
    ApplyBackground();
}

void TURLLink::SetFontColor(TColor color)
{
    if (!StoreIfChanged(fontColor_, color))
        return;
    ApplyFontColor();
}

void TURLLink::ApplyFontColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, ColorToQColor(fontColor_));
    setPalette(pal);
    update();
}

void TURLLink::ApplyBackground()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColorToQColor(color_));
    setPalette(pal);
    setAutoFillBackground(!transparent_);
    update();
}

QString TURLLink::Target() const
{
    return urlType_ == tpMAIL ? QStringLiteral("mailto:") + link_ : link_;
}

void TURLLink::SetOpener(TLinkOpener opener)
{
    opener_ = std::move(opener);
}

void TURLLink::HideHint()
{
    if (!hintShown_)
        return;
    hintForm_->hide();
    hintShown_ = false;
}

void TURLLink::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    savedFontColor_ = fontColor_;
    fontColor_ = linkColor_;
    ApplyFontColor();
}

void TURLLink::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    fontColor_ = savedFontColor_;
    ApplyFontColor();
    HideHint();
}

void TURLLink::mouseMoveEvent(QMouseEvent* event)
{
    // The label's own move handling is not run: the move only shows the link window, once,
    // where the mouse first was; it stays there until the mouse leaves or clicks.
    if (!enableShowHint_ || hintShown_)
        return;
    const QPoint mouse = event->globalPosition().toPoint();
    hintForm_->ShowAt(mouse + QPoint(hintOffsetX_, hintOffsetY_), link_, hintFormFont_,
                      ColorToQColor(hintFormColor_), ColorToQColor(clWindowText));
    hintShown_ = true;
}

void TURLLink::mousePressEvent(QMouseEvent* event)
{
    update();
    QLabel::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (opener_)
        opener_(Target());
    HideHint();
}

} // namespace tallyrun

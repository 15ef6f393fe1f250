#include "widgets/url_link.h"

#include "widgets/link_hint_window.h"
#include "widgets/store_if_changed.h"

#include <QMouseEvent>

namespace tallyrun {

TURLLink::TURLLink(QWidget* parent)
    : QLabel(parent), m_hintForm(new TLinkHintWindow(this)), m_opener(OpenWithDesktopHandler)
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
    if (StoreIfChanged(m_urlType, type))
        update();
}

void TURLLink::SetLink(const QString& link)
{
    if (StoreIfChanged(m_link, link))
        update();
}

void TURLLink::SetHintFormFont(const QFont& font)
{
    if (StoreIfChanged(m_hintFormFont, font))
        update();
}

void TURLLink::SetEnableShowHint(bool on)
{
    if (StoreIfChanged(m_enableShowHint, on))
        update();
}

void TURLLink::SetHintFormColor(TColor color)
{
    if (StoreIfChanged(m_hintFormColor, color))
        update();
}

void TURLLink::SetHintOffsetX(int x)
{
    if (StoreIfChanged(m_hintOffsetX, x))
        update();
}

void TURLLink::SetHintOffsetY(int y)
{
    if (StoreIfChanged(m_hintOffsetY, y))
        update();
}

void TURLLink::SetLinkColor(TColor color)
{
    if (StoreIfChanged(m_linkColor, color))
        update();
}

void TURLLink::SetCaption(const QString& caption)
{
    if (caption != text())
        setText(caption); // QLabel repaints (and resizes when asked to)
}

void TURLLink::SetTransparent(bool on)
{
    if (StoreIfChanged(m_transparent, on))
        ApplyBackground();
}

void TURLLink::SetColor(TColor color)
{
    if (!StoreIfChanged(m_color, color))
        return;
    ApplyBackground();
}

void TURLLink::SetFontColor(TColor color)
{
    if (!StoreIfChanged(m_fontColor, color))
        return;
    ApplyFontColor();
}

void TURLLink::ApplyFontColor()
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, ColorToQColor(m_fontColor));
    setPalette(pal);
    update();
}

void TURLLink::ApplyBackground()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColorToQColor(m_color));
    setPalette(pal);
    setAutoFillBackground(!m_transparent);
    update();
}

QString TURLLink::Target() const
{
    return m_urlType == tpMAIL ? QStringLiteral("mailto:") + m_link : m_link;
}

void TURLLink::SetOpener(TLinkOpener opener)
{
    m_opener = std::move(opener);
}

void TURLLink::HideHint()
{
    if (!m_hintShown)
        return;
    m_hintForm->hide();
    m_hintShown = false;
}

void TURLLink::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    m_savedFontColor = m_fontColor;
    m_fontColor = m_linkColor;
    ApplyFontColor();
}

void TURLLink::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    m_fontColor = m_savedFontColor;
    ApplyFontColor();
    HideHint();
}

void TURLLink::mouseMoveEvent(QMouseEvent* event)
{
    // The label's own move handling is not run: the move only shows the link window, once,
    // where the mouse first was; it stays there until the mouse leaves or clicks.
    if (!m_enableShowHint || m_hintShown)
        return;
    const QPoint mouse = event->globalPosition().toPoint();
    m_hintForm->ShowAt(mouse + QPoint(m_hintOffsetX, m_hintOffsetY), m_link, m_hintFormFont,
                       ColorToQColor(m_hintFormColor), ColorToQColor(clWindowText));
    m_hintShown = true;
}

void TURLLink::mousePressEvent(QMouseEvent* event)
{
    update();
    QLabel::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (m_opener)
        m_opener(Target());
    HideHint();
}

} // namespace tallyrun

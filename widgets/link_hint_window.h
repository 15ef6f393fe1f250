// The small floating window a link label shows next to the mouse, holding the link target.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class QPainter;

namespace tallyrun {

// Client size of the window for `link` in `font`: the text's width + 6 by its height + 3.
QSize LinkHintSize(const QFont& font, const QString& link);

// Draws the window's face: `background` everywhere, `link` with its top-left at (2, 2).
void PaintLinkHint(QPainter& painter, QSize size, const QFont& font, const QColor& background,
                   const QColor& textColor, const QString& link);

// A borderless, stay-on-top window that never takes the focus.
class TLinkHintWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TLinkHintWindow(QWidget* owner);

    // Takes the colours, font and text, sizes itself for them and moves its top-left to
    // `topLeft` in screen pixels, then shows itself without activating.
    void ShowAt(QPoint topLeft, const QString& link, const QFont& font, const QColor& background,
                const QColor& textColor);
    QString Text() const { return link_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString link_;
    QFont font_;
    QColor background_;
    QColor textColor_;
};

} // namespace tallyrun

// TURLLink: a label that acts as a hyperlink. It takes `LinkColor` while the mouse is over
// it, can show its target in a small floating window next to the mouse, and opens the target
// on a left click.
#pragma once

#include "platform/color_value.h"
#include "widgets/link_opener.h"

#include <QFont>
#include <QLabel>

namespace tallyrun {

class TLinkHintWindow;

enum TURLtype
{
    tpURL,
    tpMAIL
};

class TURLLink : public QLabel
{
    Q_OBJECT
public:
    explicit TURLLink(QWidget* parent = nullptr);
    ~TURLLink() override;

    TURLtype URLType() const { return m_urlType; }
    void SetURLType(TURLtype type);
    // An address for tpURL, a mail address for tpMAIL.
    QString Link() const { return m_link; }
    void SetLink(const QString& link);
    // Font of the floating link window; the label keeps its own copy.
    QFont HintFormFont() const { return m_hintFormFont; }
    void SetHintFormFont(const QFont& font);
    bool EnableShowHint() const { return m_enableShowHint; }
    void SetEnableShowHint(bool on);
    TColor HintFormColor() const { return m_hintFormColor; }
    void SetHintFormColor(TColor color);
    int HintOffsetX() const { return m_hintOffsetX; }
    void SetHintOffsetX(int x);
    int HintOffsetY() const { return m_hintOffsetY; }
    void SetHintOffsetY(int y);
    // A transparent label draws no background of its own.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool on);
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    // The caption's colour as it is now (LinkColor while the mouse is over the label).
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor color);
    TColor LinkColor() const { return m_linkColor; }
    void SetLinkColor(TColor color);

    // What a left click opens: Link, or "mailto:" + Link for tpMAIL.
    QString Target() const;
    // Replaces the function a left click hands the target to (by default the desktop's
    // default handler).
    void SetOpener(TLinkOpener opener);

    // The floating link window, and whether it is showing.
    const TLinkHintWindow* HintForm() const { return m_hintForm; }
    bool HintShown() const { return m_hintShown; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ApplyFontColor();
    void ApplyBackground();
    void HideHint();

    TURLtype m_urlType = tpURL;
    QString m_link = QStringLiteral("http://");
    QFont m_hintFormFont;
    bool m_enableShowHint = true;
    TColor m_hintFormColor = clInfoBk;
    int m_hintOffsetX = 15;
    int m_hintOffsetY = 15;
    bool m_transparent = false;
    TColor m_color = clBtnFace;
    TColor m_fontColor = clBlue;
    TColor m_linkColor = clRed;

    TColor m_savedFontColor = clBlue; // the caption colour from before the mouse entered
    TLinkHintWindow* m_hintForm;      // owned as a child window, freed with the label
    bool m_hintShown = false;
    TLinkOpener m_opener;
};

} // namespace tallyrun

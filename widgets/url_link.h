// TURLLink: a label that acts as a hyperlink. It takes `LinkColor` while the mouse is over
// it, can show its target in a small floating window next to the mouse, and opens the target
// on a left click.
#pragma once

#include "base/color_value.h"
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

    TURLtype URLType() const { return urlType_; }
    void SetURLType(TURLtype type);
    // An address for tpURL, a mail address for tpMAIL.
    QString Link() const { return link_; }
    void SetLink(const QString& link);
    // Font of the floating link window; the label keeps its own copy.
    QFont HintFormFont() const { return hintFormFont_; }
    void SetHintFormFont(const QFont& font);
    bool EnableShowHint() const { return enableShowHint_; }
    void SetEnableShowHint(bool on);
    TColor HintFormColor() const { return hintFormColor_; }
    void SetHintFormColor(TColor color);
    int HintOffsetX() const { return hintOffsetX_; }
    void SetHintOffsetX(int x);
    int HintOffsetY() const { return hintOffsetY_; }
    void SetHintOffsetY(int y);
    // A transparent label draws no background of its own.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // The caption's colour as it is now (LinkColor while the mouse is over the label).
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    TColor LinkColor() const { return linkColor_; }
    void SetLinkColor(TColor color);

    // What a left click opens: Link, or "mailto:" + Link for tpMAIL.
    QString Target() const;
    // Replaces the function a left click hands the target to (by default the desktop's
    // default handler).
    void SetOpener(TLinkOpener opener);

    // The floating link window, and whether it is showing.
    const TLinkHintWindow* HintForm() const { return hintForm_; }
    bool HintShown() const { return hintShown_; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ApplyFontColor();
    void ApplyBackground();
    void HideHint();

    TURLtype urlType_ = tpURL;
    QString link_ = QStringLiteral("http://");
    QFont hintFormFont_;
    bool enableShowHint_ = true;
    TColor hintFormColor_ = clInfoBk;
    int hintOffsetX_ = 15;
    int hintOffsetY_ = 15;
    bool transparent_ = false;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clBlue;
    TColor linkColor_ = clRed;

    TColor savedFontColor_ = clBlue; // the caption colour from before the mouse entered
    TLinkHintWindow* hintForm_;      // owned as a child window, freed with the label
    bool hintShown_ = false;
    TLinkOpener opener_;
};

} // namespace tallyrun

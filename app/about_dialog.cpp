#include "app/about_dialog.h"

#include "app/about_texts.h"
#include "app/dialog_window.h"
#include "widgets/picture_button.h"
#include "widgets/url_link.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>

namespace tallyrun {

namespace {

constexpr TColor kCloseButtonInColor = 14931660; // 0x00E3D6CC: red 204, green 214, blue 227
constexpr int kLabel2Right = 324;

void SetFontAndColor(QLabel& label, const QFont& font, TColor color)
{
    label.setFont(font);
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, ColorToQColor(color));
    label.setPalette(pal);
    label.adjustSize();
}

TURLLink* MakeLink(QWidget* parent, QPoint pos, const QString& caption, const QString& target)
{
    auto* link = new TURLLink(parent);
    link->SetURLType(tpURL);
    link->SetLink(target);
    link->SetEnableShowHint(false);
    link->SetTransparent(true);
    link->setFont(GothicFont(12));
    link->SetFontColor(clBlue);
    link->SetLinkColor(clRed);
    link->SetCaption(caption);
    link->move(pos);
    link->adjustSize();
    return link;
}

} // namespace

TfrmVersion::TfrmVersion(QWidget* mainWindow, TVersionReader readVersion)
    : QWidget(nullptr), mainWindow_(mainWindow)
{
    SetUpDialogWindow(*this, QCoreApplication::translate("TfrmVersion", "バージョン情報"),
                      QSize(345, 224));
    CreateComponents();
    FormCreate(readVersion);
}

void TfrmVersion::CreateComponents()
{
    using namespace about_texts;
    Image2 = new QLabel(this);
    Image2->setGeometry(12, 16, 32, 32);

    Label1 = MakeLabel(this, {64, 16}, QStringLiteral("Tallyrun"));
    SetFontAndColor(*Label1, GothicFont(21, QFont::Bold), clBlack);
    Label2 = MakeLabel(this, {0, 40});
    SetFontAndColor(*Label2, GothicFont(16, QFont::Bold), clBlack);
    SetRightAlignedText(*Label2, kLabel2Right, QStringLiteral("Version: "));

    Panel1 = new QWidget(this);
    Panel1->setGeometry(52, 72, 241, 105);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Panel1->setAutoFillBackground(true);

    Label3 = MakeLabel(Panel1, {8, 13}, kNotice);
    URLLink1 = MakeLink(Panel1, {8, 29}, kMakerName, kMakerUrl);
    Label4 = MakeLabel(Panel1, {136, 29}, kRightsReserved);
    Label6 = MakeLabel(Panel1, {8, 61}, IconCredit());
    URLLink3 = MakeLink(Panel1, {88, 61}, kIconAuthor, kIconAuthorUrl);

    btnClose = new TPictureButton(this);
    btnClose->setGeometry(120, 192, 105, 25);
    btnClose->SetCaption(QCoreApplication::translate("TfrmVersion", "閉じる"));
    btnClose->SetButtonStyle(bsStdButton);
    btnClose->SetFocusStyle(bfsStdButton);
    btnClose->SetInColor(kCloseButtonInColor);
    btnClose->SetStretch(false);
    // The only control that takes the focus, so it is first in the tab order and focused
    // when the dialog comes up.
    btnClose->setFocus();
    connect(btnClose, &TPictureButton::OnClick, this, &TfrmVersion::btnCloseClick);
}

void TfrmVersion::FormCreate(const TVersionReader& readVersion)
{
    // A version block that cannot be read leaves the design texts; the dialog still comes up.
    try {
        const QString name = QString::fromStdString(readVersion(vkProductName));
        Label1->setText(name);
        Label1->adjustSize();
        const QString version = QString::fromStdString(readVersion(vkProductVersion));
        SetRightAlignedText(*Label2, kLabel2Right, QStringLiteral("Version: ") + version);
        Image2->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    } catch (...) {
    }
}

void TfrmVersion::FormShow()
{
    if (mainWindow_)
        mainWindow_->setEnabled(false);
}

void TfrmVersion::FormCloseQuery(bool& canClose)
{
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    canClose = true;
}

void TfrmVersion::btnCloseClick()
{
    close(); // hides the dialog; it is kept for the next showing
}

void TfrmVersion::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

QWidget* TfrmVersion::CloseButtonWidget() const
{
    return btnClose;
}

void TfrmVersion::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TfrmVersion::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Hiding the dialog without closing it (hide() called by its owner) must not leave the
    // main window locked with no dialog to close.
    if (!event->spontaneous() && mainWindow_)
        mainWindow_->setEnabled(true);
}

} // namespace tallyrun

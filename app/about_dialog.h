// TfrmVersion: the about dialog. It shows the product name and version from the version
// block, the publisher's notice with a link to the project's page and the credit for the
// button icons. While it is visible the main window takes no input; it is shown without a
// modal loop and hidden, not freed, when closed.
#pragma once

#include "app/version_info.h"

#include <QWidget>

#include <functional>
#include <string>

class QLabel;

namespace tallyrun {

class TPictureButton;
class TURLLink;

// Reads a version string by key number, as GetVersionString does.
using TVersionReader = std::function<std::string(int key)>;

class TfrmVersion : public QWidget
{
    Q_OBJECT
public:
    // `mainWindow` is disabled while the dialog is visible (it may be null). The dialog is a
    // window of its own, not a child of the main window, so disabling that leaves the dialog
    // usable.
    explicit TfrmVersion(QWidget* mainWindow, TVersionReader readVersion = GetVersionString);

    QLabel* Image2;
    QLabel* Label1;
    QLabel* Label2;
    QWidget* Panel1;
    QLabel* Label3;
    TURLLink* URLLink1;
    QLabel* Label4;
    QLabel* Label6;
    TURLLink* URLLink3;
    TPictureButton* btnClose;
    // btnClose as a plain widget, for code that only needs where it is.
    QWidget* CloseButtonWidget() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateComponents();
    void FormCreate(const TVersionReader& readVersion);
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void btnCloseClick();

    QWidget* mainWindow_;
};

} // namespace tallyrun

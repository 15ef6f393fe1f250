// TForm1: the borderless splash window shown while the program creates its windows and runs
// its first analysis. It shows the splash picture with the product version over it.
#pragma once

#include "app/about_dialog.h"

#include <QWidget>

class QLabel;

namespace tallyrun {

class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // `readVersion` gives the product version for the label. An error it raises is shown
    // in the standard error box and the label keeps its design text.
    explicit TForm1(const TVersionReader& readVersion = GetVersionString);

    QWidget* Panel1;
    QLabel* Image1;
    QLabel* Label1;

private:
    void FormCreate(const TVersionReader& readVersion);
};

} // namespace tallyrun

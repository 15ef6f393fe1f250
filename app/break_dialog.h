// TfrmBreakDialog: the "中断処理中" dialog telling the user that a stop is under way. It is
// created at start-up and stays hidden until someone shows it.
#pragma once

#include <QWidget>

class QLabel;

namespace tallyrun {

class TfrmBreakDialog : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmBreakDialog(QWidget* parent = nullptr);

    QLabel* lblMessage;

private:
    void FormCreate();
};

} // namespace tallyrun

// A status bar divided into panels of fixed widths, the last panel taking the rest of the
// width. Each panel shows one line of text. Progress bars can sit over a panel
// (TStatusProgressBar).
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

namespace tallyrun {

class TStatusBar : public QWidget
{
    Q_OBJECT

public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // Replaces the panels; every panel but the last keeps exactly its width.
    void SetPanelWidths(const std::vector<int>& widths);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // Raises EListError for a panel number outside the panels.
    int PanelWidth(int index) const;
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    // Left edge of a panel in client pixels: 0 for the first, then 2 pixels of border after
    // the widths of the panels before it.
    int PanelLeft(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct TPanel
    {
        int width = 0;
        QString text;
    };
    std::vector<TPanel> panels_;
};

} // namespace tallyrun

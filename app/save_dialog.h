// TSaveDialog: the non-visual save-file dialog component. It keeps the filter, default
// extension and options, and Execute runs the dialog and keeps the name chosen. The dialog
// opens where the last name was chosen in this session, else in the user's pictures folder,
// else in the home folder; nothing is kept beyond the session. How the dialog is run can be
// replaced, so tests choose a name without a modal window.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace tallyrun {

enum TSaveDialogOption : unsigned
{
    ofOverwritePrompt = 0x1, // ask before an existing file is replaced
    ofHideReadOnly = 0x2,    // no read-only check box (the dialogs used here have none)
    ofEnableSizing = 0x4,    // the dialog can be resized
};

class TSaveDialog;
// Runs the dialog: the chosen file name, or nothing when the user cancels.
using TSaveDialogRunner = std::function<std::optional<QString>(const TSaveDialog& dialog)>;

class TSaveDialog : public QObject
{
    Q_OBJECT

public:
    explicit TSaveDialog(QObject* parent = nullptr);

    // Pairs of description and pattern separated by "|", e.g. "Bitmaps(*.bmp)|*.bmp".
    QString Filter() const { return filter_; }
    void SetFilter(const QString& value) { filter_ = value; }
    // Added to a name typed without an extension; may be given as "*.bmp" or "bmp".
    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& value) { defaultExt_ = value; }
    unsigned Options() const { return options_; }
    void SetOptions(unsigned value) { options_ = value; }
    QString FileName() const { return fileName_; }

    // Runs the dialog; true when the user chose a name, which FileName then holds.
    bool Execute();

    // The filter in the form of the toolkit's file dialog: "Bitmaps(*.bmp) (*.bmp)". The
    // dialog is told to show only the part before the last parenthesis, the description.
    QStringList NameFilters() const;
    // The default extension without "*." or ".".
    QString DefaultSuffix() const;
    // The folder the dialog opens in: that of the name chosen last, while it exists, else the
    // pictures folder of the user's XDG folders, while it exists, else the home folder.
    QString InitialDirectory() const;

    // Replaces how the dialog is run; an empty runner restores the toolkit's file dialog.
    void SetRunner(TSaveDialogRunner runner) { runner_ = std::move(runner); }

private:
    std::optional<QString> RunFileDialog() const;

    QString filter_;
    QString defaultExt_;
    unsigned options_ = 0;
    QString fileName_;
    TSaveDialogRunner runner_;
};

} // namespace tallyrun

#include "app/save_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace tallyrun {

TSaveDialog::TSaveDialog(QObject* parent) : QObject(parent) {}

bool TSaveDialog::Execute()
{
    const std::optional<QString> chosen = runner_ ? runner_(*this) : RunFileDialog();
    if (!chosen || chosen->isEmpty())
        return false;
    fileName_ = *chosen;
    return true;
}

QStringList TSaveDialog::NameFilters() const
{
    const QStringList parts = filter_.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

QString TSaveDialog::DefaultSuffix() const
{
    QString suffix = defaultExt_;
    if (suffix.startsWith(QLatin1Char('*')))
        suffix.remove(0, 1);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    return suffix;
}

QString TSaveDialog::InitialDirectory() const
{
    if (!fileName_.isEmpty()) {
        const QString last = QFileInfo(fileName_).absolutePath();
        if (QFileInfo(last).isDir())
            return last;
    }
    // Qt names the pictures folder even when the user has none.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

std::optional<QString> TSaveDialog::RunFileDialog() const
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's dialog would otherwise show the description and the patterns, and a description
    // that names its pattern, as "Bitmaps(*.bmp)" does, would show the pattern twice.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(NameFilters());
    dialog.setDefaultSuffix(DefaultSuffix());
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(options_ & ofOverwritePrompt));
    dialog.setSizeGripEnabled(options_ & ofEnableSizing);
    // Without a folder the dialog would open in the program's working folder.
    const QString folder = InitialDirectory();
    dialog.setDirectory(folder);
    if (!fileName_.isEmpty() && QFileInfo(fileName_).absolutePath() == folder)
        dialog.selectFile(QFileInfo(fileName_).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace tallyrun

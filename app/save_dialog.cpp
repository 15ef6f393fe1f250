#include "app/save_dialog.h"

#include <QApplication>
#include <QFileDialog>

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

std::optional<QString> TSaveDialog::RunFileDialog() const
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters());
    dialog.setDefaultSuffix(DefaultSuffix());
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(options_ & ofOverwritePrompt));
    dialog.setSizeGripEnabled(options_ & ofEnableSizing);
    if (!fileName_.isEmpty())
        dialog.selectFile(fileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace tallyrun

// The publisher's texts of the about dialog: notice, links and icon credit.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace tallyrun::about_texts {

inline const QString kNotice = QStringLiteral("Copyright (C) 2026");
inline const QString kMakerName = QStringLiteral("Tallyrun project");
inline const QString kMakerUrl = QStringLiteral("https://github.com/tallyrun/tallyrun");
inline const QString kRightsReserved = QStringLiteral("All rights reserved.");
// Translated when called, after the start-up has installed the catalogue.
inline QString IconCredit()
{
    return QCoreApplication::translate("TfrmVersion", "アイコン:");
}
inline const QString kIconAuthor = QStringLiteral("Adwaita icon theme");
inline const QString kIconAuthorUrl =
    QStringLiteral("https://packages.debian.org/bookworm/adwaita-icon-theme");

} // namespace tallyrun::about_texts

#pragma once
// Opening a web address in the user's browser through the desktop's URL handler.

#include <QString>

// The address of the modification's web site: the value "VorlakSite" under the program's own
// registry key when it is set, else the built-in default.
QString VorlakSiteAddress();
inline const QString kDefaultVorlakSite = QStringLiteral("https://www.moddb.com/search?q=Vorlak+Legends");

// Opens address with the desktop's handler (xdg-open) under the busy pointer, which is restored
// either way. A failure shows nothing.
void GotoURL(const QString& address);

#include "windows/modgotourl.h"

#include "platform/registry.h"

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

QString VorlakSiteAddress() {
    const QString stored =
        RegRead(HKEY_CURRENT_USER, kProgramKey, QStringLiteral("VorlakSite"));
    return stored.trimmed().isEmpty() ? kDefaultVorlakSite : stored.trimmed();
}

void GotoURL(const QString& address) {
    struct BusyPointer {
        BusyPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
        ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    } busy;
    QDesktopServices::openUrl(QUrl::fromUserInput(address)); // the result is not examined
}

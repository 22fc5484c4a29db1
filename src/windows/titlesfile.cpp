#include "windows/titlesfile.h"

#include "platform/codepage.h"
#include "platform/dosfs.h"
#include "platform/failure.h"
#include "platform/registry.h"

namespace credits {

QString FindTitlesFile() {
    QString found;
    // A later location replaces an earlier one, so Half-Life wins.
    for (const char* key : {"Software\\Valve\\Counterstrike", "Software\\Valve\\Half-Life"}) {
        const QString path =
            RegRead(HKEY_CURRENT_USER, QString::fromLatin1(key), QStringLiteral("InstallPath")) +
            QStringLiteral("\\vorlak\\titles.txt");
        if (dosfs::FileExists(path))
            found = path;
    }
    return found;
}

bool TitlesFile::open(const QString& dosPath) {
    file_.close();
    const auto host = dosfs::resolve(dosPath);
    if (!host)
        return false;
    file_.setFileName(*host);
    return file_.open(QIODevice::ReadOnly);
}

bool TitlesFile::atEnd() const {
    return !file_.isOpen() || file_.atEnd();
}

QString TitlesFile::readLine() {
    if (atEnd())
        throw RuntimeError(QStringLiteral("Input past end of file"));
    QByteArray line;
    char c;
    while (file_.getChar(&c)) {
        if (c == '\n')
            break;
        if (c == '\r') {
            char next;
            if (file_.peek(&next, 1) == 1 && next == '\n')
                file_.getChar(&next);
            break;
        }
        line.append(c);
    }
    return codepage::toUnicode(line);
}

} // namespace credits

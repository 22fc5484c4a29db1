#include "windows/titlesfile.h"

#include "platform/dosfs.h"
#include "platform/failure.h"
#include "app/gamelocations.h"

namespace credits {

QString FindTitlesFile() {
    QString found;
    // A later location replaces an earlier one, so Half-Life wins.
    for (const InstallValue* location : {&kCounterstrikeInstall, &kHalfLifeInstall}) {
        const QString path = location->read() + QStringLiteral("\\vorlak\\titles.txt");
        if (dosfs::FileExists(path))
            found = path;
    }
    return found;
}

bool TitlesFile::open(const QString& dosPath) {
    close();
    const auto host = dosfs::resolve(dosPath);
    if (!host)
        return false;
    file_.setFileName(*host);
    if (!file_.open(QIODevice::ReadOnly))
        return false;
    reader_.emplace(file_);
    return true;
}

bool TitlesFile::atEnd() const {
    return !reader_ || reader_->atEnd();
}

QString TitlesFile::readLine() {
    QString line;
    if (!reader_ || !reader_->next(line))
        throw RuntimeError(QStringLiteral("Input past end of file"));
    return line;
}

} // namespace credits

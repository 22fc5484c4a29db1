#include "tempdrive.h"

#include "platform/dosfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <sys/xattr.h>

TempDrive::TempDrive(QChar letter, const QString& extra)
    : letter_(letter.toUpper()), oldDrives_(qgetenv("VORLAK_DRIVES")),
      hadDrives_(qEnvironmentVariableIsSet("VORLAK_DRIVES")) {
    QString mapping = QString(letter_) + QStringLiteral(":=") + dir_.path();
    if (!extra.isEmpty())
        mapping += u';' + extra;
    qputenv("VORLAK_DRIVES", mapping.toUtf8());
    dosfs::reloadDrives();
}

TempDrive::~TempDrive() {
    if (hadDrives_)
        qputenv("VORLAK_DRIVES", oldDrives_);
    else
        qunsetenv("VORLAK_DRIVES");
    dosfs::reloadDrives();
}

QString TempDrive::host(const QString& dosPath) const {
    QString rest = dosPath.mid(2);
    rest.replace(u'\\', u'/');
    return dir_.path() + rest;
}

QString TempDrive::write(const QString& dosPath, const QByteArray& content) const {
    const QString path = host(dosPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

QString TempDrive::copyFixture(const QString& fixtureName, const QString& dosPath) const {
    QFile src(fixture(fixtureName));
    if (!src.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture " + fixtureName.toStdString());
    return write(dosPath, src.readAll());
}

void TempDrive::setDosAttrib(const QString& hostPath, const QByteArray& value) {
    if (::setxattr(QFile::encodeName(hostPath).constData(), "user.DOSATTRIB", value.constData(),
                   size_t(value.size()), 0) != 0)
        throw std::runtime_error("setxattr failed on " + hostPath.toStdString());
}

QString fixturesDir() {
    return QStringLiteral(VORLAK_FIXTURES_DIR);
}
QString fixture(const QString& name) {
    return fixturesDir() + u'/' + name;
}

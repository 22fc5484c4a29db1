#include "tempdrive.h"

#include "platform/dosfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <sys/xattr.h>

ScopedEnv::ScopedEnv(const char* name, std::optional<QByteArray> value)
    : name_(name), old_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
    value ? qputenv(name, *value) : qunsetenv(name);
}

ScopedEnv::~ScopedEnv() {
    if (old_)
        qputenv(name_, *old_);
    else
        qunsetenv(name_);
}

TempDrive::TempDrive() {
    drives_.emplace("VORLAK_DRIVES", "C:=" + dir_.path().toUtf8());
    dosfs::reloadDrives();
}

TempDrive::~TempDrive() {
    drives_.reset();
    dosfs::setGamePrefix({});
    dosfs::reloadDrives();
}

QString TempDrive::host(const QString& dosPath) const {
    return dir_.path() + dosPath.mid(2).replace(u'\\', u'/');
}

QString TempDrive::write(const QString& dosPath, const QByteArray& content) const {
    return writeFile(host(dosPath), content);
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

QString fixture(const QString& name) {
    return QStringLiteral(VORLAK_FIXTURES_DIR "/") + name;
}

QString writeFile(const QString& hostPath, const QByteArray& content) {
    QDir().mkpath(QFileInfo(hostPath).path());
    QFile f(hostPath);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        throw std::runtime_error("cannot write " + hostPath.toStdString());
    return hostPath;
}

QByteArray contents(const QString& hostPath) {
    QFile f(hostPath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

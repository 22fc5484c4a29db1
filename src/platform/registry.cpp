#include "platform/registry.h"

#include "platform/codepage.h"
#include "platform/textfile.h"
#include "platform/winereg.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

// The buffer the program reads into; longer data fails the read.
constexpr qsizetype kBufferSize = 255;

// The whole file, or nothing when it is missing, not a regular file or unreadable.
std::optional<QByteArray> readFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// The data as the 8-bit query hands it over: text types converted to the code page, one byte per
// UTF-16 unit (an odd last byte is dropped), other types byte for byte.
QByteArray ansiData(const winereg::Value& value) {
    if (!winereg::isStringType(value.type))
        return value.data;
    QString text(value.data.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(quint8(value.data[2 * i]) | quint8(value.data[2 * i + 1]) << 8));
    return codepage::fromUnicode(text);
}

} // namespace

QString RegRead(long root, const QString& key, const QString& valueName) {
    if (root != HKEY_CURRENT_USER)
        return {};
    for (const QString& path : {registry::ownFile(), registry::winePrefixFile()}) {
        const std::optional<QByteArray> bytes = readFile(path);
        if (!bytes)
            continue;
        const winereg::File file = winereg::parse(*bytes, key);
        const winereg::Value* value = file.find(key, valueName);
        if (!value)
            continue;
        const QByteArray data = ansiData(*value);
        if (data.size() > kBufferSize)
            return {};
        const qsizetype nul = data.indexOf('\0');
        return codepage::toUnicode(nul < 0 ? data : data.left(nul));
    }
    return {};
}

void RegWrite(long root, const QString& key, const QString& valueName, const QString& value) {
    // A text the code page cannot hold is not stored: the 8-bit program would store "?" in its place.
    if (root != HKEY_CURRENT_USER || !codepage::canEncode(value))
        return;
    const QString path = registry::ownFile();
    QByteArray bytes;
    if (QFileInfo::exists(path)) {
        std::optional<QByteArray> existing = readFile(path);
        if (!existing)
            return;
        bytes = std::move(*existing);
    }
    const std::optional<QByteArray> updated =
        winereg::withStringValue(bytes, key, valueName, value, QDateTime::currentMSecsSinceEpoch());
    if (!updated || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return;
    textfile::replaceFile(path, *updated);
}

namespace registry {

QString ownFile() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Relative or empty settings are ignored, as the XDG base directory rules ask.
    if (!QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/TovrelPro/user.reg");
}

QString winePrefixFile() {
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::homePath() + QStringLiteral("/.wine");
    return prefix + QStringLiteral("/user.reg");
}

} // namespace registry

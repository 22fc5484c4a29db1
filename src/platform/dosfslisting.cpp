#include "platform/dosfslisting.h"

#include "platform/dosfs.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace dosfs {
namespace {

// Whether Wine's user.DOSATTRIB marks the file at native hidden (0x2) or system (0x4).
bool markedHiddenOrSystem(const char* native) {
    char value[32];
    const ssize_t n = ::getxattr(native, "user.DOSATTRIB", value, sizeof value - 1);
    if (n <= 2 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X'))
        return false;
    value[n] = 0;
    return (std::strtoul(value + 2, nullptr, 16) & 0x6) != 0;
}

// A name pattern as the boxes use it. "*.ext" with a plain ASCII extension is tested on the
// encoded name's last bytes, which no multi-byte character can imitate; other patterns on the
// decoded name.
class NamePattern {
public:
    explicit NamePattern(QStringView pattern) : pattern_(pattern.toString()) {
        const QStringView rest = pattern.sliced(std::min<qsizetype>(1, pattern.size()));
        plainSuffix_ =
            pattern.startsWith(u'*') && pattern != u"*.*" && !rest.contains(u'*') && !rest.contains(u'?');
        for (QChar c : rest)
            plainSuffix_ = plainSuffix_ && c.unicode() < 0x80;
        if (plainSuffix_)
            suffix_ = rest.toLatin1().toLower().toStdString();
    }
    bool matches(const char* name, std::size_t length) const {
        if (!plainSuffix_)
            return wildcardMatch(pattern_, QFile::decodeName(name));
        if (length < suffix_.size())
            return false;
        const char* tail = name + length - suffix_.size();
        for (std::size_t i = 0; i < suffix_.size(); ++i) {
            const char c = tail[i];
            if ((c >= 'A' && c <= 'Z' ? char(c + 32) : c) != suffix_[i])
                return false;
        }
        return true;
    }

private:
    QString pattern_;
    bool plainSuffix_ = false;
    std::string suffix_;
};

enum class Kind { Folder, File };

// The visible entries of one kind in a DOS folder whose names the pattern matches, sorted without
// regard to case. Names starting with "." are hidden; "." and ".." go with them.
QStringList readEntries(QStringView dosFolder, Kind kind, const NamePattern& pattern) {
    const auto host = resolve(dosFolder);
    if (!host)
        return {};
    std::string path = QFile::encodeName(*host).toStdString();
    if (path.empty() || path.back() != '/')
        path += '/';
    const std::size_t base = path.size();
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return {};
    QStringList names;
    while (const dirent* e = ::readdir(dir)) {
        const char* name = e->d_name;
        const std::size_t length = std::strlen(name);
        if (name[0] == '.' || !pattern.matches(name, length))
            continue;
        path.resize(base);
        path.append(name, length);
        unsigned char type = e->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat st {}; // follows links; a link loop fails and is left out
            if (::stat(path.c_str(), &st) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type != (kind == Kind::Folder ? DT_DIR : DT_REG) || markedHiddenOrSystem(path.c_str()))
            continue;
        names.append(QFile::decodeName(name));
    }
    ::closedir(dir);
    // Sorted on case-folded keys computed once; equal keys keep a stable order by spelling.
    std::vector<std::pair<QString, qsizetype>> keys;
    keys.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        keys.emplace_back(names[i].toCaseFolded(), i);
    std::sort(keys.begin(), keys.end(), [&names](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : names[a.second] < names[b.second];
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto& k : keys)
        sorted.append(names[k.second]);
    return sorted;
}

} // namespace

QList<DriveEntry> driveEntries() {
    QList<DriveEntry> result;
    for (const Drive& d : drives()) {
        QString label;
        QFile labelFile(d.hostRoot + (d.hostRoot.endsWith(u'/') ? "" : "/") +
                        QStringLiteral(".windows-label"));
        if (labelFile.open(QIODevice::ReadOnly))
            label = QString::fromUtf8(labelFile.readLine(256)).trimmed();
        if (label.isEmpty())
            label = d.hostRoot == u"/" ? d.hostRoot : QFileInfo(d.hostRoot).fileName();
        result.append({d.letter, QString(d.letter.toLower()) + QStringLiteral(": [") + label + u']'});
    }
    return result;
}

QString driveReadFailure(QChar letter) {
    for (const Drive& d : drives()) {
        if (d.letter != letter.toUpper())
            continue;
        DIR* dir = ::opendir(QFile::encodeName(d.hostRoot).constData());
        if (dir) {
            ::closedir(dir);
            return {};
        }
        const int error = errno;
        return QStringLiteral("Drive %1: cannot be read (%2): %3")
            .arg(d.letter, d.hostRoot, QString::fromLocal8Bit(std::strerror(error)));
    }
    return {};
}

QStringList readSubfolders(QStringView dosFolder) {
    return readEntries(dosFolder, Kind::Folder, NamePattern(u"*"));
}

QStringList readMatchingFiles(QStringView dosFolder, QStringView pattern) {
    return readEntries(dosFolder, Kind::File, NamePattern(pattern));
}

} // namespace dosfs

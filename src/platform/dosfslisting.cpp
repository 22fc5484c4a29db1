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
#include <vector>

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

// The sort key of a name: ASCII letters lower-cased byte by byte, other names case-folded whole.
std::string sortKey(const char* name, std::size_t length) {
    std::string key(name, length);
    for (char& c : key) {
        if (c & 0x80)
            return QFile::decodeName(name).toCaseFolded().toStdString();
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    }
    return key;
}

// The visible entries of one kind in a DOS folder whose names the pattern matches, sorted without
// regard to case. Names starting with "." are hidden; "." and ".." go with them. The entry's type
// comes from the folder listing itself (links are followed). Folders marked hidden or system by
// Wine are left out; for files that takes one more lookup each, which the file box does not
// make: the existence test refuses such a file when it is added.
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
    std::vector<std::pair<std::string, std::string>> found; // sort key, name
    while (const dirent* e = ::readdir(dir)) {
        const char* name = e->d_name;
        const std::size_t length = std::strlen(name);
        if (name[0] == '.' || !pattern.matches(name, length))
            continue;
        unsigned char type = e->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN || kind == Kind::Folder) {
            path.resize(base);
            path.append(name, length);
            if (type == DT_LNK || type == DT_UNKNOWN) {
                struct stat st {}; // follows links; a link loop fails and is left out
                if (::stat(path.c_str(), &st) != 0)
                    continue;
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
            }
            if (kind == Kind::Folder && type == DT_DIR && markedHiddenOrSystem(path.c_str()))
                continue;
        }
        if (type == (kind == Kind::Folder ? DT_DIR : DT_REG))
            found.emplace_back(sortKey(name, length), std::string(name, length));
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end());
    QStringList names;
    names.reserve(qsizetype(found.size()));
    for (const auto& f : found)
        names.append(QFile::decodeName(QByteArray::fromRawData(f.second.data(), qsizetype(f.second.size()))));
    return names;
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

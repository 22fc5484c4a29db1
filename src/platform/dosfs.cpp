#include "platform/dosfs.h"

#include "platform/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unordered_map>

namespace dosfs {
namespace {

constexpr unsigned kDosHidden = 0x2, kDosSystem = 0x4, kDosArchive = 0x20;

std::mutex cacheMutex;
std::optional<QList<Drive>> driveTable;
QString gamePrefix; // see setGamePrefix
// Host folder of each mapped drive letter as a prefix for native paths ("" for "/"); each thread
// reads a copy of its own, taken again when the table's generation moved.
using NativeRoots = std::array<std::optional<std::string>, 26>;
NativeRoots nativeRoots;
std::atomic<quint64> rootsGeneration{0};

void setDriveTable(QList<Drive> table) {
    nativeRoots = {};
    for (const Drive& d : table) {
        const QChar letter = d.letter.toUpper();
        if (letter >= u'A' && letter <= u'Z')
            nativeRoots[letter.unicode() - u'A'] =
                d.hostRoot == u"/" ? std::string() : QFile::encodeName(d.hostRoot).toStdString();
    }
    driveTable = std::move(table);
    rootsGeneration.fetch_add(1, std::memory_order_release);
}

QString cleanRoot(const QString& path) {
    QString p = QDir::cleanPath(path);
    return p.isEmpty() ? QStringLiteral("/") : p;
}

// The drives of a Wine prefix, its links dosdevices/x: to folders; nullopt when it has no
// dosdevices folder.
std::optional<QList<Drive>> prefixDrives(const QString& prefix) {
    const QDir devices(prefix + QStringLiteral("/dosdevices"));
    if (prefix.isEmpty() || !devices.exists())
        return std::nullopt;
    QList<Drive> table;
    const auto links = devices.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& link : links) {
        const QString name = link.fileName();
        if (name.size() != 2 || name.at(1) != u':' || !name.at(0).isLetter())
            continue;
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty() && QFileInfo(target).isDir())
            table.append({name.at(0).toUpper(), cleanRoot(target)});
    }
    return table;
}

// VORLAK_DRIVES; else the prefix WINEPREFIX names; else the game's prefix, then ~/.wine, the first
// with a dosdevices folder; else Z: is "/".
QList<Drive> readDriveTable() {
    QList<Drive> table;
    const QString mapping = qEnvironmentVariable("VORLAK_DRIVES");
    if (!mapping.isEmpty()) {
        for (const QString& item : mapping.split(u';', Qt::SkipEmptyParts)) {
            const qsizetype eq = item.indexOf(u'=');
            if (eq < 1 || !item.at(0).isLetter())
                continue;
            table.append({item.at(0).toUpper(), cleanRoot(item.mid(eq + 1))});
        }
    } else {
        const QString named = qEnvironmentVariable("WINEPREFIX");
        const QStringList prefixes =
            named.isEmpty() ? QStringList{gamePrefix, QDir::homePath() + QStringLiteral("/.wine")}
                            : QStringList{named};
        std::optional<QList<Drive>> found;
        for (qsizetype i = 0; i < prefixes.size() && !found; ++i)
            found = prefixDrives(prefixes[i]);
        table = found.value_or(QList<Drive>{{u'Z', QStringLiteral("/")}});
    }
    std::sort(table.begin(), table.end(), [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    return table;
}

QString joinHost(const QString& dir, QStringView name) {
    if (dir.endsWith(u'/'))
        return dir + name.toString();
    return dir + u'/' + name.toString();
}

// A DOS path split into its drive's host folder and its components, "." and ".." applied and
// trailing dots and blanks of each component dropped, as Windows normalises paths.
struct Parsed {
    QString root;
    QStringList components;
};

std::optional<Parsed> parse(QStringView dosPath) {
    QString path = dosPath.toString();
    path.replace(u'/', u'\\');
    if (path.isEmpty() || path.startsWith(QStringLiteral("\\\\")))
        return std::nullopt;
    QChar letter;
    QString rest;
    if (path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter()) {
        letter = path.at(0).toUpper();
        rest = path.mid(2);
    } else if (path.startsWith(u'\\')) {
        letter = currentDrive();
        rest = path;
    } else {
        const QString cwd = toDos(QDir::currentPath());
        if (cwd.isEmpty())
            return std::nullopt;
        letter = cwd.at(0);
        rest = cwd.mid(2) + u'\\' + path;
    }
    Parsed parsed;
    for (const Drive& d : drives())
        if (d.letter == letter)
            parsed.root = d.hostRoot;
    if (parsed.root.isEmpty())
        return std::nullopt;
    for (QString part : rest.split(u'\\', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!parsed.components.isEmpty())
                parsed.components.removeLast();
            continue;
        }
        while (part.endsWith(u'.') || part.endsWith(u' '))
            part.chop(1);
        if (part.isEmpty())
            continue;
        parsed.components.append(part);
    }
    return parsed;
}

// The names in a host folder, cached while the folder's modification time stays the same.
struct Listing {
    struct timespec mtime {};
    QStringList names;                   // sorted without regard to case
    QHash<QString, QList<int>> byFolded; // case-folded name -> indices into names
};
std::unordered_map<std::string, std::shared_ptr<const Listing>> listingCache;

std::shared_ptr<const Listing> listing(const QString& hostDir) {
    const QByteArray native = QFile::encodeName(hostDir);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return nullptr;
    const std::string key(native.constData(), native.size());
    {
        std::lock_guard lock(cacheMutex);
        auto it = listingCache.find(key);
        if (it != listingCache.end() && it->second->mtime.tv_sec == st.st_mtim.tv_sec &&
            it->second->mtime.tv_nsec == st.st_mtim.tv_nsec)
            return it->second;
    }
    auto fresh = std::make_shared<Listing>();
    fresh->mtime = st.st_mtim;
    if (DIR* dir = ::opendir(native.constData())) {
        while (const dirent* e = ::readdir(dir)) {
            if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
                continue;
            fresh->names.append(QFile::decodeName(e->d_name));
        }
        ::closedir(dir);
    }
    std::sort(fresh->names.begin(), fresh->names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    for (int i = 0; i < fresh->names.size(); ++i)
        fresh->byFolded[fresh->names[i].toCaseFolded()].append(i);
    std::lock_guard lock(cacheMutex);
    if (listingCache.size() > 4096)
        listingCache.clear();
    listingCache[key] = fresh;
    return fresh;
}

// Wine's user.DOSATTRIB bits of a file, cached by inode while its change time stays the same
// (setting an extended attribute or the mode changes it).
struct CachedBits {
    struct timespec ctime;
    unsigned bits;
    bool present;
};
// In shards with a lock each, so that threads looking up files side by side seldom wait.
struct XattrShard {
    std::mutex mutex;
    std::unordered_map<std::uint64_t, CachedBits> bits;
};
std::array<XattrShard, 16> xattrCache;

XattrShard& shardOf(std::uint64_t key) {
    return xattrCache[(key * 0x9E3779B97F4A7C15ull) >> 60];
}

std::pair<unsigned, bool> dosAttrib(const char* native, const struct stat& st) {
    const std::uint64_t key = (std::uint64_t(st.st_dev) << 40) ^ std::uint64_t(st.st_ino);
    XattrShard& shard = shardOf(key);
    {
        std::lock_guard lock(shard.mutex);
        auto it = shard.bits.find(key);
        if (it != shard.bits.end() && it->second.ctime.tv_sec == st.st_ctim.tv_sec &&
            it->second.ctime.tv_nsec == st.st_ctim.tv_nsec)
            return {it->second.bits, it->second.present};
    }
    char value[64];
    const ssize_t n = ::getxattr(native, "user.DOSATTRIB", value, sizeof value - 1);
    unsigned bits = 0;
    bool present = false;
    if (n > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        value[n] = 0;
        bits = unsigned(std::strtoul(value + 2, nullptr, 16));
        present = true;
    }
    std::lock_guard lock(shard.mutex);
    if (shard.bits.size() > 2'000'000 / xattrCache.size())
        shard.bits.clear();
    shard.bits[key] = {st.st_ctim, bits, present};
    return {bits, present};
}

std::optional<Attributes> nativeAttributes(const char* native, bool dotName, bool* ordinary = nullptr) {
    struct stat st {};
    if (::stat(native, &st) != 0)
        return std::nullopt;
    if (ordinary)
        *ordinary = S_ISREG(st.st_mode);
    Attributes a;
    a.directory = S_ISDIR(st.st_mode);
    a.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    const auto [bits, present] = dosAttrib(native, st);
    a.hidden = dotName || (bits & kDosHidden);
    a.system = bits & kDosSystem;
    a.archive = present ? bool(bits & kDosArchive) : S_ISREG(st.st_mode);
    return a;
}

std::optional<Attributes> hostAttributes(const QString& hostPath, QStringView name,
                                         bool* ordinary = nullptr) {
    return nativeAttributes(QFile::encodeName(hostPath).constData(), name.startsWith(u'.'), ordinary);
}

bool isOrdinaryVisibleNative(const char* native, bool dotName) {
    bool ordinary = false;
    const auto a = nativeAttributes(native, dotName, &ordinary);
    return a && ordinary && !a->hidden && !a->system;
}

bool isOrdinaryVisibleFile(const QString& hostPath, QStringView name) {
    return isOrdinaryVisibleNative(QFile::encodeName(hostPath).constData(), name.startsWith(u'.'));
}

// Indices of the names in a listing that name matches: the exact spelling first, then the other
// spellings in sorted order.
QList<int> candidates(const Listing& l, const QString& name) {
    QList<int> result = l.byFolded.value(name.toCaseFolded());
    auto exact = std::find_if(result.begin(), result.end(), [&](int i) { return l.names[i] == name; });
    if (exact != result.end() && exact != result.begin())
        std::rotate(result.begin(), exact, exact + 1);
    return result;
}

// The host folder a list of folder components names, each matched without regard to case.
std::optional<QString> resolveFolder(const QString& root, const QStringList& components, qsizetype count) {
    QString current = root;
    for (qsizetype c = 0; c < count; ++c) {
        const QString exact = joinHost(current, components[c]);
        struct stat st {};
        if (::stat(QFile::encodeName(exact).constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
            current = exact;
            continue;
        }
        const auto l = listing(current);
        if (!l)
            return std::nullopt;
        std::optional<QString> next;
        for (int i : candidates(*l, components[c])) {
            const QString path = joinHost(current, l->names[i]);
            if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
                next = path;
                break;
            }
        }
        if (!next)
            return std::nullopt;
        current = *next;
    }
    return current;
}

struct Match {
    QString hostPath;
    QString name;
};

// The first entry of a host folder that the name (or pattern) matches and that accept takes.
template <typename Accept>
std::optional<Match> findInFolder(const QString& folder, const QString& name, Accept accept) {
    const auto l = listing(folder);
    if (!l)
        return std::nullopt;
    if (hasWildcards(name)) {
        for (const QString& n : l->names)
            if (wildcardMatch(name, n) && accept(joinHost(folder, n), n))
                return Match{joinHost(folder, n), n};
        return std::nullopt;
    }
    for (int i : candidates(*l, name)) {
        const QString path = joinHost(folder, l->names[i]);
        if (accept(path, l->names[i]))
            return Match{path, l->names[i]};
    }
    return std::nullopt;
}

// This thread's copy of the native roots, without the lock while the table stays the same.
const NativeRoots& threadRoots() {
    thread_local NativeRoots roots;
    thread_local quint64 generation = 0;
    if (generation == 0 || generation != rootsGeneration.load(std::memory_order_acquire)) {
        std::lock_guard lock(cacheMutex);
        if (!driveTable)
            setDriveTable(readDriveTable());
        roots = nativeRoots;
        generation = rootsGeneration.load(std::memory_order_relaxed);
    }
    return roots;
}

// The UTF-16 code unit at i of a DOS path held as text or as code-page bytes.
char16_t unitAt(QStringView path, qsizetype i) {
    return path[i].unicode();
}
char16_t unitAt(QByteArrayView path, qsizetype i) {
    const uchar b = uchar(path[i]);
    return b < 0x80 ? b : codepage::unitOf(b);
}

// Writes the UTF-8 form of the character at i (one unit, or a surrogate pair of text) to out;
// returns the number of units taken.
qsizetype appendUtf8(QStringView path, qsizetype i, char*& out) {
    const qsizetype units = QChar::isHighSurrogate(path[i].unicode()) && i + 1 < path.size() ? 2 : 1;
    const QByteArray utf8 = path.sliced(i, units).toUtf8();
    out = std::copy(utf8.begin(), utf8.end(), out);
    return units;
}
qsizetype appendUtf8(QByteArrayView path, qsizetype i, char*& out) {
    const char16_t c = unitAt(path, i); // never a surrogate
    if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
    } else {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
    }
    *out++ = char(0x80 | (c & 0x3F));
    return 1;
}

// The host path of a DOS path that needs no normalising ("X:\\dir\\name": no "." or ".." parts, no
// doubled or forward slashes, no trailing dots or blanks, no wildcards), spelled as written, into
// native (reused, so the common case allocates nothing); nameStart is where the last component
// begins in dos. False for every other path.
template <typename Path> bool plainHostPath(Path dos, std::string& native, qsizetype& nameStart) {
    const qsizetype size = dos.size();
    if (size < 4 || unitAt(dos, 1) != u':' || unitAt(dos, 2) != u'\\')
        return false;
    const char16_t letter = QChar::toUpper(unitAt(dos, 0));
    if (letter < u'A' || letter > u'Z')
        return false;
    const auto& root = threadRoots()[letter - u'A'];
    if (!root)
        return false;
    native.assign(*root);
    const std::size_t rootSize = native.size();
    native.resize(rootSize + 3 * std::size_t(size)); // room for every unit as three UTF-8 bytes
    char* const begin = native.data() + rootSize;
    char* out = begin;
    qsizetype componentStart = 3;
    // The ASCII characters that need a look of their own.
    static constexpr auto special = [] {
        std::array<bool, 0x80> table{};
        for (char c : {'/', '*', '?', '\\'})
            table[std::size_t(c)] = true;
        return table;
    }();
    for (qsizetype i = 2; i < size; ++i) {
        const char16_t c = unitAt(dos, i);
        if (c < 0x80 && !special[c]) {
            *out++ = char(c);
        } else if (c == u'\\') {
            if (i > 2 && (i == componentStart || out[-1] == '.' || out[-1] == ' '))
                return false; // empty, ".", ".." or a trailing dot or blank
            componentStart = i + 1;
            *out++ = '/';
        } else if (c < 0x80) {
            return false; // "/" or a wildcard
        } else {
            i += appendUtf8(dos, i, out) - 1;
        }
    }
    // The last component ends like every other.
    if (componentStart == size || out[-1] == '.' || out[-1] == ' ')
        return false;
    native.resize(rootSize + std::size_t(out - begin));
    nameStart = componentStart;
    return true;
}

// The first file at dosPath that the existence test accepts, looked up component by component.
std::optional<Match> findBySearch(QStringView dosPath) {
    const auto parsed = parse(dosPath);
    if (!parsed || parsed->components.isEmpty())
        return std::nullopt;
    const QString& name = parsed->components.last();
    const auto folder = resolveFolder(parsed->root, parsed->components, parsed->components.size() - 1);
    if (!folder)
        return std::nullopt;
    return findInFolder(*folder, name, isOrdinaryVisibleFile);
}

// Whether the path as written names an ordinary visible file: the common case, one stat.
// nameStart is where the file name begins in dosPath.
template <typename Path> bool plainPathIsFile(Path dosPath, qsizetype& nameStart) {
    thread_local std::string native;
    return plainHostPath(dosPath, native, nameStart) &&
           isOrdinaryVisibleNative(native.c_str(), unitAt(dosPath, nameStart) == u'.');
}

// Reads the drive table again and forgets the caches; cacheMutex is held.
void reloadLocked() {
    setDriveTable(readDriveTable());
    listingCache.clear();
    for (XattrShard& shard : xattrCache) {
        std::lock_guard lock(shard.mutex);
        shard.bits.clear();
    }
}

} // namespace

const QList<Drive>& drives() {
    std::lock_guard lock(cacheMutex);
    if (!driveTable)
        setDriveTable(readDriveTable());
    return *driveTable;
}

void reloadDrives() {
    std::lock_guard lock(cacheMutex);
    reloadLocked();
}

void setGamePrefix(const QString& prefix) {
    std::lock_guard lock(cacheMutex);
    if (prefix == gamePrefix)
        return;
    gamePrefix = prefix;
    reloadLocked();
}

bool FileExists(QStringView dosPath) {
    qsizetype nameStart = 0;
    return plainPathIsFile(dosPath, nameStart) || findBySearch(dosPath).has_value();
}

bool FileExists(QByteArrayView codePagePath) {
    qsizetype nameStart = 0;
    return plainPathIsFile(codePagePath, nameStart) ||
           findBySearch(codepage::toUnicode(codePagePath)).has_value();
}

QString FileNameOf(QStringView dosPath) {
    qsizetype nameStart = 0;
    if (plainPathIsFile(dosPath, nameStart))
        return dosPath.sliced(nameStart).toString();
    const auto m = findBySearch(dosPath);
    return m ? m->name : QString();
}

std::optional<QString> resolve(QStringView dosPath) {
    const auto parsed = parse(dosPath);
    if (!parsed)
        return std::nullopt;
    if (parsed->components.isEmpty())
        return parsed->root;
    const auto folder = resolveFolder(parsed->root, parsed->components, parsed->components.size() - 1);
    if (!folder)
        return std::nullopt;
    const QString exact = joinHost(*folder, parsed->components.last());
    if (!hasWildcards(parsed->components.last()) && QFileInfo::exists(exact))
        return exact;
    const auto m = findInFolder(*folder, parsed->components.last(),
                                [](const QString& p, QStringView) { return QFileInfo::exists(p); });
    return m ? std::optional(m->hostPath) : std::nullopt;
}

bool hostPathAsWritten(QStringView dosPath, std::string& native) {
    qsizetype nameStart = 0;
    return plainHostPath(dosPath, native, nameStart);
}

std::optional<QString> hostPathForWrite(QStringView dosPath) {
    const auto parsed = parse(dosPath);
    if (!parsed || parsed->components.isEmpty() || hasWildcards(parsed->components.last()))
        return std::nullopt;
    const auto folder = resolveFolder(parsed->root, parsed->components, parsed->components.size() - 1);
    if (!folder)
        return std::nullopt;
    const QString& name = parsed->components.last();
    const QString exact = joinHost(*folder, name);
    if (QFileInfo::exists(exact))
        return exact;
    const auto m = findInFolder(*folder, name, [](const QString&, QStringView) { return true; });
    return m ? m->hostPath : exact;
}

QString toDos(const QString& hostPath) {
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(hostPath));
    const Drive* best = nullptr;
    for (const Drive& d : drives()) {
        const bool inside = d.hostRoot == u"/" || path == d.hostRoot || path.startsWith(d.hostRoot + u'/');
        if (inside && (!best || d.hostRoot.size() > best->hostRoot.size()))
            best = &d;
    }
    if (!best)
        return {};
    QString rest = best->hostRoot == u"/" ? path.mid(1) : path.mid(best->hostRoot.size() + 1);
    rest.replace(u'/', u'\\');
    return QString(best->letter) + QStringLiteral(":\\") + rest;
}

QChar currentDrive() {
    const QString cwd = toDos(QDir::currentPath());
    if (!cwd.isEmpty())
        return cwd.at(0);
    const auto& table = drives();
    return table.isEmpty() ? QChar(u'C') : table.first().letter;
}

std::optional<Attributes> attributes(QStringView dosPath) {
    const auto host = resolve(dosPath);
    if (!host)
        return std::nullopt;
    return hostAttributes(*host, QFileInfo(*host).fileName());
}

bool hasWildcards(QStringView path) {
    return path.contains(u'*') || path.contains(u'?');
}

bool wildcardMatch(QStringView pattern, QStringView name) {
    if (pattern == u"*.*")
        return true;
    // Iterative glob match with backtracking to the last "*".
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || QChar::toCaseFolded(pattern[p].unicode()) ==
                                                             QChar::toCaseFolded(name[n].unicode()))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace dosfs

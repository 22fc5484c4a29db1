#include "playlist/tagrows.h"

#include "mp3info/mp3tag.h"
#include "platform/dosfs.h"
#include "platform/parallel.h"

#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

// The folder's stamp, taken once per folder for the entries of one slice: any stamp taken before
// the look at a file will do.
class TagRowCache::FolderStamps {
public:
    folderwatch::Stamp of(const std::string& native) {
        const std::size_t slash = native.rfind('/');
        const std::string_view folder(native.data(), std::max<std::size_t>(slash, 1));
        if (folder != folder_) {
            folder_.assign(folder);
            stamp_ = folderwatch::watch(folder_);
        }
        return stamp_;
    }

private:
    std::string folder_;
    folderwatch::Stamp stamp_;
};

namespace {

QString tagText(const MP3TagInfo& tag) {
    return tag.Interpret.isEmpty() ? tag.Title : tag.Interpret + QStringLiteral(" - ") + tag.Title;
}

} // namespace

TagRowCache::Known TagRowCache::learn(const QString& entry, const Known* before, const QString& beforeRow,
                                      QString& row, FolderStamps& stamps) {
    thread_local std::string native;
    Known k;
    if (!dosfs::hostPathAsWritten(entry, native)) {
        row = TagRowText(entry);
        return k;
    }
    k.stamp = stamps.of(native); // before the look, so that any change after it shows
    struct stat st {};
    const bool known = before && before->kept;
    // A file seen before is only looked at; a new one is opened and read at once.
    const int fd = known ? -1 : ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if ((known ? ::stat(native.c_str(), &st) : fd >= 0 ? ::fstat(fd, &st) : -1) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        row = TagRowText(entry);
        return k;
    }
    k.kept = true;
    k.device = st.st_dev;
    k.inode = st.st_ino;
    k.size = st.st_size;
    k.modified = qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    if (known && before->device == k.device && before->inode == k.inode && before->size == k.size &&
        before->modified == k.modified) {
        k.titled = before->titled;
        row = k.titled ? beforeRow : dosfs::FileNameOf(entry); // the name also follows the hidden flag
        return k;
    }
    MP3TagInfo tag;
    if (known) {
        tag = ReadMP3Tag(entry);
    } else {
        char block[128];
        if (k.size >= qint64(sizeof block) && ::pread(fd, block, sizeof block, k.size - qint64(sizeof block)) == sizeof block)
            tag = MP3TagFromBlock(QByteArrayView(block, sizeof block));
        ::close(fd);
    }
    k.titled = !tag.Title.isEmpty();
    row = k.titled ? tagText(tag) : dosfs::FileNameOf(entry);
    return k;
}

qsizetype TagRowCache::previousPlace(const EntryList& entries, qsizetype i) {
    const QByteArrayView bytes = entries.bytesAt(i);
    for (qsizetype p : {i, i - 1, i + 1}) {
        if (p < 0 || p >= entries_.size())
            continue;
        const QByteArrayView before = entries_.bytesAt(p);
        if ((before.data() == bytes.data() && before.size() == bytes.size()) || before == bytes)
            return p;
    }
    if (places_.isEmpty())
        for (qsizetype p = entries_.size() - 1; p >= 0; --p) {
            const QByteArrayView b = entries_.bytesAt(p);
            places_.insert(QByteArray::fromRawData(b.data(), b.size()), p);
        }
    return places_.value(QByteArray::fromRawData(bytes.data(), bytes.size()), -1);
}

QStringList TagRowCache::rows(const EntryList& entries) {
    folderwatch::update();
    const qsizetype n = entries.size();
    std::vector<qsizetype> from(static_cast<std::size_t>(n), -1);
    std::vector<folderwatch::Stamp> stamps(static_cast<std::size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype p = previousPlace(entries, i);
        from[std::size_t(i)] = p;
        if (p >= 0)
            stamps[std::size_t(i)] = known_[std::size_t(p)].stamp;
    }
    places_.clear();
    const std::vector<char> unchanged = folderwatch::unchanged(stamps);

    QStringList rows(n);
    QString* out = rows.data(); // detached once, before the threads write their own rows
    std::vector<Known> known(static_cast<std::size_t>(n));
    std::vector<qsizetype> stale;
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype p = from[std::size_t(i)];
        if (p >= 0 && unchanged[std::size_t(i)] && known_[std::size_t(p)].kept) {
            out[i] = rows_.at(p);
            known[std::size_t(i)] = known_[std::size_t(p)];
        } else {
            stale.push_back(i);
        }
    }
    // The others are looked at side by side.
    ForEachSlice(qsizetype(stale.size()), [&](qsizetype begin, qsizetype end) {
        FolderStamps folders;
        for (qsizetype s = begin; s < end; ++s) {
            const qsizetype i = stale[std::size_t(s)], p = from[std::size_t(i)];
            known[std::size_t(i)] = learn(entries.at(i), p >= 0 ? &known_[std::size_t(p)] : nullptr,
                                          p >= 0 ? rows_.at(p) : QString(), out[i], folders);
        }
    });
    entries_ = entries;
    rows_ = rows;
    known_ = std::move(known);
    return rows;
}

#include "mp3info/mp3file.h"

#include "platform/dosfs.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

Mp3File::Mp3File(QStringView dosPath) {
    // "*" and "?" would match some other file: such a path names nothing that can be read.
    if (dosfs::hasWildcards(dosPath))
        return;
    thread_local std::string native;
    if (dosfs::hostPathAsWritten(dosPath, native) && openNative(native.c_str()))
        return;
    const auto host = dosfs::resolve(dosPath);
    if (!host)
        return;
    exists_ = true;
    openNative(QFile::encodeName(*host).constData());
}

Mp3File::~Mp3File() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool Mp3File::openNative(const char* nativePath) {
    // O_NONBLOCK keeps a FIFO from blocking the open; it changes nothing for ordinary files.
    const int fd = ::open(nativePath, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    exists_ = true;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd); // a folder or a device: there, but not a file to read
        return true;
    }
    fd_ = fd;
    size_ = st.st_size;
    return true;
}

qsizetype Mp3File::readAt(qint64 offset, char* buffer, qsizetype count) const {
    if (fd_ < 0 || offset < 0 || count <= 0)
        return 0;
    qsizetype done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd_, buffer + done, size_t(count - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

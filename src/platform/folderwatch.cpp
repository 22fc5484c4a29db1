#include "platform/folderwatch.h"

#include <deque>
#include <linux/magic.h>
#include <mutex>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace folderwatch {
namespace {

// Every change to a name in a folder, and the folder itself going away.
constexpr uint32_t kEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_CREATE |
                             IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// More folders than this, and every watch is given up before the next is added.
constexpr std::size_t kMostFolders = 100000;
constexpr std::size_t kNone = std::size_t(-1);

struct Folder {
    std::string path;
    std::string name; // the last component; "" for "/"
    std::size_t parent = kNone;
    std::vector<std::size_t> children;
    int watch = -1;   // -1: not watched, so never unchanged
    quint64 generation = 0;
    quint64 refusedIn = 0; // the epoch in which it could not be watched; tried again in the next
};

struct Watches {
    std::mutex mutex;
    int fd = -2; // -2: not opened yet, -1: no inotify
    quint64 epoch = 1;
    std::deque<Folder> folders;
    std::unordered_map<std::string, std::size_t> byPath;
    std::unordered_map<int, std::size_t> byWatch;
};

Watches& watches() {
    static Watches w;
    return w;
}

// File systems on which every change goes through this kernel, so that inotify sees it. Network
// file systems change on other machines; FUSE ones may too.
bool seesEveryChange(const std::string& path) {
    struct statfs fs {};
    if (::statfs(path.c_str(), &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case EXT4_SUPER_MAGIC: // also ext2 and ext3
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
    case MSDOS_SUPER_MAGIC:
    case EXFAT_SUPER_MAGIC:
    case 0x7366746e: // ntfs3
    case 0x2fc12fc1: // zfs
    case 0xca451a4e: // bcachefs
    case ISOFS_SUPER_MAGIC:
    case SQUASHFS_MAGIC:
    case UDF_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

// Each folder of the tree below index (itself included) counts as changed.
template <typename Change> void forTree(Watches& w, std::size_t index, Change change) {
    std::vector<std::size_t> pending{index};
    while (!pending.empty()) {
        Folder& f = w.folders[pending.back()];
        pending.pop_back();
        ++f.generation;
        change(f);
        pending.insert(pending.end(), f.children.begin(), f.children.end());
    }
}

void unwatchTree(Watches& w, std::size_t index) {
    forTree(w, index, [&w](Folder& f) {
        f.refusedIn = 0;
        if (f.watch < 0)
            return;
        w.byWatch.erase(f.watch);
        ::inotify_rm_watch(w.fd, f.watch);
        f.watch = -1;
    });
}

// A watch for the folder, when the folder above has one: a change above that is not seen would
// go unnoticed.
void addWatch(Watches& w, std::size_t index) {
    Folder& f = w.folders[index];
    if (f.refusedIn == w.epoch || (f.parent != kNone && w.folders[f.parent].watch < 0))
        return;
    f.refusedIn = w.epoch;
    struct stat st {};
    // Through a symbolic link the watch would sit on a folder whose own way down is not watched.
    if (::lstat(f.path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || !seesEveryChange(f.path))
        return;
    const int wd = ::inotify_add_watch(w.fd, f.path.c_str(), kEvents);
    if (wd < 0 || w.byWatch.count(wd)) // the same folder reached by another path: left unwatched
        return;
    f.watch = wd;
    f.refusedIn = 0;
    w.byWatch.emplace(wd, index);
}

// The folder's record, made with those above it when missing, and watched when it can be.
std::size_t folderFor(Watches& w, const std::string& path) {
    auto it = w.byPath.find(path);
    std::size_t index;
    if (it != w.byPath.end()) {
        index = it->second;
    } else {
        std::size_t parent = kNone;
        std::string name;
        if (path != "/") {
            const std::size_t slash = path.rfind('/');
            parent = folderFor(w, slash == 0 ? std::string("/") : path.substr(0, slash));
            name = path.substr(slash + 1);
        }
        index = w.folders.size();
        w.folders.push_back({path, std::move(name), parent, {}, -1, 0, 0});
        w.byPath.emplace(path, index);
        if (parent != kNone)
            w.folders[parent].children.push_back(index);
    }
    if (w.folders[index].watch < 0) {
        if (w.folders[index].parent != kNone)
            folderFor(w, w.folders[w.folders[index].parent].path); // watched again after a loss
        addWatch(w, index);
    }
    return index;
}

void resetLocked(Watches& w) {
    if (w.fd >= 0)
        ::close(w.fd);
    w.fd = -2;
    ++w.epoch;
    w.folders.clear();
    w.byPath.clear();
    w.byWatch.clear();
}

void take(Watches& w, const inotify_event& e) {
    if (e.mask & IN_Q_OVERFLOW) {
        ++w.epoch; // changes were lost: nothing counts as unchanged
        return;
    }
    const auto it = w.byWatch.find(e.wd);
    if (it == w.byWatch.end())
        return;
    const std::size_t index = it->second;
    if (e.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED)) {
        unwatchTree(w, index);
        return;
    }
    ++w.folders[index].generation;
    if (e.len == 0)
        return;
    const std::string name(e.name); // NUL-padded
    for (std::size_t child : w.folders[index].children)
        if (w.folders[child].name == name)
            forTree(w, child, [](Folder& f) { f.refusedIn = 0; }); // it may be watchable now
}

// Takes in the changes the kernel noted.
void drainLocked(Watches& w) {
    if (w.fd < 0)
        return;
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(w.fd, buffer, sizeof buffer);
        if (got <= 0)
            return;
        for (ssize_t at = 0; at < got;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            take(w, *e);
            at += ssize_t(sizeof(inotify_event) + e->len);
        }
    }
}

} // namespace

Stamp watch(const std::string& hostFolder) {
    Watches& w = watches();
    std::lock_guard lock(w.mutex);
    if (w.fd == -2)
        w.fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (w.fd < 0 || hostFolder.empty() || hostFolder.front() != '/')
        return {};
    if (w.folders.size() > kMostFolders) {
        resetLocked(w);
        w.fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (w.fd < 0)
            return {};
    }
    drainLocked(w); // changes from before the stamp are not held against it
    const std::size_t index = folderFor(w, hostFolder);
    if (w.folders[index].watch < 0)
        return {};
    return {w.epoch, index, w.folders[index].generation};
}

void update() {
    Watches& w = watches();
    std::lock_guard lock(w.mutex);
    drainLocked(w);
}

std::vector<char> unchanged(const std::vector<Stamp>& stamps) {
    Watches& w = watches();
    std::lock_guard lock(w.mutex);
    std::vector<char> result(stamps.size());
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        const Stamp& s = stamps[i];
        result[i] = s.epoch == w.epoch && s.folder < w.folders.size() && w.folders[s.folder].watch >= 0 &&
                    w.folders[s.folder].generation == s.generation;
    }
    return result;
}

void reset() {
    Watches& w = watches();
    std::lock_guard lock(w.mutex);
    resetLocked(w);
}

} // namespace folderwatch

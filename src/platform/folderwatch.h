#pragma once
// Whether anything in a host folder may have changed since a given moment, as the kernel tells it
// (inotify), so that what was learnt about its files can be kept without looking at each again.
// A folder is watched together with every folder above it: a change to a file in it, to the folder
// itself, or to a name on the way down to it counts. Where the kernel cannot tell every change (no
// inotify, a network or FUSE file system, a symbolic link on the way, no watch left), a folder
// always counts as changed.

#include <QtGlobal>
#include <string>
#include <vector>

namespace folderwatch {

struct Stamp {
    quint64 epoch = 0; // 0: never unchanged
    std::size_t folder = 0;
    quint64 generation = 0;
};

// Watches hostFolder (absolute, no trailing slash but for "/") from now on and returns its stamp
// now. Take it before looking at the files, so that every change after the look shows.
Stamp watch(const std::string& hostFolder);
// Takes in the changes the kernel noted since the last call; one system call when there are none.
void update();
// For each stamp, whether nothing in its folder changed between the stamp and the last update().
std::vector<char> unchanged(const std::vector<Stamp>& stamps);
// Forgets every watch: no earlier stamp counts as unchanged.
void reset();

} // namespace folderwatch

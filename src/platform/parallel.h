#pragma once
// Work over many independent items, such as file lookups that each wait on the file system, spread
// over the machine's cores.

#include <QtGlobal>
#include <functional>

// Calls work(begin, end) for consecutive slices that together cover [0, count) once, on the
// calling thread and, for long runs, on helper threads that each take the next slice as they
// finish one; returns when every slice is done. work must be safe to run on several threads at
// once for different slices.
void ForEachSlice(qsizetype count, const std::function<void(qsizetype begin, qsizetype end)>& work);

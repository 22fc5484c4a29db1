#pragma once
// A new order of the entries, kept small for the undo history: the source indices as runs that
// rise or fall by one, or one 32-bit index per entry when runs would take more. Sorting a sorted
// list the other way is one run (a few when keys repeat); a mix of a million entries, some
// thousand; only the first sort of a list in random order needs the indices.

#include <QtGlobal>
#include <vector>

class Permutation {
public:
    // Entry i of the new list is the one that stood at order[i] (as EntryList::reorder takes it);
    // order holds every index below 2^32 once.
    explicit Permutation(const std::vector<qsizetype>& order);

    qsizetype size() const { return size_; }
    // The order given, and the order that puts every entry back.
    std::vector<qsizetype> order() const;
    std::vector<qsizetype> inverse() const;
    // Bytes held, this object included.
    qsizetype memoryBytes() const;

private:
    struct Run {
        quint32 first; // source index of the run's first entry
        qint32 length; // negative when the source indices fall
    };
    // Calls take(i, source) for every entry i of the new order.
    template <typename Take> void forEach(Take take) const;
    qsizetype size_ = 0;
    std::vector<Run> runs_;
    std::vector<quint32> indices_; // in place of the runs when they would be larger
};

#include "playlist/permutation.h"

#include <limits>

Permutation::Permutation(const std::vector<qsizetype>& order) : size_(qsizetype(order.size())) {
    Q_ASSERT(size_ <= qsizetype(std::numeric_limits<quint32>::max()) + 1);
    constexpr qsizetype kLongest = std::numeric_limits<qint32>::max();
    // Runs pay while they take less than the indices: below one run for every two entries.
    const qsizetype worthwhile = size_ / 2;
    for (qsizetype i = 0; i < size_;) {
        const qsizetype step = i + 1 < size_ ? order[i + 1] - order[i] : 0;
        qsizetype length = 1;
        if (step == 1 || step == -1)
            while (i + length < size_ && length < kLongest && order[i + length] - order[i + length - 1] == step)
                ++length;
        runs_.push_back({quint32(order[i]), qint32(step == -1 ? -length : length)});
        i += length;
        if (qsizetype(runs_.size()) > worthwhile && runs_.size() > 1) {
            runs_ = std::vector<Run>(); // frees the runs made so far
            indices_.assign(order.begin(), order.end());
            return;
        }
    }
    runs_.shrink_to_fit();
}

template <typename Take> void Permutation::forEach(Take take) const {
    if (!indices_.empty()) {
        for (qsizetype i = 0; i < size_; ++i)
            take(i, qsizetype(indices_[i]));
        return;
    }
    qsizetype i = 0;
    for (const Run& r : runs_) {
        const qsizetype step = r.length < 0 ? -1 : 1;
        const qsizetype length = r.length < 0 ? -qsizetype(r.length) : r.length;
        for (qsizetype k = 0; k < length; ++k)
            take(i++, qsizetype(r.first) + step * k);
    }
}

std::vector<qsizetype> Permutation::order() const {
    std::vector<qsizetype> order(size_);
    forEach([&](qsizetype i, qsizetype source) { order[i] = source; });
    return order;
}

std::vector<qsizetype> Permutation::inverse() const {
    std::vector<qsizetype> inverse(size_);
    forEach([&](qsizetype i, qsizetype source) { inverse[source] = i; });
    return inverse;
}

qsizetype Permutation::memoryBytes() const {
    return qsizetype(sizeof(*this) + runs_.capacity() * sizeof(Run) + indices_.capacity() * sizeof(quint32));
}

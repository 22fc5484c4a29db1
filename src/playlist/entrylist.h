#pragma once
// The playlist's entries as the game reads them: 8-bit code-page text, every entry in one block of
// bytes with a span (offset, length) each. A million paths of fifty characters take about 58 MB,
// a list of strings three times that. Copies share the block and the spans until one of them
// changes, as Qt's containers do, so the display can hold the entries it shows for free.
// Reordering moves spans only; removing leaves the bytes behind until they are half the block.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <iterator>
#include <vector>

class EntryList {
public:
    EntryList() = default;
    // Raise RuntimeError when an entry has a character the code page lacks.
    EntryList(std::initializer_list<QString> entries);
    EntryList(const QStringList& entries); // NOLINT(google-explicit-constructor): lists convert freely

    qsizetype size() const { return spans_.size(); }
    bool isEmpty() const { return spans_.isEmpty(); }
    // Entry i (0 <= i < size()), decoded; its bytes as they stand in the block.
    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    QByteArrayView bytesAt(qsizetype i) const;
    QString last() const { return at(size() - 1); }
    // Entries pos to pos + n (to the end when n is -1), decoded.
    QStringList mid(qsizetype pos, qsizetype n = -1) const { return toStringList().mid(pos, n); }

    // Appends an entry; false, and nothing appended, when a character lacks a byte in the code page.
    bool append(QStringView entry);
    void appendBytes(QByteArrayView entry);
    void removeAt(qsizetype i);
    // Keeps the first n entries.
    void resize(qsizetype n);
    void clear();
    void reserve(qsizetype entries);
    void swapItemsAt(qsizetype a, qsizetype b);
    // Moves entry from to index to; the entries between shift by one towards from.
    void move(qsizetype from, qsizetype to);
    // The entries in a new order: entry i becomes the one that stood at order[i]; order holds every
    // index once.
    void reorder(const std::vector<qsizetype>& order);
    // The first index whose entry equals entry, -1 when none.
    qsizetype indexOf(QStringView entry) const;

    // Moving entries out and back, for the undo history. The entries taken out get a block of
    // their own; this list leaves their bytes behind, as removeAt does.
    // Appends every entry of other.
    void appendEntries(const EntryList& other);
    // Removes the entries from index from to the end and returns them.
    EntryList takeFrom(qsizetype from);
    // Removes the entries at the given indices (ascending, each once) and returns them in order.
    EntryList takeAt(const std::vector<qsizetype>& indices);
    // Puts entries back where takeAt took them: entry k of entries becomes entry indices[k].
    void insertAt(const std::vector<qsizetype>& indices, const EntryList& entries);
    // Bytes of the block and the spans, a block shared with copies counted whole.
    qsizetype memoryBytes() const;

    // The entries, each followed by CR LF: the text playlist file.
    QByteArray toLines() const;
    QStringList toStringList() const;
    // NOLINTNEXTLINE(google-explicit-constructor): decoded whole, for callers that hold strings
    operator QStringList() const { return toStringList(); }

    friend bool operator==(const EntryList& a, const EntryList& b);
    friend bool operator!=(const EntryList& a, const EntryList& b) { return !(a == b); }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;
        const_iterator(const EntryList* list, qsizetype i) : list_(list), i_(i) {}
        QString operator*() const { return list_->at(i_); }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return i_ == other.i_; }
        bool operator!=(const const_iterator& other) const { return i_ != other.i_; }

    private:
        const EntryList* list_;
        qsizetype i_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct Span {
        quint32 offset;
        quint32 length;
    };
    void compactWhenWasteful();
    QByteArray bytes_;
    QList<Span> spans_;
    qsizetype unused_ = 0; // bytes of removed entries still in the block
};

// Lists compare with entry lists entry by entry (for the tests and for callers holding strings).
bool operator==(const EntryList& a, const QStringList& b);
inline bool operator==(const QStringList& a, const EntryList& b) {
    return b == a;
}
inline bool operator!=(const EntryList& a, const QStringList& b) {
    return !(a == b);
}

#include "playlist/entrylist.h"

#include "platform/codepage.h"
#include "platform/failure.h"

#include <algorithm>
#include <limits>

namespace {

// A list made from strings holds strings of the code page, as every entry does.
void appendEncodable(EntryList& list, const QString& entry) {
    if (!list.append(entry))
        throw RuntimeError(QStringLiteral("Invalid procedure call or argument"));
}

} // namespace

EntryList::EntryList(std::initializer_list<QString> entries) {
    reserve(qsizetype(entries.size()));
    for (const QString& e : entries)
        appendEncodable(*this, e);
}

EntryList::EntryList(const QStringList& entries) {
    reserve(entries.size());
    for (const QString& e : entries)
        appendEncodable(*this, e);
}

QByteArrayView EntryList::bytesAt(qsizetype i) const {
    const Span s = spans_.at(i);
    return QByteArrayView(bytes_.constData() + s.offset, s.length);
}

QString EntryList::at(qsizetype i) const {
    return codepage::toUnicode(bytesAt(i));
}

bool EntryList::append(QStringView entry) {
    const auto bytes = codepage::encode(entry);
    if (!bytes)
        return false;
    appendBytes(*bytes);
    return true;
}

void EntryList::appendBytes(QByteArrayView entry) {
    constexpr qsizetype kLimit = std::numeric_limits<quint32>::max();
    if (bytes_.size() + entry.size() > kLimit) {
        compactWhenWasteful();
        if (bytes_.size() + entry.size() > kLimit)
            throw RuntimeError(QStringLiteral("Out of memory"));
    }
    spans_.append({quint32(bytes_.size()), quint32(entry.size())});
    bytes_.append(entry);
}

void EntryList::removeAt(qsizetype i) {
    unused_ += spans_.at(i).length;
    spans_.removeAt(i);
    compactWhenWasteful();
}

void EntryList::resize(qsizetype n) {
    while (size() > n) {
        unused_ += spans_.last().length;
        spans_.removeLast();
    }
    compactWhenWasteful();
}

void EntryList::clear() {
    bytes_.clear();
    spans_.clear();
    unused_ = 0;
}

void EntryList::reserve(qsizetype entries) {
    spans_.reserve(entries);
}

void EntryList::swapItemsAt(qsizetype a, qsizetype b) {
    spans_.swapItemsAt(a, b);
}

void EntryList::move(qsizetype from, qsizetype to) {
    spans_.move(from, to);
}

void EntryList::reorder(const std::vector<qsizetype>& order) {
    QList<Span> spans;
    spans.reserve(spans_.size());
    for (qsizetype i : order)
        spans.append(spans_.at(i));
    spans_ = std::move(spans);
}

qsizetype EntryList::indexOf(QStringView entry) const {
    const auto bytes = codepage::encode(entry);
    if (!bytes)
        return -1;
    for (qsizetype i = 0; i < size(); ++i)
        if (bytesAt(i) == *bytes)
            return i;
    return -1;
}

QByteArray EntryList::toLines() const {
    QByteArray text;
    text.reserve(bytes_.size() - unused_ + 2 * size());
    for (qsizetype i = 0; i < size(); ++i)
        text.append(bytesAt(i)).append("\r\n", 2);
    return text;
}

QStringList EntryList::toStringList() const {
    QStringList list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        list.append(at(i));
    return list;
}

// Removed entries leave their bytes in the block; once they are half of it, the block is written
// anew with the entries that remain, in their order.
void EntryList::compactWhenWasteful() {
    if (spans_.isEmpty()) {
        clear();
        return;
    }
    if (unused_ < 4096 || unused_ * 2 < bytes_.size())
        return;
    QByteArray bytes;
    bytes.reserve(bytes_.size() - unused_);
    for (Span& s : spans_) {
        const quint32 offset = quint32(bytes.size());
        bytes.append(bytes_.constData() + s.offset, s.length);
        s.offset = offset;
    }
    bytes_ = std::move(bytes);
    unused_ = 0;
}

bool operator==(const EntryList& a, const EntryList& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a.bytesAt(i) != b.bytesAt(i))
            return false;
    return true;
}

bool operator==(const EntryList& a, const QStringList& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a.at(i) != b.at(i))
            return false;
    return true;
}

void EntryList::appendEntries(const EntryList& other) {
    reserve(size() + other.size());
    for (qsizetype i = 0; i < other.size(); ++i)
        appendBytes(other.bytesAt(i));
}

EntryList EntryList::takeFrom(qsizetype from) {
    EntryList tail;
    tail.reserve(size() - from);
    for (qsizetype i = from; i < size(); ++i)
        tail.appendBytes(bytesAt(i));
    resize(from);
    return tail;
}

EntryList EntryList::takeAt(const std::vector<qsizetype>& indices) {
    EntryList taken;
    qsizetype bytes = 0;
    for (qsizetype i : indices)
        bytes += spans_.at(i).length;
    taken.bytes_.reserve(bytes);
    taken.reserve(qsizetype(indices.size()));
    QList<Span> kept;
    kept.reserve(size() - qsizetype(indices.size()));
    auto next = indices.begin();
    for (qsizetype i = 0; i < size(); ++i) {
        if (next != indices.end() && *next == i) {
            taken.appendBytes(bytesAt(i));
            unused_ += spans_.at(i).length;
            ++next;
        } else {
            kept.append(spans_.at(i));
        }
    }
    spans_ = std::move(kept);
    compactWhenWasteful();
    return taken;
}

void EntryList::insertAt(const std::vector<qsizetype>& indices, const EntryList& entries) {
    // The new entries go to the end of the block and of the spans first, so that a compaction on
    // the way keeps every span right; then the spans are merged into place.
    const qsizetype old = size();
    appendEntries(entries);
    QList<Span> merged;
    merged.reserve(size());
    qsizetype kept = 0, k = 0;
    for (qsizetype i = 0; i < size(); ++i) {
        if (k < qsizetype(indices.size()) && indices[k] == i)
            merged.append(spans_.at(old + k++));
        else
            merged.append(spans_.at(kept++));
    }
    spans_ = std::move(merged);
}

qsizetype EntryList::memoryBytes() const {
    return bytes_.capacity() + spans_.capacity() * qsizetype(sizeof(Span));
}

#pragma once
// Registry files in Wine's text format ("WINE REGISTRY Version 2", as in a prefix's user.reg):
// a lenient parser that keeps the line position of every key and value, and an editor that sets
// one string value while leaving every other line of the file as it was.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace winereg {

enum ValueType : quint32 {
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
    RegMultiSz = 7,
};

// True for the types whose data is UTF-16 text (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ).
bool isStringType(quint32 type);

struct Value {
    QString name; // empty for the default value ("@")
    quint32 type = RegSz;
    // The data as the registry holds it: strings in UTF-16LE with the terminating NUL the file
    // leaves implicit, DWORDs in little-endian order, hex data as written.
    QByteArray data;
    qsizetype firstLine = 0;    // lines of the file that hold the value (more than one for hex data
    qsizetype lastLine = 0;     // continued with ",\")
    qsizetype prefixLength = 0; // bytes of the first line up to and including the '='
};

struct Section {
    QString key; // path with single backslashes, escapes resolved
    qsizetype headerLine = 0;
    qsizetype lastLine = 0; // last line of the section that is not blank
    QList<Value> values;
};

struct File {
    bool hasHeader = false; // the first line is Wine's header
    // Read as Wine's format: with the header, or without it when the first line that is not blank
    // starts a key or a comment (a file written by hand); nothing is read otherwise.
    bool valid = false;
    QList<QByteArray> lines; // the file split after each '\n'; joined they give the file back
    QList<Section> sections; // in file order; a key may appear more than once

    // The value that takes effect (the last one defined); names and paths compare without regard
    // to case. nullptr when missing.
    const Value* find(const QString& key, const QString& name) const;
};

// With onlyKey, values are read only in the sections of that key (the others keep their lines).
File parse(const QByteArray& bytes, const std::optional<QString>& onlyKey = std::nullopt);

// Wine's escaping of a name or string: backslash and the two given delimiters get a backslash,
// control characters become C escapes or octal, characters above 127 become \x hex.
QByteArray escape(QStringView text, char delimiter1, char delimiter2);

// The file with the string value key\name set to text (stored as its UTF-16 units plus a NUL),
// the way Wine writes it: the value's own lines are replaced, a new value goes at the end of its
// key's section and a new key at the end of the file, stamped with nowMsecs (Unix epoch). An empty
// input gives a new file; a file without the header line gets it, every other line kept.
// std::nullopt when the input is not in Wine's format.
std::optional<QByteArray> withStringValue(const QByteArray& bytes, const QString& key, const QString& name,
                                          const QString& text, qint64 nowMsecs);

} // namespace winereg

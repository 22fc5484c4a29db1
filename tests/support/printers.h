#pragma once
// Readable test failure output for Qt strings.

#include "playlist/entrylist.h"

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < l.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(l[i], os);
    }
    *os << '}';
}
inline void PrintTo(const EntryList& l, std::ostream* os) {
    PrintTo(l.toStringList(), os);
}

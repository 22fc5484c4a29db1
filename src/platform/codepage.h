#pragma once
// The 8-bit system code page (Windows-1252) at the boundary between files or the registry and the
// program's strings. Every byte maps to one character and back; characters the code page lacks
// become "?", as the Windows conversion gives them.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace codepage {

QString toUnicode(QByteArrayView bytes);
QByteArray fromUnicode(QStringView text);
// One character; '?' when the code page has no byte for it.
char toByte(QChar c);
// True when every character of text has a byte in the code page.
bool canEncode(QStringView text);

} // namespace codepage

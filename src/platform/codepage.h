#pragma once
// The 8-bit system code page (Windows-1252) at the boundary between files or the registry and the
// program's strings. Every byte maps to one character and back; characters the code page lacks
// become "?", as the Windows conversion gives them.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace codepage {

QString toUnicode(QByteArrayView bytes);
QByteArray fromUnicode(QStringView text);
// One character; '?' when the code page has no byte for it.
char toByte(QChar c);
// True when every character of text has a byte in the code page.
bool canEncode(QStringView text);
// The bytes of text; nothing when a character lacks a byte.
std::optional<QByteArray> encode(QStringView text);
// The UTF-16 code unit a byte stands for.
char16_t unitOf(unsigned char byte);

} // namespace codepage

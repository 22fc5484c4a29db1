#include "platform/codepage.h"

#include <array>

namespace codepage {
namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes without a character map to the C1 control of the
// same value, as Windows does.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char16_t unitOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
}

QString toUnicode(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char b : bytes)
        *dst++ = QChar(unitOf(static_cast<unsigned char>(b)));
    return out;
}

char toByte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u)
            return static_cast<char>(0x80 + i);
    return '?';
}

bool canEncode(QStringView text) {
    for (QChar c : text)
        if (c != u'?' && toByte(c) == '?')
            return false;
    return true;
}

std::optional<QByteArray> encode(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (QChar c : text) {
        const char b = toByte(c);
        if (b == '?' && c != u'?')
            return std::nullopt;
        *dst++ = b;
    }
    return out;
}

QByteArray fromUnicode(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (QChar c : text)
        *dst++ = toByte(c);
    return out;
}

} // namespace codepage

#include "platform/codepage.h"

#include <gtest/gtest.h>

// Every byte survives the trip to text and back, 0x80..0x9F as their Windows-1252 characters;
// a character outside the code page becomes one "?" per UTF-16 unit.
TEST(Codepage, RoundTripAndUnmappableCharacters) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = codepage::toUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(codepage::fromUnicode(text), all);
    EXPECT_EQ(text.mid(0x80, 1) + text.mid(0x9F, 2), QStringLiteral(u"\u20ac\u0178\u00a0"));
    EXPECT_EQ(codepage::fromUnicode(QStringLiteral(u"D:\\\u65e5\\\u00c6\u20ac \U0001F600\u0100")),
              QByteArray("D:\\?\\\xc6\x80 ???"));
}

// The limits of the ranges that map straight through: the C1 controls U+0080..U+009F have no byte
// except the five the table keeps for the undefined bytes; the bytes 0x80..0x9F belong to other
// characters. A "?" of the text itself can be encoded; any other character without a byte makes
// encode() refuse the text.
TEST(Codepage, RangeLimits) {
    const struct {
        char16_t c;
        char byte; // '?' = none
    } cases[] = {
        {0x007F, '\x7f'}, {0x0080, '?'},    {0x0081, '\x81'}, {0x0082, '?'},
        {0x008D, '\x8d'}, {0x008F, '\x8f'}, {0x0090, '\x90'}, {0x009D, '\x9d'},
        {0x009E, '?'},    {0x009F, '?'},    {0x00A0, '\xa0'}, {0x00FF, '\xff'},
        {0x0100, '?'},    {0x20AC, '\x80'}, {0x0178, '\x9f'}, {u'?', '?'},
    };
    for (const auto& c : cases) {
        const QString text(QChar(c.c));
        EXPECT_EQ(codepage::toByte(QChar(c.c)), c.byte) << std::hex << int(c.c);
        EXPECT_EQ(codepage::fromUnicode(text), QByteArray(1, c.byte)) << std::hex << int(c.c);
        const bool encodable = c.byte != '?' || c.c == u'?';
        EXPECT_EQ(codepage::canEncode(text), encodable) << std::hex << int(c.c);
        EXPECT_EQ(codepage::encode(text), encodable ? std::optional(QByteArray(1, c.byte)) : std::nullopt)
            << std::hex << int(c.c);
    }
}

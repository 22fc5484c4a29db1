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

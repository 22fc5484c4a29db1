#include "platform/codepage.h"

#include <gtest/gtest.h>

// Every byte survives the trip to text and back; the bytes 0x80..0x9F carry their Windows-1252
// characters, not Latin-1 controls.
TEST(Codepage, EveryByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = codepage::toUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(codepage::fromUnicode(text), all);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC)); // euro sign
    EXPECT_EQ(text.at(0x9F), QChar(0x0178)); // Y with diaeresis
    EXPECT_EQ(text.at(0xE9), QChar(0x00E9)); // e acute
}

TEST(Codepage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("D:\\\u65e5\u672c\\\u00c6r\u00f8 \u20ac"), QByteArray("D:\\??\\\xc6r\xf8 \x80")},
        {QString::fromUtf8("x\xf0\x9f\x98\x80y"), QByteArray("x??y")}, // one "?" per UTF-16 unit
        {QStringLiteral("\u0100"), QByteArray("?")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codepage::fromUnicode(c.text), c.bytes) << qPrintable(c.text);
}

#pragma once
// The ID3v1 block: the fixed 128 bytes at the end of an MP3 file, "TAG" and six fields. Bytes
// become characters one for one through the 8-bit code page; the genre stays its raw byte.

#include <QByteArrayView>
#include <QString>

struct MP3TagInfo {
    QString Title;
    QString Interpret;
    QString Album;
    QString Year;
    QString Comment;
    QString Genre;
};

// The fields of the file's ID3v1 block; all empty when the file has none, is shorter than 128
// bytes or cannot be read. Opens, reads 128 bytes and closes; nothing is cached.
MP3TagInfo ReadMP3Tag(const QString& path);

// The fields of a 128-byte block; all empty unless it begins with "TAG" (exact case) and holds
// 128 bytes.
MP3TagInfo MP3TagFromBlock(QByteArrayView block);

// A raw field without its padding: cut before the first NUL, trailing spaces removed.
QString CleanTagField(const QString& field);

// The row of an entry in the "MP3-Tag" view: "Interpret - Title", the title alone when there is no
// interpret, or the entry's file name when there is no title.
QString TagRowText(const QString& path);

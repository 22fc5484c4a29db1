#include "mp3info/mp3tag.h"

#include "mp3info/mp3file.h"
#include "platform/codepage.h"
#include "platform/dosfs.h"

namespace {
constexpr qsizetype kBlockSize = 128;

QString field(QByteArrayView block, qsizetype from, qsizetype width) {
    return CleanTagField(codepage::toUnicode(block.sliced(from, width)));
}
} // namespace

QString CleanTagField(const QString& field) {
    qsizetype end = field.indexOf(QChar(0));
    if (end < 0)
        end = field.size();
    while (end > 0 && field.at(end - 1) == u' ')
        --end;
    return field.left(end);
}

MP3TagInfo MP3TagFromBlock(QByteArrayView block) {
    if (block.size() != kBlockSize || !block.startsWith("TAG"))
        return {};
    return {field(block, 3, 30), field(block, 33, 30), field(block, 63, 30),
            field(block, 93, 4), field(block, 97, 30), field(block, 127, 1)};
}

MP3TagInfo ReadMP3Tag(const QString& path) {
    const Mp3File file(path);
    if (!file.isOpen() || file.size() < kBlockSize)
        return {};
    char block[kBlockSize];
    if (file.readAt(file.size() - kBlockSize, block, kBlockSize) != kBlockSize)
        return {};
    return MP3TagFromBlock(QByteArrayView(block, kBlockSize));
}

QString TagRowText(const QString& path) {
    const MP3TagInfo tag = ReadMP3Tag(path);
    if (tag.Title.isEmpty())
        return dosfs::FileNameOf(path);
    if (tag.Interpret.isEmpty())
        return tag.Title;
    return tag.Interpret + QStringLiteral(" - ") + tag.Title;
}

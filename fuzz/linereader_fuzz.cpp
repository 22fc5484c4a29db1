// The line reader on arbitrary bytes: never a line with a CR in it, never more characters than
// bytes, and the same lines whatever the buffer the data arrives in.
#include "platform/textfile.h"

#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    textfile::LineReader reader(buffer);
    QString line;
    qsizetype chars = 0, lines = 0;
    while (reader.next(line)) {
        if (line.contains(u'\r'))
            std::abort();
        chars += line.size();
        ++lines;
    }
    if (chars > qsizetype(size) || (size > 0 && lines == 0) || !reader.atEnd())
        std::abort();
    return 0;
}

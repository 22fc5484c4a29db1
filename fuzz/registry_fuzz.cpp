// The registry file parser on arbitrary bytes: the lines join back to the input and every key and
// value lies inside the file. Then a string value is written into one of the file's keys and into
// a new key, and must read back from the written file.
#include "platform/winereg.h"

#include <cstdlib>

namespace {

QByteArray utf16Data(const QString& text) {
    QByteArray data;
    for (QChar c : text + QChar(0)) {
        data += char(c.unicode() & 0xff);
        data += char(c.unicode() >> 8);
    }
    return data;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkWrite(const QByteArray& bytes, bool valid, const QString& key, const QString& name) {
    const QString text = QStringLiteral(u"a\"\\\t\x01"
                                        "7\u00e9a\u20ac\u00e9") +
                         QChar(0) + QStringLiteral("0x");
    const std::optional<QByteArray> written = winereg::withStringValue(bytes, key, name, text, 1700000000000);
    check(written.has_value() == (valid || bytes.isEmpty()));
    if (!written)
        return;
    const winereg::File file = winereg::parse(*written);
    const winereg::Value* value = file.find(key, name);
    check(value && value->type == winereg::RegSz && value->data == utf16Data(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const winereg::File file = winereg::parse(bytes);
    check(file.lines.join() == bytes);
    for (const winereg::Section& section : file.sections) {
        check(section.headerLine <= section.lastLine && section.lastLine < file.lines.size());
        for (const winereg::Value& value : section.values)
            check(section.headerLine < value.firstLine && value.firstLine <= value.lastLine &&
                  value.lastLine <= section.lastLine);
    }

    // Reading the values of one key only leaves the sections as they are.
    const winereg::File oneKey = winereg::parse(bytes, QStringLiteral("software\\valve\\probe"));
    check(oneKey.sections.size() == file.sections.size());
    for (qsizetype i = 0; i < oneKey.sections.size(); ++i)
        check(oneKey.sections[i].key == file.sections[i].key &&
              oneKey.sections[i].lastLine == file.sections[i].lastLine);

    QString key = QStringLiteral("Software\\TovrelPro\\RAZ");
    QString name = QStringLiteral("Old");
    if (!file.sections.isEmpty()) {
        const winereg::Section& section = file.sections[qsizetype(size) % file.sections.size()];
        key = section.key;
        if (!section.values.isEmpty())
            name = section.values[qsizetype(size) % section.values.size()].name;
    }
    checkWrite(bytes, file.valid, key, name);
    checkWrite(bytes, file.valid, QStringLiteral("New\\[Key] \xe9"), QString());
    return 0;
}

#include "platform/winereg.h"

#include <QByteArrayView>

namespace winereg {
namespace {

constexpr QByteArrayView kHeader = "WINE REGISTRY Version 2";
// The C escapes the format knows and the control characters they stand for.
constexpr QByteArrayView kCEscapeLetters = "abefnrtv";
constexpr char16_t kCEscapeCodes[] = {0x07, 0x08, 0x1b, 0x0c, 0x0a, 0x0d, 0x09, 0x0b};
// Milliseconds between the FILETIME epoch (1601-01-01) and the Unix epoch.
constexpr qint64 kFileTimeEpochOffsetMs = 11644473600000LL;

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

int hexValue(char c) {
    if (c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// A line without its line end ("\n", and a "\r" before it).
QByteArrayView content(const QByteArray& line) {
    QByteArrayView v(line);
    if (v.endsWith('\n'))
        v.chop(1);
    if (v.endsWith('\r'))
        v.chop(1);
    return v;
}

qsizetype skipBlanks(QByteArrayView s, qsizetype pos) {
    while (pos < s.size() && isBlank(s[pos]))
        ++pos;
    return pos;
}

// Reads an escaped string from pos up to the first unescaped delimiter. Returns the position after
// the delimiter, or -1 when the line ends first. Bytes above 127 are UTF-8; an unknown escape
// stands for the character itself.
qsizetype unescape(QByteArrayView s, qsizetype pos, char delimiter, QString& out) {
    out.clear();
    while (pos < s.size()) {
        char c = s[pos];
        if (c == delimiter)
            return pos + 1;
        if (c == '\\') {
            if (++pos == s.size())
                return -1;
            c = s[pos++];
            if (const qsizetype k = kCEscapeLetters.indexOf(c); k >= 0) {
                out += QChar(kCEscapeCodes[k]);
                continue;
            }
            if (c == 'x' && pos < s.size() && isHexDigit(s[pos])) {
                char16_t unit = 0;
                for (int digits = 0; digits < 4 && pos < s.size() && isHexDigit(s[pos]); ++digits)
                    unit = char16_t(unit * 16 + hexValue(s[pos++]));
                out += QChar(unit);
                continue;
            }
            if (isOctalDigit(c)) {
                char16_t unit = char16_t(c - '0');
                for (int digits = 1; digits < 3 && pos < s.size() && isOctalDigit(s[pos]); ++digits)
                    unit = char16_t(unit * 8 + (s[pos++] - '0'));
                out += QChar(unit);
                continue;
            }
            --pos; // any other character stands for itself, even the delimiter
        }
        if (static_cast<unsigned char>(s[pos]) < 0x80) {
            out += QLatin1Char(s[pos++]);
            continue;
        }
        qsizetype end = pos;
        while (end < s.size() && static_cast<unsigned char>(s[end]) >= 0x80)
            ++end;
        out += QString::fromUtf8(s.sliced(pos, end - pos));
        pos = end;
    }
    return -1;
}

// Reads up to maxDigits hex digits; false when there is none.
bool readHexNumber(QByteArrayView s, qsizetype& pos, int maxDigits, quint32& value) {
    value = 0;
    int digits = 0;
    while (digits < maxDigits && pos < s.size() && isHexDigit(s[pos])) {
        value = value * 16 + quint32(hexValue(s[pos++]));
        ++digits;
    }
    return digits > 0;
}

QByteArray utf16Data(const QString& text) {
    QByteArray data;
    data.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        data += char(c.unicode() & 0xff);
        data += char(c.unicode() >> 8);
    }
    data.append(2, '\0');
    return data;
}

// Comma-separated hex bytes; a "\" at the end of a line continues the data on the next line when
// that line holds more of it. line is advanced to the last line used.
bool parseHexData(const QList<QByteArray>& lines, qsizetype& line, qsizetype pos, QByteArray& data) {
    QByteArrayView s = content(lines[line]);
    for (;;) {
        pos = skipBlanks(s, pos);
        if (pos == s.size())
            return true;
        if (s[pos] == '\\' && skipBlanks(s, pos + 1) == s.size()) {
            if (line + 1 == lines.size())
                return true;
            const QByteArrayView next = content(lines[line + 1]);
            const qsizetype first = skipBlanks(next, 0);
            if (first == next.size() || !isHexDigit(next[first]))
                return true;
            s = next;
            pos = first;
            ++line;
            continue;
        }
        quint32 byte = 0;
        if (!readHexNumber(s, pos, 2, byte))
            return false;
        data += char(byte);
        pos = skipBlanks(s, pos);
        if (pos < s.size() && s[pos] == ',')
            ++pos;
        else if (pos < s.size() && s[pos] != '\\')
            return false;
    }
}

// Parses the data after "name=" starting at pos. line is advanced past continuation lines.
bool parseData(const QList<QByteArray>& lines, qsizetype& line, qsizetype pos, Value& value) {
    const QByteArrayView s = content(lines[line]);
    const QByteArrayView rest = s.sliced(pos);
    quint32 type = RegSz;
    if (rest.startsWith("str:\"")) {
        pos += 4;
    } else if (rest.startsWith("str(") || rest.startsWith("hex(")) {
        pos += 4;
        if (!readHexNumber(s, pos, 8, type) || !s.sliced(pos).startsWith("):"))
            return false;
        pos += 2;
        if (rest.startsWith("str(") && !s.sliced(pos).startsWith('"'))
            return false;
    } else if (rest.startsWith("hex:")) {
        type = RegBinary;
        pos += 4;
    } else if (rest.startsWith("dword:")) {
        pos += 6;
        quint32 dword = 0;
        if (!readHexNumber(s, pos, 8, dword))
            return false;
        value.type = RegDword;
        value.data.clear();
        for (int i = 0; i < 4; ++i)
            value.data += char((dword >> (8 * i)) & 0xff);
        return true;
    } else if (!rest.startsWith('"')) {
        return false;
    }
    value.type = type;
    value.data.clear();
    if (rest.startsWith("hex"))
        return parseHexData(lines, line, pos, value.data);
    QString text;
    if (unescape(s, pos + 1, '"', text) < 0)
        return false;
    value.data = utf16Data(text);
    return true;
}

} // namespace

bool isStringType(quint32 type) {
    return type == RegSz || type == RegExpandSz || type == RegMultiSz;
}

const Value* File::find(const QString& key, const QString& name) const {
    for (auto section = sections.crbegin(); section != sections.crend(); ++section) {
        if (section->key.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        for (auto value = section->values.crbegin(); value != section->values.crend(); ++value)
            if (value->name.compare(name, Qt::CaseInsensitive) == 0)
                return &*value;
    }
    return nullptr;
}

File parse(const QByteArray& bytes, const std::optional<QString>& onlyKey) {
    File file;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        file.lines.append(bytes.sliced(start, end - start));
        start = end;
    }
    if (file.lines.isEmpty())
        return file;
    const QByteArrayView first = content(file.lines[0]);
    file.hasHeader = first.startsWith(kHeader) && skipBlanks(first, kHeader.size()) == first.size();
    file.valid = file.hasHeader;
    if (!file.hasHeader) {
        // Written by hand without the header: valid when it begins (after blank lines) like the
        // body of a Wine file, with a key or a comment; another format's header is not.
        file.valid = true;
        for (const QByteArray& line : file.lines) {
            const QByteArrayView s = content(line);
            const qsizetype pos = skipBlanks(s, 0);
            if (pos < s.size()) {
                file.valid = s[pos] == '[' || s[pos] == '#' || s[pos] == ';';
                break;
            }
        }
    }
    if (!file.valid)
        return file;

    Section* section = nullptr; // null before the first section and in one whose header is unreadable
    bool wanted = false;
    for (qsizetype i = file.hasHeader ? 1 : 0; i < file.lines.size(); ++i) {
        const QByteArrayView s = content(file.lines[i]);
        const qsizetype pos = skipBlanks(s, 0);
        if (pos == s.size())
            continue;
        const char lead = s[pos];
        if (lead == '[') {
            QString key;
            section = nullptr;
            if (unescape(s, pos + 1, ']', key) >= 0) {
                wanted = !onlyKey || key.compare(*onlyKey, Qt::CaseInsensitive) == 0;
                file.sections.append(Section{key, i, i, {}});
                section = &file.sections.last();
            }
            continue;
        }
        if (!section)
            continue;
        if (wanted && (lead == '"' || lead == '@')) {
            Value value;
            qsizetype p = lead == '"' ? unescape(s, pos + 1, '"', value.name) : pos + 1;
            if (p >= 0)
                p = skipBlanks(s, p);
            if (p >= 0 && p < s.size() && s[p] == '=') {
                value.prefixLength = p + 1;
                value.firstLine = i;
                if (parseData(file.lines, i, skipBlanks(s, p + 1), value)) {
                    value.lastLine = i;
                    section->values.append(value);
                }
            }
        }
        // Comments and unreadable lines count as part of the section they stand in.
        section->lastLine = i;
    }
    return file;
}

QByteArray escape(QStringView text, char delimiter1, char delimiter2) {
    // The C escape of each control character, '.' for those written in octal.
    static constexpr char kCEscapes[] = ".......abtnvfr.............e....";
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
        if (c > 127) {
            // Four digits when a hex digit follows, so that it is not read as part of the escape.
            QByteArray digits = QByteArray::number(c, 16);
            if (next < 128 && isHexDigit(char(next)))
                digits = digits.rightJustified(4, '0');
            out += "\\x" + digits;
        } else if (c < 32) {
            if (kCEscapes[c] != '.') {
                out += '\\';
                out += kCEscapes[c];
            } else {
                QByteArray digits = QByteArray::number(c, 8);
                if (next < 128 && isOctalDigit(char(next)))
                    digits = digits.rightJustified(3, '0');
                out += '\\' + digits;
            }
        } else {
            if (c == '\\' || c == delimiter1 || c == delimiter2)
                out += '\\';
            out += char(c);
        }
    }
    return out;
}

std::optional<QByteArray> withStringValue(const QByteArray& bytes, const QString& key, const QString& name,
                                          const QString& text, qint64 nowMsecs) {
    File file = parse(bytes.isEmpty() ? QByteArray(kHeader.toByteArray() + '\n') : bytes, key);
    if (!file.valid)
        return std::nullopt;

    const QByteArray data = '"' + escape(text, '"', '"') + "\"\n";
    const QByteArray line =
        (name.isEmpty() ? QByteArray("@") : '"' + escape(name, '"', '"') + '"') + '=' + data;
    const auto endLine = [](QByteArray& l) {
        if (!l.endsWith('\n'))
            l += '\n';
    };

    const Section* lastSection = nullptr;
    const Value* current = nullptr;
    for (const Section& section : file.sections) {
        if (section.key.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        lastSection = &section;
        for (const Value& value : section.values)
            if (value.name.compare(name, Qt::CaseInsensitive) == 0)
                current = &value;
    }

    QList<QByteArray>& lines = file.lines;
    if (current) {
        // Keep the name as the file spells it; replace the data and any continuation lines.
        const QByteArray replacement = lines[current->firstLine].left(current->prefixLength) + data;
        lines.remove(current->firstLine + 1, current->lastLine - current->firstLine);
        lines[current->firstLine] = replacement;
    } else if (lastSection) {
        endLine(lines[lastSection->lastLine]);
        lines.insert(lastSection->lastLine + 1, line);
    } else {
        endLine(lines.last());
        const qint64 fileTime = (nowMsecs + kFileTimeEpochOffsetMs) * 10000;
        lines.append("\n");
        lines.append('[' + escape(key, '[', ']') + "] " + QByteArray::number(nowMsecs / 1000) + '\n');
        lines.append("#time=" + QByteArray::number(fileTime, 16) + '\n');
        lines.append(line);
    }
    if (!file.hasHeader)
        lines.prepend(kHeader.toByteArray() + '\n');
    return lines.join();
}

} // namespace winereg

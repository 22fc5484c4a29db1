// The tag reader on arbitrary files: fields come from the last 128 bytes only, never hold a NUL or
// end in a space, never outgrow their width, and are all empty without the exact "TAG" marker.
#include "mp3file_fuzz.h"
#include "mp3info/mp3tag.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MP3TagInfo tag = ReadMP3Tag(fuzzInputFile(data, size));
    const bool marked = size >= 128 && std::memcmp(data + size - 128, "TAG", 3) == 0;
    const std::pair<const QString*, qsizetype> fields[] = {{&tag.Title, 30},   {&tag.Interpret, 30},
                                                           {&tag.Album, 30},   {&tag.Year, 4},
                                                           {&tag.Comment, 30}, {&tag.Genre, 1}};
    for (const auto& [field, width] : fields) {
        if (field->size() > width || field->contains(QChar(0)) || field->endsWith(u' '))
            std::abort();
        if (!marked && !field->isEmpty())
            std::abort();
        if (CleanTagField(*field) != *field)
            std::abort();
    }
    if (marked) {
        const auto block = QByteArrayView(data + size - 128, 128);
        const MP3TagInfo fromBlock = MP3TagFromBlock(block);
        if (fromBlock.Title != tag.Title || fromBlock.Comment != tag.Comment || fromBlock.Genre != tag.Genre)
            std::abort();
    }
    return 0;
}

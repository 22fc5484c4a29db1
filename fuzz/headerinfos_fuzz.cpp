// The header analysis on arbitrary files: the same results from the file as from the bytes in
// memory, a found header lies inside the file, and without one nothing after the search is set.
#include "mp3file_fuzz.h"
#include "mp3info/headerinfos.h"

#include <cstring>
#include <tuple>

namespace {
auto results(const HeaderInfos& h) {
    return std::make_tuple(h.FileSize(), h.Version(), h.Layer(), h.CRCProtected(), h.Bitrate(), h.Frequency(),
                           h.Padding(), h.PrivateBit(), h.ChannelMode(), h.ChannelModeExtention(),
                           h.Copyright(), h.Original(), h.Emphasis(), h.VersionText(), h.LayerText(),
                           h.ChannelModeText(), h.EmphasisText(), h.FrameSize(), h.Frames(), h.Seconds(),
                           h.HeaderPosition(), h.ID3V1(), h.ID3V2());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HeaderInfos fromMemory;
    fromMemory.GetFileInfos(QByteArrayView(data, qsizetype(size)));
    HeaderInfos fromFile;
    fromFile.setFilePath(fuzzInputFile(data, size));
    if (fromFile.GetFileInfos() != 0 || results(fromFile) != results(fromMemory))
        std::abort();

    const HeaderInfos& h = fromMemory;
    if (h.ID3V2() != (size >= 3 && std::memcmp(data, "ID3", 3) == 0))
        std::abort();
    if (!h.VersionText().isEmpty()) {
        if (h.Bitrate() <= 0 || h.FrameSize() <= 0 || h.Frames() < 0 || h.Seconds() < 0 ||
            h.LayerText().isEmpty() || h.ChannelModeText().isEmpty() || h.EmphasisText().isEmpty() ||
            h.HeaderPosition() < 0 || h.HeaderPosition() + 4 > qint64(size))
            std::abort();
    } else if (h.FrameSize() != 0 || h.Frames() != 0 || h.Seconds() != 0 || !h.LayerText().isEmpty()) {
        std::abort();
    }
    return 0;
}

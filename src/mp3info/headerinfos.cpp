#include "mp3info/headerinfos.h"

#include "mp3info/mp3file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr qsizetype kSearchBytes = 8192;

// kbit/s by bit-rate index 1 to 14, in the columns MPEG-1 Layer I, II, III, MPEG-2/2.5 Layer I,
// II, III. Indexes 0 (free format) and 15 (forbidden) have no rate.
constexpr qint16 kBitrates[14][6] = {
    {32, 32, 32, 32, 8, 8},         {64, 48, 40, 48, 16, 16},       {96, 56, 48, 56, 24, 24},
    {128, 64, 56, 64, 32, 32},      {160, 80, 64, 80, 40, 40},      {192, 96, 80, 96, 48, 48},
    {224, 112, 96, 112, 56, 56},    {256, 128, 112, 128, 64, 64},   {288, 160, 128, 144, 80, 80},
    {320, 192, 160, 160, 96, 96},   {352, 224, 192, 176, 112, 112}, {384, 256, 224, 192, 128, 128},
    {416, 320, 256, 224, 144, 144}, {448, 384, 320, 256, 160, 160}};
// The table columns the six columns above go to: (version ID AND 1) * 4 + layer code.
constexpr int kBitrateColumns[6] = {7, 6, 5, 3, 2, 1};

// Hz by sampling-frequency index, for MPEG 1, MPEG 2 and MPEG 2.5; index 3 is reserved (99999).
constexpr qint32 kFrequencies[4][3] = {
    {44100, 22050, 11025}, {48000, 24000, 12000}, {32000, 16000, 8000}, {99999, 99999, 99999}};

constexpr qint32 kInvalidFrequency = 99999;

// Rounds to the nearest integer, halves to the even one.
qint64 roundHalfEven(double x) {
    double r = std::floor(x);
    const double rest = x - r;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    return qint64(r);
}

} // namespace

HeaderInfos::HeaderInfos() {
    for (int row = 0; row < 14; ++row)
        for (int c = 0; c < 6; ++c)
            BitrateTable[row + 1][kBitrateColumns[c]] = kBitrates[row][c];
    // Version IDs 3 (MPEG 1), 2 (MPEG 2), 0 (MPEG 2.5); version 1 is reserved and stays 0.
    constexpr int kVersionOfColumn[3] = {3, 2, 0};
    for (int index = 0; index < 4; ++index)
        for (int c = 0; c < 3; ++c)
            FrequencyTable[kVersionOfColumn[c]][index] = kFrequencies[index][c];
    FramesPerSecond = {38.5, 32.5, 27.8, 0.0};
}

void HeaderInfos::setFilePath(const QString& path) {
    ResetInfos();
    filePath_ = path;
}

void HeaderInfos::ResetInfos() {
    fileSize_ = 0;
    version_ = layer_ = channelMode_ = channelModeExtention_ = emphasis_ = 0;
    crcProtected_ = padding_ = privateBit_ = copyright_ = original_ = false;
    bitrate_ = frequency_ = frameSize_ = 0;
    versionText_.clear();
    layerText_.clear();
    channelModeText_.clear();
    emphasisText_.clear();
    frames_ = seconds_ = 0;
}

int HeaderInfos::GetFileInfos() {
    id3v2_ = false;
    const Mp3File file(filePath_);
    if (!file.isOpen())
        return -1;
    analyse(file.size(),
            [&file](qint64 offset, char* to, qsizetype count) { return file.readAt(offset, to, count); });
    return 0;
}

int HeaderInfos::GetFileInfos(QByteArrayView content) {
    id3v2_ = false;
    analyse(content.size(), [content](qint64 offset, char* to, qsizetype count) -> qsizetype {
        if (offset < 0 || offset >= content.size())
            return 0;
        const qsizetype n = std::min<qint64>(count, content.size() - offset);
        std::memcpy(to, content.data() + offset, size_t(n));
        return n;
    });
    return 0;
}

template <typename ReadAt> void HeaderInfos::analyse(qint64 length, ReadAt readAt) {
    if (length >= 128) {
        char marker[3];
        if (readAt(length - 128, marker, 3) == 3 && std::memcmp(marker, "TAG", 3) == 0)
            id3v1_ = true;
    }
    uchar buffer[kSearchBytes] = {};
    auto* bytes = reinterpret_cast<char*>(buffer);
    qsizetype size = readAt(0, bytes, kSearchBytes);
    fileSize_ = length;
    qint64 audioBase = 0;
    if (size >= 3 && std::memcmp(buffer, "ID3", 3) == 0) {
        id3v2_ = true;
        // Syncsafe size, but the bytes are used as they stand (top bits not masked). Bytes past
        // the end of a very short file count as 0.
        const qint32 tagSize = buffer[6] * 2097152 + buffer[7] * 16384 + buffer[8] * 128 + buffer[9];
        audioBase = qint64(tagSize) + 10;
        fileSize_ -= audioBase;
        // The search buffer is the 8192 bytes from the audio base; those already read are kept.
        if (audioBase < size) {
            const qsizetype kept = size - qsizetype(audioBase);
            std::memmove(buffer, buffer + audioBase, size_t(kept));
            size =
                kept + (size == kSearchBytes ? readAt(kSearchBytes, bytes + kept, kSearchBytes - kept) : 0);
        } else {
            size = readAt(audioBase, bytes, kSearchBytes);
        }
    }
    search(buffer, size, audioBase);
}

std::pair<uchar, uchar> HeaderInfos::ShiftHalfByte(uchar a, uchar b, uchar c) {
    return {uchar((a & 0x0F) * 16 + (b & 0xF0) / 16), uchar((b & 0x0F) * 16 + (c & 0xF0) / 16)};
}

void HeaderInfos::search(const uchar* buffer, qsizetype size, qint64 audioBase) {
    // Positions are 1-based: position p is buffer[p - 1].
    auto at = [buffer](qsizetype p) { return buffer[p - 1]; };
    qsizetype p = 1;
    while (p < kSearchBytes - 1 && p + 3 <= size) {
        uchar h1, h2, h3;
        if (at(p) == 0xFF && (at(p + 1) & 0xE0) == 0xE0) {
            h1 = at(p + 1), h2 = at(p + 2), h3 = at(p + 3);
        } else {
            // A sync pattern half a byte later: the three bytes after it are taken whole.
            const auto [x, y] = ShiftHalfByte(at(p), at(p + 1), at(p + 2));
            if (!(x == 0xFF && (y & 0xE0) == 0xE0 && p + 4 <= size)) {
                ++p;
                continue;
            }
            h1 = at(p + 2), h2 = at(p + 3), h3 = at(p + 4);
        }
        headerPosition_ = audioBase + p - 1;
        version_ = (h1 & 0x18) / 8;
        layer_ = (h1 & 0x06) / 2;
        crcProtected_ = (h1 & 0x01) == 0;
        const int bitrateIndex = (h2 & 0xF0) / 16;
        bitrate_ = BitrateTable[bitrateIndex][layer_ + 4 * (version_ & 1)] * 1000;
        const int samplingIndex = (h2 & 0x0C) / 4;
        frequency_ = FrequencyTable[version_][samplingIndex];
        if (frequency_ != kInvalidFrequency && frequency_ != 0 && bitrate_ != 0) {
            decodeRest(h2, h3, samplingIndex);
            return;
        }
        p += 5;
    }
}

void HeaderInfos::decodeRest(uchar h2, uchar h3, int samplingIndex) {
    padding_ = (h2 & 0x02) / 2 == 1;
    privateBit_ = (h2 & 0x01) == 1;
    channelMode_ = (h3 & 0xC0) / 64;
    channelModeExtention_ = (h3 & 0x30) / 16;
    copyright_ = (h3 & 0x08) / 8 == 1;
    original_ = (h3 & 0x04) / 4 == 1;
    emphasis_ = h3 & 0x03;

    static const QString kVersionTexts[4] = {QStringLiteral("MPEG-2.5"), QString(),
                                             QStringLiteral("MPEG-2.0"), QStringLiteral("MPEG-1.0")};
    versionText_ = kVersionTexts[version_];

    // Raw frame size: the padding byte counts for Layer I only.
    double s = 0;
    switch (layer_) {
    case 1:
        layerText_ = QStringLiteral("Layer III");
        s = double(bitrate_) / frequency_ * 144;
        break;
    case 2:
        layerText_ = QStringLiteral("Layer II");
        s = double(bitrate_) / frequency_ * 144;
        break;
    case 3:
        layerText_ = QStringLiteral("Layer I");
        s = (double(bitrate_) / frequency_ * 12 + (padding_ ? 1 : 0)) * 4;
        break;
    }

    switch (channelMode_) {
    case 0:
        channelModeText_ = QStringLiteral("Stereo");
        break;
    case 1:
        channelModeText_ = QStringLiteral("Joint Stereo (Stereo)");
        if (version_ < 3)
            s = std::trunc(s) / 2;
        if (version_ == 0)
            s = std::trunc(s) / 2; // MPEG 2.5 joint stereo: halved twice
        break;
    case 2:
        channelModeText_ = QStringLiteral("Dual Channel (Stereo)");
        break;
    case 3:
        channelModeText_ = QStringLiteral("Single Channel (Mono)");
        if (version_ < 3)
            s = std::trunc(s) / 2;
        break;
    }

    static const QString kEmphasisTexts[4] = {QStringLiteral("None"), QStringLiteral("50/15 ms"),
                                              QStringLiteral("reserved"), QStringLiteral("CIT J.17")};
    emphasisText_ = kEmphasisTexts[emphasis_];

    frameSize_ = qint32(std::trunc(s));
    frames_ = roundHalfEven(double(fileSize_) / frameSize_);
    seconds_ = roundHalfEven(double(frames_) / FramesPerSecond[samplingIndex]);
}

#pragma once
// HeaderInfos analyses one MP3 file: the ID3v1 block at its end, the ID3v2 tag header at its
// start, and the first MPEG audio frame header found in the 8192 bytes after the ID3v2 tag. It
// decodes that header's fields, gives texts for the coded ones, and estimates the frame size, the
// number of frames and the playing time.
//
// Use: construct, setFilePath, GetFileInfos once, read the properties.

#include <QByteArrayView>
#include <QString>
#include <array>
#include <utility>

class HeaderInfos {
public:
    HeaderInfos();

    QString FilePath() const { return filePath_; }
    // Clears the results (ResetInfos), then stores path.
    void setFilePath(const QString& path);

    // The file's length in bytes less the ID3v2 tag (header and body) when there is one.
    QString FileSize() const { return QString::number(fileSize_); }
    quint8 Version() const { return version_; } // 0 MPEG 2.5, 1 reserved, 2 MPEG 2, 3 MPEG 1
    quint8 Layer() const { return layer_; }     // 1 Layer III, 2 Layer II, 3 Layer I, 0 reserved
    bool CRCProtected() const { return crcProtected_; }
    qint32 Bitrate() const { return bitrate_; }     // bits per second
    qint32 Frequency() const { return frequency_; } // Hz
    bool Padding() const { return padding_; }
    bool PrivateBit() const { return privateBit_; }
    quint8 ChannelMode() const { return channelMode_; } // 0 stereo, 1 joint, 2 dual, 3 single
    quint8 ChannelModeExtention() const { return channelModeExtention_; }
    bool Copyright() const { return copyright_; }
    bool Original() const { return original_; }
    quint8 Emphasis() const { return emphasis_; }
    QString VersionText() const { return versionText_; }
    QString LayerText() const { return layerText_; }
    QString ChannelModeText() const { return channelModeText_; }
    QString EmphasisText() const { return emphasisText_; }
    qint32 FrameSize() const { return frameSize_; }
    qint64 Frames() const { return frames_; }
    qint64 Seconds() const { return seconds_; }
    // File offset of the byte where the accepted sync pattern starts.
    qint64 HeaderPosition() const { return headerPosition_; }
    bool ID3V1() const { return id3v1_; }
    bool ID3V2() const { return id3v2_; }

    // Analyses the file named by FilePath. -1 when it does not exist, or exists but cannot be read
    // as a file (a folder, no read permission): the results keep their reset values. Otherwise 0,
    // whether or not a header was found.
    int GetFileInfos();
    // The same analysis on content held in memory, as if it were the whole file. Returns 0.
    int GetFileInfos(QByteArrayView content);

private:
    void ResetInfos();
    template <typename ReadAt> void analyse(qint64 length, ReadAt readAt);
    void search(const uchar* buffer, qsizetype size, qint64 audioBase);
    void decodeRest(uchar h2, uchar h3, int samplingIndex);
    static std::pair<uchar, uchar> ShiftHalfByte(uchar a, uchar b, uchar c);

    // Bit rates in kbit/s by bit-rate index and column (low bit of the version ID) * 4 + layer.
    std::array<std::array<qint16, 8>, 16> BitrateTable{};
    // Hz by version ID and sampling-frequency index; 0 and 99999 mark invalid combinations.
    std::array<std::array<qint32, 4>, 4> FrequencyTable{};
    // Frames per second by sampling-frequency index, for the playing time.
    std::array<double, 4> FramesPerSecond{};

    QString filePath_;
    qint64 fileSize_ = 0;
    quint8 version_ = 0, layer_ = 0, channelMode_ = 0, channelModeExtention_ = 0, emphasis_ = 0;
    bool crcProtected_ = false, padding_ = false, privateBit_ = false, copyright_ = false, original_ = false;
    qint32 bitrate_ = 0, frequency_ = 0, frameSize_ = 0;
    QString versionText_, layerText_, channelModeText_, emphasisText_;
    qint64 frames_ = 0, seconds_ = 0, headerPosition_ = 0;
    bool id3v1_ = false, id3v2_ = false;
};

#pragma once
// modMP3: the program's only way to its audio. One device, under the alias MP3Play, driven by
// command strings to the media command service; the queries answer in whole seconds, rounded
// half to even, and as time texts ("0:07", "01:05", "105:30").

#include <QString>
#include <stdexcept>

// Raised by PositionSeconds and PositionText when the service's reply is not a number (no device
// is open, for one).
class PlaybackQueryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True exactly when the device reports the mode "playing"; never fails.
bool IsPlaying();
// Opens path (a DOS path) under MP3Play and starts playing it. A file that does not exist is
// passed over silently; a file the service refuses gets a message box with the service's text.
void OpenAndPlay(const QString& path);
void PausePlayback();
// The path OpenAndPlay last opened a title at; what plays while IsPlaying() says so.
QString OpenTitle();
// Stops and closes the device; harmless when none is open.
void StopAndClose();
double PositionSeconds();
QString PositionText();
// The length as a time text; "0:00" when no device is open. Never fails.
QString LengthText();
double LengthSeconds();

namespace mp3time {
// Whole seconds from milliseconds, halves going to the even neighbour.
double roundedSeconds(double milliseconds);
// "0:ss" below a minute, else "mm:ss" with at least two digits of minutes.
QString timeText(double seconds);
// A reply read strictly: the whole text must be a decimal number; false otherwise.
bool strictNumber(const QByteArray& text, double* value);
// A reply read leniently: its leading number, 0 when it starts with none.
double leadingNumber(const QByteArray& text);
} // namespace mp3time

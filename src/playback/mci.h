#pragma once
// The media command service: plays MP3 files under an alias, driven by command strings such as
// "open C:\Music\a b.mp3 Type MPEGVideo Alias MP3Play", "play MP3Play",
// "status MP3Play position". Keywords and aliases are matched without regard to case. Texts are
// single-byte strings in the system code page. Every command answers within a few milliseconds.
//
// Commands: open <file> [type mpegvideo] [alias <name>]; play, pause, stop, close <alias>;
// set <alias> time format milliseconds|ms; status <alias> mode|position|length.
// "status ... mode" answers "playing", "paused" or "stopped"; position and length are decimal
// milliseconds. The file is a DOS path, quoted or not; blanks in it are fine, since the type and
// alias keywords are looked for at the end of the command.
//
// The position is the sound heard, except at a title's end: a title that plays to its end is
// reported "stopped", its position equal to its length, once its last samples are queued to the
// output, up to the output's latency (kOutputLatencyMs) before they are heard. The output stays open
// across "close" and the next "open": a title opened and played meanwhile in the same sample rate and
// channel count is queued behind those samples in the same stream, without a gap, and its position
// stays 0 until its own sound is heard; in another format it starts once they have been heard, in an
// output of its own. A close that no open follows within that time lets them play out, then closes
// the output. "stop" silences the device's output at once, the end of the title before included.

#include <QByteArrayView>
#include <QtGlobal>

using MCIERROR = quint32;

enum : MCIERROR {
    MCIERR_UNRECOGNIZED_KEYWORD = 259,
    MCIERR_UNRECOGNIZED_COMMAND = 261,
    MCIERR_INVALID_DEVICE_NAME = 263,
    MCIERR_CANNOT_LOAD_DRIVER = 266,
    MCIERR_MISSING_PARAMETER = 273,
    MCIERR_UNSUPPORTED_FUNCTION = 274,
    MCIERR_FILE_NOT_FOUND = 275,
    MCIERR_DUPLICATE_ALIAS = 289,
    MCIERR_MISSING_DEVICE_NAME = 292,
    MCIERR_BAD_TIME_FORMAT = 293,
    MCIERR_NO_CLOSING_QUOTE = 294,
    MCIERR_INVALID_FILE = 296,
};

// Carries out command. A reply, if any, goes to reply as a NUL-terminated text cut to
// replyLength - 1 characters; a failed command leaves an empty reply. Returns 0 or an error code.
MCIERROR mciSendString(const char* command, char* reply, unsigned replyLength);

// A readable text of at most 127 characters for any nonzero code, cut to length - 1 characters
// and NUL-terminated. False when the code is not one of the service's.
bool mciGetErrorString(MCIERROR code, char* buffer, unsigned length);

namespace playback {
class Player;
// The device open under alias, or null; for tests and diagnostics.
Player* mciDevice(QByteArrayView alias);
} // namespace playback

#include "playback/modmp3.h"

#include "platform/codepage.h"
#include "platform/dosfs.h"
#include "platform/messages.h"
#include "playback/mci.h"

#include <QRegularExpression>
#include <cmath>

namespace {

constexpr unsigned kReplyLength = 30;

// The replies of the four queries, each kept until its query runs again.
char ModeReply[kReplyLength];
char PositionReply[kReplyLength];
char PositionTextReply[kReplyLength];
char LengthReply[kReplyLength];
QString OpenedPath;

MCIERROR send(const QString& command, char* reply = nullptr, unsigned length = 0) {
    char dummy[1] = {0};
    return mciSendString(codepage::fromUnicode(command).constData(), reply ? reply : dummy,
                         reply ? length : 0);
}

const QString kTimeInMilliseconds = QStringLiteral("set MP3Play Time Format milliseconds");

QByteArray replyText(const char* reply) {
    return QByteArray(reply, qsizetype(qstrnlen(reply, kReplyLength)));
}

// Milliseconds of the position, read strictly.
double positionMs(char* reply) {
    send(kTimeInMilliseconds);
    send(QStringLiteral("status MP3Play position"), reply, kReplyLength);
    double value = 0;
    const QByteArray text = replyText(reply);
    if (!mp3time::strictNumber(text, &value))
        throw PlaybackQueryError("The playback position \"" + text.toStdString() + "\" is not a number");
    return value;
}

} // namespace

namespace mp3time {

double roundedSeconds(double milliseconds) {
    return std::nearbyint(milliseconds / 1000.0);
}

QString timeText(double seconds) {
    const qint64 s = qint64(seconds);
    if (s < 60)
        return QStringLiteral("0:%1").arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}

bool strictNumber(const QByteArray& text, double* value) {
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (!number.match(QString::fromLatin1(text)).hasMatch())
        return false;
    *value = text.trimmed().toDouble();
    return true;
}

double leadingNumber(const QByteArray& text) {
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)"));
    const auto m = number.match(QString::fromLatin1(text));
    return m.hasMatch() ? m.captured(0).trimmed().toDouble() : 0.0;
}

} // namespace mp3time

bool IsPlaying() {
    send(QStringLiteral("status MP3Play mode"), ModeReply, kReplyLength);
    return replyText(ModeReply).startsWith("playing");
}

void OpenAndPlay(const QString& path) {
    if (!dosfs::FileExists(path))
        return;
    // Linux has no short (8.3) path form: the path goes whole, however long (a cut command would
    // open the device under a cut alias that nothing closes); the service finds the keywords from
    // the end of the command, so blanks in it do no harm.
    const QString command = QStringLiteral("open ") + path + QStringLiteral(" Type MPEGVideo Alias MP3Play");
    const MCIERROR code = send(command);
    if (code != 0) {
        char text[128];
        mciGetErrorString(code, text, sizeof text);
        MsgBox(codepage::toUnicode(text), vbCritical, AppTitle);
        return;
    }
    OpenedPath = path;
    send(QStringLiteral("play MP3Play"));
}

QString OpenTitle() {
    return OpenedPath;
}

void PausePlayback() {
    send(QStringLiteral("pause MP3Play"));
}

void StopAndClose() {
    send(QStringLiteral("stop MP3Play"));
    send(QStringLiteral("close MP3Play"));
}

double PositionSeconds() {
    return mp3time::roundedSeconds(positionMs(PositionReply));
}

QString PositionText() {
    return mp3time::timeText(mp3time::roundedSeconds(positionMs(PositionTextReply)));
}

QString LengthText() {
    send(kTimeInMilliseconds);
    send(QStringLiteral("status MP3Play length"), LengthReply, kReplyLength);
    return mp3time::timeText(mp3time::roundedSeconds(mp3time::leadingNumber(replyText(LengthReply))));
}

double LengthSeconds() {
    const QString t = LengthText();
    return t.section(u':', 0, 0).toDouble() * 60 + t.right(2).toDouble();
}

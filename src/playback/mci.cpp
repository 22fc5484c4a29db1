#include "playback/mci.h"

#include "platform/codepage.h"
#include "platform/dosfs.h"
#include "playback/engine.h"

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

// How long "status ... length" waits for the length scan before it answers with the headers'
// figure; the whole command stays well under the 50 ms a command may take.
constexpr int kLengthWaitMs = 40;

std::mutex devicesMutex;
std::map<QByteArray, std::unique_ptr<playback::Player>>& devices() {
    static std::map<QByteArray, std::unique_ptr<playback::Player>> table;
    return table;
}

struct Word {
    qsizetype begin, end;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QList<Word> splitWords(QByteArrayView text) {
    QList<Word> words;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        const qsizetype begin = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > begin)
            words.append({begin, i});
    }
    return words;
}

QByteArray lowered(QByteArrayView text) {
    return text.toByteArray().toLower();
}

void answer(char* reply, unsigned length, QByteArrayView text) {
    if (!reply || length == 0)
        return;
    const size_t n = std::min<size_t>(size_t(text.size()), length - 1);
    std::memcpy(reply, text.data(), n);
    reply[n] = '\0';
}

MCIERROR openDevice(QByteArrayView command, const QList<Word>& words) {
    auto word = [&](int i) { return command.sliced(words[i].begin, words[i].end - words[i].begin); };
    // Keywords are taken from the end, so blanks, and even the words "type" or "alias", may appear
    // in the file name.
    QByteArray type, alias;
    qsizetype last = words.size();
    while (last >= 3) {
        const QByteArray key = lowered(word(int(last - 2)));
        if (key == "alias" && alias.isEmpty())
            alias = lowered(word(int(last - 1)));
        else if (key == "type" && type.isEmpty())
            type = lowered(word(int(last - 1)));
        else
            break;
        last -= 2;
    }
    if (last < 2)
        return MCIERR_MISSING_PARAMETER;
    QByteArrayView element = command.sliced(words[1].begin, words[last - 1].end - words[1].begin);
    if (element.startsWith('"')) {
        if (element.size() < 2 || !element.endsWith('"'))
            return MCIERR_NO_CLOSING_QUOTE;
        element = element.sliced(1, element.size() - 2);
    }
    if (!type.isEmpty() && type != "mpegvideo")
        return MCIERR_CANNOT_LOAD_DRIVER;
    if (alias.isEmpty())
        alias = lowered(element);

    std::lock_guard lock(devicesMutex);
    if (devices().count(alias))
        return MCIERR_DUPLICATE_ALIAS;
    const QString dosPath = codepage::toUnicode(element);
    if (dosPath.isEmpty() || dosPath.contains(u'*') || dosPath.contains(u'?'))
        return MCIERR_FILE_NOT_FOUND;
    const auto attributes = dosfs::attributes(dosPath);
    const auto hostPath = dosfs::resolve(dosPath);
    if (!attributes || attributes->directory || !hostPath)
        return MCIERR_FILE_NOT_FOUND;
    QString why;
    auto player = playback::Player::open(*hostPath, &why);
    if (!player)
        return MCIERR_INVALID_FILE;
    devices()[alias] = std::move(player);
    return 0;
}

MCIERROR status(playback::Player& p, const QByteArray& item, char* reply, unsigned replyLength) {
    if (item == "mode") {
        static const char* const names[] = {"stopped", "playing", "paused"};
        answer(reply, replyLength, names[int(p.mode())]);
    } else if (item == "position") {
        answer(reply, replyLength, QByteArray::number(p.toMs(p.positionFrames())));
    } else if (item == "length") {
        answer(reply, replyLength, QByteArray::number(p.toMs(p.lengthFrames(kLengthWaitMs))));
    } else {
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    return 0;
}

} // namespace

MCIERROR mciSendString(const char* command, char* reply, unsigned replyLength) {
    answer(reply, replyLength, "");
    if (!command)
        return MCIERR_UNRECOGNIZED_COMMAND;
    const QByteArrayView text(command, qsizetype(std::strlen(command)));
    const QList<Word> words = splitWords(text);
    if (words.isEmpty())
        return MCIERR_UNRECOGNIZED_COMMAND;
    auto word = [&](int i) { return text.sliced(words[i].begin, words[i].end - words[i].begin); };
    const QByteArray verb = lowered(word(0));
    static const QByteArray verbs[] = {"open", "play", "pause", "stop", "close", "set", "status"};
    if (std::find(std::begin(verbs), std::end(verbs), verb) == std::end(verbs))
        return MCIERR_UNRECOGNIZED_COMMAND;
    if (words.size() < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    if (verb == "open")
        return openDevice(text, words);

    QByteArray rest; // the words after the alias, lower case, single blanks
    for (int i = 2; i < words.size(); ++i)
        rest += (i > 2 ? " " : "") + lowered(word(i));

    std::unique_lock lock(devicesMutex);
    const auto it = devices().find(lowered(word(1)));
    if (it == devices().end())
        return MCIERR_INVALID_DEVICE_NAME;
    playback::Player& player = *it->second;

    if (verb == "status") {
        if (rest.isEmpty())
            return MCIERR_MISSING_PARAMETER;
        return status(player, rest, reply, replyLength);
    }
    if (verb == "set") {
        if (!rest.startsWith("time format"))
            return rest.isEmpty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD;
        return rest == "time format milliseconds" || rest == "time format ms"
                   ? MCIERROR(0)
                   : MCIERROR(MCIERR_BAD_TIME_FORMAT);
    }
    if (!rest.isEmpty())
        return MCIERR_UNRECOGNIZED_KEYWORD;
    if (verb == "play")
        player.play();
    else if (verb == "pause")
        player.pause();
    else if (verb == "stop")
        player.stop();
    else if (verb == "close") {
        auto closing = std::move(it->second);
        devices().erase(it);
        lock.unlock();
        closing.reset();
    }
    return 0;
}

bool mciGetErrorString(MCIERROR code, char* buffer, unsigned length) {
    static const std::map<MCIERROR, const char*> texts = {
        {MCIERR_UNRECOGNIZED_KEYWORD, "The command contains a word this device does not understand."},
        {MCIERR_UNRECOGNIZED_COMMAND, "The command is not known. Check its spelling."},
        {MCIERR_INVALID_DEVICE_NAME, "No device is open under this name. Open a file under the name first."},
        {MCIERR_CANNOT_LOAD_DRIVER,
         "This type of device is not available. Only MPEG audio (MPEGVideo) can be opened."},
        {MCIERR_MISSING_PARAMETER, "The command is missing a required parameter."},
        {MCIERR_UNSUPPORTED_FUNCTION, "The device does not support this item or function."},
        {MCIERR_FILE_NOT_FOUND,
         "The file cannot be found. Make sure the path and the file name are correct."},
        {MCIERR_DUPLICATE_ALIAS, "The alias is already used by an open device. Close that device first."},
        {MCIERR_MISSING_DEVICE_NAME, "The command names no device."},
        {MCIERR_BAD_TIME_FORMAT, "The time format is not supported. Use milliseconds."},
        {MCIERR_NO_CLOSING_QUOTE, "A quoted file name has no closing quotation mark."},
        {MCIERR_INVALID_FILE, "The file cannot be played: it is empty, damaged, or not MPEG audio."},
    };
    const auto it = texts.find(code);
    const QByteArray text =
        it != texts.end() ? QByteArray(it->second) : "Unknown media error " + QByteArray::number(code) + ".";
    answer(buffer, length, text);
    return it != texts.end();
}

namespace playback {
Player* mciDevice(QByteArrayView alias) {
    std::lock_guard lock(devicesMutex);
    const auto it = devices().find(lowered(alias));
    return it == devices().end() ? nullptr : it->second.get();
}
} // namespace playback

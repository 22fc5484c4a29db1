#include "playback/audiosink.h"

#include "playback/clockedsinks.h"
#include "playback/outputkeeper.h"
#include "playback/pulsesink.h"

#include <mutex>

namespace playback {

namespace {
std::mutex factoryMutex;
SinkFactory installedFactory;
} // namespace

void setSinkFactory(SinkFactory factory) {
    {
        std::lock_guard lock(factoryMutex);
        installedFactory = std::move(factory);
    }
    closeKeptOutputs();
}

SinkChoice createSink() {
    {
        std::lock_guard lock(factoryMutex);
        if (installedFactory)
            return {installedFactory(), false};
    }
    const QString choice = qEnvironmentVariable("VORLAK_AUDIO").trimmed().toLower();
    if (choice == u"null")
        return {std::make_shared<NullSink>(), false};
    if (choice == u"pulse")
        return {std::make_shared<PulseSink>(), false};
    return {std::make_shared<PulseSink>(), true};
}

} // namespace playback

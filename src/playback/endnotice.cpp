#include "playback/endnotice.h"

#include <mutex>

namespace playback {

namespace {
std::mutex listenerMutex;
std::function<void()>& listener() {
    static std::function<void()> current;
    return current;
}
} // namespace

void setTitleEndedListener(std::function<void()> newListener) {
    std::lock_guard lock(listenerMutex);
    listener() = std::move(newListener);
}

void notifyTitleEnded() {
    std::lock_guard lock(listenerMutex);
    if (listener())
        listener()();
}

} // namespace playback

#pragma once
// Tells the program at once when a device's title has ended by itself (played to its end, or its
// output failed), so that it need not wait for its next poll to start the next title.

#include <functional>

namespace playback {

// Installs listener; an empty one removes it. The listener runs on a decoder thread while that
// device's state is locked: it must return at once and must not send commands to the media
// command service (it posts an event to the user-interface thread instead).
void setTitleEndedListener(std::function<void()> listener);

// Called by a device whose title has ended by itself.
void notifyTitleEnded();

} // namespace playback

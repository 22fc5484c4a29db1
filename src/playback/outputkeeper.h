#pragma once
// Outputs of closed titles whose end is still queued. The next title opened takes the output kept
// last: in the same format it plays on in it, queued behind that end, so the two titles follow
// without a gap; in another format it waits until that end has been heard before it opens an
// output of its own. An output that no title takes within the time its queue lasts plays out and
// is closed, on a thread of the keeper's own.

#include "playback/audiosink.h"

#include <memory>

namespace playback {

struct KeptOutput {
    std::shared_ptr<AudioSink> sink;
    AudioFormat format;
};

// Keeps sink, open in format, whose queue ends with the end of a title that has been closed.
void keepOutput(std::shared_ptr<AudioSink> sink, const AudioFormat& format);
// The output kept last, taken from the keeper; no sink when none is kept.
KeptOutput takeKeptOutput();
// Closes every output kept, without waiting for what they still hold.
void closeKeptOutputs();

} // namespace playback

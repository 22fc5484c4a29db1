#include "playback/outputkeeper.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace playback {

namespace {

using Clock = std::chrono::steady_clock;

class Keeper {
public:
    void keep(std::shared_ptr<AudioSink> sink, const AudioFormat& format) {
        const qint64 queued = std::max<qint64>(0, sink->segmentFrames() - sink->heardFrames());
        const auto due = Clock::now() + std::chrono::milliseconds(queued * 1000 / std::max(1, format.rate));
        {
            std::lock_guard lock(mutex_);
            kept_.push_back({{std::move(sink), format}, due});
            if (!running_) {
                // Never joined: the keeper lives as long as the process.
                std::thread(&Keeper::run, this).detach();
                running_ = true;
            }
        }
        changed_.notify_all();
    }

    KeptOutput take() {
        std::lock_guard lock(mutex_);
        if (kept_.empty())
            return {};
        KeptOutput output = std::move(kept_.back().output);
        kept_.pop_back();
        return output;
    }

    void closeAll() {
        std::vector<Entry> gone;
        {
            std::lock_guard lock(mutex_);
            gone.swap(kept_);
            if (closing_)
                closing_->wake();
        }
        changed_.notify_all();
    }

private:
    struct Entry {
        KeptOutput output;
        Clock::time_point due; // when its queue will have been heard
    };

    // Lets each output that no title took play out, then closes it.
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (kept_.empty()) {
                changed_.wait(lock);
                continue;
            }
            const auto first = std::min_element(kept_.begin(), kept_.end(),
                                                [](const Entry& a, const Entry& b) { return a.due < b.due; });
            if (const Clock::time_point due = first->due; Clock::now() < due) {
                // A copy: the entry may go while the lock is released.
                changed_.wait_until(lock, due);
                continue;
            }
            closing_ = std::move(first->output.sink);
            kept_.erase(first);
            const quint64 ticket = closing_->wakeTicket();
            std::shared_ptr<AudioSink> sink = closing_;
            lock.unlock();
            sink->drain(ticket);
            lock.lock();
            closing_.reset();
            lock.unlock();
            sink.reset(); // closes the output
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> kept_;
    std::shared_ptr<AudioSink> closing_; // being drained by run()
    bool running_ = false;
};

// Made once and never destroyed, so that devices closed while the process ends may still keep
// their outputs.
Keeper& keeper() {
    static Keeper* const instance = new Keeper;
    return *instance;
}

} // namespace

void keepOutput(std::shared_ptr<AudioSink> sink, const AudioFormat& format) {
    keeper().keep(std::move(sink), format);
}

KeptOutput takeKeptOutput() {
    return keeper().take();
}

void closeKeptOutputs() {
    keeper().closeAll();
}

} // namespace playback

#include "playback/ReliableInjector.h"

#include <algorithm>

namespace tavero {

std::size_t ReliableInjector::Send(std::span<const KeyEvent> events) {
    std::size_t sent = next_.Send(events);
    if (sent >= events.size()) {
        return sent;
    }
    bool first = false;
    {
        std::lock_guard lock(mutex_);
        first = owed_.empty();
        for (const KeyEvent& e : events.subspan(sent)) {
            bool known = std::any_of(owed_.begin(), owed_.end(),
                                     [&](const KeyEvent& o) { return o.key == e.key; });
            if (e.up && !known) {
                owed_.push_back(e);
            }
        }
        first = first && !owed_.empty();
    }
    if (first && onOwed) {
        onOwed();
    }
    return sent;
}

bool ReliableInjector::Retry() {
    std::lock_guard lock(mutex_);
    if (!owed_.empty()) {
        std::size_t sent = next_.Send(owed_);
        owed_.erase(owed_.begin(), owed_.begin() + static_cast<std::ptrdiff_t>(sent));
    }
    return owed_.empty();
}

bool ReliableInjector::Owes() const {
    std::lock_guard lock(mutex_);
    return !owed_.empty();
}

}  // namespace tavero

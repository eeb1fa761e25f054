#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "platform/KeyInjector.h"

namespace tavero {

// Sends through another injector and never forgets a key-up the system refused (a secure
// desktop came up in front, an elevated window took the focus): until it goes in, the key stays
// down for every program. The refused key-ups are sent again by Retry, which the program calls
// when the input desktop or the focused window changes, and when it quits. Refused key-downs
// are only dropped: a key that never went down needs no release. Any thread may send.
class ReliableInjector : public KeyInjector {
  public:
    explicit ReliableInjector(KeyInjector& next) : next_(next) {}

    std::size_t Send(std::span<const KeyEvent> events) override;
    // Sends the refused key-ups again; true when none is left owed.
    bool Retry();
    bool Owes() const;

    // Called, on the sending thread, when a refusal leaves key-ups owed where none were.
    std::function<void()> onOwed;

  private:
    KeyInjector& next_;
    mutable std::mutex mutex_;
    std::vector<KeyEvent> owed_;
};

}  // namespace tavero

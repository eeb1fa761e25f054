#pragma once

#include <vector>

#include "platform/KeyInjector.h"
#include "playback/KeyboardWatch_win.h"

namespace tavero {

// Lets go of every key the system has down that no hand holds: a way out of a key left down by
// any program (another tool, one that crashed mid-press). What the user's hands hold is heard
// on the keyboard watch; a key held from before it listened shows itself by the keyboard's
// repeat, so where a key's hand is not known yet, the watch listens for as long as the keyboard
// waits before it repeats, the program's messages going on meanwhile.
class KeyRelease {
  public:
    KeyRelease(KeyboardWatch& watch, KeyInjector& injector) : watch_(watch), injector_(injector) {}

    // The keys let go of, each with the key-up a keyboard sends for it.
    std::vector<int> ReleaseAll();

  private:
    KeyboardWatch& watch_;
    KeyInjector& injector_;
    bool releasing_ = false;
};

}  // namespace tavero

#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Handles_win.h"

namespace tavero {

// One running copy per settings folder, however the folder is reached (another drive letter,
// a link, a network path): the folder is known by the path the system resolves them all to,
// not by the name it was started by.
// The running copy owns a named mutex. A later copy brings its window forward and ends, before
// it reads or writes any setting; should the running copy be quitting (it gave the folder up
// before its slow teardown), the later copy waits for it to end and runs in its place.
class SingleInstance {
  public:
    explicit SingleInstance(const std::wstring& folder);

    // Whether this copy is the one to run; false once it has shown the running copy instead (or,
    // not `showRunning`, left it as it is).
    bool Claim(bool showRunning = true);
    // The running copy: its main window is up, where later copies can find it, and asked to
    // show itself by them even when this copy runs as administrator and they do not. Commands
    // come only from its own level or above: the system refuses them from below (a program
    // that is not elevated, a sandbox), as it refuses their keys.
    void Ready(HWND main);
    // The running copy is quitting, its settings saved: a copy started from now on runs.
    void GiveUp(HWND main);

    // Hands a command line to the copy running from the folder, which does it. `untilEnded`:
    // returns once that copy has ended.
    struct Handed {
        enum class Outcome { Done, NoCopyRuns, Refused } outcome;
        int code = 0;  // Done: what the running copy returned
    };
    Handed Hand(std::wstring_view commandLine, bool untilEnded) const;

  private:
    // The running copy's main window, once it is ready; nullptr where none runs.
    HWND RunningWindow() const;
    bool FindRunning(bool show) const;
    void BecomeRunning();

    std::uint64_t identity_;
    UniqueKernelHandle mutex_;
    UniqueKernelHandle ready_;
    bool owned_ = false;
};

}  // namespace tavero

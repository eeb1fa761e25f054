#pragma once

#include <windows.h>

#include <mutex>

#include "platform/Handles_win.h"
#include "platform/Thread_win.h"
#include "playback/RepeatFilter.h"

namespace tavero {

// A low-level keyboard hook that swallows the auto-repeat of one held key (see RepeatFilter),
// on a thread of its own: every key event of every program passes through a low-level hook, and
// one on the user-interface thread would wait for whatever that thread is doing (the hold's
// releases among it, which go through the hook too). It exists only while a key is watched. The
// thread is made at the first watch and idles, blocked, between watches. One at a time.
class RepeatHook {
  public:
    RepeatHook() = default;
    ~RepeatHook();
    RepeatHook(const RepeatHook&) = delete;
    RepeatHook& operator=(const RepeatHook&) = delete;

    // Makes the hook's thread, so that the first watch begins as quickly as any other.
    void Prepare();
    // Swallows the repeats of `key` from now on, until the user lets go of it.
    void Watch(int key);
    // The user let go of `key` (heard elsewhere, maybe before the hook was in place).
    void Released(int key);

  private:
    void Run();
    void Install();
    void Remove();
    void ExpireAtDeadline();
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    std::mutex mutex_;  // the filter, shared with the user-interface thread
    RepeatFilter filter_;
    Thread thread_;
    DWORD threadId_ = 0;
    UniqueKernelHandle started_;
    // The hook thread's own.
    UniqueWindowsHook hook_;
    UINT_PTR timer_ = 0;
};

}  // namespace tavero

#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tavero::testing {

// What a focused application saw of one key message.
struct KeyRecord {
    UINT message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    int key;
    double ms;  // high-resolution time of receipt
    bool ctrl;
    bool alt;
    bool shift;
    bool Down() const { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }
};

// A window of its own thread that records every key message it receives, as another
// application would, once it has taken the foreground and the focus with Activate.
class KeyTarget {
  public:
    KeyTarget();
    ~KeyTarget();
    KeyTarget(const KeyTarget&) = delete;
    KeyTarget& operator=(const KeyTarget&) = delete;

    HWND Handle() const { return hwnd_; }
    std::vector<KeyRecord> Records() const;
    void Clear();
    // Takes the foreground and the keyboard focus, proven by a key sent through the system that
    // reaches the window; fails saying where the focus is when it cannot. Every test that counts
    // the keys the window gets asserts this first: a lost focus is a failed set-up, never a
    // result about the program.
    ::testing::AssertionResult Activate();
    // Whether the window has kept the focus since it took it: keys sent while it had not went
    // elsewhere, and counting them would be no result about the program.
    ::testing::AssertionResult KeptFocus() const;
    // Waits until `done` holds for the keys received; fails as a set-up failure where the window
    // lost the focus meanwhile, else saying that `what` never came.
    ::testing::AssertionResult Await(const std::function<bool(const std::vector<KeyRecord>&)>& done,
                                     const char* what = "the keys", int timeoutMs = 5000) const;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Run(HANDLE ready);
    bool KeyComesThrough();

    std::thread thread_;
    HWND hwnd_ = nullptr;
    std::atomic<int> settled_{0};  // key-ups of the key that proves the focus
    std::atomic<int> focusLost_{0};
    mutable std::mutex mutex_;
    std::vector<KeyRecord> records_;
};

// One key event as it went through the system's input stream.
struct InputRecord {
    int key;
    int scan;
    bool up;
    bool extended;
    ULONG_PTR extra;  // the sender's extra information
    double ms;        // high-resolution time it was seen
};

// Watches the system's input stream (every program's key events) with a low-level keyboard
// hook on a thread of its own, so that what it sees is timed well whatever the test is doing.
// One at a time.
class InputRecorder {
  public:
    InputRecorder();
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    std::vector<InputRecord> Records() const;
    void Clear();
    // The time `key` first went down or up, at or after `from` ms; -1 when it did not.
    double Seen(int key, bool up, double from = 0) const;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Run(HANDLE ready);

    std::thread thread_;
    DWORD threadId_ = 0;
    mutable std::mutex mutex_;
    std::vector<InputRecord> records_;
};

}  // namespace tavero::testing

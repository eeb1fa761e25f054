#pragma once

#include <windows.h>

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

// A window of its own thread that takes the foreground and the focus and records every key
// message it receives, as another application would.
class KeyTarget {
  public:
    KeyTarget();
    ~KeyTarget();
    KeyTarget(const KeyTarget&) = delete;
    KeyTarget& operator=(const KeyTarget&) = delete;

    HWND Handle() const { return hwnd_; }
    std::vector<KeyRecord> Records() const;
    void Clear();
    // Takes the foreground again (after another window had it).
    void Activate();

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Run(HANDLE ready);

    std::thread thread_;
    HWND hwnd_ = nullptr;
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

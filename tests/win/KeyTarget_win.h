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

    static double NowMs();

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Run(HANDLE ready);

    std::thread thread_;
    HWND hwnd_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<KeyRecord> records_;
};

}  // namespace tavero::testing

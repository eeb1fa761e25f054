#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>

namespace tavero::testing {

// Dispatches this thread's messages until `done` holds or `timeoutMs` passes; true if it held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
// Dispatches messages for a while: only for checking that something does NOT happen.
void PumpFor(int ms);

// Keyboard input through the system's input stream, as a user's.
void SendKey(int key, bool up);
// Presses the keys in order, then releases them in reverse order.
void SendChord(std::initializer_list<int> keys);
// Under Wine only: waits out the copy of the key state Wine answers from for 50 ms, which a
// press sooner after the last action could be read by (its modifiers as they were). No person
// presses a hotkey that soon; on Windows the key state is current and nothing waits.
void WaitOutWinesKeyStateCopy();
// Presses a hotkey as a person does: holds the modifiers, taps the key, and lets go of the
// modifiers only once `until` holds (or after the time limit). `pressedMs`, when given, gets
// the high-resolution time just before the key went down.
bool PressHotKey(std::initializer_list<int> modifiers, int key, const std::function<bool()>& until,
                 int timeoutMs = 5000, double* pressedMs = nullptr);
// High-resolution time in milliseconds, one clock for every process.
double NowMs();
// A left click at a screen point. Every event carries the point itself, so no click depends on
// where an earlier pointer move has got to.
void ClickScreen(int x, int y);
// Any key of 1..254 logically down?
int FirstKeyDown();

// The colour of a pixel of the screen.
COLORREF ScreenPixel(int x, int y);
// The contrast ratio of two colours, 1 to 21, as accessibility guidelines measure it.
double Contrast(COLORREF a, COLORREF b);

// Text of a control, also of another process's (WM_GETTEXT).
std::wstring ControlText(HWND control);

// Brings a window of ours to the front and gives `focus` the keyboard focus; fails saying where
// the foreground is when it cannot.
::testing::AssertionResult FocusWindow(HWND topLevel, HWND focus);

// Waits until `window` is the foreground window; fails saying where the foreground is.
::testing::AssertionResult AwaitForeground(HWND window);

// Where the foreground and the keyboard focus are, in words, for a set-up that could not have
// them.
std::string DescribeForeground();

// Waits until the thread of `window`, another process's, has come back to its message loop
// twice: what it was doing is done, and so is what was queued for it meanwhile. Under Wine that
// includes the focus events of its own last activation, which, handled late, would take the
// foreground back from a window that took it since (without a window manager, Wine moves the
// foreground to whichever window the X server's focus event names when a process reads it).
void AwaitThreadOf(HWND window);

// A fresh folder under the temp folder, removed with its contents at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

// A path from the build as the tests' programs see it: under Wine the Unix root is drive Z:.
std::wstring WinePath(const std::string& unix);

// The system's own words for an error, as the program puts them in its messages.
std::wstring SystemErrorText(DWORD error);

// What the tests and the benchmark read of an executable's headers.
struct PeFacts {
    std::size_t size = 0;
    WORD dllCharacteristics = 0;
    DWORD timeStamp = 0;
    std::pair<WORD, WORD> subsystemVersion;  // the oldest Windows it asks for
    std::pair<WORD, WORD> osVersion;
    bool hasLoadConfig = false;
    WORD dependentLoadFlags = 0;
    std::set<std::string> imports;  // lower case
};
PeFacts ReadPe(const std::wstring& path);

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace tavero::testing

#pragma once

#include <windows.h>

#include <string>

#include "KeyTarget_win.h"

// What the benchmark does to the program and its floors: starts and stops them, presses their
// hotkeys, reads what they use.
namespace tavero::bench {

// How long an exe took to start: until its window's title strip is on the screen (a pixel of
// it shows the strip's green), as a user waits for it; and until it came to rest (it waits for
// input with nothing left to paint). -1 where it never did.
struct StartUp {
    double firstPaint;
    double inputIdle;
};
// Starts an exe in `folder`, its main window titled `title`, and times its start-up.
StartUp TimeStartUp(const std::wstring& exe, const std::wstring& folder, const wchar_t* title,
                    PROCESS_INFORMATION& pi);
// Closes the process's window titled `title` and waits for the process to end.
void CloseAndWait(PROCESS_INFORMATION& pi, const wchar_t* title);

// Ten armed rows: row 1 plays B on Ctrl+Alt+F12, row 2 Ctrl+B (held 200 ms) on Ctrl+Alt+F10,
// rows 3..10 B on Ctrl+Alt+F1..F8.
std::string Settings();

// One press of Ctrl + Alt + `key`: the time to the first key-down of B in the focused window,
// and how long B was held in the input stream (where a hold is never short: the window's own
// view of it has its thread's scheduling in it); false when B did not come. A tap lets go of
// every key at once, as the bare responder needs; otherwise Ctrl and Alt are held until B
// comes, as a person holds them, and the program lets go of them itself.
bool Press(testing::KeyTarget& target, testing::InputRecorder& stream, int key, double& latency,
           double& hold, bool tap = true);

// A responder of the given arguments, started and ready; stopped by its window.
PROCESS_INFORMATION StartResponder(const wchar_t* arguments);
void StopResponder(PROCESS_INFORMATION& responder);

struct Resources {
    double workingSetMiB;
    DWORD gdi;
    DWORD user;
    DWORD handles;
};
Resources Measure(HANDLE process);
// The CPU time a process has taken, in ms.
double CpuMs(HANDLE process);

}  // namespace tavero::bench

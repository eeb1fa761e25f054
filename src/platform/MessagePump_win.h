#pragma once

#include <windows.h>

namespace tavero {

// Dispatches the thread's messages the same way in the main loop and in the pauses of a
// playback, including Tab navigation in the windows registered for it.
class MessagePump {
  public:
    static void AddNavigableWindow(HWND window);
    static void RemoveNavigableWindow(HWND window);

    static void Dispatch(MSG& msg);
    // Runs until WM_QUIT; returns its exit code.
    static int Run();
    // Runs for `ms` milliseconds, waiting without a poll; a WM_QUIT is left for the main loop.
    static void RunFor(int ms);
};

}  // namespace tavero

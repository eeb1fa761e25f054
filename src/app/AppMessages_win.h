#pragma once

#include <windows.h>

// The window messages of the program's own, all in one place so that none is handed out twice.
namespace tavero::app_messages {

// Notification-area icon events, with the mouse message in lParam.
inline constexpr UINT kTrayCallback = WM_APP + 1;
// The main window has been painted once: the rest of the start-up may run.
inline constexpr UINT kFinishStart = WM_APP + 2;
// Another copy was started from the same folder: show the window.
inline constexpr UINT kShowRequest = WM_APP + 3;

}  // namespace tavero::app_messages

#pragma once

#include <windows.h>

// The window messages of the program's own, all in one place so that none is handed out twice,
// and the class of its main window, by which other copies find it.
namespace tavero::app_messages {

inline constexpr const wchar_t* kMainWindowClass = L"TaveroMirelleMain";

// Notification-area icon events, with the mouse message in lParam.
inline constexpr UINT kTrayCallback = WM_APP + 1;
// Another copy was started from the same folder: show the window.
inline constexpr UINT kShowRequest = WM_APP + 2;

}  // namespace tavero::app_messages

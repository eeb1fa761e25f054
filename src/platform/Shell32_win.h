#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace tavero {

// The two shell calls the program makes, found in shell32 the first time one is made: the shell
// library and what it brings with it load only once the window is up (the tray icon) or a link
// is clicked, not at start.
class Shell32 {
  public:
    static BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data);
    static void Open(HWND owner, const wchar_t* address);
    // The user's roaming application data folder; empty when the system cannot say.
    static std::wstring RoamingAppData();
};

}  // namespace tavero

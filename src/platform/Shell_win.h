#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/ShellOpener.h"

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

// "open" through the shell, on behalf of the window that holds the link; the result is not
// examined: a page that cannot be opened is not an error of ours.
class ShellExecuteOpener : public ShellOpener {
  public:
    explicit ShellExecuteOpener(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void Open(const std::wstring& address) override;

  private:
    HWND owner_;
};

}  // namespace tavero

#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace tavero {

namespace handle_traits {
struct Kernel {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
// A file's handle, which the system gives as INVALID_HANDLE_VALUE when it has none.
struct File {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct Window {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::DestroyWindow(h); }
};
template <typename T>
struct GdiObject {
    using Handle = T;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct Icon {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct Menu {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::DestroyMenu(h); }
};
// A search of a folder's files (FindFirstFileW).
struct FileSearch {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct RegistryKey {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
// A device context the program made itself (CreateCompatibleDC), not one borrowed by GetDC.
struct MemoryDc {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};
// A hook on the system's accessibility events (SetWinEventHook).
struct WinEventHook {
    using Handle = HWINEVENTHOOK;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::UnhookWinEvent(h); }
};
// A hook procedure in a hook chain (SetWindowsHookExW), removed by the thread that set it.
struct WindowsHook {
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::UnhookWindowsHookEx(h); }
};
}  // namespace handle_traits

using UniqueKernelHandle = UniqueHandle<handle_traits::Kernel>;
using UniqueFile = UniqueHandle<handle_traits::File>;
using UniqueWindow = UniqueHandle<handle_traits::Window>;
using UniqueFont = UniqueHandle<handle_traits::GdiObject<HFONT>>;
using UniqueBrush = UniqueHandle<handle_traits::GdiObject<HBRUSH>>;
using UniquePen = UniqueHandle<handle_traits::GdiObject<HPEN>>;
using UniqueIcon = UniqueHandle<handle_traits::Icon>;
using UniqueMenu = UniqueHandle<handle_traits::Menu>;
using UniqueBitmap = UniqueHandle<handle_traits::GdiObject<HBITMAP>>;
using UniqueFileSearch = UniqueHandle<handle_traits::FileSearch>;
using UniqueRegistryKey = UniqueHandle<handle_traits::RegistryKey>;
using UniqueMemoryDc = UniqueHandle<handle_traits::MemoryDc>;
using UniqueWinEventHook = UniqueHandle<handle_traits::WinEventHook>;
using UniqueWindowsHook = UniqueHandle<handle_traits::WindowsHook>;

}  // namespace tavero

#include "BenchSupport_win.h"

#include <psapi.h>

#include "WinTestSupport_win.h"

namespace tavero::bench {

using namespace tavero::testing;

namespace {

HWND TopWindowOf(DWORD process, const wchar_t* title) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, nullptr, title); w != nullptr;
         w = ::FindWindowExW(nullptr, w, nullptr, title)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == process) {
            return w;
        }
    }
    return nullptr;
}


// Whether the title strip of the process's window is on the screen: a pixel of the strip
// between the title and the hide button, in the strip's green.
bool StripOnScreen(DWORD process, const wchar_t* title) {
    HWND window = TopWindowOf(process, title);
    RECT r;
    if (window == nullptr || !::IsWindowVisible(window) || !::GetWindowRect(window, &r)) {
        return false;
    }
    UINT dpi = ::GetDpiForWindow(window);
    POINT strip{r.left + ::MulDiv(3800, static_cast<int>(dpi), 1440),
                r.top + ::MulDiv(225, static_cast<int>(dpi), 1440)};
    HDC screen = ::GetDC(nullptr);
    COLORREF pixel = ::GetPixel(screen, strip.x, strip.y);
    ::ReleaseDC(nullptr, screen);
    return pixel == RGB(0, 153, 102);
}

}  // namespace

StartUp TimeStartUp(const std::wstring& exe, const std::wstring& folder, const wchar_t* title,
                    PROCESS_INFORMATION& pi) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe + L"\"";
    double t0 = NowMs();
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &pi)) {
        return {-1, -1};
    }
    // Looked at every millisecond, sleeping between looks: the process started shares the one
    // processor with the looking.
    StartUp timed{-1, -1};
    while (NowMs() - t0 < 15000) {
        if (StripOnScreen(pi.dwProcessId, title)) {
            timed.firstPaint = NowMs() - t0;
            break;
        }
        ::Sleep(1);
    }
    ::WaitForInputIdle(pi.hProcess, 15000);
    timed.inputIdle = NowMs() - t0;
    return timed;
}


void CloseAndWait(PROCESS_INFORMATION& pi, const wchar_t* title) {
    PumpUntil([&] { return TopWindowOf(pi.dwProcessId, title) != nullptr; }, 5000);
    ::PostMessageW(TopWindowOf(pi.dwProcessId, title), WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 1);
    }
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
}

std::string Settings() {
    std::string s =
        "[conftext]\r\n0=B \r\n1=Ctrl + B \r\n[conftooltip]\r\n0=1|66\r\n1=2|17|66\r\n[Tavero]\r\n";
    // Row 1 Ctrl+Alt+F12, row 2 Ctrl+Alt+F10, rows 3..10 Ctrl+Alt+F1..F8: ten armed rows.
    int keys[] = {VK_F12, VK_F10, VK_F1, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8};
    for (int i = 0; i < 10; ++i) {
        std::string n = "Tavero" + std::to_string(i + 1);
        s += n + "Text=hotkey\r\n" + n + "KeyCode=" + std::to_string(keys[i]) + "\r\n" + n +
             "ModKeyCode=3\r\n";
    }
    return s;
}

Resources Measure(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::K32GetProcessMemoryInfo(process, &counters, sizeof(counters));
    DWORD handles = 0;
    ::GetProcessHandleCount(process, &handles);
    return {static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0),
            ::GetGuiResources(process, GR_GDIOBJECTS), ::GetGuiResources(process, GR_USEROBJECTS),
            handles};
}

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& f) {
        return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) |
                                   f.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

bool Press(KeyTarget& target, InputRecorder& stream, int key, double& latency, double& hold,
           bool tap) {
    target.Clear();
    stream.Clear();
    double pressed = 0;
    double down = -1;
    double up = -1;
    auto seen = [&] {
        for (const KeyRecord& r : target.Records()) {
            if (r.key == 'B' && r.Down() && down < 0) {
                down = r.ms;
            } else if (r.key == 'B' && !r.Down() && down >= 0) {
                up = r.ms;
            }
        }
        return up >= 0;
    };
    if (tap) {
        WaitOutWinesKeyStateCopy();
        pressed = NowMs();
        SendChord({VK_CONTROL, VK_MENU, key});
        if (!PumpUntil(seen, 3000)) {
            return false;
        }
    } else if (!PressHotKey({VK_CONTROL, VK_MENU}, key, seen, 3000, &pressed)) {
        return false;
    }
    PumpUntil([] { return FirstKeyDown() == 0; }, 1000);
    latency = down - pressed;
    PumpUntil([&] { return stream.Seen('B', true) >= 0; }, 1000);
    hold = stream.Seen('B', true) - stream.Seen('B', false);
    return true;
}

PROCESS_INFORMATION StartResponder(const wchar_t* arguments) {
    std::wstring exe = WinePath(TAVERO_REFERENCE_PATH);
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION responder{};
    ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &responder);
    ::WaitForInputIdle(responder.hProcess, 10000);
    return responder;
}

void StopResponder(PROCESS_INFORMATION& responder) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, nullptr, L"reference responder"); w != nullptr;
         w = ::FindWindowExW(nullptr, w, nullptr, L"reference responder")) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == responder.dwProcessId) {
            ::PostMessageW(w, WM_CLOSE, 0, 0);
        }
    }
    ::WaitForSingleObject(responder.hProcess, 5000);
    ::CloseHandle(responder.hProcess);
    ::CloseHandle(responder.hThread);
}

}  // namespace tavero::bench

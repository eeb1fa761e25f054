// The floors hotkey latency is measured against: a hidden window that registers one hotkey and,
// when it fires, sends the action's keys with SendInput, holds them, and releases them.
//   reference_responder.exe [--equivalent] MODIFIERS KEY HOLD_MS ACTION_KEY...
// Bare, it sends only the action's keys. --equivalent, it first makes the releases the program
// makes for the same key state (the hotkey's modifiers still down go up, with the key event of
// no key before Alt), by the program's own rule, and sends the keys with the scan codes of the
// focused application's layout, as the program does, and listens to the keyboard's raw input
// while it is armed, as the program does: what is left between the two is the program's own
// work.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "platform/KeyInjector_win.h"
#include "playback/ActionCode.h"
#include "playback/ModifierKeys.h"

namespace {

std::vector<tavero::PlaybackStep> g_plan;
int g_modifiers = 0;
bool g_equivalent = false;
DWORD g_holdMs = 100;

void Send(std::vector<tavero::KeyEvent> events) {
    if (g_equivalent) {
        tavero::AssignScanCodes(events);
    }
    std::vector<INPUT> inputs;
    for (const tavero::KeyEvent& e : events) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(e.key);
        input.ki.wScan = static_cast<WORD>(
            e.scan != 0 ? e.scan : ::MapVirtualKeyW(static_cast<UINT>(e.key), MAPVK_VK_TO_VSC));
        input.ki.dwFlags =
            (e.up ? KEYEVENTF_KEYUP : 0) |
            (g_equivalent && tavero::IsExtendedKey(e.key) ? KEYEVENTF_EXTENDEDKEY : 0);
        input.ki.dwExtraInfo = g_equivalent ? tavero::kInjectedKeyMarker : 0;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INPUT) {
        // Read, as the program reads every key event it hears.
        RAWINPUT input;
        UINT size = sizeof(input);
        ::GetRawInputData(reinterpret_cast<HRAWINPUT>(lParam), RID_INPUT, &input, &size,
                          sizeof(RAWINPUTHEADER));
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_HOTKEY) {
        std::vector<tavero::KeyEvent> presses;
        if (g_equivalent) {
            tavero::AsyncKeyboardState keyboard;
            presses = tavero::ModifierReleases(g_plan, g_modifiers, keyboard);
        }
        std::vector<tavero::KeyEvent> releases;
        for (const tavero::PlaybackStep& step : g_plan) {
            if (step.kind == tavero::PlaybackStep::Kind::KeyDown) {
                presses.push_back({step.value, false});
            } else if (step.kind == tavero::PlaybackStep::Kind::KeyUp) {
                releases.push_back({step.value, true});
            }
        }
        Send(presses);
        ::Sleep(g_holdMs);
        Send(releases);
        return 0;
    }
    if (msg == WM_CLOSE) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int first = 1;
    if (__argc > 1 && std::wcscmp(__wargv[1], L"--equivalent") == 0) {
        g_equivalent = true;
        first = 2;
    }
    if (__argc < first + 4) {
        return 2;
    }
    g_modifiers = static_cast<int>(wcstoul(__wargv[first], nullptr, 10));
    UINT key = static_cast<UINT>(wcstoul(__wargv[first + 1], nullptr, 10));
    g_holdMs = static_cast<DWORD>(wcstoul(__wargv[first + 2], nullptr, 10));
    std::wstring code = std::to_wstring(__argc - first - 3);
    for (int i = first + 3; i < __argc; ++i) {
        code += L"|" + std::wstring(__wargv[i]);
    }
    g_plan = tavero::ReadActionCode(code);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ReferenceResponder";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, L"ReferenceResponder", L"reference responder", 0, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (!::RegisterHotKey(hwnd, 1, static_cast<UINT>(g_modifiers), key)) {
        return 3;
    }
    if (g_equivalent) {
        RAWINPUTDEVICE keyboard{0x01, 0x06, RIDEV_INPUTSINK, hwnd};
        ::RegisterRawInputDevices(&keyboard, 1, sizeof(keyboard));
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}

// The floor to measure against: a hidden window that registers one hotkey and, when it fires,
// sends the action's keys with SendInput, holds them, and releases them. Nothing else.
//   reference_responder.exe MODIFIERS KEY HOLD_MS ACTION_KEY...
#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

std::vector<WORD> g_keys;
DWORD g_holdMs = 100;

void Send(bool up) {
    std::vector<INPUT> inputs;
    for (std::size_t i = 0; i < g_keys.size(); ++i) {
        WORD key = up ? g_keys[g_keys.size() - 1 - i] : g_keys[i];
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HOTKEY) {
        Send(false);
        ::Sleep(g_holdMs);
        Send(true);
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
    if (__argc < 5) {
        return 2;
    }
    UINT modifiers = static_cast<UINT>(wcstoul(__wargv[1], nullptr, 10));
    UINT key = static_cast<UINT>(wcstoul(__wargv[2], nullptr, 10));
    g_holdMs = static_cast<DWORD>(wcstoul(__wargv[3], nullptr, 10));
    for (int i = 4; i < __argc; ++i) {
        g_keys.push_back(static_cast<WORD>(wcstoul(__wargv[i], nullptr, 10)));
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"ReferenceResponder";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, L"ReferenceResponder", L"reference responder", 0, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (!::RegisterHotKey(hwnd, 1, modifiers, key)) {
        return 3;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}

#include "WinTestSupport_win.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/KeyInjector_win.h"
#include "platform/Wine_win.h"

namespace tavero::testing {

namespace {
void DispatchPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        DispatchPending();
        if (done()) {
            return true;
        }
        ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        // Wakes on any message, and at least every 10 ms for conditions that no message
        // announces (another process's windows).
        DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10));
        ::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

void SendKey(int key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.wScan = static_cast<WORD>(ScanCodeOf(key));
    input.ki.dwFlags =
        (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    ::SendInput(1, &input, sizeof(INPUT));
}

void SendChord(std::initializer_list<int> keys) {
    for (int key : keys) {
        SendKey(key, false);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        SendKey(*it, true);
    }
}

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void WaitOutWinesKeyStateCopy() {
    if (tavero::RunningUnderWine()) {
        PumpFor(60);
    }
}

bool PressHotKey(std::initializer_list<int> modifiers, int key, const std::function<bool()>& until,
                 int timeoutMs, double* pressedMs) {
    WaitOutWinesKeyStateCopy();
    for (int modifier : modifiers) {
        SendKey(modifier, false);
    }
    if (pressedMs != nullptr) {
        *pressedMs = NowMs();
    }
    SendKey(key, false);
    SendKey(key, true);
    bool held = PumpUntil(until, timeoutMs);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
        SendKey(*it, true);
    }
    return held;
}

void ClickScreen(int x, int y) {
    // Two clicks at one place within the double-click time are a double-click, which an edit
    // takes to select a word, not to take the focus: a second click there waits as long as a
    // person would have.
    static double lastAt = -1e9;
    static POINT last{};
    double since = NowMs() - lastAt;
    if (since < ::GetDoubleClickTime() &&
        std::abs(x - last.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(y - last.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK)) {
        PumpFor(static_cast<int>(::GetDoubleClickTime() - since) + 10);
    }
    lastAt = NowMs();
    last = {x, y};
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    ::SetCursorPos(x, y);
    INPUT inputs[3] = {};
    DWORD flags[3] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = static_cast<LONG>((x * 65535LL + width / 2) / (width - 1));
        inputs[i].mi.dy = static_cast<LONG>((y * 65535LL + height / 2) / (height - 1));
        inputs[i].mi.dwFlags = flags[i] | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    ::SendInput(3, inputs, sizeof(INPUT));
}

int FirstKeyDown() {
    for (int key = 1; key < 255; ++key) {
        if (::GetAsyncKeyState(key) < 0) {
            return key;
        }
    }
    return 0;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    COLORREF colour = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

double Contrast(COLORREF a, COLORREF b) {
    auto luminance = [](COLORREF c) {
        auto channel = [](int value) {
            double v = value / 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) +
               0.0722 * channel(GetBValue(c));
    };
    double la = luminance(a);
    double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::wstring ControlText(HWND control) {
    wchar_t buffer[1024] = {};
    ::SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

::testing::AssertionResult FocusWindow(HWND topLevel, HWND focus) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        HWND before = ::GetForegroundWindow();
        ::ShowWindow(topLevel, SW_SHOW);
        ::SetForegroundWindow(topLevel);
        ::SetActiveWindow(topLevel);
        ::SetFocus(focus);
        AwaitThreadOf(before);
        if (PumpUntil([&] { return ::GetForegroundWindow() == topLevel && ::GetFocus() == focus; },
                      2000)) {
            return ::testing::AssertionSuccess();
        }
    }
    return ::testing::AssertionFailure()
           << "set-up: the test's window could not get the keyboard focus; "
           << DescribeForeground();
}

namespace {
std::string Described(HWND window) {
    if (window == nullptr) {
        return "no window";
    }
    wchar_t className[64] = {};
    wchar_t title[64] = {};
    ::GetClassNameW(window, className, 64);
    ::GetWindowTextW(window, title, 64);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    std::string text = "a window of class ";
    for (const wchar_t* c = className; *c != 0; ++c) {
        text += static_cast<char>(*c < 128 ? *c : '?');
    }
    text += " titled \"";
    for (const wchar_t* c = title; *c != 0; ++c) {
        text += static_cast<char>(*c < 128 ? *c : '?');
    }
    text += "\" of process " + std::to_string(process);
    text += process == ::GetCurrentProcessId() ? " (the test's)" : "";
    return text;
}
}  // namespace

::testing::AssertionResult AwaitForeground(HWND window) {
    if (PumpUntil([&] { return ::GetForegroundWindow() == window; })) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "the window did not come to the front; " << DescribeForeground();
}

std::string DescribeForeground() {
    HWND foreground = ::GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(foreground, nullptr), &info);
    std::string text = "the foreground is " + Described(foreground) + ", the focus on " +
                       Described(info.hwndFocus);
    // A message box says why it is there.
    std::wstring message = ControlText(::GetDlgItem(foreground, 0xFFFF));
    if (!message.empty()) {
        text += "; it says \"";
        for (wchar_t c : message) {
            text += static_cast<char>(c < 128 ? c : '?');
        }
        text += "\"";
    }
    // A button the system still counts as down makes the next click a release only.
    if (::GetAsyncKeyState(VK_LBUTTON) < 0) {
        text += "; the left mouse button is down";
    }
    return text;
}

void AwaitThreadOf(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (window == nullptr || process == ::GetCurrentProcessId()) {
        return;
    }
    for (int pass = 0; pass < 2; ++pass) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
    }
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        path_ = std::wstring(base) + L"tavero-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        if (::CreateDirectoryW(path_.c_str(), nullptr)) {
            break;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

std::wstring WinePath(const std::string& unix) {
    // On Windows itself the build's paths are Windows paths already.
    std::wstring path = !unix.empty() && unix[0] == '/' ? L"Z:" : L"";
    for (char c : unix) {
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    }
    return path;
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     text, 512, nullptr);
    std::wstring described = text;
    while (!described.empty() &&
           (described.back() == L'\n' || described.back() == L'\r' || described.back() == L' ')) {
        described.pop_back();
    }
    return described;
}

PeFacts ReadPe(const std::wstring& path) {
    PeFacts facts;
    std::string bytes = ReadFileBytes(path);
    facts.size = bytes.size();
    if (bytes.size() < sizeof(IMAGE_DOS_HEADER)) {
        return facts;
    }
    auto at = [&](std::size_t offset) { return bytes.data() + offset; };
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0));
    auto nt =
        reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(static_cast<std::size_t>(dos->e_lfanew)));
    facts.dllCharacteristics = nt->OptionalHeader.DllCharacteristics;
    facts.timeStamp = nt->FileHeader.TimeDateStamp;
    facts.subsystemVersion = {nt->OptionalHeader.MajorSubsystemVersion,
                              nt->OptionalHeader.MinorSubsystemVersion};
    facts.osVersion = {nt->OptionalHeader.MajorOperatingSystemVersion,
                       nt->OptionalHeader.MinorOperatingSystemVersion};
    auto sections = IMAGE_FIRST_SECTION(nt);
    auto toOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return 0;
    };
    const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto imp =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(toOffset(imports.VirtualAddress)));
         imports.VirtualAddress != 0 && imp->Name != 0; ++imp) {
        std::string name = at(toOffset(imp->Name));
        for (char& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        facts.imports.insert(name);
    }
    const auto& config = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
    if (config.VirtualAddress != 0 && config.Size != 0) {
        std::size_t offset = toOffset(config.VirtualAddress);
        DWORD size = *reinterpret_cast<const DWORD*>(at(offset));
        facts.hasLoadConfig = true;
        // DependentLoadFlags: 0x4E into the 64-bit directory, whose five 64-bit pointers from
        // 0x28 on put it later than in the 32-bit one; a directory that ends before it has none.
        if (size >= 0x50) {
            facts.dependentLoadFlags = *reinterpret_cast<const WORD*>(at(offset + 0x4E));
        }
    }
    return facts;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tavero::testing
